#include "engine/dialog_setup.h"

#include "engine/commands.h"

namespace kav {

DialogSetup defaultDialog(const Engine& e, std::string id, size_t controlCount) {
    DialogSetup d;
    if (id.size() > 255) id.resize(255);
    d.id = std::move(id);
    d.x = e.sys.winL + 50;
    d.y = e.sys.winT + 50;
    d.firstControl = controlCount;
    return d;
}

namespace {

void setWinSize(Call& c) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    // The outer size whose client area is what the script asked for, from the
    // frame the dialog's style really has.
    int32_t w = v[0], h = v[1];
    c.e.host.outerSize(0, c.e.dialog.style, false, w, h);
    c.e.dialog.width = w;
    c.e.dialog.height = h;
}

void setWinPos(Call& c) {
    int32_t v[3];
    if (!c.integers(0, 2, v)) return;
    c.e.dialog.x = v[0];
    c.e.dialog.y = v[1];
    c.e.dialog.topmost = v[2] == 1;
}

void setWinColor(Call& c) {
    int32_t colour = 0;
    if (!c.integers(0, 0, &colour)) return;
    if (colour < -1 || colour > 16) return c.fail(Status::ColourInvalid);
    c.e.dialog.colour = colour;
}

void setCaption(Call& c) {
    std::string_view text;
    if (!c.string(0, text)) return;
    c.e.dialog.caption = text.substr(0, 255);
}

void setTimer(Call& c) {
    int32_t t = 0;
    if (!c.integers(0, 0, &t)) return;
    if (t <= 0) return c.fail(Status::TimerFailed);
    c.e.dialog.timerInterval = t;
}

}  // namespace

namespace {

constexpr CommandEntry kEntries[] = {
    {"SetWinSize", 2, kDialogCreate, setWinSize},
    {"SetWinPos", 3, kDialogCreate, setWinPos},
    {"SetWinColor", 1, kDialogCreate, setWinColor},
    {"SetCaption", 1, kDialogCreate, setCaption},
    {"SetTimer", 1, kDialogCreate, setTimer},
};

}  // namespace

extern constinit const CommandFamily kDialogSetupCommands{kEntries};

}  // namespace kav
