#include "graphics/geometry.h"

#include <cmath>

namespace kav {

namespace {

// Scripts expect exactly this value: the drawn points are part of their output.
constexpr double kPi = 3.141592;

// Wraps into 32 bits as the drawing calls receive it.
int32_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

}  // namespace

PointI anglePoint(int32_t xl, int32_t yt, int32_t xr, int32_t yb, int32_t angle) {
    // 64-bit sums: extreme corners must not overflow before the halving.
    const int64_t midX = (int64_t{xl} + xr) / 2, midY = (int64_t{yt} + yb) / 2;
    const int64_t halfW = (int64_t{xr} - xl) / 2, halfH = (int64_t{yb} - yt) / 2;
    // The remainder keeps the dividend's sign, so angles above 450 come out negative.
    const double t = static_cast<double>((450 - int64_t{angle}) % 360) * kPi / 180;
    int64_t x, y;
    switch (angle) {
    case 0: case 180: case 360: x = midX; break;
    case 90: x = xr; break;
    case 270: x = xl; break;
    default: x = midX + static_cast<int64_t>(std::trunc(std::cos(t) * static_cast<double>(halfW)));
    }
    switch (angle) {
    case 0: case 360: y = yt; break;
    case 90: case 270: y = midY; break;
    case 180: y = yb; break;
    default: y = midY - static_cast<int64_t>(std::trunc(std::sin(t) * static_cast<double>(halfH)));
    }
    return {wrap(x), wrap(y)};
}

}  // namespace kav
