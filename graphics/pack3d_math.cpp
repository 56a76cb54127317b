#include "graphics/pack3d_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kav {

namespace {

// The coordinate range of the drawing calls (27 bits); a point beyond it comes
// from a vertex just in front of the viewer and would only draw a wild shape.
constexpr double kMaxCoordinate = (1 << 27) - 1;

// The scale of the axes whose turned copies give the new angles.
constexpr double kAxisLength = 40000;

double radians(int32_t degrees) {
    int32_t whole = degrees % 360;
    if (whole < 0) whole += 360;
    return whole * kRadiansPerDegree;
}

// acos in degrees of num/n; an undetermined ratio (n = 0) counts as 1, and
// rounding that pushes the ratio past +-1 is held at the bound.
double acosDegrees(double num, double n) {
    if (!(n > 0)) return 0;
    const double ratio = num / n;
    if (!(ratio == ratio)) return 0;
    return std::acos(std::clamp(ratio, -1.0, 1.0)) / kRadiansPerDegree;
}

// The vertex turn with unrounded angles and no truncation.
Vec3d turnExact(const Pose& p, const Vec3d& v) {
    const double ax = p.ax * kRadiansPerDegree, ay = p.ay * kRadiansPerDegree, az = p.az * kRadiansPerDegree;
    const double x1 = v.x * std::cos(ay) + v.z * std::sin(ay);
    const double z1 = v.z * std::cos(ay) - v.x * std::sin(ay);
    const double y1 = v.y * std::cos(ax) - z1 * std::sin(ax);
    const double z2 = v.y * std::sin(ax) + z1 * std::cos(ax);
    const double x2 = x1 * std::cos(az) - y1 * std::sin(az);
    const double y2 = x1 * std::sin(az) + y1 * std::cos(az);
    return {x2, y2, z2};
}

// Written out rather than hypot: the extracted angles must round exactly as
// the square root of the sum does (360, not 359.9999999, for an untouched axis).
double length(double a, double b) { return std::sqrt(a * a + b * b); }

// The angle that undoes `angle` degrees, kept in 0..360.
double undoing(double angle) { return angle > 0 ? 360 - angle : -angle; }

int32_t shade(int32_t component, double factor) {
    return truncToInt32(std::clamp(component, 0, 255) * factor);
}

}  // namespace

int32_t truncToInt32(double v) {
    if (!(v == v)) return 0;
    if (v >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

Turn::Turn(int32_t ax, int32_t ay, int32_t az)
    : cosX_(std::cos(radians(ax))), sinX_(std::sin(radians(ax))),
      cosY_(std::cos(radians(ay))), sinY_(std::sin(radians(ay))),
      cosZ_(std::cos(radians(az))), sinZ_(std::sin(radians(az))) {}

Turn Turn::of(const Pose& p) { return Turn(truncToInt32(p.ax), truncToInt32(p.ay), truncToInt32(p.az)); }

Vec3i Turn::apply(int32_t x, int32_t y, int32_t z) const {
    const double x1 = x * cosY_ + z * sinY_;
    const double z1 = z * cosY_ - x * sinY_;
    const double y1 = y * cosX_ - z1 * sinX_;
    const double z2 = y * sinX_ + z1 * cosX_;
    const double x2 = x1 * cosZ_ - y1 * sinZ_;
    const double y2 = x1 * sinZ_ + y1 * cosZ_;
    return {truncToInt32(x2), truncToInt32(y2), truncToInt32(z2)};
}

std::optional<DrawnTriangle> projectTriangle(const Triangle& t, uint32_t index, const Turn& turn,
                                             const Vec3i& offset, const Centre& centre) {
    int64_t sx[3], sy[3], sz[3];
    for (size_t i = 0; i < 3; ++i) {
        const Vec3i v = turn.apply(t[3 * i], t[3 * i + 1], t[3 * i + 2]);
        const int64_t z = int64_t{v.z} + offset.z;
        const int64_t distance = z + centre.deep;
        if (distance <= 0) return std::nullopt;
        const double k = static_cast<double>(centre.deep) / static_cast<double>(distance);
        const double x = static_cast<double>(int64_t{v.x} + offset.x) * k + centre.cx;
        const double y = static_cast<double>(int64_t{v.y} + offset.y) * k + centre.cy;
        if (!(std::fabs(x) <= kMaxCoordinate && std::fabs(y) <= kMaxCoordinate)) return std::nullopt;
        sx[i] = static_cast<int64_t>(x);
        sy[i] = static_cast<int64_t>(y);
        sz[i] = z;
    }
    // Clockwise on screen (Y downwards) is the front.
    const int64_t r = (sy[2] - sy[0]) * (sx[1] - sx[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (r <= 0) return std::nullopt;
    // The normal mixes turned depths with screen points, as scripts' shades always have.
    const double nx = static_cast<double>(sz[2] - sz[0]) * static_cast<double>(sy[1] - sy[0]) -
                      static_cast<double>(sy[2] - sy[0]) * static_cast<double>(sz[1] - sz[0]);
    const double ny = static_cast<double>(sx[2] - sx[0]) * static_cast<double>(sz[1] - sz[0]) -
                      static_cast<double>(sz[2] - sz[0]) * static_cast<double>(sx[1] - sx[0]);
    const double f = shadeFactor(nx, ny, static_cast<double>(r));
    DrawnTriangle d;
    for (size_t i = 0; i < 3; ++i) d.points[i] = {static_cast<int32_t>(sx[i]), static_cast<int32_t>(sy[i])};
    d.colour = rgb(static_cast<uint32_t>(shade(t[kTriangleRed], f)), static_cast<uint32_t>(shade(t[kTriangleRed + 1], f)),
                   static_cast<uint32_t>(shade(t[kTriangleRed + 2], f)));
    d.depth = (sz[0] + sz[1] + sz[2]) / 3;
    d.index = index;
    return d;
}

double shadeFactor(double nx, double ny, double r) {
    const double length = std::sqrt(nx * nx + ny * ny + r * r);
    return (r / length + 2) / 3;
}

void paintersOrder(std::vector<DrawnTriangle>& list) {
    std::sort(list.begin(), list.end(), [](const DrawnTriangle& a, const DrawnTriangle& b) {
        return a.depth != b.depth ? a.depth > b.depth : a.index > b.index;
    });
}

void buildDrawList(std::span<const Triangle> triangles, const Pose& pose, const Centre& centre,
                   std::vector<DrawnTriangle>& out) {
    out.clear();
    const Turn turn = Turn::of(pose);
    const Vec3i offset{truncToInt32(pose.px), truncToInt32(pose.py), truncToInt32(pose.pz)};
    for (size_t i = 0; i < triangles.size(); ++i) {
        if (auto d = projectTriangle(triangles[i], static_cast<uint32_t>(i), turn, offset, centre)) out.push_back(*d);
    }
    paintersOrder(out);
}

Vec3i localMove(const Pose& pose, Axis axis, int32_t move) {
    const Turn turn = Turn::of(pose);
    switch (axis) {
    case Axis::X: return turn.apply(move, 0, 0);
    case Axis::Y: return turn.apply(0, move, 0);
    case Axis::Z: break;
    }
    return turn.apply(0, 0, move);
}

void localRotate(Pose& pose, Axis axis, int32_t degrees) {
    const double c = std::cos(degrees * kRadiansPerDegree), s = std::sin(degrees * kRadiansPerDegree);
    Vec3d xAxis{kAxisLength, 0, 0}, yAxis{0, kAxisLength, 0};
    switch (axis) {
    case Axis::X: yAxis = {0, kAxisLength * c, kAxisLength * s}; break;
    case Axis::Y: xAxis = {kAxisLength * c, 0, -kAxisLength * s}; break;
    case Axis::Z:
        xAxis = {kAxisLength * c, kAxisLength * s, 0};
        yAxis = {-kAxisLength * s, kAxisLength * c, 0};
        break;
    }
    const Vec3d angles = anglesFromAxes(turnExact(pose, xAxis), turnExact(pose, yAxis));
    pose.ax = angles.x;
    pose.ay = angles.y;
    pose.az = angles.z;
}

Vec3d anglesFromAxes(const Vec3d& xAxis, const Vec3d& yAxis) {
    // Z first: the Y axis turned back about Z lies in the YZ plane.
    const double az = yAxis.x >= 0 ? 360 - acosDegrees(yAxis.y, length(yAxis.x, yAxis.y))
                                   : acosDegrees(yAxis.y, length(yAxis.x, yAxis.y));
    const double phi = undoing(az) * kRadiansPerDegree;
    const double x1 = xAxis.x * std::cos(phi) - xAxis.y * std::sin(phi);
    const double y1 = xAxis.x * std::sin(phi) + xAxis.y * std::cos(phi);
    const double y2 = yAxis.x * std::sin(phi) + yAxis.y * std::cos(phi);
    // Then X: turned back about X as well, the Y axis is Y itself.
    const double ax = yAxis.z >= 0 ? acosDegrees(y2, length(y2, yAxis.z))
                                   : 360 - acosDegrees(y2, length(y2, yAxis.z));
    const double psi = undoing(ax) * kRadiansPerDegree;
    const double z1 = y1 * std::sin(psi) + xAxis.z * std::cos(psi);
    // What is left of the X axis is a turn about Y.
    const double ay = z1 < 0 ? acosDegrees(x1, length(x1, z1)) : 360 - acosDegrees(x1, length(x1, z1));
    return {ax, ay, az};
}

}  // namespace kav
