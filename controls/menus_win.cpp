#include "controls/menus_win.h"

#include "engine/subsystem.h"
#include <string>
#include <utility>

#include "controls/menu_table.h"
#include "engine/engine.h"

namespace kav {

namespace {

// A menu not yet handed to a window (or to a parent menu), destroyed if it never is.
class UniqueMenu {
public:
    explicit UniqueMenu(HMENU menu) : menu_(menu) {}
    UniqueMenu(UniqueMenu&& o) noexcept : menu_(std::exchange(o.menu_, nullptr)) {}
    UniqueMenu& operator=(UniqueMenu&&) = delete;
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    ~UniqueMenu() {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU get() const { return menu_; }
    HMENU release() { return std::exchange(menu_, nullptr); }
    explicit operator bool() const { return menu_ != nullptr; }

private:
    HMENU menu_;
};

void declareMenu(Call& c) {
    std::string_view title;
    if (!c.string(0, title)) return;
    if (const Status s = c.part<MenuTable>().declareMenu(title); s != Status::Ok) return c.fail(s);
    c.e.setup.hasMenu = true;
}

void addItem(Call& c, std::string_view text, std::string_view section) {
    if (const Status s = c.part<MenuTable>().addItem(text, section); s != Status::Ok) c.fail(s);
}

void popupMenu(Call& c) {
    std::string_view text;
    if (c.string(0, text)) addItem(c, text, text);
}

void popupMenuEx(Call& c) {
    std::string_view text, section;
    if (c.string(0, text) && c.string(1, section)) addItem(c, text, section);
}

void setMenuStyle(Call& c) {
    std::string_view name;
    int32_t v[2];
    if (!c.string(0, name) || !c.integers(1, 2, v)) return;
    const int id = c.part<MenuTable>().find(name);
    if (id == 0) return c.fail(Status::MenuInvalid);
    // The items live on the run window's bar, whichever window's section asks.
    HMENU bar = c.e.runWindow ? GetMenu(static_cast<HWND>(c.e.runWindow)) : nullptr;
    if (!bar) return;
    CheckMenuItem(bar, static_cast<UINT>(id), MF_BYCOMMAND | (v[0] == 1 ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(bar, static_cast<UINT>(id), MF_BYCOMMAND | (v[1] == 1 ? MF_GRAYED : MF_ENABLED));
}

UniqueMenu buildPopup(const MenuTable::Menu& menu) {
    UniqueMenu popup(CreatePopupMenu());
    if (!popup) return popup;
    for (const MenuTable::Item& item : menu.items) {
        const UINT flags = item.separator() ? MF_SEPARATOR : MF_STRING;
        AppendMenuA(popup.get(), flags, static_cast<UINT_PTR>(item.id), item.separator() ? nullptr : item.text.c_str());
    }
    return popup;
}

constexpr CommandEntry kEntries[] = {
    {"Menu", 1, kCreate, declareMenu},
    {"PopupMenu", 1, kCreate, popupMenu},
    {"PopupMenuEX", 2, kCreate, popupMenuEx},
    {"SetMenuStyle", 3, kStatement, setMenuStyle},
};

}  // namespace

extern constinit const CommandFamily kMenuCommands{kEntries};

void MenuBar::windowCreated(Engine&, WindowRef window) {
    if (!declared()) return;
    // Even a bar without entries is attached: the window's height already counts it.
    UniqueMenu bar(CreateMenu());
    if (!bar) return;
    for (const MenuTable::Menu& menu : menus()) {
        if (menu.items.empty()) continue;
        UniqueMenu popup = buildPopup(menu);
        if (popup && AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), menu.title.c_str()))
            popup.release();  // the bar owns it now
    }
    if (SetMenu(static_cast<HWND>(window), bar.get())) bar.release();  // destroyed with the window
}

// The menus subsystem: the script's menu bar and the message box.
extern const CommandFamily kMenuCommands, kMessageBoxCommands;
constexpr const CommandFamily* kMenusFamilies[] = {&kMenuCommands, &kMessageBoxCommands};
extern constinit const Subsystem kMenusSubsystem{"menus", kMenusFamilies, partKey<MenuTable>(), makePart<MenuBar>};

}  // namespace kav
