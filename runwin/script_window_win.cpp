#include "runwin/script_window_win.h"

#include "controls/control_windows_win.h"
#include "controls/menu_table.h"
#include "win32/gdi_win.h"

namespace kav {

namespace {

struct ButtonEvent {
    UINT message;
    const char* section;
};
constexpr ButtonEvent kButtonEvents[] = {
    {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"}, {WM_RBUTTONDBLCLK, "RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "MBUTTONDOWN"}, {WM_MBUTTONUP, "MBUTTONUP"}, {WM_MBUTTONDBLCLK, "MBUTTONDBLCLK"},
};

}  // namespace

const ScriptWindow::Route<ScriptWindow> ScriptWindow::kShared[] = {
    {WM_SETFOCUS, &ScriptWindow::onSetFocus},
    {WM_KILLFOCUS, &ScriptWindow::onKillFocus},
    {WM_PAINT, &ScriptWindow::onPaint},
    {WM_KEYDOWN, &ScriptWindow::onKey},
    {WM_KEYUP, &ScriptWindow::onKey},
    {WM_CHAR, &ScriptWindow::onChar},
    {WM_MOUSEMOVE, &ScriptWindow::onMouseMove},
    {WM_LBUTTONDOWN, &ScriptWindow::onMouseButton},
    {WM_LBUTTONUP, &ScriptWindow::onMouseButton},
    {WM_LBUTTONDBLCLK, &ScriptWindow::onMouseButton},
    {WM_RBUTTONDOWN, &ScriptWindow::onMouseButton},
    {WM_RBUTTONUP, &ScriptWindow::onMouseButton},
    {WM_RBUTTONDBLCLK, &ScriptWindow::onMouseButton},
    {WM_MBUTTONDOWN, &ScriptWindow::onMouseButton},
    {WM_MBUTTONUP, &ScriptWindow::onMouseButton},
    {WM_MBUTTONDBLCLK, &ScriptWindow::onMouseButton},
    {WM_COMMAND, &ScriptWindow::onCommand},
    {WM_HSCROLL, &ScriptWindow::onScroll},
    {WM_VSCROLL, &ScriptWindow::onScroll},
};

bool ScriptWindow::shared(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
    return dispatch(this, kShared, message, w, l, result);
}

ScriptWindow::ScriptWindow(Engine& e, EventSource source)
    : e_(e), source_(source), mouseX_(dialog() ? &SystemState::dialogMouseX : &SystemState::mouseX),
      mouseY_(dialog() ? &SystemState::dialogMouseY : &SystemState::mouseY) {}

LRESULT ScriptWindow::onSetFocus(UINT, WPARAM, LPARAM) {
    event("SETFOCUS");
    SetFocus(hwnd_);
    return 0;
}

LRESULT ScriptWindow::onKillFocus(UINT, WPARAM, LPARAM) {
    event("KILLFOCUS");
    return 0;
}

LRESULT ScriptWindow::onPaint(UINT, WPARAM, LPARAM) {
    // The update region is validated first; the section redraws by commands.
    { PaintDC validate(hwnd_); }
    event("PAINT");
    return 0;
}

LRESULT ScriptWindow::onKey(UINT message, WPARAM wParam, LPARAM) {
    e_.sys.key = static_cast<uint32_t>(wParam);
    event(message == WM_KEYDOWN ? "KEYDOWN" : "KEYUP");
    return 0;
}

LRESULT ScriptWindow::onChar(UINT, WPARAM wParam, LPARAM) {
    e_.sys.asc = static_cast<uint32_t>(wParam);
    event("CHARDOWN");
    return 0;
}

LRESULT ScriptWindow::onMouseMove(UINT, WPARAM, LPARAM lParam) {
    if (!e_.fault.ok()) return 0;
    e_.sys.*mouseX_ = LOWORD(lParam);
    e_.sys.*mouseY_ = HIWORD(lParam);
    event("MOUSEMOVE");
    return 0;
}

LRESULT ScriptWindow::onMouseButton(UINT message, WPARAM, LPARAM) {
    for (const ButtonEvent& b : kButtonEvents)
        if (b.message == message) event(b.section);
    return 0;
}

LRESULT ScriptWindow::onCommand(UINT, WPARAM wParam, LPARAM) {
    // Commands are refused while an error is pending and while the window is
    // being created.
    const bool creating = dialog() ? e_.dialogState == DialogState::Creating : e_.run == RunState::Creating;
    if (!e_.fault.ok() || creating) return 0;
    // Menu items have identifiers below 600 (a dialog has no menu), controls 600 on.
    const int id = LOWORD(wParam);
    if (id >= kControlIdBase) {
        runControlCommand(e_, hwnd_, wParam);
    } else if (!dialog()) {
        // A copy: the section may end the run, and the next run's CREATE refills the table.
        const std::string section(e_.part<MenuTable>().section(id));
        if (!section.empty()) event(section.c_str());
    }
    return 0;
}

LRESULT ScriptWindow::onScroll(UINT, WPARAM wParam, LPARAM lParam) {
    // A scroll-bar control of this window's; the run window's own bars are its own.
    const int from = dialog() ? static_cast<int>(e_.dialog.firstControl) : 0;
    if (lParam) runControlScroll(e_, hwnd_, wParam, lParam, from);
    return 0;
}

}  // namespace kav
