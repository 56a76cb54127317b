// CopyBMP: one stretching copy between screens, with mirroring by negative
// destination sizes and five raster operations.
#include <optional>

#include "engine/commands.h"
#include "engine/engine.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

DWORD rasterOperation(int32_t mode) {
    switch (mode) {
    case 1: return NOTSRCCOPY;
    case 2: return SRCPAINT;
    case 3: return SRCAND;
    case 4: return SRCINVERT;
    default: return SRCCOPY;
    }
}

HWND windowOf(Engine& e, int32_t scr) {
    return static_cast<HWND>(scr == kDialogScreen ? e.dialogWindow : e.runWindow);
}

void copyBmp(Call& c) {
    int32_t v[11];
    if (!c.integers(0, 10, v)) return;
    const int32_t from = v[0], to = v[5];
    DrawTarget source, target;
    if (!source.screen(c.e, from) || !target.screen(c.e, to)) return;
    HDC src = source.dc();
    int32_t x1 = v[1], y1 = v[2];
    std::optional<DisplayDC> display;
    if (from <= kMainScreen && (x1 < 0 || y1 < 0)) {
        POINT origin{0, 0};
        ClientToScreen(windowOf(c.e, from), &origin);
        // The whole display, for sources left of or above a window's client area.
        display.emplace();
        src = display->get();
        x1 += origin.x;
        y1 += origin.y;
    }
    // A negative size mirrors while the picture keeps covering the same box.
    int32_t x2 = v[6], y2 = v[7];
    const int32_t w2 = v[8], h2 = v[9];
    // In 64 bits: the smallest 32-bit size has no positive counterpart.
    if (w2 < 0) x2 = static_cast<int32_t>(static_cast<uint32_t>(int64_t{x2} - w2 - 1));
    if (h2 < 0) y2 = static_cast<int32_t>(static_cast<uint32_t>(int64_t{y2} - h2 - 1));
    StretchBlt(target.dc(), x2, y2, w2, h2, src, x1, y1, v[3], v[4], rasterOperation(v[10]));
}

constexpr CommandEntry kEntries[] = {
    {"CopyBMP", 11, kStatement, copyBmp},
};

}  // namespace

extern constinit const CommandFamily kCopyCommands{kEntries};

}  // namespace kav
