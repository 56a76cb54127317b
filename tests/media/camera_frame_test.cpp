#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "media/camera_frame.h"
#include "media/camera_pattern.h"

namespace kav::camera {
namespace {

int red(uint32_t p) { return static_cast<int>(p >> 16 & 0xFF); }
int green(uint32_t p) { return static_cast<int>(p >> 8 & 0xFF); }
int blue(uint32_t p) { return static_cast<int>(p & 0xFF); }

// Each component within `tolerance` of the expected 0xRRGGBB.
::testing::AssertionResult near(uint32_t got, uint32_t want, int tolerance) {
    if (std::abs(red(got) - red(want)) <= tolerance && std::abs(green(got) - green(want)) <= tolerance &&
        std::abs(blue(got) - blue(want)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "got " << (got & 0xFFFFFF) << ", want " << want;
}

std::vector<uint32_t> convert(const FrameView& v) {
    std::vector<uint32_t> out(static_cast<size_t>(v.width) * static_cast<size_t>(v.height), 0xDEADBEEF);
    convertFrame(v, out.data(), v.width);
    return out;
}

TEST(CameraYuv, LimitedRangeReferenceColours) {
    // Studio black and white, and the reference primaries of BT.601 limited range.
    EXPECT_EQ(yuvToXrgb(16, 128, 128), 0xFF000000u);
    EXPECT_EQ(yuvToXrgb(235, 128, 128), 0xFFFFFFFFu);
    EXPECT_TRUE(near(yuvToXrgb(81, 90, 240), 0xFF0000, 2));
    EXPECT_TRUE(near(yuvToXrgb(145, 54, 34), 0x00FF00, 2));
    EXPECT_TRUE(near(yuvToXrgb(41, 240, 110), 0x0000FF, 2));
    // Outside the studio range every component clips instead of wrapping.
    EXPECT_EQ(yuvToXrgb(0, 128, 128), 0xFF000000u);
    EXPECT_EQ(yuvToXrgb(255, 128, 128), 0xFFFFFFFFu);
    // Red and blue overflow and clip; green is (298*239 - 100*127 - 208*127 + 128) >> 8 = 125.
    EXPECT_EQ(yuvToXrgb(255, 255, 255), 0xFFFF7DFFu);
    EXPECT_EQ(blue(yuvToXrgb(16, 0, 128)), 0);
    EXPECT_EQ(red(yuvToXrgb(16, 128, 0)), 0);
}

TEST(CameraYuv, BarColoursSurviveTheRoundTrip) {
    for (uint32_t colour : kBarColours) {
        const Yuv p = rgbToYuv(red(colour), green(colour), blue(colour));
        EXPECT_GE(p.y, 16);
        EXPECT_LE(p.y, 235);
        EXPECT_TRUE(near(yuvToXrgb(p.y, p.u, p.v), colour, 2));
    }
}

TEST(CameraConvert, Rgb32IsCopiedRgb24GetsAnOpaqueTopByte) {
    const uint8_t rgb32[] = {1, 2, 3, 4, 5, 6, 7, 8};
    FrameView v = *contiguousFrame(PixelFormat::Rgb32, 2, 1, 8, rgb32, sizeof rgb32);
    EXPECT_EQ(convert(v), (std::vector<uint32_t>{0x04030201, 0x08070605}));
    const uint8_t rgb24[] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};  // blue, green, red
    v = *contiguousFrame(PixelFormat::Rgb24, 2, 1, 6, rgb24, sizeof rgb24);
    EXPECT_EQ(convert(v), (std::vector<uint32_t>{0xFF302010, 0xFF605040}));
}

TEST(CameraConvert, Yuy2GroupsGiveTwoPixelsSharingChroma) {
    // Y0 U Y1 V: white then black; then red chroma under two lumas.
    const uint8_t yuy2[] = {235, 128, 16, 128, 81, 90, 81, 240};
    const FrameView v = *contiguousFrame(PixelFormat::Yuy2, 4, 1, 8, yuy2, sizeof yuy2);
    const std::vector<uint32_t> out = convert(v);
    EXPECT_EQ(out[0], 0xFFFFFFFFu);
    EXPECT_EQ(out[1], 0xFF000000u);
    EXPECT_TRUE(near(out[2], 0xFF0000, 2));
    EXPECT_TRUE(near(out[3], 0xFF0000, 2));
}

TEST(CameraConvert, Nv12ChromaCoversTwoByTwoBlocks) {
    // 4x4: luma all 81 except one white row; chroma left block red, right block grey.
    std::vector<uint8_t> nv12(4 * 4 + 4 * 2, 81);
    for (int x = 0; x < 4; ++x) nv12[3 * 4 + x] = 235;
    const uint8_t chroma[] = {90, 240, 128, 128, 128, 128, 128, 128};
    std::copy(std::begin(chroma), std::end(chroma), nv12.begin() + 16);
    const FrameView v = *contiguousFrame(PixelFormat::Nv12, 4, 4, 4, nv12.data(), nv12.size());
    const std::vector<uint32_t> out = convert(v);
    EXPECT_TRUE(near(out[0], 0xFF0000, 2));
    EXPECT_TRUE(near(out[1 * 4 + 1], 0xFF0000, 2));  // the block's second row
    EXPECT_TRUE(near(out[2], 0x4C4C4C, 2));          // grey chroma, luma 81: (298 * 65 + 128) >> 8 = 76
    EXPECT_TRUE(near(out[2 * 4 + 0], 0x4C4C4C, 2));  // the next block row has grey chroma
    EXPECT_EQ(out[3 * 4 + 3], 0xFFFFFFFFu);
}

TEST(CameraFrame, StridesPaddedAndBottomUp) {
    // Two rows of one RGB24 pixel, each row padded to 4 bytes.
    const uint8_t padded[] = {0x01, 0x02, 0x03, 0xEE, 0x04, 0x05, 0x06, 0xEE};
    FrameView v = *contiguousFrame(PixelFormat::Rgb24, 1, 2, 4, padded, sizeof padded);
    EXPECT_EQ(convert(v), (std::vector<uint32_t>{0xFF030201, 0xFF060504}));
    // The same bytes with a negative stride: the last row in memory is the top.
    v = *contiguousFrame(PixelFormat::Rgb24, 1, 2, -4, padded, sizeof padded);
    EXPECT_EQ(convert(v), (std::vector<uint32_t>{0xFF060504, 0xFF030201}));
    // The last row needs only its pixels, not the padding after it.
    EXPECT_TRUE(contiguousFrame(PixelFormat::Rgb24, 1, 2, 4, padded, 7));
}

TEST(CameraFrame, ViewsNeverReachOutsideTheBuffer) {
    const std::vector<uint8_t> b(320 * 240 * 3 / 2);
    EXPECT_TRUE(contiguousFrame(PixelFormat::Nv12, 320, 240, 320, b.data(), b.size()));
    EXPECT_TRUE(contiguousFrame(PixelFormat::Nv12, 320, 240, -320, b.data(), b.size()));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Nv12, 320, 240, 320, b.data(), b.size() - 1));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Nv12, 320, 240, 322, b.data(), b.size()));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Rgb32, 320, 240, 320 * 4, b.data(), b.size()));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Rgb24, 320, 1, 320 * 3 - 1, b.data(), b.size()));  // rows overlap
    EXPECT_FALSE(contiguousFrame(PixelFormat::Yuy2, 3, 1, 8, b.data(), b.size()));  // half a pair
    EXPECT_FALSE(contiguousFrame(PixelFormat::Nv12, 2, 3, 2, b.data(), b.size()));  // half a chroma row
    EXPECT_FALSE(contiguousFrame(PixelFormat::Rgb32, 0, 240, 0, b.data(), b.size()));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Rgb32, 1, 1, 4, nullptr, 4));
    EXPECT_FALSE(contiguousFrame(PixelFormat::Rgb32, 2, 2, int64_t{1} << 62, b.data(), b.size()));
    EXPECT_EQ(frameBytes(PixelFormat::Yuy2, 320, 240), 153600u);
    EXPECT_EQ(frameBytes(PixelFormat::Nv12, 320, 240), 115200u);
    EXPECT_EQ(frameBytes(PixelFormat::Rgb24, 320, 240), 230400u);
    EXPECT_EQ(frameBytes(PixelFormat::Nv12, 320, 239), 0u);
}

// The virtual camera's picture, made in each format both ways up and
// converted back: each bar's colour and the marker where it should be.
TEST(CameraPattern, EveryFormatConvertsBackToTheBars) {
    for (PixelFormat f : kFormats) {
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "format " << static_cast<int>(f) << (bottomUp ? " bottom-up" : ""));
            const uint64_t frame = 7;
            const std::vector<uint8_t> bytes = patternFrame(f, kPatternWidth, kPatternHeight, frame, bottomUp);
            ASSERT_EQ(bytes.size(), frameBytes(f, kPatternWidth, kPatternHeight));
            const int64_t stride = defaultStride(f, kPatternWidth) * (bottomUp ? -1 : 1);
            const FrameView v = *contiguousFrame(f, kPatternWidth, kPatternHeight, stride, bytes.data(), bytes.size());
            const std::vector<uint32_t> out = convert(v);
            const auto at = [&](int x, int y) { return out[static_cast<size_t>(y * kPatternWidth + x)]; };
            for (int bar = 0; bar < kBarCount; ++bar) {
                for (int x : {bar * 40, bar * 40 + 20, bar * 40 + 39}) {
                    EXPECT_TRUE(near(at(x, 0), kBarColours[bar], 2)) << "bar " << bar << " x " << x;
                    EXPECT_TRUE(near(at(x, 120), kBarColours[bar], 2)) << "bar " << bar << " x " << x;
                    EXPECT_TRUE(near(at(x, 239), kBarColours[bar], 2)) << "bar " << bar << " x " << x;
                }
            }
            const int left = markerLeft(kPatternWidth, frame);
            EXPECT_EQ(left, 14);
            EXPECT_TRUE(near(at(left, 216), kMarkerColour, 2));
            EXPECT_TRUE(near(at(left + 15, 231), kMarkerColour, 2));
            EXPECT_FALSE(near(at(left + 16, 231), kMarkerColour, 2));
            EXPECT_FALSE(near(at(left, 215), kMarkerColour, 2));
        }
    }
}

TEST(CameraPattern, MarkerMovesAndStaysInside) {
    EXPECT_NE(markerLeft(320, 0), markerLeft(320, 1));
    for (uint64_t n = 0; n < 400; ++n) {
        EXPECT_EQ(markerLeft(320, n) % 2, 0);
        EXPECT_LE(markerLeft(320, n) + kMarkerSize, 320);
    }
    EXPECT_EQ(parseFormat("yuy2"), PixelFormat::Yuy2);
    EXPECT_EQ(parseFormat("nv12"), PixelFormat::Nv12);
    EXPECT_FALSE(parseFormat("YUY2"));
    EXPECT_FALSE(parseFormat("rgb"));
}

TEST(CameraLetterbox, FitsAndCentres) {
    // Same shape: the whole client area.
    EXPECT_EQ(letterbox(320, 240, 1, 1, 320, 240), (Rect{0, 0, 320, 240}));
    EXPECT_EQ(letterbox(320, 240, 1, 1, 640, 480), (Rect{0, 0, 640, 480}));
    // A wide window: bands left and right.
    EXPECT_EQ(letterbox(320, 240, 1, 1, 500, 240), (Rect{90, 0, 410, 240}));
    // A tall window: bands above and below.
    EXPECT_EQ(letterbox(320, 240, 1, 1, 320, 400), (Rect{0, 80, 320, 320}));
    // Wide pixels widen the picture, tall pixels heighten it
    // (640 x 240 and 320 x 480 pictures).
    EXPECT_EQ(letterbox(320, 240, 2, 1, 640, 480), (Rect{0, 120, 640, 360}));
    EXPECT_EQ(letterbox(320, 240, 1, 2, 640, 480), (Rect{160, 0, 480, 480}));
    // An unknown ratio counts as square pixels.
    EXPECT_EQ(letterbox(320, 240, 0, 0, 320, 240), (Rect{0, 0, 320, 240}));
    // Rounded, not truncated: 100 * 3 / 4 = 75 exactly; 101 * 240 / 320 = 75.75 -> 76.
    EXPECT_EQ(letterbox(320, 240, 1, 1, 101, 1000), (Rect{0, 462, 101, 538}));
    // Nothing to show into, or nothing to show.
    EXPECT_EQ(letterbox(320, 240, 1, 1, 0, 240), Rect{});
    EXPECT_EQ(letterbox(0, 240, 1, 1, 320, 240), Rect{});
    EXPECT_EQ(letterbox(320, 240, 1, 1, -5, 240), Rect{});
}

TEST(CameraFormatChoice, FollowsTheNativeOrderThenTheReplacements) {
    using F = std::optional<PixelFormat>;
    std::vector<std::pair<size_t, PixelFormat>> asked;
    auto onlyYuy2 = [&](size_t i, PixelFormat f) {
        asked.emplace_back(i, f);
        return f == PixelFormat::Yuy2;
    };
    // A supported first type is taken as it is, and the reader is not asked.
    const F direct[] = {PixelFormat::Nv12, PixelFormat::Rgb32};
    auto c = chooseFormat(direct, onlyYuy2);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->nativeIndex, 0u);
    EXPECT_EQ(c->format, PixelFormat::Nv12);
    EXPECT_FALSE(c->replaced);
    EXPECT_TRUE(asked.empty());
    // An unsupported first type: the four replacements in order until one is taken.
    const F mjpegFirst[] = {std::nullopt, PixelFormat::Rgb24};
    c = chooseFormat(mjpegFirst, onlyYuy2);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->nativeIndex, 0u);
    EXPECT_EQ(c->format, PixelFormat::Yuy2);
    EXPECT_TRUE(c->replaced);
    EXPECT_EQ(asked, (std::vector<std::pair<size_t, PixelFormat>>{
                         {0, PixelFormat::Rgb32}, {0, PixelFormat::Rgb24}, {0, PixelFormat::Yuy2}}));
    // Refused everywhere: the next native type, then nothing at all.
    auto none = [](size_t, PixelFormat) { return false; };
    c = chooseFormat(mjpegFirst, none);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->nativeIndex, 1u);
    EXPECT_EQ(c->format, PixelFormat::Rgb24);
    const F unusable[] = {std::nullopt, std::nullopt};
    EXPECT_FALSE(chooseFormat(unusable, none));
    EXPECT_FALSE(chooseFormat({}, none));
}

}  // namespace
}  // namespace kav::camera
