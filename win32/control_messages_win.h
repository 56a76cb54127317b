// Typed one-line wrappers for the standard-control messages that the script
// commands and the editor send.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace kav::ctl {

// The whole window text (ANSI bytes).
inline std::string windowText(HWND w) {
    int n = GetWindowTextLengthA(w);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(w, text.data(), n + 1);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

// Replaces the selection (or inserts at the caret), undoable by default.
inline void editReplaceSel(HWND w, std::string_view text, bool undoable = true) {
    std::string z(text);
    SendMessageA(w, EM_REPLACESEL, undoable, reinterpret_cast<LPARAM>(z.c_str()));
}
inline void editSetSel(HWND w, int start, int end) { SendMessageA(w, EM_SETSEL, start, end); }
inline void editScrollCaret(HWND w) { SendMessageA(w, EM_SCROLLCARET, 0, 0); }
inline void editGetSel(HWND w, DWORD& start, DWORD& end) {
    SendMessageA(w, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}
inline int editSelStart(HWND w) {
    DWORD start = 0, end = 0;
    editGetSel(w, start, end);
    return static_cast<int>(start);
}
inline bool editModified(HWND w) { return SendMessageA(w, EM_GETMODIFY, 0, 0) != 0; }
inline void editSetModified(HWND w, bool on) { SendMessageA(w, EM_SETMODIFY, on, 0); }
inline void editLimitText(HWND w, int bytes) { SendMessageA(w, EM_SETLIMITTEXT, bytes, 0); }
inline void send(HWND w, UINT message) { SendMessageA(w, message, 0, 0); }

// List and combo boxes: the same requests under the combo or the list message.
inline LRESULT listAdd(HWND w, bool combo, const std::string& text) {
    return SendMessageA(w, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
inline void listInsert(HWND w, bool combo, int index, const std::string& text) {
    SendMessageA(w, combo ? CB_INSERTSTRING : LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}
inline void listDelete(HWND w, bool combo, int index) { SendMessageA(w, combo ? CB_DELETESTRING : LB_DELETESTRING, index, 0); }
inline int listCount(HWND w, bool combo) { return static_cast<int>(SendMessageA(w, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)); }
inline void listSelect(HWND w, bool combo, int index) { SendMessageA(w, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0); }
inline int listSelection(HWND w, bool combo) {
    return static_cast<int>(SendMessageA(w, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}
inline void listClear(HWND w, bool combo) { SendMessageA(w, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0); }
inline std::string listItemText(HWND w, bool combo, int index) {
    LRESULT n = SendMessageA(w, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(w, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

inline void buttonSetCheck(HWND w, bool on) { SendMessageA(w, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
inline bool buttonChecked(HWND w) { return SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }

inline void setFont(HWND w, HFONT f, bool redraw = true) {
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(f), redraw);
}

}  // namespace kav::ctl
