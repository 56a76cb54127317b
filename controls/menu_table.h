// The menus a script declares in CREATE: top-level menus in order, their items,
// and the section each item identifier runs. Filled by Menu, PopupMenu and
// PopupMenuEX, read when the run window builds its menu bar and by WM_COMMAND.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fault.h"
#include "engine/part.h"

namespace kav {

// The menus of one run; the Windows build gives the run window its bar from them.
class MenuTable : public Part {
public:
    static constexpr int kMaxMenus = 16;
    static constexpr int kMaxItemId = 255;     // item identifiers run from 1 to 255
    static constexpr size_t kNameBytes = 32;   // a title or a section name, terminator not counted

    struct Item {
        int id;
        std::string text;  // what the menu shows; "---" is a separator
        bool separator() const { return text == "---"; }
    };
    struct Menu {
        std::string title;  // at most kNameBytes, cut at a character boundary
        std::vector<Item> items;
    };

    // A new top-level menu; MenuInvalid beyond kMaxMenus.
    [[nodiscard]] Status declareMenu(std::string_view title);
    // An item (or a separator) of the last menu, taking the next identifier;
    // MenuInvalid before any menu, beyond identifier kMaxItemId, or for a
    // section name longer than kNameBytes (it could never run).
    [[nodiscard]] Status addItem(std::string_view text, std::string_view section);
    // The lowest identifier whose section name is exactly name; 0 for none.
    int find(std::string_view name) const;
    // The section of an item identifier; empty for none.
    std::string_view section(int id) const;
    const std::vector<Menu>& menus() const { return menus_; }
    bool declared() const { return !menus_.empty(); }
    // Forgets every declaration; the next identifier is 1 again.
    void reset();

private:
    std::vector<Menu> menus_;
    std::array<std::string, kMaxItemId + 1> sections_;  // indexed by identifier; 0 unused
    int nextId_ = 1;
};

}  // namespace kav
