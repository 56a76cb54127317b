#include "media/camera_pattern.h"

#include <cstring>

namespace kav::camera {

namespace {

// The colour at (x, y) of frame n.
uint32_t colourAt(int32_t width, int32_t height, uint64_t frame, int32_t x, int32_t y) {
    const int32_t left = markerLeft(width, frame);
    if (y >= height - 24 && y < height - 24 + kMarkerSize && x >= left && x < left + kMarkerSize) return kMarkerColour;
    const auto bar = static_cast<size_t>(int64_t{x} * kBarCount / width);
    return kBarColours[bar];
}

Yuv yuvOf(uint32_t rgb) {
    return rgbToYuv(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF));
}

// Writes row y (top-down numbering) of the first plane.
void writeRow(PixelFormat f, int32_t width, int32_t height, uint64_t frame, int32_t y, uint8_t* d) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t c = colourAt(width, height, frame, x, y);
        switch (f) {
        case PixelFormat::Rgb32: std::memcpy(d + 4 * x, &c, 4); break;  // B G R X in memory
        case PixelFormat::Rgb24:
            d[3 * x] = static_cast<uint8_t>(c);
            d[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            d[3 * x + 2] = static_cast<uint8_t>(c >> 16);
            break;
        case PixelFormat::Yuy2: {
            // Y0 U Y1 V: a pair takes the chroma of its left pixel.
            const Yuv left = yuvOf(colourAt(width, height, frame, x & ~1, y));
            d[2 * x] = yuvOf(c).y;
            d[2 * x + 1] = x % 2 == 0 ? left.u : left.v;
            break;
        }
        case PixelFormat::Nv12: d[x] = yuvOf(c).y; break;
        }
    }
}

void writeChromaRow(int32_t width, int32_t height, uint64_t frame, int32_t y, uint8_t* d) {
    for (int32_t x = 0; x < width; x += 2) {
        const Yuv p = yuvOf(colourAt(width, height, frame, x, 2 * y));
        d[x] = p.u;
        d[x + 1] = p.v;
    }
}

}  // namespace

int32_t markerLeft(int32_t width, uint64_t frame) {
    const int64_t span = width > kMarkerSize ? (width - kMarkerSize) / 2 : 1;
    return static_cast<int32_t>(static_cast<int64_t>(frame % static_cast<uint64_t>(span)) * 2);
}

std::vector<uint8_t> patternFrame(PixelFormat f, int32_t width, int32_t height, uint64_t frame, bool bottomUp) {
    std::vector<uint8_t> bytes(frameBytes(f, width, height));
    if (bytes.empty()) return bytes;
    const auto step = static_cast<size_t>(defaultStride(f, width));
    const auto h = static_cast<size_t>(height);
    auto at = [&](size_t row, size_t rowsInPlane, size_t planeStart) {
        return bytes.data() + planeStart + step * (bottomUp ? rowsInPlane - 1 - row : row);
    };
    for (int32_t y = 0; y < height; ++y) writeRow(f, width, height, frame, y, at(static_cast<size_t>(y), h, 0));
    if (f == PixelFormat::Nv12)
        for (int32_t y = 0; y < height / 2; ++y)
            writeChromaRow(width, height, frame, y, at(static_cast<size_t>(y), h / 2, step * h));
    return bytes;
}

}  // namespace kav::camera
