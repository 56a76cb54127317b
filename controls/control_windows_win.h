// The windows and fonts of the control table's entries, and the routing of the
// notifications they send to the sections named after them.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "controls/bitmap_buttons_win.h"
#include "controls/control_table.h"
#include "win32/gdi_win.h"

namespace kav {

struct Engine;

// The control table of a run with the controls' windows and fonts: the run
// window's controls are made with it, a dialog's with the dialog, and their
// fonts go when their window does (the windows go with their parent).
class ControlWindows final : public ControlTable {
public:
    void windowCreated(Engine& e, WindowRef window) override;
    void windowDestroyed(Engine& e) override;
    void dialogCreated(Engine& e, WindowRef dialog) override;
    void dialogClosed(Engine& e) override;
    // The text of the first entry of this name when it is a single-line edit.
    bool textArgument(std::string_view name, size_t limit, std::string& out) override;

    // Gives entry i a new font (the old one is deleted) and sends it to the window.
    void replaceFont(int i, HFONT font, int32_t width, int32_t height);

    // The run window's bitmap buttons: their pictures, hover and tip.
    BitmapButtons& buttons() { return buttons_; }

private:
    // Under the run window a multi-line edit takes 65535 bytes; in a dialog
    // the system default stays.
    void createWindows(int from, HWND parent, bool runWindow);
    void createWindow(int i, HWND parent, bool runWindow);
    // Deletes the fonts of entries from..count-1 and forgets those entries.
    void release(int from);

    std::array<Font, kControlMax> fonts_;  // index for index; entry.font mirrors the handle
    BitmapButtons buttons_{*this};
};

ControlWindows& controls(Engine& e);

// The font every control starts with, width and height in logical units.
HFONT createControlFont(const char* face, int32_t width, int32_t height, int weight, bool italic);

// Gives the keyboard focus to w (a control, or a script window itself). A
// window its creation section runs in is not shown yet: focus given there
// would activate it unseen, which Wine then draws with an inactive caption
// once shown. It is kept for the window instead and given when it is shown.
void giveFocus(HWND w);
// The window `top` has just been shown (activated): the focus kept for it goes.
void giveKeptFocus(HWND top);
// The window `top` is going: it forgets the focus kept for it.
void forgetKeptFocus(HWND top);

// WM_COMMAND from a control (identifier 600 or more): runs its section for
// `window` when the notification passes the filter of its type.
void runControlCommand(Engine& e, HWND window, WPARAM wParam);

// WM_HSCROLL/WM_VSCROLL from a scroll-bar control among entries from..count-1:
// steps the stored position and runs the section when it changed.
void runControlScroll(Engine& e, HWND window, WPARAM wParam, LPARAM lParam, int from);

}  // namespace kav
