// The shape commands and the pixel readers. Each evaluates its arguments,
// selects its pen and brush (colour checks, then the screen), draws and lets
// the guards put everything back.
#include "engine/commands.h"
#include "engine/engine.h"
#include "graphics/geometry.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

// Box, Circle: scr, XL, YT, XR, YB, OC, IC.
template <BOOL (*Draw)(HDC, int, int, int, int)>
void rectangleShape(Call& c) {
    int32_t v[7];
    if (!c.integers(0, 6, v)) return;
    PenBrush pb;
    if (pb.select(c.e, v[0], v[5], v[6])) Draw(pb.dc(), v[1], v[2], v[3], v[4]);
}

void roundBox(Call& c) {
    int32_t v[9];
    if (!c.integers(0, 8, v)) return;
    PenBrush pb;
    if (pb.select(c.e, v[0], v[7], v[8])) RoundRect(pb.dc(), v[1], v[2], v[3], v[4], v[5], v[6]);
}

// FBox and Triangle: scr, N points, OC, IC; filled by the alternate rule.
template <int N>
void polygon(Call& c) {
    int32_t v[2 * N + 3];
    if (!c.integers(0, 2 * N + 2, v)) return;
    PenBrush pb;
    if (!pb.select(c.e, v[0], v[2 * N + 1], v[2 * N + 2])) return;
    POINT points[N];
    for (int k = 0; k < N; ++k) points[k] = {v[1 + 2 * k], v[2 + 2 * k]};
    Polygon(pb.dc(), points, N);
}

void line(Call& c) {
    int32_t v[6];
    if (!c.integers(0, 5, v)) return;
    PenBrush pb;
    if (!pb.select(c.e, v[0], v[5], -1)) return;
    MoveToEx(pb.dc(), v[1], v[2], nullptr);
    LineTo(pb.dc(), v[3], v[4]);
}

void point(Call& c) {
    int32_t v[4];
    if (!c.integers(0, 3, v)) return;
    const Status s = checkSingle(v[3]);
    if (s != Status::Ok) return c.fail(s);
    DrawTarget target;
    if (target.screen(c.e, v[0])) SetPixel(target.dc(), v[1], v[2], c.part<GraphicsState>().palette[v[3]]);
}

// Pie, Chord (scr, XL, YT, XR, YB, ST, SP, OC, IC) and Arc (scr, ..., ST, SP, C).
// The system sweeps counter-clockwise from its first radial point, so SP goes
// first and the part drawn is the clockwise sweep from ST to SP.
enum class Sweep { Pie, Chord, Arc };

template <Sweep S>
void sweep(Call& c) {
    constexpr int last = S == Sweep::Arc ? 7 : 8;
    int32_t v[9];
    if (!c.integers(0, last, v)) return;
    PenBrush pb;
    if (!pb.select(c.e, v[0], v[7], S == Sweep::Arc ? -1 : v[8])) return;
    const PointI st = anglePoint(v[1], v[2], v[3], v[4], v[5]);
    const PointI sp = anglePoint(v[1], v[2], v[3], v[4], v[6]);
    if constexpr (S == Sweep::Pie) Pie(pb.dc(), v[1], v[2], v[3], v[4], sp.x, sp.y, st.x, st.y);
    if constexpr (S == Sweep::Chord) Chord(pb.dc(), v[1], v[2], v[3], v[4], sp.x, sp.y, st.x, st.y);
    if constexpr (S == Sweep::Arc) Arc(pb.dc(), v[1], v[2], v[3], v[4], sp.x, sp.y, st.x, st.y);
}

// GetPixelR/G/B: the component is the result and ANSWER; a point off the
// surface reads as the invalid colour, 255 in every component.
template <int Shift>
void getPixel(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    DrawTarget target;
    if (!target.screen(c.e, v[0])) return;
    const COLORREF colour = GetPixel(target.dc(), v[1], v[2]);
    const auto component = static_cast<int32_t>((colour >> Shift) & 0xFF);
    c.e.sys.answer = component;
    c.result(component);
}

constexpr CommandEntry kEntries[] = {
    {"Box", 7, kStatement, rectangleShape<Rectangle>},
    {"RBox", 9, kStatement, roundBox},
    {"Circle", 7, kStatement, rectangleShape<Ellipse>},
    {"FBox", 11, kStatement, polygon<4>},
    {"Triangle", 9, kStatement, polygon<3>},
    {"Line", 6, kStatement, line},
    {"Point", 4, kStatement, point},
    {"Pie", 9, kStatement, sweep<Sweep::Pie>},
    {"Arc", 8, kStatement, sweep<Sweep::Arc>},
    {"Chord", 9, kStatement, sweep<Sweep::Chord>},
    {"GetPixelR", 3, kStatement | kValue, getPixel<0>},
    {"GetPixelG", 3, kStatement | kValue, getPixel<8>},
    {"GetPixelB", 3, kStatement | kValue, getPixel<16>},
};

}  // namespace

extern constinit const CommandFamily kPrimitiveCommands{kEntries};

}  // namespace kav
