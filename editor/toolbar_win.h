// The editor's toolbar buttons (class BBtn_class) and their tips (BStr_class).
#pragma once
#include <windows.h>

namespace kav::editor {

// Creates a 22 x 22 button at (x, 4) showing icon `command` and sending
// WM_COMMAND `command` to `parent` when clicked. Hovering over it while
// `editControl` has the focus shows `tip` after a second. At most four buttons
// exist; nullptr past that or on failure.
HWND createToolbarButton(HINSTANCE instance, HWND parent, HWND editControl, int x, int command, const char* tip);

}  // namespace kav::editor
