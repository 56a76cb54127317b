// Run-time forms of SetWinSize, SetWinPos and SetCaption: they act on the window
// whose section runs (the run window, or the dialog inside a dialog's sections).
#include "engine/commands.h"
#include "engine/engine.h"
#include "runwin/win_host_win.h"

namespace kav {

namespace {

void setWinSize(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    HWND w = hwndOf(c.window);
    // The frame the window really has; its scroll bars, if any, take their
    // room from the client area.
    const auto style = static_cast<uint32_t>(GetWindowLongPtrA(w, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL);
    int32_t width = v[0], height = v[1];
    c.e.host.outerSize(c.e.setup.styleCode, style, GetMenu(w) != nullptr, width, height);
    SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

void setWinPos(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    SetWindowPos(hwndOf(c.window), v[2] == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, v[0], v[1], 0, 0, SWP_NOSIZE);
}

void setCaption(Call& c) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    std::string caption = resolveTextArgument(c.e, literal, 512);
    if (caption.size() > 512) caption.resize(512);
    SetWindowTextA(hwndOf(c.window), caption.c_str());
}

constexpr CommandEntry kEntries[] = {
    {"SetWinSize", 2, kStatement, setWinSize},
    {"SetWinPos", 3, kStatement, setWinPos},
    {"SetCaption", 1, kStatement, setCaption},
};

}  // namespace

extern constinit const CommandFamily kWindowCommands{kEntries};

}  // namespace kav
