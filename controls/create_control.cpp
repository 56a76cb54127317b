// CreateControl: the declaration of a control in a CREATE section. Windows are
// made later, when the run window or the dialog is created.
#include "controls/control_table.h"
#include "engine/args.h"
#include "engine/commands.h"
#include "engine/engine.h"

namespace kav {

namespace {

void createControl(Call& c) {
    ControlTable& table = c.part<ControlTable>();
    if (table.count() >= kControlMax) return c.fail(Status::ControlFailed);
    if (Status s = checkArgCount(c.args, 7); s != Status::Ok) return c.fail(s);
    std::string_view text, name;
    if (!c.string(1, text) || !c.string(2, name)) return;
    int32_t type = 0, rect[4];
    if (!c.integers(0, 0, &type) || !c.integers(3, 6, rect)) return;
    // Texts longer than the fields are cut at a character boundary.
    (void)table.append(type, text, name, rect[0], rect[1], rect[2], rect[3]);
}

constexpr CommandEntry kEntries[] = {
    {"CreateControl", kArgsChecked, kCreate | kDialogCreate, createControl},
};

}  // namespace

extern constinit const CommandFamily kCreateControlCommands{kEntries};

}  // namespace kav
