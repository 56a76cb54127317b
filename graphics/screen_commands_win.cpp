// Screens and palette: SubScreen (CREATE), SetPal, FullPaint and the client to
// desktop conversions.
#include "engine/commands.h"
#include "engine/engine.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

void setPal(Call& c) {
    int32_t v[4];
    if (!c.integers(0, 3, v)) return;
    const Status s = checkPaletteEntry(v[0], v[1], v[2], v[3]);
    if (s != Status::Ok) return c.fail(s);
    c.part<GraphicsState>().palette.entries[static_cast<size_t>(v[0])] = rgb(v[1], v[2], v[3]);
}

void fullPaint(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    PenBrush pb;
    if (pb.select(c.e, v[0], v[1], v[1])) Rectangle(pb.dc(), 0, 0, pb.target().width(), pb.target().height());
}

// The argument is a client coordinate of the window whose section runs.
template <bool X>
void clientToScreen(Call& c) {
    int32_t v = 0;
    if (!c.integers(0, 0, &v)) return;
    POINT p{X ? v : 0, X ? 0 : v};
    if (c.window) ClientToScreen(static_cast<HWND>(c.window), &p);
    c.result(X ? p.x : p.y);
}

constexpr CommandEntry kEntries[] = {
    {"SubScreen", 3, kCreate, subScreenCommand},
    {"SetPal", 4, kStatement, setPal},
    {"FullPaint", 2, kStatement, fullPaint},
    {"ClientToScreenX", 1, kStatement | kValue, clientToScreen<true>},
    {"ClientToScreenY", 1, kStatement | kValue, clientToScreen<false>},
};

}  // namespace

extern constinit const CommandFamily kScreenCommands{kEntries};

}  // namespace kav
