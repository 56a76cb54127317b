// The run window's bitmap buttons (class BB_class): a picture the script
// draws on, framed raised or pressed; a tip (class BS_class) after the pointer
// has rested on one for a second; WM_COMMAND to the run window when clicked.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "controls/control_table.h"
#include "win32/gdi_win.h"

namespace kav {


// A button's picture: a memory surface of the button's size, light grey at
// first, on which every drawing command draws. The frame covers its outer two
// pixels.
class ButtonFace {
public:
    // The surface for a button of that size; nullptr when it cannot be made.
    static std::unique_ptr<ButtonFace> make(HWND button, int32_t width, int32_t height);
    // Takes over a memory context and the bitmap to select into it.
    ButtonFace(HDC memory, HBITMAP bits, int32_t width, int32_t height)
        : dc_(memory), bitmap_(bits), selected_(memory, bits), width_(width), height_(height) {}

    HDC dc() const { return dc_.get(); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // Draws the frame's eight lines on the picture, then copies the picture to `target`.
    void frame(bool pressed, HDC target);

private:
    // Members go in reverse: the old bitmap back, the bitmap deleted, the context.
    MemoryDC dc_;
    Bitmap bitmap_;
    SelectGuard selected_;
    int32_t width_, height_;
};

// The bitmap buttons of one run: their faces, and the hover and the one tip
// they share.
class BitmapButtons {
public:
    explicit BitmapButtons(ControlTable& table) : table_(table) {}
    BitmapButtons(const BitmapButtons&) = delete;
    BitmapButtons& operator=(const BitmapButtons&) = delete;

    // Entry i's button under the run window, with its face; nullptr when the
    // window cannot be made (the entry keeps no window).
    HWND create(int i, HWND runWindow);
    // Entry i's face, nullptr for a button without one.
    ButtonFace* face(int i) const { return faces_[static_cast<size_t>(i)].get(); }
    // Draws entry i's raised frame at once, without waiting for a repaint.
    void showRaised(int i);
    // Entry i's font is being replaced: a tip drawn with it goes first.
    void fontReplaced(int i);
    // The run window is going: the tip and every face go.
    void release();

private:
    friend class ButtonWindow;

    // The messages of entry i's window `button`. The pointer moved (client coordinates):
    void moved(int i, HWND button, POINT at);
    void hoverTimer(int i, HWND button);
    void pressed(int i, HWND button);
    void released(int i, HWND button);
    void paint(int i, HWND button);
    // The button lost the mouse capture to `to`.
    void captureLost(int i, HWND button, HWND to);
    // The hover ends: the capture goes, the tip closes, the button comes up.
    void leave(int i, HWND button);
    // Closes the tip and stops the button's hover timer.
    void closeTip(HWND button);
    void drawFrame(int i, HWND button, bool pressed);
    // The keyboard focus is on the run window or on one of the script's controls.
    bool focusIsOurs(HWND runWindow) const;

    ControlTable& table_;
    std::array<std::unique_ptr<ButtonFace>, kControlMax> faces_;
    int hovering_ = -1;    // the entry whose button holds the capture while the pointer rests on it
    POINT hoverAt_{};      // the pointer in that button's client coordinates
    HWND tip_ = nullptr;   // the one tip there can be
    int tipButton_ = -1;   // the entry whose text it shows
};

}  // namespace kav
