// The commands every control type accepts: size, font and keyboard focus.
#include <windows.h>

#include "controls/control_access_win.h"
#include "controls/control_windows_win.h"
#include "engine/engine.h"

namespace kav {

namespace {

void setControlSize(Call& c) {
    ControlEntry* entry = controlArgument(c, 0);
    int32_t r[4];
    if (!entry || !c.integers(1, 4, r)) return;
    SetWindowPos(hwndOf(*entry), HWND_TOP, r[0], r[1], r[2], r[3], SWP_SHOWWINDOW);
}

void setControlFont(Call& c) {
    ControlEntry* entry = controlArgument(c, 0);
    std::string_view literal;
    int32_t v[3];
    if (!entry || !c.string(1, literal) || !c.integers(2, 4, v)) return;
    const std::string face = resolveTextArgument(c.e, literal);
    const int style = v[2] >= 0 && v[2] <= 3 ? v[2] : 0;
    HFONT font = createControlFont(face.c_str(), v[0], v[1], style & 2 ? FW_HEAVY : FW_DONTCARE, style & 1);
    ControlWindows& table = controls(c.e);
    table.replaceFont(static_cast<int>(entry - &table[0]), font, v[0], v[1]);
}

void setControlFocus(Call& c) {
    if (ControlEntry* entry = controlArgument(c, 0); entry && entry->window) giveFocus(hwndOf(*entry));
}

void killControlFocus(Call& c) { giveFocus(static_cast<HWND>(c.window)); }

constexpr CommandEntry kEntries[] = {
    {"SetControlSize", 5, kStatement, setControlSize},
    {"SetControlFont", 5, kStatement, setControlFont},
    {"SetControlFocus", 1, kStatement, setControlFocus},
    {"KillControlFocus", 0, kStatement, killControlFocus},
};

}  // namespace

extern constinit const CommandFamily kControlCommands{kEntries};

}  // namespace kav
