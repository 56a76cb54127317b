#include "graphics/screen_table.h"

#include "engine/engine.h"

namespace kav {

Status screenStatus(int32_t scr, bool dialogOpen, bool subScreenReady) {
    if (scr < kDialogScreen || scr > kSubScreens) return Status::ParamInvalid;
    if (scr == kDialogScreen) return dialogOpen ? Status::Ok : Status::ParamInvalid;
    if (scr == kMainScreen) return Status::Ok;
    return subScreenReady ? Status::Ok : Status::NoSubScreen;
}

void subScreenCommand(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    if (v[0] < 1 || v[0] > kSubScreens || v[1] <= 0 || v[2] <= 0) return c.fail(Status::ParamInvalid);
    GraphicsState& g = c.part<GraphicsState>();
    g.width[static_cast<size_t>(v[0])] = v[1];
    g.height[static_cast<size_t>(v[0])] = v[2];
}

}  // namespace kav
