// The limits and units of video playback, at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "media/video_rules.h"

namespace kav::test {
namespace {

TEST(VideoRules, SpeedIsHeldBetweenATenthAndFiveTimes) {
    EXPECT_FLOAT_EQ(playbackRate(5), 0.1f);  // 5 % is below the slowest rate
    EXPECT_FLOAT_EQ(playbackRate(1000), 5.0f);
    EXPECT_FLOAT_EQ(playbackRate(10), 0.1f);
    EXPECT_FLOAT_EQ(playbackRate(500), 5.0f);
    EXPECT_FLOAT_EQ(playbackRate(150), 1.5f);
    EXPECT_FLOAT_EQ(playbackRate(-100), 0.1f);
    EXPECT_FLOAT_EQ(playbackRate(std::nan("")), 0.1f);
    EXPECT_FLOAT_EQ(playbackRate(1e300), 5.0f);  // beyond single precision
}

TEST(VideoRules, VolumeIsHeldBetweenSilenceAndFull) {
    EXPECT_FLOAT_EQ(masterVolume(-20), 0.0f);
    EXPECT_FLOAT_EQ(masterVolume(0), 0.0f);
    EXPECT_FLOAT_EQ(masterVolume(25), 0.25f);
    EXPECT_FLOAT_EQ(masterVolume(100), 1.0f);
    EXPECT_FLOAT_EQ(masterVolume(300), 1.0f);
    EXPECT_FLOAT_EQ(masterVolume(std::nan("")), 0.0f);
}

TEST(VideoRules, PositionsStayInsideTheVideo) {
    EXPECT_EQ(seekTarget(-5, 3), 0);
    EXPECT_EQ(seekTarget(2, 3), 2);
    EXPECT_EQ(seekTarget(9, 3), 3);
    EXPECT_EQ(seekTarget(std::nan(""), 3), 0);
    EXPECT_EQ(skipTarget(2, 5, 3), 3);
    EXPECT_EQ(skipTarget(2, -5, 3), 0);
    EXPECT_EQ(skipTarget(1, 1, 3), 2);
    EXPECT_EQ(skipTarget(1, -1, 3), 0);
}

TEST(VideoRules, ClockUnitsAreTenthsOfMicroseconds) {
    EXPECT_EQ(wholeSeconds(30'000'000), 3);
    EXPECT_EQ(wholeSeconds(29'999'999), 2);  // truncated, never rounded
    EXPECT_EQ(wholeSeconds(-1), 0);
    EXPECT_EQ(wholeSeconds(std::numeric_limits<int64_t>::max()), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(unitsOf(2.5), 25'000'000);
    EXPECT_EQ(unitsOf(-1), 0);
    EXPECT_EQ(unitsOf(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(unitsOf(std::nan("")), 0);
}

TEST(VideoRules, AspectFitKeepsTheSideThatLimits) {
    // A 4:3 video in a tall client keeps the width ...
    FrameSize f = fitAspect(800, 1000, 320, 240);
    EXPECT_EQ(f.width, 800);
    EXPECT_EQ(f.height, 600);
    // ... and in a wide one the height.
    f = fitAspect(800, 300, 320, 240);
    EXPECT_EQ(f.width, 400);
    EXPECT_EQ(f.height, 300);
    // Equal ratios keep the width; fractions are truncated.
    f = fitAspect(640, 480, 320, 240);
    EXPECT_EQ(f.width, 640);
    EXPECT_EQ(f.height, 480);
    f = fitAspect(100, 1000, 3, 2);
    EXPECT_EQ(f.height, 66);
    // Nothing to fit to: the client size stays (no division by zero).
    f = fitAspect(800, 1000, 0, 240);
    EXPECT_EQ(f.width, 800);
    EXPECT_EQ(f.height, 1000);
    f = fitAspect(800, 1000, 320, -240);
    EXPECT_EQ(f.height, 1000);
    f = fitAspect(0, 0, 320, 240);
    EXPECT_EQ(f.width, 0);
    // Sizes near the int limit do not overflow the comparison.
    f = fitAspect(2'000'000'000, 2'000'000'000, 1, 2'000'000'000);
    EXPECT_EQ(f.width, 1);
    EXPECT_EQ(f.height, 2'000'000'000);
}

TEST(VideoRules, PlayWindowFrames) {
    constexpr uint32_t kBase = 0x80000000 | 0x02000000;  // popup, clipping its children
    EXPECT_EQ(playWindowStyle(1), kBase | 0x00400000 | 0x00080000);
    EXPECT_EQ(playWindowStyle(2), kBase | 0x00C00000 | 0x00080000 | 0x00020000);
    EXPECT_EQ(playWindowStyle(3), kBase | 0x00800000);
    EXPECT_EQ(playWindowStyle(4), kBase);
    EXPECT_EQ(playWindowStyle(0), playWindowStyle(7));
    EXPECT_EQ(playWindowStyle(-1), kBase | 0x00CF0000);
}

}  // namespace
}  // namespace kav::test
