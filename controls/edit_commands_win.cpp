// The edit-box commands: insert, read, count, search and select text, and the
// clipboard and undo requests.
#include <windows.h>

#include <cstdlib>

#include "controls/control_access_win.h"
#include "controls/edit_insert_win.h"
#include "win32/control_messages_win.h"
#include "controls/edit_text.h"
#include "engine/engine.h"
#include "engine/number_format.h"

namespace kav {

namespace {

bool editRange(int32_t t) { return range::edit(t); }
bool singleLineRange(int32_t t) { return range::singleLine(t); }

HWND editArgument(Call& c, int k = 0) {
    ControlEntry* entry = controlArgument(c, k, editRange);
    return entry ? hwndOf(*entry) : nullptr;
}

// Runs a request only for edit controls; other types do nothing.
template <void (*Request)(HWND)>
void onEditOnly(Call& c) {
    ControlEntry* entry = controlArgument(c, 0);
    if (entry && range::edit(entry->type)) Request(hwndOf(*entry));
}

// The same for a request that moves the selection.
template <void (*Request)(HWND)>
void onEditSelect(Call& c) {
    ControlEntry* entry = controlArgument(c, 0);
    if (entry && range::edit(entry->type)) editMoveSelection(*entry, Request);
}

// The same for a request that changes the text without inserting any: a
// waiting lead byte goes in alone first.
template <void (*Request)(HWND)>
void onEditChange(Call& c) {
    ControlEntry* entry = controlArgument(c, 0);
    if (!entry || !range::edit(entry->type)) return;
    editGiveUpHeld(*entry);
    Request(hwndOf(*entry));
}

void selectAll(HWND w) { ctl::editSetSel(w, 0, -1); }
void clearAll(HWND w) { selectAll(w), ctl::send(w, WM_CLEAR); }
void copyAll(HWND w) { selectAll(w), ctl::send(w, WM_COPY); }
void copy(HWND w) { ctl::send(w, WM_COPY); }
void cut(HWND w) { ctl::send(w, WM_CUT); }
void paste(HWND w) { ctl::send(w, WM_PASTE); }
void clear(HWND w) { ctl::send(w, WM_CLEAR); }
void undo(HWND w) { ctl::send(w, EM_UNDO); }

void setEditText(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, editRange);
    std::string_view literal;
    if (!edit || !c.string(1, literal)) return;
    editInsert(*edit, resolveTextArgument(c.e, literal));
}

void setEditCode(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, editRange);
    int32_t data = 0;
    if (!edit || !c.integers(1, 1, &data)) return;
    editInsertByte(*edit, static_cast<uint8_t>(data));
}

void setEditCodeRet(Call& c) {
    if (ControlEntry* edit = controlArgument(c, 0, editRange)) editInsert(*edit, "\r\n");
}

void setEditData(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, editRange);
    double data = 0;
    int32_t decimals = 0;
    if (!edit || !c.number(1, data) || !c.integers(2, 2, &decimals)) return;
    editInsert(*edit, formatDecimals(data, decimals, 31));
}

void setEditData16(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, editRange);
    int32_t data = 0;
    if (!edit || !c.integers(1, 1, &data)) return;
    editInsert(*edit, hex32(data));
}

void getEditData(Call& c) {
    ControlEntry* entry = controlArgument(c, 0, singleLineRange);
    if (!entry) return;
    std::string text = ctl::windowText(hwndOf(*entry));
    text.resize(cutToChars(text, 511).size());
    c.result(std::strtod(text.c_str(), nullptr));
}

void getEditCode(Call& c) {
    HWND w = editArgument(c);
    int32_t n = 0;
    if (!ok(c) || !c.integers(1, 1, &n)) return;
    const std::string text = ctl::windowText(w);
    if (n < 0 || static_cast<size_t>(n) >= text.size()) return c.fail(Status::ParamInvalid);
    c.result(static_cast<signed char>(text[static_cast<size_t>(n)]));
}

void getEditLength(Call& c) {
    if (HWND w = editArgument(c); ok(c)) c.result(charCount(ctl::windowText(w)));
}

void getEditLengthB(Call& c) {
    if (HWND w = editArgument(c); ok(c)) c.result(static_cast<double>(ctl::windowText(w).size()));
}

void getEditText(Call& c) {
    HWND from = editArgument(c, 0);
    int32_t v[2];
    if (!ok(c) || !c.integers(1, 2, v)) return;
    ControlEntry* to = controlArgument(c, 3, editRange);
    if (!to) return;
    if (v[0] < 0 || v[1] < v[0]) return c.fail(Status::ParamInvalid);
    const std::string text = ctl::windowText(from);
    const size_t start = charOffset(text, v[0]), end = charOffset(text, v[1]);
    editInsert(*to, std::string_view(text).substr(start, end - start));
}

void cmpEditText(Call& c) {
    HWND w = editArgument(c);
    int32_t n = 0;
    std::string_view str;
    if (!ok(c) || !c.integers(1, 1, &n) || !c.string(2, str)) return;
    c.result(textBeginsWith(ctl::windowText(w), n, str));
}

void searchEditText(Call& c) {
    HWND w = editArgument(c);
    int32_t n = 0;
    std::string_view str;
    if (!ok(c) || !c.integers(1, 1, &n) || !c.string(2, str)) return;
    c.result(searchText(ctl::windowText(w), n, str));
}

void getEditCursolStart(Call& c) {
    HWND w = editArgument(c);
    DWORD start = 0, end = 0;
    if (!ok(c)) return;
    ctl::editGetSel(w, start, end);
    c.result(start);
}

void getEditCursolEnd(Call& c) {
    HWND w = editArgument(c);
    DWORD start = 0, end = 0;
    if (!ok(c)) return;
    ctl::editGetSel(w, start, end);
    c.result(end);
}

void setEditCursol(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, editRange);
    int32_t v[2];
    if (!edit || !c.integers(1, 2, v)) return;
    editMoveSelection(*edit, [&v](HWND w) {
        if (v[0] < 0) selectAll(w);
        ctl::editSetSel(w, v[0], v[1]);
        ctl::editScrollCaret(w);
    });
}

void getEditChange(Call& c) {
    if (HWND w = editArgument(c); ok(c)) c.result(ctl::editModified(w) ? 1 : 0);
}

void setEditNoChange(Call& c) {
    if (HWND w = editArgument(c); ok(c)) ctl::editSetModified(w, false);
}

constexpr CommandEntry kEntries[] = {
    {"SetEditText", 2, kStatement, setEditText},
    {"SetEditCode", 2, kStatement, setEditCode},
    {"SetEditCodeRet", 1, kStatement, setEditCodeRet},
    {"SetEditData", 3, kStatement, setEditData},
    {"SetEditData16", 2, kStatement, setEditData16},
    {"GetEditData", 1, kStatement | kValue, getEditData},
    {"GetEditCode", 2, kStatement | kValue, getEditCode},
    {"GetEditLength", 1, kStatement | kValue, getEditLength},
    {"GetEditLengthB", 1, kStatement | kValue, getEditLengthB},
    {"GetEditText", 4, kStatement, getEditText},
    {"CmpEditText", 3, kStatement | kValue, cmpEditText},
    {"SearchEditText", 3, kStatement | kValue, searchEditText},
    {"GetEditCursolStart", 1, kStatement | kValue, getEditCursolStart},
    {"GetEditCursolEnd", 1, kStatement | kValue, getEditCursolEnd},
    {"SetEditCursol", 3, kStatement, setEditCursol},
    {"GetEditChange", 1, kStatement | kValue, getEditChange},
    {"SetEditNoChange", 1, kStatement, setEditNoChange},
    {"AllSelectEdit", 1, kStatement, onEditSelect<selectAll>},
    {"AllClearEdit", 1, kStatement, onEditChange<clearAll>},
    {"AllClipEdit", 1, kStatement, onEditSelect<copyAll>},
    {"ClipEdit", 1, kStatement, onEditOnly<copy>},
    {"CutEdit", 1, kStatement, onEditChange<cut>},
    {"PasteEdit", 1, kStatement, onEditChange<paste>},
    {"ClearEdit", 1, kStatement, onEditChange<clear>},
    {"UndoEdit", 1, kStatement, onEditChange<undo>},
};

}  // namespace

extern constinit const CommandFamily kEditCommands{kEntries};

}  // namespace kav
