#include "graphics/pixel_effects.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kav {

namespace {

// Scripts rely on this value: the turned pixels are part of their output.
constexpr double kRadiansPerDegree = 0.01745329251994;

constexpr Pixel kColourBits = 0x00FFFFFF;

uint32_t scaled(uint32_t v, int64_t percent) {
    return static_cast<uint32_t>(std::min<int64_t>(255, v * percent / 100));
}

uint32_t threshold(uint32_t v, int32_t t) { return static_cast<int64_t>(v) > t ? 255 : 0; }

}  // namespace

bool scaleBrightness(BitmapImage& image, int32_t percent) {
    if (percent < 0) return false;
    for (Pixel& p : image.pixels) {
        const Pixel colour = pixelOf(scaled(pixelRed(p), percent), scaled(pixelGreen(p), percent),
                                     scaled(pixelBlue(p), percent));
        p = (p & ~kColourBits) | colour;
    }
    return true;
}

void greyScale(BitmapImage& image) {
    for (Pixel& p : image.pixels) {
        const uint32_t g = (213 * pixelRed(p) + 715 * pixelGreen(p) + 72 * pixelBlue(p)) / 1000;
        p = (p & ~kColourBits) | pixelOf(g, g, g);
    }
}

void binarise(BitmapImage& image, Thresholds t) {
    for (Pixel& p : image.pixels) {
        const Pixel colour = pixelOf(threshold(pixelRed(p), t.red), threshold(pixelGreen(p), t.green),
                                     threshold(pixelBlue(p), t.blue));
        p = (p & ~kColourBits) | colour;
    }
}

int32_t squareRadius(const BitmapImage& image) {
    if (image.width != image.height || image.width % 2 == 0 || image.pixels.empty()) return -1;
    return (image.width - 1) / 2;
}

bool rotateSquare(BitmapImage& image, int32_t degrees) {
    const int32_t r = squareRadius(image);
    if (r < 0) return false;
    const std::vector<Pixel> source = image.pixels;
    const double theta = degrees * kRadiansPerDegree;
    const double c = std::cos(theta), s = std::sin(theta);
    const int32_t side = image.width;
    // Offsets are in screen orientation (y downwards); the rows are stored
    // bottom-up, so screen offset dy is row r - dy.
    auto at = [&](int32_t dx, int32_t dy) {
        return static_cast<size_t>(r - dy) * static_cast<size_t>(side) + static_cast<size_t>(r + dx);
    };
    for (int32_t dy = -r; dy <= r; ++dy) {
        for (int32_t dx = -r; dx <= r; ++dx) {
            const double sx = std::trunc(dx * c - dy * s), sy = std::trunc(dx * s + dy * c);
            if (sx < -r || sx > r || sy < -r || sy > r) continue;
            Pixel& p = image.pixels[at(dx, dy)];
            p = (p & ~kColourBits) | (source[at(static_cast<int32_t>(sx), static_cast<int32_t>(sy))] & kColourBits);
        }
    }
    return true;
}

}  // namespace kav
