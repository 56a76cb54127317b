// The dialog box a script opens with DlgBox: its default settings and the
// commands of its own creation section.
#pragma once
#include <cstddef>
#include <string>

#include "engine/engine.h"

namespace kav {

// The settings a new dialog starts from: placed 50 pixels right of and below
// the run window's corner.
DialogSetup defaultDialog(const Engine& e, std::string id, size_t controlCount);

// The creation-section forms of SetWinSize, SetWinPos, SetWinColor, SetCaption
// and SetTimer: they set the dialog's settings.
extern const CommandFamily kDialogSetupCommands;

}  // namespace kav
