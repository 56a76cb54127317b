#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>
#include <random>

#include "graphics/pack3d_math.h"

namespace kav {
namespace {

Triangle tri(std::array<int32_t, 9> v, int32_t r = 200, int32_t g = 100, int32_t b = 50) {
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], r, g, b};
}

std::optional<DrawnTriangle> project(const Triangle& t, const Pose& pose = {}, const Centre& centre = {}) {
    const Vec3i offset{truncToInt32(pose.px), truncToInt32(pose.py), truncToInt32(pose.pz)};
    return projectTriangle(t, 0, Turn::of(pose), offset, centre);
}

TEST(Pack3DTurn, AnglesWrapAndResultsTruncateTowardZero) {
    // The short radians-per-degree constant leaves sin 30 just under 0.5.
    EXPECT_EQ(Turn(0, 0, 30).apply(100, 0, 0), (Vec3i{86, 49, 0}));
    EXPECT_EQ(Turn(0, 0, -30).apply(100, 0, 0), (Vec3i{86, -50, 0}));
    EXPECT_EQ(Turn(0, 0, 330).apply(100, 0, 0), (Vec3i{86, -50, 0}));
    EXPECT_EQ(Turn(0, 0, 390).apply(100, 0, 0), (Vec3i{86, 49, 0}));
    // About Y, X moves away from the viewer's side: x -> -z.
    EXPECT_EQ(Turn(0, 90, 0).apply(100, 0, 0), (Vec3i{0, 0, -100}));
    EXPECT_EQ(Turn(0, -270, 0).apply(100, 0, 0), (Vec3i{0, 0, -100}));
    // Y first, then X, then Z.
    EXPECT_EQ(Turn(90, 90, 0).apply(0, 0, 100), (Vec3i{100, 0, 0}));
    EXPECT_EQ(Turn(90, 0, 90).apply(0, 0, 100), (Vec3i{100, 0, 0}));
    EXPECT_EQ(Turn(90, 0, 0).apply(0, 100, 0), (Vec3i{0, 0, 100}));
    // Extreme angles stay defined; results beyond 32 bits stop at the range's ends.
    EXPECT_EQ(Turn(INT_MIN, INT_MAX, INT_MIN).apply(0, 0, 0), (Vec3i{0, 0, 0}));
    EXPECT_EQ(Turn(0, 0, 45).apply(INT_MAX, INT_MAX, 0).y, INT_MAX);
    EXPECT_EQ(Turn(0, 0, 45).apply(INT_MIN, INT_MIN, 0).y, INT_MIN);
    EXPECT_EQ(truncToInt32(std::nan("")), 0);
}

TEST(Pack3DProjection, CentreAndScaleAtDepth) {
    // Clockwise on screen: right, then down.
    const auto near = project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}));
    ASSERT_TRUE(near);
    EXPECT_EQ(near->points, (std::array<PointI, 3>{{{100, 100}, {200, 100}, {100, 200}}}));
    // At Z = 1000 with deep 1000 everything is half size about the centre.
    const auto far = project(tri({0, 0, 1000, 100, 0, 1000, 0, 100, 1000}));
    ASSERT_TRUE(far);
    EXPECT_EQ(far->points, (std::array<PointI, 3>{{{100, 100}, {150, 100}, {100, 150}}}));
    // The same through the pack's position, and with another centre.
    Pose moved;
    moved.pz = 1000.9;
    moved.px = 20.7;
    const auto shifted = project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}), moved, Centre{300, 200, 1000});
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->points, (std::array<PointI, 3>{{{310, 200}, {360, 200}, {310, 250}}}));
}

TEST(Pack3DProjection, BackFacesAreDropped) {
    EXPECT_FALSE(project(tri({0, 0, 0, 0, 100, 0, 100, 0, 0})));
    EXPECT_TRUE(project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0})));
    // Turned half round about Y, the front face shows its back.
    Pose turned;
    turned.ay = 180;
    EXPECT_FALSE(project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}), turned));
    EXPECT_TRUE(project(tri({0, 0, 0, 0, 100, 0, 100, 0, 0}), turned));
    // A face collapsed to a line on screen has no front either.
    EXPECT_FALSE(project(tri({0, 0, 0, 100, 0, 0, 200, 0, 0})));
}

TEST(Pack3DProjection, VerticesAtOrBehindTheViewerDropTheTriangle) {
    // z = -1000 is the viewer's own plane: Z + deep = 0.
    EXPECT_FALSE(project(tri({0, 0, -1000, 100, 0, 0, 0, 100, 0})));
    EXPECT_FALSE(project(tri({0, 0, 0, 100, 0, -5000, 0, 100, 0})));
    // Just in front of the viewer the scale is deep itself.
    const auto close = project(tri({0, 0, -999, 1, 0, -999, 0, 1, -999}));
    ASSERT_TRUE(close);
    EXPECT_EQ(close->points[1], (PointI{1100, 100}));
    // A point beyond the drawing calls' 27-bit range would be a wild shape.
    EXPECT_FALSE(project(tri({0, 0, -999, 200000, 0, -999, 0, 200000, -999})));
    // deep 0 or negative never divides by zero.
    EXPECT_FALSE(project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}), {}, Centre{100, 100, 0}));
    EXPECT_FALSE(project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}), {}, Centre{100, 100, -5}));
}

TEST(Pack3DShading, FacingIsFullAndEdgeOnIsTwoThirds) {
    const auto facing = project(tri({0, 0, 500, 100, 0, 500, 0, 100, 500}, 200, 100, 51));
    ASSERT_TRUE(facing);
    EXPECT_EQ(facing->colour, rgb(200, 100, 51));
    // Running steeply away from the viewer: 255 * (2 + 0.0007) / 3.
    const auto edgeOn = project(tri({0, 0, 0, 100, 0, 0, 0, 10, 3000}, 255, 255, 3));
    ASSERT_TRUE(edgeOn);
    EXPECT_EQ(edgeOn->colour, rgb(170, 170, 2));
    // A normal 60 degrees off the view axis: (cos 60 + 2) / 3.
    EXPECT_DOUBLE_EQ(shadeFactor(0, 0, 7), 1.0);
    EXPECT_NEAR(shadeFactor(std::sqrt(3.0), 0, 1), 2.5 / 3, 1e-12);
    EXPECT_NEAR(shadeFactor(0, 1e9, 1), 2.0 / 3, 1e-9);
}

TEST(Pack3DShading, StoredColoursOutsideTheRangeAreHeldToIt) {
    // Triangles loaded from a file skip the colour check.
    const auto t = project(tri({0, 0, 0, 100, 0, 0, 0, 100, 0}, 300, -7, 255));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->colour, rgb(255, 0, 255));
}

TEST(Pack3DOrder, DepthIsTruncatedAndTiesPaintEarlierStoredLast) {
    const auto d = project(tri({0, 0, 1, 100, 0, 1, 0, 100, 2}));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->depth, 1);  // 4 / 3
    const auto n = project(tri({0, 0, -1, 100, 0, -1, 0, 100, -2}));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->depth, -1);  // toward zero

    std::vector<DrawnTriangle> list;
    for (int64_t depth : {5, 7, 5, 9, 5}) list.push_back({{}, 0, depth, static_cast<uint32_t>(list.size())});
    paintersOrder(list);
    std::vector<uint32_t> order;
    for (const auto& t : list) order.push_back(t.index);
    EXPECT_EQ(order, (std::vector<uint32_t>{3, 1, 4, 2, 0}));
}

TEST(Pack3DOrder, DrawListSkipsHiddenFacesAndPaintsFarFirst) {
    const std::vector<Triangle> pack = {
        tri({0, 0, 0, 100, 0, 0, 0, 100, 0}, 1, 0, 0),
        tri({0, 0, 0, 0, 100, 0, 100, 0, 0}, 2, 0, 0),     // back face
        tri({0, 0, 500, 100, 0, 500, 0, 100, 500}, 3, 0, 0),
        tri({0, 0, 0, 100, 0, 0, 0, 100, 0}, 4, 0, 0),     // same depth as the first
    };
    std::vector<DrawnTriangle> out(3);
    buildDrawList(pack, {}, {}, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].colour, rgb(3, 0, 0));
    EXPECT_EQ(out[1].colour, rgb(4, 0, 0));
    EXPECT_EQ(out[2].colour, rgb(1, 0, 0));
    buildDrawList({}, {}, {}, out);
    EXPECT_TRUE(out.empty());
}

TEST(Pack3DLocal, QuarterTurnAboutYThenAMoveAlongOwnX) {
    Pose p;
    localRotate(p, Axis::Y, 90);
    EXPECT_NEAR(p.ax, 0, 1e-9);
    EXPECT_NEAR(p.ay, 90, 1e-9);
    EXPECT_EQ(p.az, 360);
    EXPECT_EQ(truncToInt32(p.ax), 0);
    EXPECT_EQ(truncToInt32(p.ay), 90);
    // The pack's own X now points at the viewer.
    EXPECT_EQ(localMove(p, Axis::X, 10), (Vec3i{0, 0, -10}));
    EXPECT_EQ(localMove(p, Axis::Y, 10), (Vec3i{0, 10, 0}));
    EXPECT_EQ(localMove(p, Axis::Z, 10), (Vec3i{10, 0, 0}));
    EXPECT_EQ(localMove(Pose{}, Axis::X, -7), (Vec3i{-7, 0, 0}));
}

// Standard rotation matrices, to check the extracted angles against the
// product of the turns they should stand for.
using Mat = std::array<std::array<double, 3>, 3>;

Mat mul(const Mat& a, const Mat& b) {
    Mat m{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
    return m;
}

Mat rotation(Axis axis, double degrees) {
    const double t = degrees * std::numbers::pi / 180, c = std::cos(t), s = std::sin(t);
    switch (axis) {
    case Axis::X: return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    case Axis::Y: return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    case Axis::Z: break;
    }
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Mat orientation(const Pose& p) {
    return mul(rotation(Axis::Z, p.az), mul(rotation(Axis::X, p.ax), rotation(Axis::Y, p.ay)));
}

void expectSameOrientation(const Mat& a, const Mat& b) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(a[i][j], b[i][j], 1e-9) << i << "," << j;
}

TEST(Pack3DLocal, TurnsComposeAboutThePacksOwnAxes) {
    std::mt19937 rng(15);
    std::uniform_int_distribution<int> degrees(-400, 400), axis(0, 2);
    Pose p;
    Mat expected = rotation(Axis::X, 0);
    for (int step = 0; step < 200; ++step) {
        const Axis a = static_cast<Axis>(axis(rng));
        const int r = degrees(rng);
        localRotate(p, a, r);
        expected = mul(expected, rotation(a, r));
        expectSameOrientation(orientation(p), expected);
        for (double angle : {p.ax, p.ay, p.az}) {
            EXPECT_GE(angle, 0);
            EXPECT_LE(angle, 360);
        }
    }
}

TEST(Pack3DLocal, DegenerateAxesLeaveTheAnglesFinite) {
    // Own Y along the view axis: nothing fixes the Z angle.
    const Vec3d up = anglesFromAxes({40000, 0, 0}, {0, 0, 40000});
    EXPECT_NEAR(up.x, 90, 1e-9);
    EXPECT_EQ(up.y, 360);
    EXPECT_EQ(up.z, 360);
    Pose p{up.x, up.y, up.z};
    expectSameOrientation(orientation(p), rotation(Axis::X, 90));
    const Vec3d down = anglesFromAxes({40000, 0, 0}, {0, 0, -40000});
    EXPECT_NEAR(down.x, 270, 1e-9);
    for (const Vec3d& v : {anglesFromAxes({0, 0, 0}, {0, 0, 0}), anglesFromAxes({0, 0, 40000}, {0, 0, 40000})}) {
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }
    // A quarter turn about X from zero comes within rounding of the same case.
    Pose q;
    localRotate(q, Axis::X, 90);
    EXPECT_EQ(truncToInt32(q.ax), 90);
    expectSameOrientation(orientation(q), rotation(Axis::X, 90));
}

}  // namespace
}  // namespace kav
