#include "media/camera_frame.h"

#include <algorithm>
#include <cstring>

namespace kav::camera {

namespace {

// Bytes of one row of the first plane, and the rows all planes take.
int64_t rowBytes(PixelFormat f, int32_t width) {
    switch (f) {
    case PixelFormat::Rgb32: return int64_t{width} * 4;
    case PixelFormat::Rgb24: return int64_t{width} * 3;
    case PixelFormat::Yuy2: return int64_t{width} * 2;
    case PixelFormat::Nv12: return width;
    }
    return 0;
}

int64_t planeRows(PixelFormat f, int32_t height) {
    return f == PixelFormat::Nv12 ? int64_t{height} + height / 2 : height;
}

bool sizeFits(PixelFormat f, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return false;
    if (f == PixelFormat::Yuy2) return width % 2 == 0;
    if (f == PixelFormat::Nv12) return width % 2 == 0 && height % 2 == 0;
    return true;
}

uint8_t clip(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// a * b / c rounded to nearest, for sizes (all positive here).
int64_t mulDiv(int64_t a, int64_t b, int64_t c) { return (a * b + c / 2) / c; }

void convertRgb32(const FrameView& f, uint32_t* out, ptrdiff_t pitch) {
    for (int32_t y = 0; y < f.height; ++y)
        std::memcpy(out + y * pitch, f.rows + y * f.stride, static_cast<size_t>(f.width) * 4);
}

void convertRgb24(const FrameView& f, uint32_t* out, ptrdiff_t pitch) {
    for (int32_t y = 0; y < f.height; ++y) {
        const uint8_t* s = f.rows + y * f.stride;
        uint32_t* d = out + y * pitch;
        for (int32_t x = 0; x < f.width; ++x, s += 3) d[x] = 0xFF000000u | uint32_t{s[2]} << 16 | uint32_t{s[1]} << 8 | s[0];
    }
}

void convertYuy2(const FrameView& f, uint32_t* out, ptrdiff_t pitch) {
    for (int32_t y = 0; y < f.height; ++y) {
        const uint8_t* s = f.rows + y * f.stride;
        uint32_t* d = out + y * pitch;
        for (int32_t x = 0; x < f.width; x += 2, s += 4) {
            d[x] = yuvToXrgb(s[0], s[1], s[3]);
            d[x + 1] = yuvToXrgb(s[2], s[1], s[3]);
        }
    }
}

void convertNv12(const FrameView& f, uint32_t* out, ptrdiff_t pitch) {
    for (int32_t y = 0; y < f.height; ++y) {
        const uint8_t* luma = f.rows + y * f.stride;
        const uint8_t* uv = f.chroma + (y / 2) * f.stride;
        uint32_t* d = out + y * pitch;
        for (int32_t x = 0; x < f.width; x += 2) {
            d[x] = yuvToXrgb(luma[x], uv[x], uv[x + 1]);
            d[x + 1] = yuvToXrgb(luma[x + 1], uv[x], uv[x + 1]);
        }
    }
}

}  // namespace

std::optional<PixelFormat> parseFormat(std::string_view name) {
    constexpr std::string_view kNames[] = {"rgb32", "rgb24", "yuy2", "nv12"};
    for (size_t i = 0; i < std::size(kNames); ++i)
        if (name == kNames[i]) return kFormats[i];
    return std::nullopt;
}

int64_t defaultStride(PixelFormat f, int32_t width) { return rowBytes(f, width); }

size_t frameBytes(PixelFormat f, int32_t width, int32_t height) {
    if (!sizeFits(f, width, height)) return 0;
    return static_cast<size_t>(rowBytes(f, width) * planeRows(f, height));
}

std::optional<FrameView> contiguousFrame(PixelFormat f, int32_t width, int32_t height, int64_t stride,
                                         const uint8_t* buffer, size_t size) {
    if (!sizeFits(f, width, height) || !buffer) return std::nullopt;
    const int64_t row = rowBytes(f, width);
    const int64_t step = stride < 0 ? -stride : stride;
    if (step < row || step > (int64_t{1} << 40)) return std::nullopt;
    const int64_t rows = planeRows(f, height);
    if (step * (rows - 1) + row > static_cast<int64_t>(size)) return std::nullopt;
    FrameView v;
    v.format = f;
    v.width = width;
    v.height = height;
    v.stride = stride;
    // Bottom-up: each plane's top row is its last in memory.
    v.rows = stride < 0 ? buffer + step * (height - 1) : buffer;
    if (f == PixelFormat::Nv12) {
        const uint8_t* plane = buffer + step * height;
        v.chroma = stride < 0 ? plane + step * (height / 2 - 1) : plane;
    }
    return v;
}

uint32_t yuvToXrgb(int y, int u, int v) {
    const int c = y - 16, d = u - 128, e = v - 128;
    const uint8_t r = clip((298 * c + 409 * e + 128) >> 8);
    const uint8_t g = clip((298 * c - 100 * d - 208 * e + 128) >> 8);
    const uint8_t b = clip((298 * c + 516 * d + 128) >> 8);
    return 0xFF000000u | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

Yuv rgbToYuv(int r, int g, int b) {
    return {clip(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16), clip(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128),
            clip(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128)};
}

void convertFrame(const FrameView& frame, uint32_t* out, ptrdiff_t outPitch) {
    switch (frame.format) {
    case PixelFormat::Rgb32: return convertRgb32(frame, out, outPitch);
    case PixelFormat::Rgb24: return convertRgb24(frame, out, outPitch);
    case PixelFormat::Yuy2: return convertYuy2(frame, out, outPitch);
    case PixelFormat::Nv12: return convertNv12(frame, out, outPitch);
    }
}

Rect letterbox(int32_t frameW, int32_t frameH, uint32_t aspectNum, uint32_t aspectDen, int32_t clientW,
               int32_t clientH) {
    if (frameW <= 0 || frameH <= 0 || clientW <= 0 || clientH <= 0) return {};
    int64_t w = frameW, h = frameH;
    if (aspectNum != 0 && aspectDen != 0 && aspectNum != aspectDen) {
        if (aspectNum > aspectDen) w = mulDiv(w, aspectNum, aspectDen);
        else h = mulDiv(h, aspectDen, aspectNum);
    }
    if (w <= 0 || h <= 0) return {};
    int64_t boxW = clientW, boxH = clientH;
    // Bands left and right when the picture is the narrower shape, else above and below.
    if (mulDiv(w, clientH, h) <= clientW) boxW = mulDiv(clientH, w, h);
    else boxH = mulDiv(clientW, h, w);
    const auto left = static_cast<int32_t>((clientW - boxW) / 2);
    const auto top = static_cast<int32_t>((clientH - boxH) / 2);
    return {left, top, left + static_cast<int32_t>(boxW), top + static_cast<int32_t>(boxH)};
}

std::optional<FormatChoice> chooseFormat(std::span<const std::optional<PixelFormat>> nativeTypes,
                                         const std::function<bool(size_t, PixelFormat)>& accepts) {
    for (size_t i = 0; i < nativeTypes.size(); ++i) {
        if (nativeTypes[i]) return FormatChoice{i, *nativeTypes[i], false};
        for (PixelFormat f : kFormats)
            if (accepts(i, f)) return FormatChoice{i, f, true};
    }
    return std::nullopt;
}

}  // namespace kav::camera
