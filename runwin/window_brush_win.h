// The background brush of a window class from a SetWinColor code.
#pragma once
#include <windows.h>

namespace kav {

// -1 none (the window is not erased), 0 black, 14 grey, 15 light grey, 16 the
// system's button face, every other code white. Stock objects: never deleted.
inline HBRUSH backgroundBrush(int colour) {
    if (colour == -1) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (colour == 0) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (colour == 14) return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    if (colour == 15) return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (colour == 16) return reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

}  // namespace kav
