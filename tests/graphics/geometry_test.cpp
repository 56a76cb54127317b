#include <gtest/gtest.h>

#include <climits>

#include "graphics/geometry.h"

namespace kav {
namespace {

TEST(AnglePoint, QuarterAnglesAreTheRectanglesOwnPoints) {
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 0), (PointI{50, 0}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 90), (PointI{100, 50}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 180), (PointI{50, 100}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 270), (PointI{0, 50}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 360), (PointI{50, 0}));
    // Odd sizes: the centre and half sizes truncate, the edges stay exact.
    EXPECT_EQ(anglePoint(1, 1, 100, 100, 90), (PointI{100, 50}));
    EXPECT_EQ(anglePoint(-101, -101, 0, 0, 0), (PointI{-50, -101}));
}

TEST(AnglePoint, OtherAnglesTruncateTowardTheCentre) {
    // 45 degrees: cos = sin = 0.7071..., 50 * 0.7071 = 35.35 -> 35.
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 45), (PointI{85, 15}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 135), (PointI{85, 85}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 225), (PointI{15, 85}));
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 315), (PointI{15, 15}));
    // Negative offsets truncate toward zero as well (toward the centre).
    EXPECT_EQ(anglePoint(0, 0, 100, 100, -45), (PointI{15, 15}));
}

TEST(AnglePoint, PiIsTheShortConstant) {
    // -90 is 180 degrees of t, a hair short of pi with 3.141592: sin stays at
    // 6.5e-7 and moves a large ellipse's point 653 pixels off the centre line,
    // where full precision would move it none.
    const PointI p = anglePoint(0, 0, 2000000000, 2000000000, -90);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 999999347);
}

TEST(AnglePoint, AnglesAbove450GiveANegativeRemainder) {
    // 540: (450 - 540) % 360 = -90, the direction of 180 but through the
    // formula, whose truncation stops one pixel short of the edge.
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 540), (PointI{50, 99}));
    // 450 is no special case: t = 0, the 3 o'clock point by the formula.
    EXPECT_EQ(anglePoint(0, 0, 100, 100, 450), (PointI{100, 50}));
}

TEST(AnglePoint, ExtremeCornersDoNotOverflow) {
    const PointI p = anglePoint(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, INT_MIN);
    const PointI q = anglePoint(0, 0, 100, 100, INT_MIN);
    EXPECT_GE(q.x, 0);
    EXPECT_LE(q.x, 100);
}

}  // namespace
}  // namespace kav
