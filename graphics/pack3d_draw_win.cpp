// Draw3DPack, and the 3D pack subsystem: its commands and its per-run table.
#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/subsystem.h"
#include "graphics/pack3d.h"
#include "graphics/screens_win.h"
#include "win32/gdi_win.h"

namespace kav {

namespace {

// Checks the pack before the screen. Every triangle has a colour of its own:
// the context's own solid pen (one pixel wide) and brush change colour per
// triangle, where a created pair each would cost four more calls a triangle.
void draw3DPack(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    PackTable& table = c.part<PackTable>();
    const Pack* pack = table.find(v[1]);
    if (!pack) return c.fail(Status::Pack3DNumber);
    DrawTarget target;
    if (!target.screen(c.e, v[0]) || pack->count() == 0) return;
    buildDrawList(pack->triangles(), pack->pose, table.centre, table.drawList);
    HDC dc = target.dc();
    const SelectGuard pen(dc, GetStockObject(DC_PEN)), brush(dc, GetStockObject(DC_BRUSH));
    for (const DrawnTriangle& t : table.drawList) {
        SetDCPenColor(dc, t.colour);
        SetDCBrushColor(dc, t.colour);
        const POINT points[3] = {{t.points[0].x, t.points[0].y}, {t.points[1].x, t.points[1].y},
                                 {t.points[2].x, t.points[2].y}};
        Polygon(dc, points, 3);
    }
}

constexpr CommandEntry kEntries[] = {
    {"Draw3DPack", 2, kStatement, draw3DPack},
};

}  // namespace

extern constinit const CommandFamily kPack3DDrawCommands{kEntries};

// The 3D pack subsystem: part of the graphics in what it draws, a subsystem of
// its own in the state it keeps.
extern const CommandFamily kPack3DCommands;
constexpr const CommandFamily* kPack3DFamilies[] = {&kPack3DCommands, &kPack3DDrawCommands};
extern constinit const Subsystem kPack3DSubsystem{"pack3d", kPack3DFamilies, partKey<PackTable>(),
                                                  makePart<PackTable>};

}  // namespace kav
