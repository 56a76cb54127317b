// The window setup of the CREATE phase and the size adjustment after it.
#pragma once

namespace kav {

struct Engine;

// Grows the declared size by what the menu bar, a missing caption and the
// scroll bars take, so that the client area is what SetWinSize asked for.
void adjustWindowSize(Engine& e);

// The window style of a SetWinStyle code (codes outside 1..4 count as 0).
unsigned styleOfCode(int code);

}  // namespace kav
