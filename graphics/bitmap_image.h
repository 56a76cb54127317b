// A 32-bit picture laid out as a device-independent bitmap holds it, so the
// Windows side can hand its pixels to GDI as they are.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kav {

// The pixel words are read as bytes blue, green, red, unused by GDI.
static_assert(std::endian::native == std::endian::little);

// One pixel: 0x00RRGGBB, the fourth byte unused.
using Pixel = uint32_t;

constexpr Pixel pixelOf(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }
constexpr uint32_t pixelRed(Pixel p) { return (p >> 16) & 0xFF; }
constexpr uint32_t pixelGreen(Pixel p) { return (p >> 8) & 0xFF; }
constexpr uint32_t pixelBlue(Pixel p) { return p & 0xFF; }

// The most pixels a picture may have (128 MB of pixels): a hostile file or a
// wild size argument must not make the program ask for gigabytes.
constexpr int64_t kMaxImagePixels = int64_t{1} << 25;

// True when a picture of w × h fits the limit; sizes of 0 or below never do.
[[nodiscard]] constexpr bool imageSizeAllowed(int64_t w, int64_t h) {
    return w > 0 && h > 0 && w <= kMaxImagePixels && h <= kMaxImagePixels && w * h <= kMaxImagePixels;
}

// Rows bottom-up, no padding (4 bytes a pixel always fill whole words).
struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Pixel> pixels;

    // Sizes the picture and clears it to black; false (and empty) when the
    // size is not allowed.
    [[nodiscard]] bool allocate(int32_t w, int32_t h) {
        pixels.clear();
        width = height = 0;
        if (!imageSizeAllowed(w, h)) return false;
        pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        width = w;
        height = h;
        return true;
    }

    // (x, y) counted from the top-left corner, as on screen.
    Pixel& at(int32_t x, int32_t y) { return pixels[index(x, y)]; }
    Pixel at(int32_t x, int32_t y) const { return pixels[index(x, y)]; }

    // The picture's bytes, as a 32-bit bottom-up DIB takes them.
    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(pixels.data()); }
    size_t byteSize() const { return pixels.size() * sizeof(Pixel); }

private:
    size_t index(int32_t x, int32_t y) const {
        return static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};

}  // namespace kav
