// MessBox's choices and result, apart from the system call that shows the box.
#pragma once

namespace kav {

// MessBox's button code: 2 OK and Cancel, 3 Yes and No, 4 Yes, No and Cancel,
// anything else OK alone. Values are the system's MB_ button flags.
unsigned messageBoxButtons(int code);

// MessBox's icon code: 1 exclamation, 2 information, 3 question, 4 stop,
// anything else none. Values are the system's MB_ICON flags.
unsigned messageBoxIcon(int code);

// The script's value of the box's answer (the system's ID code): 1 for OK or
// Yes, 0 for No, -1 for Cancel and for a box that could not be shown.
int messageBoxResult(int answer);

}  // namespace kav
