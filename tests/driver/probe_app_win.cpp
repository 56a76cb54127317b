// kav3drv_probe: a stand-in application for testing the driver. It opens a RUN
// window with a known picture and writes every input message it receives, and
// the result of every message box it shows, to a log file, so a test can see
// exactly what the driver delivered.
//
//   kav3drv_probe.exe LOG [stubborn] [region] [topmost] [controls] [box:KIND]...
//     stubborn   ignore WM_CLOSE (the driver must terminate it)
//     controls   a menu bar and controls (probe_controls_win.cpp), logging their commands
//     pointer    a pane logging the pointer messages it gets, and a static text (probe_pointer_win.cpp)
//     region     give the window an elliptic region; topmost: WS_EX_TOPMOST
//     box:KIND   before the window opens, show a box: ok, okcancel, yesno,
//                yesno2 (No is the default), abort (abort/retry/ignore)
// A right button release shows a yes/no box owned by the window. The window
// ends the process with exit code 7.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/driver/probe_app_win.h"
#include "win32/gdi_win.h"
#include "win32/handle_win.h"

namespace probe {

FILE* logFile = nullptr;

void logLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(logFile, format, args);
    va_end(args);
    std::fputc('\n', logFile);
    std::fflush(logFile);
}

}  // namespace probe

namespace {

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 240;
constexpr int kExitCode = 7;
// "日本語" and "二行目" in Shift-JIS, split by CR LF: the driver must convert and escape it.
constexpr char kBoxText[] = "\x93\xfa\x96\x7b\x8c\xea\r\n\x93\xf1\x8d\x73\x96\xda";

using probe::logLine;
bool stubborn = false;

struct BoxKind {
    const char* name;
    UINT type;
};
constexpr BoxKind kBoxKinds[] = {
    {"ok", MB_OK},         {"okcancel", MB_OKCANCEL},
    {"yesno", MB_YESNO},   {"yesno2", MB_YESNO | MB_DEFBUTTON2},
    {"abort", MB_ABORTRETRYIGNORE},
};

void showBox(HWND owner, const char* kind) {
    for (const BoxKind& k : kBoxKinds) {
        if (std::strcmp(kind, k.name) != 0) continue;
        const int result = MessageBoxA(owner, kBoxText, "probe", k.type);
        logLine("box %s -> %d", kind, result);
    }
}

short x(LPARAM l) { return static_cast<short>(LOWORD(l)); }
short y(LPARAM l) { return static_cast<short>(HIWORD(l)); }

LRESULT logPointer(HWND, UINT, WPARAM w, LPARAM l, const char* name) {
    logLine("%s %u %d %d", name, static_cast<unsigned>(w), x(l), y(l));
    return 0;
}

LRESULT onRightUp(HWND hwnd, UINT m, WPARAM w, LPARAM l, const char* name) {
    logPointer(hwnd, m, w, l, name);
    showBox(hwnd, "yesno");
    return 0;
}

LRESULT onWheel(HWND hwnd, UINT, WPARAM w, LPARAM l, const char* name) {
    // Logged in client coordinates, so the test needs no frame metrics.
    POINT p{x(l), y(l)};
    ScreenToClient(hwnd, &p);
    logLine("%s %d %ld %ld", name, static_cast<short>(HIWORD(w)), p.x, p.y);
    return 0;
}

// A key read while Shift is held says so: the keyboard's state, not the message, tells.
LRESULT logKey(HWND, UINT, WPARAM w, LPARAM l, const char* name) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    logLine("%s %u 0x%08lX%s", name, static_cast<unsigned>(w), static_cast<unsigned long>(l), shift ? " shift" : "");
    return 0;
}

LRESULT logScroll(HWND, UINT, WPARAM w, LPARAM l, const char* name) {
    if (l) {
        probe::logControlScroll(name, w, reinterpret_cast<HWND>(l));
        return 0;
    }
    logLine("%s %u %u %ld", name, LOWORD(w), HIWORD(w), static_cast<long>(l));
    return 0;
}

LRESULT onSysCommand(HWND hwnd, UINT m, WPARAM w, LPARAM l, const char* name) {
    logLine("%s 0x%04X", name, static_cast<unsigned>(w & 0xFFF0));
    return DefWindowProcA(hwnd, m, w, l);
}

LRESULT onClose(HWND hwnd, UINT, WPARAM, LPARAM, const char* name) {
    logLine("%s", name);
    if (!stubborn) DestroyWindow(hwnd);
    return 0;
}

LRESULT onPaint(HWND hwnd, UINT, WPARAM, LPARAM, const char*) {
    // White, a red block at the top left and a blue one in the bottom right
    // corner: a shot shows any offset, flip or swapped channel.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const RECT all{0, 0, kClientWidth, kClientHeight}, red{10, 10, 50, 30},
        blue{kClientWidth - 20, kClientHeight - 10, kClientWidth, kClientHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const kav::GdiObject<HBRUSH> redBrush(CreateSolidBrush(RGB(255, 0, 0)));
    const kav::GdiObject<HBRUSH> blueBrush(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(dc, &red, redBrush.get());
    FillRect(dc, &blue, blueBrush.get());
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT onCommand(HWND hwnd, UINT, WPARAM w, LPARAM l, const char*) {
    return probe::onCommand(hwnd, w, l);
}

LRESULT onDestroy(HWND, UINT, WPARAM, LPARAM, const char*) {
    PostQuitMessage(kExitCode);
    return 0;
}

using Handler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, const char*);
struct Route {
    UINT message;
    Handler handler;
    const char* name;
};
constexpr Route kRoutes[] = {
    {WM_MOUSEMOVE, logPointer, "mousemove"},     {WM_LBUTTONDOWN, logPointer, "lbuttondown"},
    {WM_LBUTTONUP, logPointer, "lbuttonup"},     {WM_LBUTTONDBLCLK, logPointer, "lbuttondblclk"},
    {WM_RBUTTONDOWN, logPointer, "rbuttondown"}, {WM_RBUTTONUP, onRightUp, "rbuttonup"},
    {WM_MOUSEWHEEL, onWheel, "mousewheel"},      {WM_KEYDOWN, logKey, "keydown"},
    {WM_KEYUP, logKey, "keyup"},                 {WM_CHAR, logKey, "char"},
    {WM_HSCROLL, logScroll, "hscroll"},          {WM_VSCROLL, logScroll, "vscroll"},
    {WM_SYSCOMMAND, onSysCommand, "syscommand"}, {WM_CLOSE, onClose, "close"},
    {WM_PAINT, onPaint, "paint"},                {WM_DESTROY, onDestroy, "destroy"},
    {WM_COMMAND, onCommand, "command"},
};

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    for (const Route& r : kRoutes)
        if (r.message == message) return r.handler(hwnd, message, w, l, r.name);
    return DefWindowProcA(hwnd, message, w, l);
}

bool hasFlag(const char* flag) {
    for (int i = 2; i < __argc; ++i)
        if (std::strcmp(__argv[i], flag) == 0) return true;
    return false;
}

HWND openWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "RUN";
    RegisterClassA(&wc);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL;
    const DWORD exStyle = hasFlag("topmost") ? WS_EX_TOPMOST : 0;
    HMENU menu = hasFlag("controls") ? probe::createMenuBar() : nullptr;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, menu != nullptr, exStyle);
    // Top left, away from the pointer Xvfb keeps in the middle of the screen.
    HWND hwnd = CreateWindowExA(exStyle, "RUN", "probe", style, 20, 20, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, menu, instance, nullptr);
    if (menu) probe::addControls(hwnd, instance);
    if (hasFlag("pointer")) probe::addPointerChildren(hwnd, instance);
    // The scroll bar takes client space; size the window again around the client.
    SetScrollRange(hwnd, SB_HORZ, 0, 50, FALSE);
    RECT client;
    GetClientRect(hwnd, &client);
    RECT now;
    GetWindowRect(hwnd, &now);
    SetWindowPos(hwnd, nullptr, 0, 0, now.right - now.left + kClientWidth - client.right,
                 now.bottom - now.top + kClientHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    if (hasFlag("region")) SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, 200, 150), FALSE);
    return hwnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2 || !(probe::logFile = std::fopen(__argv[1], "w"))) return 2;
    stubborn = hasFlag("stubborn");
    for (int i = 2; i < __argc; ++i)
        if (std::strncmp(__argv[i], "box:", 4) == 0) showBox(nullptr, __argv[i] + 4);
    HWND hwnd = openWindow(instance);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    // No TranslateMessage: the log holds what the driver posted and nothing made from it.
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    logLine("exit");
    std::fclose(probe::logFile);
    return static_cast<int>(m.wParam);
}
