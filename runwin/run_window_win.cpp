#include "runwin/run_window_win.h"

#include "controls/control_windows_win.h"
#include "controls/menus_win.h"
#include "engine/exec.h"
#include "graphics/screens_win.h"
#include "runwin/timer_schedule.h"
#include "runwin/win_host_win.h"
#include "runwin/window_class_win.h"

namespace kav {

namespace {

constexpr char kClassName[] = "RUN";

struct ButtonEvent {
    UINT message;
    const char* section;
};
constexpr ButtonEvent kButtonEvents[] = {
    {WM_LBUTTONDOWN, "LBUTTONDOWN"},     {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "RBUTTONDOWN"},     {WM_RBUTTONUP, "RBUTTONUP"}, {WM_RBUTTONDBLCLK, "RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "MBUTTONDOWN"},     {WM_MBUTTONUP, "MBUTTONUP"}, {WM_MBUTTONDBLCLK, "MBUTTONDBLCLK"},
};

}  // namespace

const RunWindow::Route RunWindow::kRoutes[] = {
    {WM_CREATE, &RunWindow::onCreate},
    {WM_SIZE, &RunWindow::onSize},
    {WM_MOVE, &RunWindow::onMove},
    {WM_SETFOCUS, &RunWindow::onSetFocus},
    {WM_KILLFOCUS, &RunWindow::onKillFocus},
    {WM_PAINT, &RunWindow::onPaint},
    {WM_CLOSE, &RunWindow::onClose},
    {WM_KEYDOWN, &RunWindow::onKey},
    {WM_KEYUP, &RunWindow::onKey},
    {WM_CHAR, &RunWindow::onChar},
    {WM_MOUSEMOVE, &RunWindow::onMouseMove},
    {WM_LBUTTONDOWN, &RunWindow::onMouseButton},
    {WM_LBUTTONUP, &RunWindow::onMouseButton},
    {WM_LBUTTONDBLCLK, &RunWindow::onMouseButton},
    {WM_RBUTTONDOWN, &RunWindow::onMouseButton},
    {WM_RBUTTONUP, &RunWindow::onMouseButton},
    {WM_RBUTTONDBLCLK, &RunWindow::onMouseButton},
    {WM_MBUTTONDOWN, &RunWindow::onMouseButton},
    {WM_MBUTTONUP, &RunWindow::onMouseButton},
    {WM_MBUTTONDBLCLK, &RunWindow::onMouseButton},
    {WM_MOUSEWHEEL, &RunWindow::onMouseWheel},
    {WM_HSCROLL, &RunWindow::onScroll},
    {WM_VSCROLL, &RunWindow::onScroll},
    {WM_COMMAND, &RunWindow::onCommand},
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
    for (const Route& r : kRoutes)
        if (r.message == message) return (this->*r.handler)(message, wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT RunWindow::onCreate(UINT, WPARAM, LPARAM) {
    e_.eventsEnabled = false;
    resetPalette();
    e_.sys.answer = 0;
    const WindowSetup& s = e_.setup;
    if (s.topmost) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    attachMenuBar(hwnd_);
    createControlWindows(0, hwnd_, true);
    if (s.scrollRangeH > 0) SetScrollRange(hwnd_, SB_HORZ, 0, s.scrollRangeH, FALSE);
    if (s.scrollRangeV > 0) SetScrollRange(hwnd_, SB_VERT, 0, s.scrollRangeV, FALSE);
    makeSubScreens(hwnd_);
    if (s.shape == 1 || s.shape == 2) {
        HRGN region = s.shape == 1 ? CreateRoundRectRgn(0, 0, e_.sys.winW, e_.sys.winH, s.cornerW, s.cornerH)
                                   : CreateEllipticRgn(0, 0, e_.sys.winW, e_.sys.winH);
        // The window owns the region once it is set.
        if (region && !SetWindowRgn(hwnd_, region, TRUE)) DeleteObject(region);
    }
    e_.eventsEnabled = true;
    event("INIT");
    if (s.timerInterval > 0) timer_.start(hwnd_, s.timerInterval, ++timerGeneration_);
    return 0;
}

LRESULT RunWindow::onSize(UINT, WPARAM, LPARAM lParam) {
    e_.sys.winW = LOWORD(lParam);
    e_.sys.winH = HIWORD(lParam);
    setMainScreenSize(e_.sys.winW, e_.sys.winH);
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

LRESULT RunWindow::onSetFocus(UINT, WPARAM, LPARAM) {
    event("SETFOCUS");
    SetFocus(hwnd_);
    return 0;
}

LRESULT RunWindow::onKillFocus(UINT, WPARAM, LPARAM) {
    event("KILLFOCUS");
    return 0;
}

LRESULT RunWindow::onPaint(UINT, WPARAM, LPARAM) {
    // The update region is validated first; the section redraws by commands.
    PAINTSTRUCT ps;
    BeginPaint(hwnd_, &ps);
    EndPaint(hwnd_, &ps);
    event("PAINT");
    return 0;
}

LRESULT RunWindow::onClose(UINT, WPARAM, LPARAM) {
    if (e_.running) event("CLOSE");
    if (!e_.running) DestroyWindow(hwnd_);
    return 0;
}

LRESULT RunWindow::onKey(UINT message, WPARAM wParam, LPARAM) {
    e_.sys.key = static_cast<uint32_t>(wParam);
    event(message == WM_KEYDOWN ? "KEYDOWN" : "KEYUP");
    return 0;
}

LRESULT RunWindow::onChar(UINT, WPARAM wParam, LPARAM) {
    e_.sys.asc = static_cast<uint32_t>(wParam);
    event("CHARDOWN");
    return 0;
}

LRESULT RunWindow::onMouseMove(UINT, WPARAM, LPARAM lParam) {
    if (!e_.fault.ok()) return 0;
    e_.sys.mouseX = LOWORD(lParam);
    e_.sys.mouseY = HIWORD(lParam);
    event("MOUSEMOVE");
    return 0;
}

LRESULT RunWindow::onMouseButton(UINT message, WPARAM, LPARAM) {
    for (const ButtonEvent& b : kButtonEvents)
        if (b.message == message) event(b.section);
    return 0;
}

LRESULT RunWindow::onMouseWheel(UINT, WPARAM wParam, LPARAM) {
    e_.sys.mouseWheel = static_cast<int16_t>(HIWORD(wParam)) < 0 ? -1 : 1;
    event("MOUSEWHEEL");
    e_.sys.mouseWheel = 0;
    return 0;
}

LRESULT RunWindow::onScroll(UINT message, WPARAM wParam, LPARAM lParam) {
    if (lParam) {
        runControlScroll(e_, hwnd_, wParam, lParam, 0);
        return 0;
    }
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

LRESULT RunWindow::onCommand(UINT, WPARAM wParam, LPARAM) {
    // Commands are refused while an error is pending and during creation.
    if (!e_.fault.ok() || !e_.eventsEnabled) return 0;
    // Menu items have identifiers below 600, controls 600 on.
    const int id = LOWORD(wParam);
    if (id < kControlIdBase) runMenuItem(id);
    else runControlCommand(e_, hwnd_, wParam);
    return 0;
}

void RunWindow::runMenuItem(int id) {
    // A copy: the section may end the run, and the next run's CREATE refills the table.
    const std::string section(menuItemSection(id));
    if (!section.empty()) event(section.c_str());
}

LRESULT RunWindow::onTimerTick(UINT, WPARAM generation, LPARAM) {
    if (generation != timerGeneration_ || e_.stopRuns) return static_cast<LRESULT>(TickResult::Stop);
    if (!e_.running) return static_cast<LRESULT>(TickResult::NotRunning);
    event("TIMER");
    return static_cast<LRESULT>(e_.fault.ok() ? TickResult::Continue : TickResult::Failed);
}

LRESULT RunWindow::onShown(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system's handling sends WM_SIZE and WM_MOVE.
    const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
    // A dialog opened by INIT waits for this window: shown after it, it stays
    // above the window that owns it.
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if ((pos->flags & SWP_SHOWWINDOW) && e_.dialogWindow && !IsWindowVisible(hwndOf(e_.dialogWindow))) {
        ShowWindow(hwndOf(e_.dialogWindow), SW_SHOW);
        UpdateWindow(hwndOf(e_.dialogWindow));
    }
    return result;
}

LRESULT RunWindow::onDestroy(UINT, WPARAM, LPARAM) {
    // Sections still running (nested in a modal box) stop at their next statement.
    e_.stopRuns = true;
    e_.runWindow = nullptr;
    timer_.stop();
    Engine& e = e_;
    auto release = [&e] {
        e.host.closeOpenFile();
        e.names.clear();
        releaseSubScreens();
        releaseControls(0);  // the windows go with the run window; their fonts go here
        e.load(std::string());
    };
    if (e_.activeRuns > 0) e_.releaseWhenIdle = release;
    else release();
    if (endsProgram_) PostQuitMessage(0);
    return 0;
}

}  // namespace kav
