// The virtual board's window: four lamps the program lights, four switches the
// user clicks, and the last reports received.
#pragma once
#include <windows.h>

#include "win32/gdi_win.h"
#include "usbio/board/board_hub_win.h"

namespace kav::usb {

class BoardWindow {
public:
    // Registers the class and creates the window, not shown yet; nullptr on
    // failure. placeAtCorner: at the bottom right of the screen (for test runs).
    static HWND create(HINSTANCE instance, BoardHub& hub, bool placeAtCorner);

    explicit BoardWindow(BoardHub& hub);
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void paint(HDC dc, const BoardView& v) const;
    void paintHeader(HDC dc, const BoardView& v) const;
    void paintLamps(HDC dc, const BoardView& v) const;
    void paintSwitches(HDC dc, const BoardView& v) const;
    void paintRecord(HDC dc, const BoardView& v) const;
    void onPaint();
    bool onSetCursor(LPARAM lParam);
    LRESULT onSetSwitch(WPARAM n, LPARAM on);

    BoardHub& hub_;
    HWND hwnd_ = nullptr;
    Font title_;
    Font label_;
    Font small_;
    Font log_;
};

}  // namespace kav::usb
