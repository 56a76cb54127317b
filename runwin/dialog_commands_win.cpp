// DlgBox: opens the script's dialog box beside the run window.
#include "engine/commands.h"
#include "engine/engine.h"
#include "runwin/dialog_window_win.h"
#include "runwin/win_host_win.h"

namespace kav {

namespace {

void dlgBox(Call& c) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    openDialog(c.e, hwndOf(c.window), resolveTextArgument(c.e, literal, 255));
}

constexpr CommandEntry kEntries[] = {
    {"DlgBox", 1, kStatement, dlgBox},
};

}  // namespace

extern constinit const CommandFamily kDialogCommands{kEntries};

}  // namespace kav
