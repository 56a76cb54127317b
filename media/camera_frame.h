// Camera frames: the four pixel formats a capture device may deliver, their
// conversion to 32-bit XRGB, the letterbox rectangle of the preview and the
// order in which a device's formats are chosen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace kav::camera {

// In the order a device's formats are tried.
enum class PixelFormat : uint8_t { Rgb32, Rgb24, Yuy2, Nv12 };
inline constexpr PixelFormat kFormats[] = {PixelFormat::Rgb32, PixelFormat::Rgb24, PixelFormat::Yuy2,
                                           PixelFormat::Nv12};

// "rgb32", "rgb24", "yuy2" or "nv12" (lower case); nullopt for anything else.
std::optional<PixelFormat> parseFormat(std::string_view name);

// The bytes of one row of the first plane when nothing says otherwise
// (positive: rows run top-down).
int64_t defaultStride(PixelFormat f, int32_t width);
// The bytes of a whole tightly packed frame; 0 when the size makes no frame
// (a dimension not above 0, or odd where the format pairs pixels).
size_t frameBytes(PixelFormat f, int32_t width, int32_t height);

// One frame in memory. `rows` is the first (top) row of the first plane and
// `stride` the step to the next row, negative for a bottom-up image; NV12's
// chroma plane has its own first row with the same step.
struct FrameView {
    PixelFormat format = PixelFormat::Rgb32;
    int32_t width = 0, height = 0;
    const uint8_t* rows = nullptr;
    int64_t stride = 0;
    const uint8_t* chroma = nullptr;
};

// The view of a frame held in one contiguous buffer of `size` bytes with this
// stride (negative: the top row is the buffer's last); nullopt when the frame
// would reach outside the buffer or the stride is shorter than a row.
std::optional<FrameView> contiguousFrame(PixelFormat f, int32_t width, int32_t height, int64_t stride,
                                         const uint8_t* buffer, size_t size);

// BT.601, limited range, in integers: the pixel 0x00RRGGBB of one Y, U, V.
uint32_t yuvToXrgb(int y, int u, int v);
// The other way, for test pictures: limited-range Y, U, V of an RGB colour.
struct Yuv {
    uint8_t y, u, v;
};
Yuv rgbToYuv(int r, int g, int b);

// Converts the whole frame into `out`, `outPitch` pixels per row, top row first.
// RGB24 and the YUV formats set the top byte to 0xFF; RGB32 is copied as it is.
void convertFrame(const FrameView& frame, uint32_t* out, ptrdiff_t outPitch);

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The frame size corrected by the pixel aspect ratio (num:den, 0 taken as 1:1),
// then the largest rectangle of that shape that fits a client area of
// clientW x clientH, centred in it. Empty when either size is empty.
Rect letterbox(int32_t frameW, int32_t frameH, uint32_t aspectNum, uint32_t aspectDen, int32_t clientW,
               int32_t clientH);

// How a device's format was chosen: the native type's index and the format
// read, and whether the reader had to be asked for it (a replaced subtype).
struct FormatChoice {
    size_t nativeIndex = 0;
    PixelFormat format = PixelFormat::Rgb32;
    bool replaced = false;
};

// The choice over a device's native types in order: a type in one of the four
// formats is taken as it is; another is offered to the reader with its subtype
// replaced by each of the four in turn (`accepts` says whether the reader took
// it) and the first taken wins; else the next native type. nullopt: none fits.
std::optional<FormatChoice> chooseFormat(std::span<const std::optional<PixelFormat>> nativeTypes,
                                         const std::function<bool(size_t, PixelFormat)>& accepts);

}  // namespace kav::camera
