#include "controls/menu_table.h"

#include "engine/sjis.h"

namespace kav {

Status MenuTable::declareMenu(std::string_view title) {
    if (menus_.size() == kMaxMenus) return Status::MenuInvalid;
    menus_.push_back({std::string(cutToChars(title, kNameBytes)), {}});
    return Status::Ok;
}

Status MenuTable::addItem(std::string_view text, std::string_view section) {
    if (menus_.empty() || nextId_ > kMaxItemId || section.size() > kNameBytes) return Status::MenuInvalid;
    menus_.back().items.push_back({nextId_, std::string(text)});
    sections_[nextId_++] = std::string(section);
    return Status::Ok;
}

int MenuTable::find(std::string_view name) const {
    for (int id = 1; id < nextId_; ++id)
        if (sections_[id] == name) return id;
    return 0;
}

std::string_view MenuTable::section(int id) const {
    return id >= 1 && id < nextId_ ? std::string_view(sections_[id]) : std::string_view();
}

void MenuTable::reset() {
    menus_.clear();
    for (std::string& s : sections_) s.clear();
    nextId_ = 1;
}

}  // namespace kav
