// What the runtime, the virtual board and the test driver agree on.
#pragma once

namespace kav::usb {

// The virtual board serves reports as pipe messages: one output report in,
// one input report back, each kReportBytes long.
inline constexpr char kBoardPipeName[] = "\\\\.\\pipe\\Kav3Board";
// The board's main window; the driver finds it by this class.
inline constexpr char kBoardWindowClass[] = "Kav3Board";
// Sent to the board's window: wParam the input number, lParam 0 or 1. Answers 1
// when the switch was set. (WM_APP + 1; no <windows.h> in this header.)
inline constexpr unsigned kBoardSetSwitchMessage = 0x8000 + 1;

}  // namespace kav::usb
