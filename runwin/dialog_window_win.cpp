#include "runwin/dialog_window_win.h"

#include "controls/control_windows_win.h"
#include "engine/dialog_setup.h"
#include "engine/exec.h"
#include "runwin/win_host_win.h"
#include "runwin/window_class_win.h"
#include "runwin/window_object_win.h"

namespace kav {

namespace {

constexpr char kClassName[] = "DLG";
constexpr UINT_PTR kDialogTimerId = 2;

struct MessageEvent {
    UINT message;
    const char* event;
};
constexpr MessageEvent kMouseButtons[] = {
    {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"}, {WM_RBUTTONDBLCLK, "RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "MBUTTONDOWN"}, {WM_MBUTTONUP, "MBUTTONUP"}, {WM_MBUTTONDBLCLK, "MBUTTONDBLCLK"},
};

class DialogWindow {
public:
    explicit DialogWindow(Engine& e) : e_(e) {}

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) {
        hwnd_ = hwnd;
        e_.dialogWindow = hwnd;
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void event(const char* name) { runDialogEvent(e_, hwnd_, name); }
    void onCreate();
    void onClose();
    void onDestroy();
    void onCommand(WPARAM wParam);
    void onScroll(WPARAM wParam, LPARAM lParam);

    Engine& e_;
    HWND hwnd_ = nullptr;
};

LRESULT DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    SystemState& sys = e_.sys;
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_SIZE:
        e_.dialog.width = LOWORD(lParam);
        e_.dialog.height = HIWORD(lParam);
        event("SIZE");
        return 0;
    case WM_MOVE:
        e_.dialog.x = static_cast<int16_t>(LOWORD(lParam));
        e_.dialog.y = static_cast<int16_t>(HIWORD(lParam));
        event("MOVE");
        return 0;
    case WM_SETFOCUS:
        event("SETFOCUS");
        SetFocus(hwnd_);
        return 0;
    case WM_KILLFOCUS: event("KILLFOCUS"); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd_, &ps);
        EndPaint(hwnd_, &ps);
        event("PAINT");
        return 0;
    }
    case WM_CLOSE: onClose(); return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        sys.key = static_cast<uint32_t>(wParam);
        event(message == WM_KEYDOWN ? "KEYDOWN" : "KEYUP");
        return 0;
    case WM_CHAR:
        sys.asc = static_cast<uint32_t>(wParam);
        event("CHARDOWN");
        return 0;
    case WM_MOUSEMOVE:
        if (!e_.fault.ok()) return 0;
        sys.dialogMouseX = LOWORD(lParam);
        sys.dialogMouseY = HIWORD(lParam);
        event("MOUSEMOVE");
        return 0;
    case WM_COMMAND: onCommand(wParam); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: onScroll(wParam, lParam); return 0;
    case WM_TIMER:
        if (wParam == kDialogTimerId && e_.fault.ok()) event("TIMER");
        return 0;
    case WM_DESTROY: onDestroy(); return 0;
    default: break;
    }
    for (const MessageEvent& b : kMouseButtons)
        if (b.message == message) {
            event(b.event);
            return 0;
        }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void DialogWindow::onCreate() {
    DialogSetup& d = e_.dialog;
    d.eventsEnabled = false;
    if (d.timerInterval != 0) SetTimer(hwnd_, kDialogTimerId, static_cast<UINT>(d.timerInterval), nullptr);
    if (d.topmost) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    createControlWindows(static_cast<int>(d.firstControl), hwnd_, false);
    d.eventsEnabled = true;
    event("INIT");
}

void DialogWindow::onClose() {
    // After an error the program is ending: the dialog goes without its CLOSE.
    if (e_.dialogOpen && e_.running) event("CLOSE");
    if (!e_.dialogOpen || !e_.running) DestroyWindow(hwnd_);
}

void DialogWindow::onDestroy() {
    e_.dialogOpen = false;
    KillTimer(hwnd_, kDialogTimerId);
    e_.dialog.timerInterval = 0;
    e_.dialog.eventsEnabled = false;
    releaseControls(static_cast<int>(e_.dialog.firstControl));
    e_.dialogWindow = nullptr;
    // An error in the dialog ends the program: the run window follows.
    if (!e_.running && e_.runWindow) PostMessageA(hwndOf(e_.runWindow), WM_CLOSE, 0, 0);
}

void DialogWindow::onCommand(WPARAM wParam) {
    // A dialog has no menu: only its controls send commands.
    if (!e_.fault.ok() || !e_.dialog.eventsEnabled || LOWORD(wParam) < kControlIdBase) return;
    runControlCommand(e_, hwnd_, wParam);
}

void DialogWindow::onScroll(WPARAM wParam, LPARAM lParam) {
    // Only the dialog's own scroll-bar controls; it has no bars of its own.
    if (lParam) runControlScroll(e_, hwnd_, wParam, lParam, static_cast<int>(e_.dialog.firstControl));
}

}  // namespace

void openDialog(Engine& e, HWND caller, std::string id) {
    if (e.dialogOpen) return;
    e.dialog = defaultDialog(e, std::move(id), static_cast<size_t>(controlTable().count()));
    e.dialogOpen = true;
    const DialogSetup& d = e.dialog;
    Fault& f = e.fault;
    const int32_t brace = e.compiled().section(d.id + "CREATE", f);
    if (f.status == static_cast<uint8_t>(Status::NoSection)) f.clear();
    else if (f.ok()) executeSection(e, caller, brace, kDialogCreate);
    if (!f.ok()) {
        // The caller reports the error; the dialog never opened.
        releaseControls(static_cast<int>(d.firstControl));
        e.dialogOpen = false;
        return;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(kClassName, instance);
    registerScriptClass(instance, kClassName, &objectProcedure<DialogWindow>, d.colour);
    auto w = std::make_unique<DialogWindow>(e);
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    HWND hwnd = CreateWindowExA(0, kClassName, d.caption.c_str(), d.style, d.x, d.y, d.width, d.height, caller,
                                nullptr, instance, &w);
    if (!hwnd) {
        releaseControls(static_cast<int>(d.firstControl));
        e.dialogOpen = false;
        MessageBoxA(caller, "ダイアログボックスが開けません！", "KAV Error", MB_ICONWARNING);
        return;
    }
    // Opened while the run window is being created (by INIT), the dialog is
    // shown together with it.
    if (!IsWindowVisible(caller)) return;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
}

}  // namespace kav
