// The pixel effects of the bitmap commands, over a picture captured from a
// screen; the commands copy the result back.
#pragma once
#include <cstdint>

#include "graphics/bitmap_image.h"

namespace kav {

// Brightness: each colour byte v becomes min(255, v × percent / 100),
// truncated. A negative percent has no sensible picture: false, and the
// picture is left as it was.
[[nodiscard]] bool scaleBrightness(BitmapImage& image, int32_t percent);

// Grey: blue, green and red all become (213 × red + 715 × green + 72 × blue) / 1000.
void greyScale(BitmapImage& image);

// The threshold each component is compared with.
struct Thresholds {
    int32_t blue, green, red;
};

// Black and white per component: 255 above its threshold, else 0.
void binarise(BitmapImage& image, Thresholds t);

// The radius of a square picture of side 2r + 1; -1 for any other shape.
int32_t squareRadius(const BitmapImage& image);

// Turns a square picture (side 2r + 1, see squareRadius) counter-clockwise on
// screen by `degrees` about its centre pixel. Each pixel takes the colour of
// the pixel its offset turned by the angle lands on, truncated toward the
// centre; a pixel whose source lies outside the square keeps its colour.
// False, and nothing changes, when the picture is not such a square.
[[nodiscard]] bool rotateSquare(BitmapImage& image, int32_t degrees);

}  // namespace kav
