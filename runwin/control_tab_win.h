// Tab and Shift+Tab among the controls of the run window and of the dialog,
// as in the system's dialogs. The message loops of the runtime and of the
// editor call it for every message before translating it.
#pragma once
#include <windows.h>

namespace kav {

// True when m was a Tab key press in a control of a script's window and the
// focus moved to the next control with a tab stop (the previous one with
// Shift held): the message is then done. Multi-line edits keep their Tab for
// a tab character, and keys pressed while the window itself has the focus
// are left to its KEYDOWN and CHARDOWN.
[[nodiscard]] bool tabBetweenControls(const MSG& m);

}  // namespace kav
