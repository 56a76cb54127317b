// The picture of the virtual camera: eight vertical colour bars (white,
// yellow, cyan, green, magenta, red, blue, black) and a grey marker that moves
// along the bottom, encoded in any of the four formats.
#pragma once
#include <cstdint>
#include <vector>

#include "media/camera_frame.h"

namespace kav::camera {

inline constexpr int32_t kPatternWidth = 320, kPatternHeight = 240;
inline constexpr int kBarCount = 8;
// 0x00RRGGBB of each bar, left to right.
inline constexpr uint32_t kBarColours[kBarCount] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                                    0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
inline constexpr uint32_t kMarkerColour = 0x808080;
inline constexpr int32_t kMarkerSize = 16;

// The marker's left edge in frame n; the marker runs in the rows
// [height - 24, height - 8) and only moves by even steps (chroma pairs stay whole).
int32_t markerLeft(int32_t width, uint64_t frame);

// Frame n, tightly packed with the format's default stride; each plane's rows
// run bottom-up (read with the negative stride) when `bottomUp`.
std::vector<uint8_t> patternFrame(PixelFormat f, int32_t width, int32_t height, uint64_t frame, bool bottomUp);

}  // namespace kav::camera
