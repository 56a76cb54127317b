// The windows and fonts of the control table's entries, and the routing of the
// notifications they send to the sections named after them.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "controls/control_table.h"

namespace kav {

struct Engine;

// Creates the windows of entries from..count-1 as children of parent. Under the
// run window a multi-line edit takes 65535 bytes; in a dialog the system default stays.
void createControlWindows(int from, HWND parent, bool runWindow);

// Gives entry i a new font (the old one is deleted) and sends it to the window.
void replaceControlFont(int i, HFONT font, int32_t width, int32_t height);

// The font every control starts with, width and height in logical units.
HFONT createControlFont(const char* face, int32_t width, int32_t height, int weight, bool italic);

// Deletes the fonts of entries from..count-1 and forgets those entries (their
// windows go with their parent).
void releaseControls(int from);

// The text of the first entry of this name when it is a single-line edit.
bool singleLineEditText(std::string_view name, size_t limit, std::string& out);

// WM_COMMAND from a control (identifier 600 or more): runs its section for
// `window` when the notification passes the filter of its type.
void runControlCommand(Engine& e, HWND window, WPARAM wParam);

// WM_HSCROLL/WM_VSCROLL from a scroll-bar control among entries from..count-1:
// steps the stored position and runs the section when it changed.
void runControlScroll(Engine& e, HWND window, WPARAM wParam, LPARAM lParam, int from);

}  // namespace kav
