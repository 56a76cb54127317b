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

void ActionPlayer::doMove(const Action& a) {
    mouse_ = {a.a, a.b};
    post(WM_MOUSEMOVE, 0, pointLParam(a.a, a.b));
}

void ActionPlayer::doClick(const Action& a) {
    post(WM_LBUTTONDOWN, MK_LBUTTON, pointLParam(a.a, a.b));
    post(WM_LBUTTONUP, 0, pointLParam(a.a, a.b));
}

void ActionPlayer::doRightClick(const Action& a) {
    post(WM_RBUTTONDOWN, MK_RBUTTON, pointLParam(a.a, a.b));
    post(WM_RBUTTONUP, 0, pointLParam(a.a, a.b));
}

void ActionPlayer::doDoubleClick(const Action& a) {
    // The system turns the second press of a double click into WM_LBUTTONDBLCLK.
    doClick(a);
    post(WM_LBUTTONDBLCLK, MK_LBUTTON, pointLParam(a.a, a.b));
    post(WM_LBUTTONUP, 0, pointLParam(a.a, a.b));
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
