#include "runwin/dialog_window_win.h"

#include "controls/control_table.h"
#include "controls/control_windows_win.h"
#include "engine/dialog_setup.h"
#include "runwin/script_window_win.h"
#include "runwin/win_host_win.h"
#include "runwin/window_class_win.h"
#include "win32/window_object_win.h"

namespace kav {

namespace {

constexpr char kClassName[] = "DLG";
constexpr UINT_PTR kDialogTimerId = 2;

class DialogWindow final : ScriptWindow {
public:
    explicit DialogWindow(Engine& e) : ScriptWindow(e, EventSource::Dialog) {}

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) {
        hwnd_ = hwnd;
        e_.dialogWindow = hwnd;
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onCreate(UINT, WPARAM, LPARAM);
    LRESULT onSize(UINT, WPARAM, LPARAM);
    LRESULT onMove(UINT, WPARAM, LPARAM);
    LRESULT onClose(UINT, WPARAM, LPARAM);
    LRESULT onTimer(UINT, WPARAM, LPARAM);
    LRESULT onShown(UINT, WPARAM, LPARAM);
    LRESULT onDestroy(UINT, WPARAM, LPARAM);

    static const Route<DialogWindow> kRoutes[];
};

const ScriptWindow::Route<DialogWindow> DialogWindow::kRoutes[] = {
    {WM_CREATE, &DialogWindow::onCreate}, {WM_SIZE, &DialogWindow::onSize},   {WM_MOVE, &DialogWindow::onMove},
    {WM_CLOSE, &DialogWindow::onClose},   {WM_TIMER, &DialogWindow::onTimer}, {WM_DESTROY, &DialogWindow::onDestroy},
    {WM_WINDOWPOSCHANGED, &DialogWindow::onShown},
};

LRESULT DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (dispatch(this, kRoutes, message, wParam, lParam, result) || shared(message, wParam, lParam, result))
        return result;
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT DialogWindow::onCreate(UINT, WPARAM, LPARAM) {
    const DialogSetup& d = e_.dialog;
    if (d.timerInterval != 0) SetTimer(hwnd_, kDialogTimerId, static_cast<UINT>(d.timerInterval), nullptr);
    if (d.topmost) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    e_.eachPart([this](Part& p) { p.dialogCreated(e_, hwnd_); });
    if (e_.dialogState == DialogState::Creating) e_.dialogState = DialogState::Open;
    event("INIT");
    return 0;
}

LRESULT DialogWindow::onSize(UINT, WPARAM, LPARAM lParam) {
    e_.dialog.width = LOWORD(lParam);
    e_.dialog.height = HIWORD(lParam);
    event("SIZE");
    return 0;
}

LRESULT DialogWindow::onMove(UINT, WPARAM, LPARAM lParam) {
    e_.dialog.x = static_cast<int16_t>(LOWORD(lParam));
    e_.dialog.y = static_cast<int16_t>(HIWORD(lParam));
    event("MOVE");
    return 0;
}

LRESULT DialogWindow::onClose(UINT, WPARAM, LPARAM) {
    // After an error the program is ending: the dialog goes without its CLOSE.
    if (e_.dialogOpen() && e_.running()) event("CLOSE");
    if (!e_.dialogOpen() || !e_.running()) DestroyWindow(hwnd_);
    return 0;
}

LRESULT DialogWindow::onTimer(UINT, WPARAM wParam, LPARAM) {
    if (wParam == kDialogTimerId && e_.fault.ok()) event("TIMER");
    return 0;
}

LRESULT DialogWindow::onShown(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system's handling sends WM_SIZE and WM_MOVE.
    const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
    // Shown, the dialog is active: a control its INIT gave the focus to takes it now.
    if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) giveKeptFocus(hwnd_);
    return result;
}

LRESULT DialogWindow::onDestroy(UINT, WPARAM, LPARAM) {
    forgetKeptFocus(hwnd_);
    e_.dialogState = DialogState::Closed;
    KillTimer(hwnd_, kDialogTimerId);
    e_.dialog.timerInterval = 0;
    e_.eachPart([this](Part& p) { p.dialogClosed(e_); });
    e_.dialogWindow = nullptr;
    // An error in the dialog ends the program: the run window follows.
    if (!e_.running() && e_.runWindow) PostMessageA(hwndOf(e_.runWindow), WM_CLOSE, 0, 0);
    return 0;
}

// The dialog never opened: what its creation section declared goes.
void abandon(Engine& e) {
    e.eachPart([&e](Part& p) { p.dialogClosed(e); });
    e.dialogState = DialogState::Closed;
}

}  // namespace

void openDialog(Engine& e, HWND caller, std::string id) {
    if (e.dialogOpen()) return;
    e.dialog = defaultDialog(e, std::move(id), static_cast<size_t>(e.part<ControlTable>().count()));
    e.dialogState = DialogState::Creating;
    const DialogSetup& d = e.dialog;
    Fault& f = e.fault;
    const int32_t brace = e.compiled().section(d.id + "CREATE", f);
    if (f.status == static_cast<uint8_t>(Status::NoSection)) f.clear();
    else if (f.ok()) executeSection(e, caller, brace, kDialogCreate);
    // The caller reports an error of the creation section.
    if (!f.ok()) return abandon(e);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(kClassName, instance);
    registerScriptClass(instance, kClassName, &objectProcedure<DialogWindow>, d.colour);
    auto w = std::make_unique<DialogWindow>(e);
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    HWND hwnd = CreateWindowExA(0, kClassName, d.caption.c_str(), d.style, d.x, d.y, d.width, d.height, caller,
                                nullptr, instance, &w);
    if (!hwnd) {
        abandon(e);
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
