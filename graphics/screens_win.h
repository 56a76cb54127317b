// The screens on Windows: sub-screen bitmaps, the drawing context of a screen
// number, and the pen and brush of a drawing command.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "graphics/gdi_win.h"

namespace kav {

struct Engine;

// Run window creation: the palette back to its defaults.
void resetPalette();
// Run window creation: a bitmap for every declared sub-screen (one that cannot
// be made stays undeclared as far as drawing goes: code 14).
void makeSubScreens(HWND window);
// Run window destruction: every sub-screen bitmap and context deleted.
void releaseSubScreens();
// The run window's client size, at every size event.
void setMainScreenSize(int32_t w, int32_t h);
// A new run: the last run's sub-screens, their sizes and the font setting gone.
void forgetGraphics();

// The memory context of sub-screen 1..8, nullptr when it has none.
HDC subScreenDC(int32_t scr);

// The drawing context of a screen number for one command; a window's context
// goes back to its window when this ends, a sub-screen's stays.
class ScreenDC {
public:
    ScreenDC() = default;
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    // Checks the screen number (codes 16 and 14, set on e) and takes its context.
    [[nodiscard]] bool acquire(Engine& e, int32_t scr);
    HDC get() const { return dc_; }

private:
    std::optional<WindowDC> window_;
    HDC dc_ = nullptr;
};

// A screen's context with a pen and brush made from colour indices selected
// into it; both go back out and are deleted when this ends.
class PenBrush {
public:
    PenBrush() = default;
    PenBrush(const PenBrush&) = delete;
    PenBrush& operator=(const PenBrush&) = delete;

    // Colour checks (code 1), then the screen checks; nothing is selected on failure.
    [[nodiscard]] bool select(Engine& e, int32_t scr, int32_t oc, int32_t ic);
    HDC dc() const { return screen_.get(); }

private:
    // Declared in release order reversed: guards first out, the context last.
    ScreenDC screen_;
    Pen pen_;
    Brush brush_;
    std::optional<SelectGuard> penSelected_, brushSelected_;
};

// The size of a screen that passed the checks: the dialog's client area for -1,
// the screen table for the others.
void screenSize(Engine& e, int32_t scr, int32_t& w, int32_t& h);

}  // namespace kav
