// The control structures: the executor runs them; the table only places them.
#include "engine/commands.h"

namespace kav {

namespace {

constexpr CommandEntry kEntries[] = {
    {"loop", 1, kStatement | kCreate | kDialogCreate, nullptr, Kind::Loop},
    {"if", 1, kStatement | kCreate | kDialogCreate, nullptr, Kind::If},
    {"call", 1, kStatement, nullptr, Kind::Call},
    {"return", 0, kStatement, nullptr, Kind::Return},
    {"end", 0, kStatement, nullptr, Kind::End},
};

}  // namespace

extern constinit const CommandFamily kFlowCommands{kEntries};

}  // namespace kav
