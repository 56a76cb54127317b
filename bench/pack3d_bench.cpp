// The per-frame maths of a 3D pack: turning a full pack of 1024 triangles and
// building its painting list, as Draw3DPack does before it draws. Items are
// frames, so the output reads in frames per second.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "graphics/pack3d.h"

namespace {

using Point = std::array<double, 3>;

Point minus(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// Puts the vertices in the order whose cross product points into the solid:
// that order runs clockwise on screen when the face looks at the viewer.
std::array<Point, 3> wound(std::array<Point, 3> t, const Point& outward) {
    const Point u = minus(t[1], t[0]), v = minus(t[2], t[0]);
    const Point n = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    if (n[0] * outward[0] + n[1] * outward[1] + n[2] * outward[2] > 0) std::swap(t[1], t[2]);
    return t;
}

// A torus of 16 x 32 quads: 1024 triangles, each wound so that it faces the
// viewer when its outside does.
std::vector<kav::Triangle> torus() {
    constexpr int kRings = 16, kSegments = 32;
    constexpr double kTube = 30, kRadius = 70;
    auto point = [](int ring, int segment) {
        const double u = 2 * std::numbers::pi * segment / kSegments, v = 2 * std::numbers::pi * ring / kRings;
        const double r = kRadius + kTube * std::cos(v);
        return Point{r * std::cos(u), kTube * std::sin(v), r * std::sin(u)};
    };
    std::vector<kav::Triangle> out;
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            const auto a = point(i, j), b = point(i + 1, j), c = point(i + 1, j + 1), d = point(i, j + 1);
            // Away from the middle of the tube at this segment.
            const double u = 2 * std::numbers::pi * (j + 0.5) / kSegments;
            const Point outward = minus(a, Point{kRadius * std::cos(u), 0, kRadius * std::sin(u)});
            for (const auto& t : {wound({a, b, c}, outward), wound({a, c, d}, outward)}) {
                kav::Triangle tri{};
                for (int k = 0; k < 3; ++k)
                    for (int n = 0; n < 3; ++n) tri[static_cast<size_t>(3 * k + n)] = static_cast<int32_t>(t[k][n]);
                tri[9] = 255, tri[10] = 160, tri[11] = 40;
                out.push_back(tri);
            }
        }
    }
    return out;
}

void BM_DrawListFrame(benchmark::State& state) {
    const std::vector<kav::Triangle> mesh = torus();
    kav::Pose pose;
    pose.pz = 200;
    std::vector<kav::DrawnTriangle> list;
    for (auto _ : state) {
        kav::localRotate(pose, kav::Axis::Y, 3);
        kav::localRotate(pose, kav::Axis::X, 2);
        kav::buildDrawList(mesh, pose, kav::Centre{160, 120, 1000}, list);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["drawn"] = static_cast<double>(list.size());
}
BENCHMARK(BM_DrawListFrame);

}  // namespace
