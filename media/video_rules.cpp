#include "media/video_rules.h"

#include <cmath>
#include <limits>

namespace kav {

int32_t wholeSeconds(int64_t units) {
    if (units <= 0) return 0;
    const int64_t seconds = units / kUnitsPerSecond;
    return seconds > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(seconds);
}

int64_t unitsOf(double seconds) {
    const double units = seconds * static_cast<double>(kUnitsPerSecond);
    if (!(units > 0)) return 0;
    if (units >= static_cast<double>(std::numeric_limits<int64_t>::max())) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(units);
}

float playbackRate(double percent) {
    const float rate = static_cast<float>(percent / 100);
    if (!(rate >= 0.1f)) return 0.1f;
    return rate > 5.0f ? 5.0f : rate;
}

float masterVolume(double percent) {
    const float volume = static_cast<float>(percent / 100);
    if (!(volume >= 0.0f)) return 0.0f;
    return volume > 1.0f ? 1.0f : volume;
}

double seekTarget(double tm, double length) {
    if (!(tm > 0)) return 0;
    return tm > length ? length : tm;
}

double skipTarget(double current, double tm, double length) { return seekTarget(current + tm, length); }

FrameSize fitAspect(int32_t cw, int32_t ch, int32_t vw, int32_t vh) {
    if (cw <= 0 || ch <= 0 || vw <= 0 || vh <= 0) return {cw, ch};
    // ch/cw >= vh/vw, exactly; the other side then never exceeds the client's.
    const bool keepWidth = static_cast<int64_t>(ch) * vw >= static_cast<int64_t>(vh) * cw;
    const auto side = static_cast<int32_t>(keepWidth ? static_cast<int64_t>(cw) * vh / vw
                                                     : static_cast<int64_t>(ch) * vw / vh);
    return keepWidth ? FrameSize{cw, side} : FrameSize{side, ch};
}

namespace {

// The system's window style bits.
constexpr uint32_t kPopup = 0x80000000, kClipChildren = 0x02000000, kCaption = 0x00C00000, kBorder = 0x00800000,
                   kDialogFrame = 0x00400000, kSysMenu = 0x00080000, kThickFrame = 0x00040000,
                   kMinimizeBox = 0x00020000, kMaximizeBox = 0x00010000;

}  // namespace

uint32_t playWindowStyle(int32_t type) {
    uint32_t frame = kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox;
    switch (type) {
    case 1: frame = kDialogFrame | kSysMenu; break;
    case 2: frame = kCaption | kSysMenu | kMinimizeBox; break;
    case 3: frame = kBorder; break;
    case 4: frame = 0; break;
    default: break;
    }
    return kPopup | kClipChildren | frame;
}

}  // namespace kav
