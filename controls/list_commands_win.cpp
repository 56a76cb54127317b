// List and combo boxes, scroll-bar controls and buttons.
#include <windows.h>

#include "controls/control_access_win.h"
#include "controls/edit_insert_win.h"
#include "win32/control_messages_win.h"
#include "controls/edit_text.h"
#include "engine/engine.h"

namespace kav {

namespace {

bool listRange(int32_t t) { return range::list(t); }
bool comboRange(int32_t t) { return range::combo(t); }
bool scrollRange(int32_t t) { return range::scroll(t); }
bool buttonRange(int32_t t) { return range::button(t); }
bool checkRange(int32_t t) { return range::checkable(t); }
bool singleLineRange(int32_t t) { return range::singleLine(t); }

// Item texts are read through a buffer of 255 bytes and the terminator.
constexpr size_t kItemTextMax = 255;

void setListText(Call& c) {
    ControlEntry* list = controlArgument(c, 0, listRange);
    std::string_view literal;
    if (!list || !c.string(1, literal)) return;
    ctl::listAdd(hwndOf(*list), range::combo(list->type), resolveTextArgument(c.e, literal));
}

void setListPos(Call& c) {
    ControlEntry* list = controlArgument(c, 0, listRange);
    int32_t n = 0;
    if (list && c.integers(1, 1, &n)) ctl::listSelect(hwndOf(*list), range::combo(list->type), n);
}

void getListPos(Call& c) {
    if (ControlEntry* list = controlArgument(c, 0, listRange))
        c.result(ctl::listSelection(hwndOf(*list), range::combo(list->type)));
}

void clearList(Call& c) {
    if (ControlEntry* list = controlArgument(c, 0, listRange)) ctl::listClear(hwndOf(*list), range::combo(list->type));
}

// Nothing is selected: nothing is inserted.
void getListText(Call& c) {
    ControlEntry* list = controlArgument(c, 0, listRange);
    if (!list) return;
    ControlEntry* edit = controlArgument(c, 1, singleLineRange);
    if (!edit) return;
    const bool combo = range::combo(list->type);
    const int index = ctl::listSelection(hwndOf(*list), combo);
    if (index < 0) return;
    const std::string text = ctl::listItemText(hwndOf(*list), combo, index);
    editInsert(*edit, cutToChars(text, kItemTextMax));
}

void getComboText(Call& c) {
    ControlEntry* combo = controlArgument(c, 0, comboRange);
    if (!combo) return;
    ControlEntry* edit = controlArgument(c, 1, singleLineRange);
    if (!edit) return;
    editInsert(*edit, ctl::windowText(hwndOf(*combo)));
}

void setScrollRange(Call& c) {
    ControlEntry* bar = controlArgument(c, 0, scrollRange);
    int32_t maximum = 0;
    if (!bar || !c.integers(1, 1, &maximum)) return;
    bar->scrollMax = maximum;
    if (bar->scrollPos > maximum) bar->scrollPos = maximum;
    SetScrollRange(hwndOf(*bar), SB_CTL, 0, maximum, FALSE);
    SetScrollPos(hwndOf(*bar), SB_CTL, bar->scrollPos, TRUE);
}

// The stored position is not clamped: the next arrow click compares against it.
void setScrollPos(Call& c) {
    ControlEntry* bar = controlArgument(c, 0, scrollRange);
    int32_t position = 0;
    if (!bar || !c.integers(1, 1, &position)) return;
    bar->scrollPos = position;
    SetScrollPos(hwndOf(*bar), SB_CTL, position, TRUE);
}

void getScrollPos(Call& c) {
    if (ControlEntry* bar = controlArgument(c, 0, scrollRange)) c.result(GetScrollPos(hwndOf(*bar), SB_CTL));
}

// A bitmap button keeps its text as its tip.
void setButtonText(Call& c) {
    ControlEntry* button = controlArgument(c, 0, buttonRange);
    std::string_view literal;
    if (!button || !c.string(1, literal)) return;
    const std::string text = resolveTextArgument(c.e, literal);
    if (button->type == 1) copyField(button->text, kControlTextMax, text);
    else SetWindowTextA(hwndOf(*button), text.c_str());
}

void setButtonCheck(Call& c) {
    ControlEntry* button = controlArgument(c, 0, checkRange);
    int32_t sw = 0;
    if (!button || !c.integers(1, 1, &sw)) return;
    if (sw == 0 || sw == 1) ctl::buttonSetCheck(hwndOf(*button), sw == 1);
}

void getButtonCheck(Call& c) {
    if (ControlEntry* button = controlArgument(c, 0, checkRange)) c.result(ctl::buttonChecked(hwndOf(*button)) ? 1 : 0);
}

constexpr CommandEntry kEntries[] = {
    {"SetListText", 2, kStatement, setListText},
    {"SetListPos", 2, kStatement, setListPos},
    {"GetListPos", 1, kStatement | kValue, getListPos},
    {"ClearList", 1, kStatement, clearList},
    {"GetListText", 2, kStatement, getListText},
    {"GetComboText", 2, kStatement, getComboText},
    {"SetScrollRange", 2, kStatement, setScrollRange},
    {"SetScrollPos", 2, kStatement, setScrollPos},
    {"GetScrollPos", 1, kStatement | kValue, getScrollPos},
    {"SetButtonText", 2, kStatement, setButtonText},
    {"SetButtonCheck", 2, kStatement, setButtonCheck},
    {"GetButtonCheck", 1, kStatement | kValue, getButtonCheck},
};

}  // namespace

extern constinit const CommandFamily kListCommands{kEntries};

}  // namespace kav
