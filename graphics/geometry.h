// Where the angles of Pie, Arc and Chord meet their bounding rectangle.
#pragma once
#include <cstdint>

namespace kav {

struct PointI {
    int32_t x, y;
    bool operator==(const PointI&) const = default;
};

// The point of `angle` (whole degrees clockwise from 12 o'clock) for the
// ellipse inscribed in (xl,yt)-(xr,yb). The quarter angles 0, 90, 180, 270 and
// 360 give the rectangle's own edge points; every other angle is measured with
// pi taken as 3.141592 and the offsets from the centre truncated.
PointI anglePoint(int32_t xl, int32_t yt, int32_t xr, int32_t yb, int32_t angle);

}  // namespace kav
