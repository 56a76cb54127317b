// The window classes of script windows (RUN and DLG): the background brush
// from a SetWinColor code and the class registration they share.
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

// Registers a class that redraws on resizing, sees double clicks and shows the
// program's icon (resource 107) and the arrow cursor.
inline bool registerScriptClass(HINSTANCE instance, const char* name, WNDPROC procedure, int colour) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(107));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = backgroundBrush(colour);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace kav
