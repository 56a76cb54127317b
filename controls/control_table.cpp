#include "controls/control_table.h"

#include <cstring>

#include "engine/sjis.h"

namespace kav {

void copyField(char* field, size_t max, std::string_view s) {
    const std::string_view head = cutToChars(s.substr(0, s.find('\0')), max);
    std::memcpy(field, head.data(), head.size());
    field[head.size()] = 0;
}

bool ControlTable::append(int32_t type, std::string_view text, std::string_view name, int32_t x, int32_t y, int32_t w,
                          int32_t h) {
    if (count_ >= kControlMax) return false;
    ControlEntry& c = entries_[static_cast<size_t>(count_)];
    c = ControlEntry{};
    c.type = type;
    c.x = x, c.y = y, c.width = w, c.height = h;
    c.commandId = kControlIdBase + count_;
    copyField(c.text, kControlTextMax, text);
    copyField(c.name, kControlNameMax, name);
    ++count_;
    return true;
}

int ControlTable::find(std::string_view name) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[static_cast<size_t>(i)].nameView() == name) return i;
    return -1;
}

int ControlTable::findWindow(const void* w, int from, int to) const {
    if (!w) return -1;
    if (to > count_) to = count_;
    for (int i = from < 0 ? 0 : from; i < to; ++i)
        if (entries_[static_cast<size_t>(i)].window == w) return i;
    return -1;
}

void ControlTable::truncate(int n) {
    if (n < 0) n = 0;
    for (int i = n; i < count_; ++i) entries_[static_cast<size_t>(i)] = ControlEntry{};
    if (n < count_) count_ = n;
}

int findControl(const ControlTable& t, std::string_view name) {
    const int i = t.find(name);
    if (i >= 0) return i;
    return name == "FILE_NAME" ? kFileNameControl : kNotFound;
}

ControlClass controlClass(int32_t type) {
    switch (type) {
    case 1: return ControlClass::BitmapButton;
    case 10: return ControlClass::Radio;
    case 20: return ControlClass::Check;
    case 40: case 41: return ControlClass::List;
    case 50: case 51: case 52: return ControlClass::GroupBox;
    case 60: return ControlClass::Static;
    case 70: case 71: return ControlClass::ScrollBar;
    case 100: case 101: return ControlClass::Edit;
    default: return range::combo(type) ? ControlClass::Combo : ControlClass::PushButton;
    }
}

bool notificationRuns(int32_t type, unsigned code) {
    if (range::combo(type) || type == 40) return code == 1;
    return true;
}

}  // namespace kav
