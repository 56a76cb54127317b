// The dialog window (class DLG) that DlgBox opens beside the run window: its
// events run the sections named after the dialog's ID.
#pragma once
#include <windows.h>

#include <string>

#include "engine/engine.h"

namespace kav {

// Opens the dialog `id` for a section of `caller`: runs its creation section,
// then creates and shows the window. Does nothing while a dialog is open; an
// error of the creation section is left in the status for the caller.
void openDialog(Engine& e, HWND caller, std::string id);

}  // namespace kav
