#include "runwin/run_window_win.h"

#include "controls/control_windows_win.h"
#include "graphics/screen_table.h"
#include "runwin/timer_schedule.h"
#include "runwin/win_host_win.h"
#include "runwin/window_class_win.h"

namespace kav {

namespace {

constexpr char kClassName[] = "RUN";

}  // namespace

const ScriptWindow::Route<RunWindow> RunWindow::kRoutes[] = {
    {WM_CREATE, &RunWindow::onCreate},
    {WM_SIZE, &RunWindow::onSize},
    {WM_MOVE, &RunWindow::onMove},
    {WM_CLOSE, &RunWindow::onClose},
    {WM_MOUSEWHEEL, &RunWindow::onMouseWheel},
    {WM_HSCROLL, &RunWindow::onScroll},
    {WM_VSCROLL, &RunWindow::onScroll},
    {kTimerTickMessage, &RunWindow::onTimerTick},
    {WM_WINDOWPOSCHANGED, &RunWindow::onShown},
    {WM_DESTROY, &RunWindow::onDestroy},
};

bool RunWindow::registerClass(HINSTANCE instance, const WindowSetup& setup) {
    return registerScriptClass(instance, kClassName, &objectProcedure<RunWindow>, setup.colour);
}

HWND RunWindow::create(Engine& e, HINSTANCE instance, HWND owner, bool endsProgram) {
    std::unique_ptr<RunWindow> w(new RunWindow(e, endsProgram));
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    return CreateWindowExA(0, kClassName, e.setup.caption.c_str(), e.setup.style, e.sys.winL, e.sys.winT, e.sys.winW,
                           e.sys.winH, owner, nullptr, instance, &w);
}

LRESULT RunWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (dispatch(this, kRoutes, message, wParam, lParam, result) || shared(message, wParam, lParam, result))
        return result;
    // Notifications the media and device families asked for.
    bool handled = false;
    e_.eachPart([&](Part& p) {
        handled = handled || p.message(e_, hwnd_, message, wParam, lParam, result);
    });
    return handled ? result : DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT RunWindow::onCreate(UINT, WPARAM, LPARAM) {
    e_.sys.answer = 0;
    const WindowSetup& s = e_.setup;
    if (s.topmost) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The menu bar, the controls, the sub-screens and whatever else CREATE declared.
    e_.eachPart([this](Part& p) { p.windowCreated(e_, hwnd_); });
    if (s.scrollRangeH > 0) SetScrollRange(hwnd_, SB_HORZ, 0, s.scrollRangeH, FALSE);
    if (s.scrollRangeV > 0) SetScrollRange(hwnd_, SB_VERT, 0, s.scrollRangeV, FALSE);
    if (s.shape == 1 || s.shape == 2) {
        HRGN region = s.shape == 1 ? CreateRoundRectRgn(0, 0, e_.sys.winW, e_.sys.winH, s.cornerW, s.cornerH)
                                   : CreateEllipticRgn(0, 0, e_.sys.winW, e_.sys.winH);
        // The window owns the region once it is set.
        if (region && !SetWindowRgn(hwnd_, region, TRUE)) DeleteObject(region);
    }
    // An error in a section run during creation (SIZE) has ended the run already.
    if (e_.run == RunState::Creating) e_.run = RunState::Running;
    event("INIT");
    if (s.timerInterval > 0) timer_.start(hwnd_, s.timerInterval, ++timerGeneration_);
    return 0;
}

LRESULT RunWindow::onSize(UINT, WPARAM, LPARAM lParam) {
    e_.sys.winW = LOWORD(lParam);
    e_.sys.winH = HIWORD(lParam);
    GraphicsState& g = e_.part<GraphicsState>();
    g.width[kMainScreen] = e_.sys.winW;
    g.height[kMainScreen] = e_.sys.winH;
    event("SIZE");
    return 0;
}

LRESULT RunWindow::onMove(UINT, WPARAM, LPARAM) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    e_.sys.winL = r.left;
    e_.sys.winT = r.top;
    event("MOVE");
    return 0;
}

LRESULT RunWindow::onClose(UINT, WPARAM, LPARAM) {
    if (e_.running()) event("CLOSE");
    if (!e_.running()) DestroyWindow(hwnd_);
    return 0;
}

LRESULT RunWindow::onMouseWheel(UINT, WPARAM wParam, LPARAM) {
    e_.sys.mouseWheel = static_cast<int16_t>(HIWORD(wParam)) < 0 ? -1 : 1;
    event("MOUSEWHEEL");
    e_.sys.mouseWheel = 0;
    return 0;
}

// The window's own bars; a scroll-bar control's message goes the shared way.
LRESULT RunWindow::onScroll(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (lParam) return shared(message, wParam, lParam, result), result;
    const int code = LOWORD(wParam);
    if (code != SB_LINEUP && code != SB_LINEDOWN && code != SB_THUMBPOSITION) return 0;
    const bool horizontal = message == WM_HSCROLL;
    int32_t& position = horizontal ? e_.sys.scrollH : e_.sys.scrollV;
    const int32_t range = horizontal ? e_.setup.scrollRangeH : e_.setup.scrollRangeV;
    int32_t next = code == SB_LINEUP ? position - 1 : code == SB_LINEDOWN ? position + 1 : HIWORD(wParam);
    position = next < 0 ? 0 : next > range ? range : next;
    SetScrollPos(hwnd_, horizontal ? SB_HORZ : SB_VERT, position, TRUE);
    event(horizontal ? "HSCROLLBAR" : "VSCROLLBAR");
    return 0;
}

LRESULT RunWindow::onTimerTick(UINT, WPARAM generation, LPARAM) {
    if (generation != timerGeneration_ || e_.run == RunState::Gone) return static_cast<LRESULT>(TickResult::Stop);
    if (!e_.running()) return static_cast<LRESULT>(TickResult::NotRunning);
    event("TIMER");
    return static_cast<LRESULT>(e_.fault.ok() ? TickResult::Continue : TickResult::Failed);
}

LRESULT RunWindow::onShown(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system's handling sends WM_SIZE and WM_MOVE.
    const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
    if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) return result;
    // Shown, the window is active: a control INIT gave the focus to takes it now.
    giveKeptFocus(hwnd_);
    // A dialog opened by INIT waits for this window: shown after it, it stays
    // above the window that owns it.
    if (e_.dialogWindow && !IsWindowVisible(hwndOf(e_.dialogWindow))) {
        ShowWindow(hwndOf(e_.dialogWindow), SW_SHOW);
        UpdateWindow(hwndOf(e_.dialogWindow));
    }
    return result;
}

LRESULT RunWindow::onDestroy(UINT, WPARAM, LPARAM) {
    // Sections still running (nested in a modal box) stop at their next statement.
    e_.run = RunState::Gone;
    e_.runWindow = nullptr;
    forgetKeptFocus(hwnd_);
    timer_.stop();
    Engine& e = e_;
    auto release = [&e] {
        e.eachPart([&e](Part& p) { p.windowDestroyed(e); });
        e.names.clear();
        e.load(std::string());
    };
    if (e_.activeRuns > 0) e_.releaseWhenIdle = release;
    else release();
    if (endsProgram_) PostQuitMessage(0);
    return 0;
}

}  // namespace kav
