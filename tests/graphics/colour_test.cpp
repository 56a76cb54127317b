#include <gtest/gtest.h>

#include "graphics/palette.h"

namespace kav {
namespace {

TEST(Palette, DefaultsFollowTheBitPatternAndHalfIntensities) {
    const Palette p;
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(blue(p[i]), i & 1 ? 255u : 0u) << i;
        EXPECT_EQ(red(p[i]), i & 2 ? 255u : 0u) << i;
        EXPECT_EQ(green(p[i]), i & 4 ? 255u : 0u) << i;
    }
    auto half = [](uint32_t c) { return c == 255 ? 128u : 0u; };
    for (int i = 8; i <= 13; ++i)
        EXPECT_EQ(p[i], rgb(half(red(p[i - 7])), half(green(p[i - 7])), half(blue(p[i - 7])))) << i;
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[14], rgb(128, 128, 128));
    EXPECT_EQ(p[15], rgb(192, 192, 192));
    EXPECT_EQ(rgb(1, 2, 3), 0x030201u);
}

TEST(Palette, ResetUndoesEveryChange) {
    Palette p;
    p.entries[11] = rgb(7, 0, 0);
    p.entries[0] = rgb(1, 1, 1);
    p.reset();
    EXPECT_EQ(p.entries, kDefaultPalette);
}

TEST(ColourArguments, RangesOfTheThreeKinds) {
    for (int32_t c : {-15, -1, 0, 15}) EXPECT_EQ(checkOutline(c), Status::Ok) << c;
    for (int32_t c : {-16, 16, INT32_MIN, INT32_MAX}) EXPECT_EQ(checkOutline(c), Status::ColourInvalid) << c;
    for (int32_t c : {-99, -1, 0, 15, INT32_MIN}) EXPECT_EQ(checkInside(c), Status::Ok) << c;
    for (int32_t c : {16, INT32_MAX}) EXPECT_EQ(checkInside(c), Status::ColourInvalid) << c;
    for (int32_t c : {0, 15}) EXPECT_EQ(checkSingle(c), Status::Ok) << c;
    for (int32_t c : {-1, 16}) EXPECT_EQ(checkSingle(c), Status::ColourInvalid) << c;
}

TEST(ColourArguments, NegativeOutlinesAreDottedPensOfTheOppositeEntry) {
    EXPECT_EQ(penOf(-2).index, 2);
    EXPECT_TRUE(penOf(-2).dotted);
    EXPECT_EQ(penOf(0).index, 0);
    EXPECT_FALSE(penOf(0).dotted);
    EXPECT_FALSE(penOf(15).dotted);
}

TEST(ColourArguments, PaletteEntries) {
    EXPECT_EQ(checkPaletteEntry(11, 7, 0, 0), Status::Ok);
    EXPECT_EQ(checkPaletteEntry(15, 255, 255, 255), Status::Ok);
    EXPECT_EQ(checkPaletteEntry(3, 256, 0, 0), Status::ColourInvalid);
    EXPECT_EQ(checkPaletteEntry(16, 0, 0, 0), Status::ColourInvalid);
    EXPECT_EQ(checkPaletteEntry(-1, 0, 0, 0), Status::ColourInvalid);
    EXPECT_EQ(checkPaletteEntry(0, 0, -1, 0), Status::ColourInvalid);
    EXPECT_EQ(checkPaletteEntry(0, 0, 0, 256), Status::ColourInvalid);
}

}  // namespace
}  // namespace kav
