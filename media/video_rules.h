// The arithmetic of video playback: units of time, the limits of speed,
// volume and position, and the frame of the older popup player. Portable.
#pragma once
#include <cstdint>

namespace kav {

// The player's clock counts in 100-ns units.
constexpr int64_t kUnitsPerSecond = 10'000'000;

// Whole seconds of a time in clock units, truncated (negative times read 0,
// times beyond an int its largest value).
int32_t wholeSeconds(int64_t units);
// A position in seconds as clock units, truncated.
int64_t unitsOf(double seconds);

// The playback rate of a speed in percent: percent / 100 in single precision,
// held to 0.1 .. 5 (an invalid number gives the slowest rate).
float playbackRate(double percent);
// The master volume of a volume in percent: percent / 100, held to 0 .. 1.
float masterVolume(double percent);
// Where SetVideoPlayPos goes: tm held to 0 .. length (seconds).
double seekTarget(double tm, double length);
// Where SkipVideoPlayPos goes: current + tm, held to 0 .. length.
double skipTarget(double current, double tm, double length);

struct FrameSize {
    int32_t width, height;
};
// The size that gives a client area of cw x ch the video's aspect ratio,
// keeping the width when the video is relatively taller, else the height.
// Unchanged when either size is empty.
FrameSize fitAspect(int32_t cw, int32_t ch, int32_t vw, int32_t vh);

// Window style bits of the older player's popup for MciOpenWin's frame type.
uint32_t playWindowStyle(int32_t type);

}  // namespace kav
