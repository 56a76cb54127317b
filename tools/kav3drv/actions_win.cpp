#include "tools/kav3drv/actions_win.h"

#include <cstdio>
#include <string>

#include "tools/kav3drv/app_windows_win.h"
#include "tools/kav3drv/capture_win.h"
#include "usbio/board_protocol.h"
#include "win32/gdi_win.h"
#include "win32/handle_win.h"

namespace kavdrv {

using kav::GdiObject;
using kav::WindowDC;

namespace {

// The longest a `boxes N` action waits for its boxes.
constexpr std::chrono::seconds kBoxWaitLimit{10};
constexpr std::chrono::milliseconds kAfterBoxes{150};

// Keys whose scan code comes with the extended-key prefix on a real keyboard.
constexpr UINT kExtendedKeys[] = {VK_PRIOR, VK_NEXT,   VK_END,   VK_HOME,  VK_LEFT,     VK_UP,
                                  VK_RIGHT, VK_DOWN,   VK_INSERT, VK_DELETE, VK_DIVIDE, VK_NUMLOCK,
                                  VK_RCONTROL, VK_RMENU, VK_LWIN, VK_RWIN,  VK_APPS,    VK_SNAPSHOT};

constexpr LPARAM kRepeatOnce = 1;
constexpr LPARAM kExtendedBit = 1 << 24;
constexpr LPARAM kWasDownBit = 1 << 30;
constexpr LPARAM kReleasingBit = static_cast<LPARAM>(1u << 31);

bool isExtendedKey(UINT vk) {
    for (UINT extended : kExtendedKeys)
        if (extended == vk) return true;
    return false;
}

LPARAM keyLParam(UINT vk) {
    LPARAM lParam = kRepeatOnce | static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    return isExtendedKey(vk) ? lParam | kExtendedBit : lParam;
}

INPUT keyboardInput(UINT vk, bool release) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

LPARAM pointLParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

std::string scrollRange(HWND window, LONG style, LONG styleBit, int bar) {
    if (!(style & styleBit)) return "none";
    // Wine keeps a window's own scroll bars in the owning process and answers
    // other processes with failure (GetScrollRange would claim 0-0): say so.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    if (!GetScrollInfo(window, bar, &info)) return "?";
    return std::to_string(info.nMin) + "-" + std::to_string(info.nMax);
}

const char* regionKind(HWND window) {
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    switch (region ? GetWindowRgn(window, region.get()) : ERROR) {
    case SIMPLEREGION:
    case NULLREGION:  // a window clipped to nothing still has a region: an empty rectangle
        return "simple";
    case COMPLEXREGION:
        return "complex";
    default:
        return "none";
    }
}

// Drags move in this many steps, each given time to arrive; a press waits
// for the capture it may take.
constexpr int kDragSteps = 4;
constexpr auto kDragStepTime = std::chrono::milliseconds(60);
constexpr auto kCaptureWait = std::chrono::milliseconds(400);
constexpr UINT kHitTestMs = 200;

// The window holding the mouse capture in w's thread, if any.
HWND captureOf(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

bool sameProcess(HWND a, HWND b) {
    DWORD pa = 0, pb = 0;
    GetWindowThreadProcessId(a, &pa);
    GetWindowThreadProcessId(b, &pb);
    return pa == pb;
}

// A static text or a group box lets the pointer through to what lies below.
bool seeThrough(HWND w, POINT screen) {
    DWORD_PTR hit = 0;
    return SendMessageTimeoutA(w, WM_NCHITTEST, 0, pointLParam(screen.x, screen.y), SMTO_ABORTIFHUNG, kHitTestMs,
                               &hit) &&
           static_cast<LRESULT>(hit) == HTTRANSPARENT;
}

// The deepest visible and enabled child of `parent` under the screen point,
// the top one first, as the system finds the window a pointer message is for.
HWND childUnder(HWND parent, POINT screen) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        RECT r{};
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED) || !GetWindowRect(child, &r) || !PtInRect(&r, screen))
            continue;
        if (!seeThrough(child, screen)) return childUnder(child, screen);
    }
    return parent;
}

std::string className(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

const ActionPlayer::Route ActionPlayer::kRoutes[] = {
    {ActionKind::Move, &ActionPlayer::doMove},
    {ActionKind::Click, &ActionPlayer::doClick},
    {ActionKind::RightClick, &ActionPlayer::doRightClick},
    {ActionKind::DoubleClick, &ActionPlayer::doDoubleClick},
    {ActionKind::Wheel, &ActionPlayer::doWheel},
    {ActionKind::Key, &ActionPlayer::doKey},
    {ActionKind::Press, &ActionPlayer::doPress},
    {ActionKind::Char, &ActionPlayer::doChar},
    {ActionKind::Close, &ActionPlayer::doClose},
    {ActionKind::Wait, &ActionPlayer::doWait},
    {ActionKind::Boxes, &ActionPlayer::doBoxes},
    {ActionKind::Shot, &ActionPlayer::doShot},
    {ActionKind::HScroll, &ActionPlayer::doScroll},
    {ActionKind::VScroll, &ActionPlayer::doScroll},
    {ActionKind::Info, &ActionPlayer::doInfo},
    {ActionKind::Pixel, &ActionPlayer::doPixel},
    {ActionKind::Window, &ActionPlayer::doWindow},
    {ActionKind::Menu, &ActionPlayer::doMenu},
    {ActionKind::MenuState, &ActionPlayer::doMenuState},
    {ActionKind::Button, &ActionPlayer::doButton},
    {ActionKind::Type, &ActionPlayer::doType},
    {ActionKind::SetText, &ActionPlayer::doSetText},
    {ActionKind::Text, &ActionPlayer::doText},
    {ActionKind::Focus, &ActionPlayer::doFocus},
    {ActionKind::Pick, &ActionPlayer::doPick},
    {ActionKind::Down, &ActionPlayer::doDown},
    {ActionKind::Up, &ActionPlayer::doUp},
    {ActionKind::Drag, &ActionPlayer::doDrag},
    {ActionKind::Switch, &ActionPlayer::doSwitch},
    {ActionKind::Clipboard, &ActionPlayer::doClipboard},
    {ActionKind::ScrollPos, &ActionPlayer::doScrollPos},
};

ActionPlayer::ActionPlayer(const std::vector<Action>& actions, const std::string& windowClass, const Output& out)
    : actions_(actions), out_(out) {
    target_.className = windowClass;
}

bool ActionPlayer::addressWindow(DWORD processId) {
    if (window_ && IsWindow(window_)) return Clock::now() >= windowSeen_;
    window_ = findVisibleWindow(processId, target_.className.c_str(), target_.title, target_.anyTitle);
    if (!window_) return false;
    out_.note("addressing " + describeWindow(window_));
    // The session has seen the first window painted; a window named by a
    // `window` action may be new, and Wine shows a new window black until its
    // first paint reaches the X server.
    if (!settleNext_) return true;
    settleNext_ = false;
    windowSeen_ = Clock::now() + std::chrono::milliseconds(GetUpdateRect(window_, nullptr, FALSE) ? 300 : 100);
    return false;
}

void ActionPlayer::step(DWORD processId, size_t boxesDone) {
    if (finished() || Clock::now() < resumeAt_) return;
    if (dragNext_ < drag_.size()) {
        if (addressWindow(processId)) playDragStep();
        return;
    }
    if (actions_[next_].kind == ActionKind::Boxes && !boxesArrived(boxesDone)) return;
    // A wait, a change of window or a board switch needs no window: the last one may be gone.
    const ActionKind kind = actions_[next_].kind;
    const bool needsWindow = kind != ActionKind::Window && kind != ActionKind::Wait && kind != ActionKind::Boxes &&
                             kind != ActionKind::Switch;
    if (needsWindow && !addressWindow(processId)) return;
    const Action& action = actions_[next_++];
    for (const Route& r : kRoutes)
        if (r.kind == action.kind) (this->*r.handler)(action);
    out_.note("action " + std::to_string(next_) + " (" + actionName(action.kind) + ") done");
}

void ActionPlayer::post(UINT message, WPARAM wParam, LPARAM lParam) const {
    postTo(window_, message, wParam, lParam);
}

void ActionPlayer::postTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!PostMessageA(hwnd, message, wParam, lParam)) {
        const DWORD error = GetLastError();
        out_.note("posting message " + hex32(message) + " failed: error " + std::to_string(error));
    }
}

HWND ActionPlayer::mouseTarget(POINT at, POINT& local) const {
    POINT screen = at;
    ClientToScreen(window_, &screen);
    HWND target = captureOf(window_);
    if (!target) {
        // Another window of the app may lie over the addressed one (a dialog);
        // a point outside all of them goes to the addressed window, as before.
        HWND top = GetAncestor(WindowFromPoint(screen), GA_ROOT);
        target = childUnder(top && sameProcess(top, window_) ? top : window_, screen);
    }
    local = screen;
    ScreenToClient(target, &local);
    return target;
}

void ActionPlayer::postMouse(UINT message, WPARAM keys, POINT at) const {
    POINT local;
    HWND target = mouseTarget(at, local);
    postTo(target, message, keys, pointLParam(local.x, local.y));
}

void ActionPlayer::doMove(const Action& a) {
    mouse_ = {a.a, a.b};
    postMouse(WM_MOUSEMOVE, 0, mouse_);
}

void ActionPlayer::doClick(const Action& a) {
    POINT local;
    HWND target = mouseTarget({a.a, a.b}, local);
    postTo(target, WM_LBUTTONDOWN, MK_LBUTTON, pointLParam(local.x, local.y));
    postTo(target, WM_LBUTTONUP, 0, pointLParam(local.x, local.y));
}

void ActionPlayer::doRightClick(const Action& a) {
    POINT local;
    HWND target = mouseTarget({a.a, a.b}, local);
    postTo(target, WM_RBUTTONDOWN, MK_RBUTTON, pointLParam(local.x, local.y));
    postTo(target, WM_RBUTTONUP, 0, pointLParam(local.x, local.y));
}

void ActionPlayer::doDoubleClick(const Action& a) {
    POINT local;
    HWND target = mouseTarget({a.a, a.b}, local);
    const LPARAM at = pointLParam(local.x, local.y);
    postTo(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    postTo(target, WM_LBUTTONUP, 0, at);
    // The system makes the second press a WM_LBUTTONDBLCLK only for a window
    // whose class asks for double clicks.
    const bool asks = (GetClassLongPtrA(target, GCL_STYLE) & CS_DBLCLKS) != 0;
    postTo(target, asks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
    postTo(target, WM_LBUTTONUP, 0, at);
}

void ActionPlayer::doDown(const Action& a) {
    postMouse(WM_LBUTTONDOWN, MK_LBUTTON, {a.a, a.b});
}

void ActionPlayer::doUp(const Action& a) {
    postMouse(WM_LBUTTONUP, 0, {a.a, a.b});
}

// To the start, press, a few steps on the way, release at the end. Each
// message goes where the app's capture says when its turn comes, so the app
// gets time for the one before: a press may take the capture, a step may give
// it back.
void ActionPlayer::doDrag(const Action& a) {
    const POINT from{a.a, a.b}, to{a.c, a.d};
    drag_.clear();
    drag_.push_back({WM_MOUSEMOVE, 0, from});
    drag_.push_back({WM_LBUTTONDOWN, MK_LBUTTON, from});
    for (int k = 1; k <= kDragSteps; ++k)
        drag_.push_back({WM_MOUSEMOVE, MK_LBUTTON,
                         {from.x + (to.x - from.x) * k / kDragSteps, from.y + (to.y - from.y) * k / kDragSteps}});
    drag_.push_back({WM_LBUTTONUP, 0, to});
    dragNext_ = 0;
    playDragStep();
}

void ActionPlayer::playDragStep() {
    // A press is given until the app takes the capture, or a while if it takes none.
    if (dragNext_ > 0 && drag_[dragNext_ - 1].message == WM_LBUTTONDOWN && !captureOf(window_) &&
        Clock::now() < captureWait_)
        return;
    const MouseStep& s = drag_[dragNext_++];
    postMouse(s.message, s.keys, s.at);
    resumeAt_ = Clock::now() + kDragStepTime;
    captureWait_ = Clock::now() + kCaptureWait;
}

void ActionPlayer::doWheel(const Action& a) {
    // Unlike the other mouse messages, the wheel carries screen coordinates.
    POINT screen = mouse_;
    ClientToScreen(window_, &screen);
    const WPARAM delta = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(a.a * WHEEL_DELTA)));
    post(WM_MOUSEWHEEL, delta, pointLParam(screen.x, screen.y));
}

void ActionPlayer::doKey(const Action& a) {
    const UINT vk = static_cast<UINT>(a.a);
    post(WM_KEYDOWN, vk, keyLParam(vk));
    post(WM_KEYUP, vk, keyLParam(vk) | kWasDownBit | kReleasingBit);
}

void ActionPlayer::doPress(const Action& a) {
    // The keyboard's own way in: the system queues the key to the window with
    // the focus in the foreground, keeps the held key's state for GetKeyState,
    // and the app's loop translates the press into its characters.
    INPUT keys[4];
    UINT n = 0;
    if (a.b) keys[n++] = keyboardInput(static_cast<UINT>(a.b), false);
    keys[n++] = keyboardInput(static_cast<UINT>(a.a), false);
    keys[n++] = keyboardInput(static_cast<UINT>(a.a), true);
    if (a.b) keys[n++] = keyboardInput(static_cast<UINT>(a.b), true);
    if (SendInput(n, keys, sizeof keys[0]) != n) fail(a, "the keyboard input was refused");
}

void ActionPlayer::doChar(const Action& a) {
    // An ANSI window gets a double-byte character as two WM_CHARs, lead byte first.
    const unsigned code = static_cast<unsigned>(a.a);
    if (code > 0xFF) post(WM_CHAR, code >> 8, kRepeatOnce);
    post(WM_CHAR, code & 0xFF, kRepeatOnce);
}

void ActionPlayer::doClose(const Action&) {
    post(WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool ActionPlayer::boxesArrived(size_t boxesDone) {
    const Action& a = actions_[next_];
    if (!boxWaitStarted_) boxWaitStarted_ = Clock::now();
    if (boxesDone >= static_cast<size_t>(a.a)) return boxWaitStarted_.reset(), true;
    if (Clock::now() - *boxWaitStarted_ < kBoxWaitLimit) return false;
    boxWaitStarted_.reset();
    fail(a, "only " + std::to_string(boxesDone) + " boxes came and went");
    return true;
}

// The app finishes what it does after its last box or dialog returned.
void ActionPlayer::doBoxes(const Action&) { resumeAt_ = Clock::now() + kAfterBoxes; }

void ActionPlayer::doWait(const Action& a) {
    resumeAt_ = Clock::now() + std::chrono::milliseconds(a.a);
}

void ActionPlayer::doShot(const Action& a) {
    takeShot(window_, a.text, out_);
}

void ActionPlayer::doScroll(const Action& a) {
    const UINT message = a.kind == ActionKind::HScroll ? WM_HSCROLL : WM_VSCROLL;
    const WPARAM codeAndPosition = MAKEWPARAM(static_cast<WORD>(a.a), static_cast<WORD>(a.b));
    if (a.c < 0) {
        post(message, codeAndPosition, 0);
        return;
    }
    // A scroll-bar control reports to its parent, naming itself in lParam.
    if (HWND bar = control(a, a.c)) postTo(GetParent(bar), message, codeAndPosition, reinterpret_cast<LPARAM>(bar));
}

void ActionPlayer::doInfo(const Action&) {
    out_.line("info: " + describeWindow(window_));
}

// The colour the user sees at a client point, read from the screen.
void ActionPlayer::doPixel(const Action& a) {
    POINT p{a.a, a.b};
    ClientToScreen(window_, &p);
    WindowDC screen(nullptr);
    const COLORREF c = GetPixel(screen.get(), p.x, p.y);
    char rgb[8];
    snprintf(rgb, sizeof rgb, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    out_.line("pixel: " + std::to_string(a.a) + "," + std::to_string(a.b) + " " + rgb);
}

// The board's window sets the switch before it answers, so the app's next
// exchange reads the new position.
void ActionPlayer::doSwitch(const Action& a) {
    const HWND board = FindWindowA(kav::usb::kBoardWindowClass, nullptr);
    DWORD_PTR done = 0;
    if (!board) return fail(a, "no virtual board");
    if (!sendWithTimeout(board, kav::usb::kBoardSetSwitchMessage, static_cast<WPARAM>(a.a), a.b, done) || done != 1)
        fail(a, "the virtual board did not take it");
}

void takeShot(HWND window, const std::string& file, const Output& out) {
    RgbImage image;
    if (!captureClient(window, image)) {
        out.note("no picture of the client area for " + ansiToUtf8(file));
        return;
    }
    if (!savePicture(windowsPath(file), image)) {
        const DWORD error = GetLastError();
        out.note("cannot write " + ansiToUtf8(file) + ": error " + std::to_string(error));
        return;
    }
    out.line("shot: " + ansiToUtf8(file));
}

std::string describeWindow(HWND window) {
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    return "class=" + className(window) + " caption=" + escapeLineBreaks(cp932ToUtf8(windowTextRaw(window))) +
           " window=" + std::to_string(frame.left) + "," + std::to_string(frame.top) + "," +
           std::to_string(frame.right - frame.left) + "," + std::to_string(frame.bottom - frame.top) +
           " client=" + std::to_string(client.right) + "," + std::to_string(client.bottom) +
           " style=" + hex32(static_cast<DWORD>(style)) + " exstyle=" + hex32(static_cast<DWORD>(exStyle)) +
           " topmost=" + ((exStyle & WS_EX_TOPMOST) ? "1" : "0") +
           " hscroll=" + scrollRange(window, style, WS_HSCROLL, SB_HORZ) +
           " vscroll=" + scrollRange(window, style, WS_VSCROLL, SB_VERT) + " region=" + regionKind(window);
}

}  // namespace kavdrv
