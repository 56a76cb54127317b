#include "runwin/control_tab_win.h"

#include <cstring>

namespace kav {

namespace {

bool isScriptWindow(HWND w) {
    char name[8] = {};
    GetClassNameA(w, name, sizeof name);
    return std::strcmp(name, "RUN") == 0 || std::strcmp(name, "DLG") == 0;
}

// Asked without a message, a control only says what it wants. Asked with one
// (as IsDialogMessage asks the control it leaves and the one it enters), an
// edit takes itself to be in a dialog: a multi-line edit then turns Esc into
// WM_CLOSE for its parent, which would end the script, and Tab into a request
// for the next control. So the navigation is the system's own tab order,
// without IsDialogMessage.
LRESULT dialogCode(HWND control) { return SendMessageA(control, WM_GETDLGCODE, 0, 0); }

}  // namespace

bool tabBetweenControls(const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB || !m.hwnd) return false;
    HWND top = GetAncestor(m.hwnd, GA_ROOT);
    if (!top || top == m.hwnd || !isScriptWindow(top)) return false;
    if (dialogCode(m.hwnd) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
    HWND next = GetNextDlgTabItem(top, m.hwnd, GetKeyState(VK_SHIFT) < 0);
    if (!next) return false;
    // Entered by Tab, an edit has its whole text selected, as in a dialog.
    if (dialogCode(next) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
    SetFocus(next);
    return true;
}

}  // namespace kav
