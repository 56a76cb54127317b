// The geometry of 3D packs: turning, moving, projecting, shading and ordering
// triangles. Scripts' pictures depend on every truncation here, so the number
// types and the order of the operations are part of the contract.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "graphics/geometry.h"
#include "graphics/palette.h"

namespace kav {

// x1,y1,z1, x2,y2,z2, x3,y3,z3, r,g,b.
using Triangle = std::array<int32_t, 12>;
constexpr int kTriangleValues = 12;
constexpr int kTriangleRed = 9;

// The conversion every pack angle goes through; scripts' pictures depend on
// its short digits (90 degrees does not give a cosine of exactly 0).
constexpr double kRadiansPerDegree = 0.01745329251994;

struct Vec3i {
    int32_t x, y, z;
    bool operator==(const Vec3i&) const = default;
};

struct Vec3d {
    double x, y, z;
};

enum class Axis : uint8_t { X, Y, Z };

// A pack's orientation (degrees, 0..360 once turned) and position.
struct Pose {
    double ax = 0, ay = 0, az = 0;
    double px = 0, py = 0, pz = 0;
};

// The projection centre on the screen and the viewer's distance from it.
struct Centre {
    int32_t cx = 100, cy = 100, deep = 1000;
};

// Truncates toward zero into 32 bits; values beyond the range stop at its
// ends and NaN gives 0, so no input makes the conversion undefined.
int32_t truncToInt32(double v);

// A whole-degree orientation with its sines and cosines, each angle reduced
// mod 360 into 0..359 first.
class Turn {
public:
    Turn(int32_t ax, int32_t ay, int32_t az);
    // The orientation of a pose, its angles truncated to whole degrees.
    static Turn of(const Pose& p);

    // Turns about Y, then X, then Z; the result truncated toward zero.
    Vec3i apply(int32_t x, int32_t y, int32_t z) const;

private:
    double cosX_, sinX_, cosY_, sinY_, cosZ_, sinZ_;
};

// One triangle as it is painted: screen points, shaded colour, depth and its
// place in the pack (for the order of equal depths).
struct DrawnTriangle {
    std::array<PointI, 3> points;
    Colour colour;
    int64_t depth;
    uint32_t index;
};

// Projects triangle `index` of a pack turned by `turn` and moved by `offset`.
// Nothing when it faces away (not clockwise on screen, Y downwards), when a
// vertex is at or behind the viewer (Z + deep <= 0), or when a point falls
// outside the coordinates the drawing calls accept.
std::optional<DrawnTriangle> projectTriangle(const Triangle& t, uint32_t index, const Turn& turn,
                                             const Vec3i& offset, const Centre& centre);

// The flat shading factor, 2/3 (edge-on) to 1 (facing the viewer), of a face
// whose back-face value is `r` > 0; nx and ny are the other normal components.
double shadeFactor(double nx, double ny, double r);

// Farthest first; among equal depths the one stored earlier comes later, so it
// is painted over the others.
void paintersOrder(std::vector<DrawnTriangle>& list);

// Everything a pack draws, in painting order, into `out` (its storage reused).
void buildDrawList(std::span<const Triangle> triangles, const Pose& pose, const Centre& centre,
                   std::vector<DrawnTriangle>& out);

// Set3DLocalPos: the pack's own axis scaled by `move`, in whole units, as it
// is added to the position.
Vec3i localMove(const Pose& pose, Axis axis, int32_t move);

// Set3DLocalRotate: turns the pack by `degrees` about its own axis.
void localRotate(Pose& pose, Axis axis, int32_t degrees);

// The angles (ax, ay, az in degrees, 0..360) of the orientation whose X and Y
// axes are `xAxis` and `yAxis`. Always finite: an axis that leaves an angle
// undetermined gives that angle as if the ratio were 1.
Vec3d anglesFromAxes(const Vec3d& xAxis, const Vec3d& yAxis);

}  // namespace kav
