// ClipBMP and the pixel effects. An effect captures its block into a 32-bit
// picture, lets a portable kernel change it and draws it back; a block with
// no pixels, or more than a picture may have, draws nothing.
#include <optional>

#include "engine/commands.h"
#include "engine/engine.h"
#include "graphics/bitmap_gdi_win.h"
#include "graphics/pixel_effects.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

// In 64 bits, wrapped back as the drawing calls take coordinates.
int32_t offset(int32_t v, int64_t by) { return static_cast<int32_t>(static_cast<uint32_t>(int64_t{v} + by)); }

// The clipboard takes the bitmap over once it accepts it.
void toClipboard(HWND owner, Bitmap bitmap) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    if (SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.release();
    CloseClipboard();
}

void clipBmp(Call& c) {
    int32_t v[5];
    if (!c.integers(0, 4, v)) return;
    DrawTarget screen;
    if (!screen.screen(c.e, v[0]) || !imageSizeAllowed(v[3], v[4])) return;
    HDC source = screen.dc();
    int32_t x = v[1], y = v[2];
    // The windows have no pixels of their own: what the display shows there
    // is taken, overlapping windows included.
    std::optional<DisplayDC> display;
    if (v[0] <= kMainScreen) {
        POINT origin{0, 0};
        ClientToScreen(static_cast<HWND>(v[0] == kDialogScreen ? c.e.dialogWindow : c.e.runWindow), &origin);
        display.emplace();
        source = display->get();
        x = offset(x, origin.x);
        y = offset(y, origin.y);
    }
    if (Bitmap copy = captureDeviceBitmap(source, x, y, v[3], v[4]))
        toClipboard(static_cast<HWND>(c.window), std::move(copy));
}

void shiftBmpColor(Call& c) {
    int32_t v[9];
    if (!c.integers(0, 8, v)) return;
    DrawTarget from, to;
    if (!from.screen(c.e, v[0]) || !to.screen(c.e, v[5])) return;
    BitmapImage image;
    if (v[8] < 0 || !grabImage(from.dc(), v[1], v[2], v[3], v[4], image)) return;
    if (scaleBrightness(image, v[8])) putImage(to.dc(), v[6], v[7], image);
}

// GrayBMPColor and BinariBMPColor: the block changed in place.
template <int Args>
void inPlace(Call& c, void (*effect)(BitmapImage&, const int32_t* v)) {
    int32_t v[Args];
    if (!c.integers(0, Args - 1, v)) return;
    DrawTarget target;
    BitmapImage image;
    if (!target.screen(c.e, v[0]) || !grabImage(target.dc(), v[1], v[2], v[3], v[4], image)) return;
    effect(image, v);
    putImage(target.dc(), v[1], v[2], image);
}

// The sixth argument is evaluated for its errors and has no effect.
void grayBmpColor(Call& c) {
    inPlace<6>(c, [](BitmapImage& image, const int32_t*) { greyScale(image); });
}

// The threshold written first applies to blue, the last to red.
void binariBmpColor(Call& c) {
    inPlace<8>(c, [](BitmapImage& image, const int32_t* v) { binarise(image, {v[5], v[6], v[7]}); });
}

void rotateBmp(Call& c) {
    int32_t v[5];
    if (!c.integers(0, 4, v)) return;
    DrawTarget target;
    if (!target.screen(c.e, v[0]) || v[3] < 0) return;
    const int64_t side = 2 * int64_t{v[3]} + 1;
    if (!imageSizeAllowed(side, side)) return;
    const int32_t x = offset(v[1], -int64_t{v[3]}), y = offset(v[2], -int64_t{v[3]});
    BitmapImage square;
    if (!grabImage(target.dc(), x, y, static_cast<int32_t>(side), static_cast<int32_t>(side), square)) return;
    if (rotateSquare(square, v[4])) putImage(target.dc(), x, y, square);
}

constexpr CommandEntry kEntries[] = {
    {"ClipBMP", 5, kStatement, clipBmp},
    {"ShiftBMPColor", 9, kStatement, shiftBmpColor},
    {"GrayBMPColor", 6, kStatement, grayBmpColor},
    {"BinariBMPColor", 8, kStatement, binariBmpColor},
    {"RotateBMP", 5, kStatement, rotateBmp},
};

}  // namespace

extern constinit const CommandFamily kBitmapEffectCommands{kEntries};

}  // namespace kav
