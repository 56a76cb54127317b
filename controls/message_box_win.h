// MessBox, the message box family.
#pragma once
#include "engine/commands.h"

namespace kav {

extern const CommandEntry kMessageBoxCommands[1];

}  // namespace kav
