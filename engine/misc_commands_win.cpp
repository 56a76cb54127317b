// Beep and WinExec: the two commands that belong to no other family.
#include <windows.h>

#include "engine/commands.h"
#include "engine/engine.h"

namespace kav {

namespace {

void beep(Call& c) {
    int32_t type = 0;
    if (c.integers(0, 0, &type)) MessageBeep(static_cast<UINT>(type));
}

// A program that cannot be started is a warning: the script goes on.
void winExec(Call& c) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    const std::string program = resolveTextArgument(c.e, literal, 512);
    if (WinExec(program.c_str(), SW_SHOWNORMAL) < 32) {
        const std::string text = program + " を実行できません";
        MessageBoxA(static_cast<HWND>(c.window), text.c_str(), "KAV Warning", MB_ICONWARNING);
    }
}

constexpr CommandEntry kEntries[] = {
    {"Beep", 1, kStatement, beep},
    {"WinExec", 1, kStatement, winExec},
};

}  // namespace

extern constinit const CommandFamily kMiscCommands{kEntries};

}  // namespace kav
