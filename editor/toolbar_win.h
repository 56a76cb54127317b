// The editor's toolbar buttons (class BBtn_class) and their tips (BStr_class).
#pragma once
#include <windows.h>

namespace kav::editor {

// Creates a 22 x 22 button at (x, 4) showing icon `command` and sending
// WM_COMMAND `command` to `parent` when clicked. Hovering over it while
// `editControl` has the focus shows `tip` in `tipFont` (which outlives the
// button) after a second. nullptr on failure.
HWND createToolbarButton(HINSTANCE instance, HWND parent, HWND editControl, int x, int command, const char* tip,
                         HFONT tipFont);

}  // namespace kav::editor
