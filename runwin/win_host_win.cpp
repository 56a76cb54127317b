#include "runwin/win_host_win.h"

#include "runwin/subsystems_win.h"

namespace kav {

void WinHost::postClose(WindowRef window) { PostMessageA(hwndOf(window), WM_CLOSE, 0, 0); }

int WinHost::metric(Metric m) {
    switch (m) {
    case Metric::CxBorder: return GetSystemMetrics(SM_CXBORDER);
    case Metric::CyBorder: return GetSystemMetrics(SM_CYBORDER);
    case Metric::CyCaption: return GetSystemMetrics(SM_CYCAPTION);
    case Metric::CyMenu: return GetSystemMetrics(SM_CYMENU);
    case Metric::CyVThumb: return GetSystemMetrics(SM_CYVTHUMB);
    case Metric::CxHThumb: return GetSystemMetrics(SM_CXHTHUMB);
    }
    return 0;
}

void WinHost::outerSize(int, uint32_t style, bool menu, int32_t& w, int32_t& h) {
    RECT r{0, 0, w, h};
    if (!AdjustWindowRectEx(&r, style, menu, 0)) return Host::outerSize(0, style, menu, w, h);
    w = r.right - r.left;
    h = r.bottom - r.top;
}

namespace {

void showWarning(void*, WindowRef owner, const std::string& text, const char* title) {
    MessageBoxA(hwndOf(owner), text.c_str(), title, MB_ICONWARNING);
}

}  // namespace

Interpreter::Interpreter(const char* errorTitle)
    : commands(registryOf(allSubsystems())), reporter(errorTitle, showWarning),
      engine(allSubsystems(), commands, host, reporter) {}

}  // namespace kav
