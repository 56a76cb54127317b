// The probe's "pointer" children: a pane that logs the pointer messages it
// gets and holds the capture while its left button is down (as a push button
// does), and a static text the pointer passes through to the window below.
#include <windows.h>

#include "tests/driver/probe_app_win.h"

namespace probe {

namespace {

constexpr RECT kPane{100, 100, 80, 60};   // left, top, width, height
constexpr RECT kLabel{10, 100, 60, 20};

LRESULT CALLBACK paneProcedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    const char* name = nullptr;
    switch (message) {
    case WM_MOUSEMOVE: name = "mousemove"; break;
    case WM_LBUTTONDOWN: name = "lbuttondown"; SetCapture(hwnd); break;
    case WM_LBUTTONUP: name = "lbuttonup"; ReleaseCapture(); break;
    case WM_LBUTTONDBLCLK: name = "lbuttondblclk"; break;
    case WM_RBUTTONDOWN: name = "rbuttondown"; break;
    case WM_RBUTTONUP: name = "rbuttonup"; break;
    default: return DefWindowProcA(hwnd, message, w, l);
    }
    logLine("pane %s %u %d %d", name, static_cast<unsigned>(w), static_cast<short>(LOWORD(l)),
            static_cast<short>(HIWORD(l)));
    return 0;
}

}  // namespace

void addPointerChildren(HWND window, HINSTANCE instance) {
    // No CS_DBLCLKS: a quick second press stays a press.
    WNDCLASSA wc{};
    wc.lpfnWndProc = paneProcedure;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = "PANE";
    RegisterClassA(&wc);
    CreateWindowExA(0, "PANE", "", WS_CHILD | WS_VISIBLE, kPane.left, kPane.top, kPane.right, kPane.bottom, window,
                    nullptr, instance, nullptr);
    CreateWindowExA(0, "STATIC", "label", WS_CHILD | WS_VISIBLE | SS_LEFT, kLabel.left, kLabel.top, kLabel.right,
                    kLabel.bottom, window, nullptr, instance, nullptr);
}

}  // namespace probe
