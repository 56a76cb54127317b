// The actions that address a window's menu and its controls by identifier.
#include <cstring>
#include <string>

#include "tools/kav3drv/actions_win.h"
#include "tools/kav3drv/app_windows_win.h"

namespace kavdrv {

namespace {

// The repeat count of a typed character's lParam.
constexpr LPARAM kTypedOnce = 1;
// Typed text arrives in the app's code page (Shift-JIS).
constexpr UINT kAppCodePage = 932;

bool isMultipleSelectionList(HWND list) {
    return (GetWindowLongA(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

// Selects item index as the user's click on it would; false when there is no such item.
bool selectListItem(HWND list, int index) {
    DWORD_PTR result = 0;
    if (!isMultipleSelectionList(list))
        return sendWithTimeout(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, result) &&
               static_cast<LRESULT>(result) == index;
    if (!sendWithTimeout(list, LB_SETSEL, TRUE, index, result) || static_cast<LRESULT>(result) == LB_ERR) return false;
    return sendWithTimeout(list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE, result);
}

bool selectComboItem(HWND combo, int index) {
    DWORD_PTR result = 0;
    return sendWithTimeout(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, result) &&
           static_cast<LRESULT>(result) == index;
}

// The text field of a control: an edit itself, or the edit inside a combo box.
HWND editOf(HWND control) {
    if (hasClass(control, "Edit")) return control;
    return FindWindowExA(control, nullptr, "Edit", nullptr);
}

}  // namespace

void ActionPlayer::fail(const Action& a, const std::string& why) const {
    out_.line(std::string("error: ") + actionName(a.kind) + " " + std::to_string(a.a) + ": " + why);
}

HWND ActionPlayer::control(const Action& a, int id) const {
    HWND found = findControl(window_, id);
    if (!found) fail(a, "no control " + std::to_string(id));
    return found;
}

void ActionPlayer::doWindow(const Action& a) {
    target_ = parseWindowSpec(a.text);
    window_ = nullptr;
    settleNext_ = true;
}

void ActionPlayer::doMenu(const Action& a) {
    // A menu item and an accelerator both arrive as WM_COMMAND with no control.
    post(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(a.a), 0), 0);
}

void ActionPlayer::doButton(const Action& a) {
    // BM_CLICK presses and releases the button in the app's own thread, so the
    // parent hears BN_CLICKED exactly as from a user's click.
    if (HWND button = control(a, a.a)) postTo(button, BM_CLICK, 0, 0);
}

void ActionPlayer::doType(const Action& a) {
    HWND target = control(a, a.a);
    if (!target) return;
    HWND edit = editOf(target);
    if (!edit) {
        // Not a text field: the window's own procedure gets the bytes, a
        // double-byte character as two WM_CHARs, lead byte first.
        for (char byte : a.text) postTo(target, WM_CHAR, static_cast<unsigned char>(byte), kTypedOnce);
        return;
    }
    // Wine's edit control turns each byte of a WM_CHAR pair (and the pair
    // DefWindowProc makes of a WM_IME_CHAR) into a character of its own: a
    // double-byte character goes in as the IME's result string does, by
    // EM_REPLACESEL. Sent, not posted, so every character keeps its place.
    const std::string& text = a.text;
    DWORD_PTR ignored = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        bool answered = false;
        if (IsDBCSLeadByteEx(kAppCodePage, byte) && i + 1 < text.size()) {
            const std::string pair = text.substr(i++, 2);
            answered = sendWithTimeout(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair.c_str()), ignored);
        } else {
            answered = sendWithTimeout(edit, WM_CHAR, byte, kTypedOnce, ignored);
        }
        if (!answered) return fail(a, "the control did not answer");
    }
}

void ActionPlayer::doSetText(const Action& a) {
    HWND target = control(a, a.a);
    DWORD_PTR ignored = 0;
    if (target && !sendWithTimeout(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.text.c_str()), ignored))
        fail(a, "the control did not answer");
}

void ActionPlayer::doText(const Action& a) {
    if (HWND target = control(a, a.a))
        out_.line("text: " + std::to_string(a.a) + ": " + escapeLineBreaks(cp932ToUtf8(controlTextRaw(target))));
}

void ActionPlayer::doFocus(const Action& a) {
    HWND target = control(a, a.a);
    if (!target) return;
    // SetFocus works only on windows of the caller's input queue: share the
    // app's queue for the call, so the app sees the real WM_KILLFOCUS/WM_SETFOCUS pair.
    const DWORD self = GetCurrentThreadId();
    const DWORD app = GetWindowThreadProcessId(target, nullptr);
    const bool attached = AttachThreadInput(self, app, TRUE) != 0;
    SetFocus(target);
    const bool moved = GetFocus() == target;
    if (attached) AttachThreadInput(self, app, FALSE);
    if (!moved) fail(a, "the focus did not move");
}

void ActionPlayer::doPick(const Action& a) {
    HWND target = control(a, a.a);
    if (!target) return;
    const bool list = hasClass(target, "ListBox");
    if (!list && !hasClass(target, "ComboBox")) {
        fail(a, "not a list or combo box");
        return;
    }
    if (!(list ? selectListItem(target, a.b) : selectComboItem(target, a.b))) {
        fail(a, "no item " + std::to_string(a.b));
        return;
    }
    const WORD code = list ? LBN_SELCHANGE : CBN_SELCHANGE;
    postTo(GetParent(target), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(target)), code),
           reinterpret_cast<LPARAM>(target));
}

void ActionPlayer::doClipboard(const Action& a) {
    // The clipboard is the session's, not the app's: the app must have closed it.
    if (!OpenClipboard(nullptr)) return fail(a, "the clipboard is busy");
    std::string text;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!found) return fail(a, "no text on the clipboard");
    out_.line("clipboard: " + escapeLineBreaks(cp932ToUtf8(text)));
}

void ActionPlayer::doScrollPos(const Action& a) {
    HWND bar = control(a, a.a);
    DWORD_PTR position = 0;
    if (!bar) return;
    if (!hasClass(bar, "ScrollBar")) return fail(a, "not a scroll bar");
    if (!sendWithTimeout(bar, SBM_GETPOS, 0, 0, position)) return fail(a, "the control did not answer");
    out_.line("scrollpos: " + std::to_string(a.a) + ": " + std::to_string(static_cast<int>(position)));
}

void ActionPlayer::doMenuState(const Action& a) {
    HMENU bar = GetMenu(window_);
    const UINT state = bar ? GetMenuState(bar, static_cast<UINT>(a.a), MF_BYCOMMAND) : static_cast<UINT>(-1);
    if (state == static_cast<UINT>(-1)) {
        // Wine keeps a menu's items in the process that made it: another
        // process gets the bar's handle but no item (the same -1 as for an
        // identifier the bar lacks).
        fail(a, bar ? "no such item, or the menu cannot be read from another process" : "no menu bar");
        return;
    }
    out_.line("menu: " + std::to_string(a.a) + " checked=" + ((state & MF_CHECKED) ? "1" : "0") +
              " grayed=" + ((state & MF_GRAYED) ? "1" : "0"));
}

}  // namespace kavdrv
