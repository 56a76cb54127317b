// The script's menu bar on the run window: its commands, its construction at
// window creation and the section a chosen item runs.
#pragma once
#include <windows.h>

#include <string_view>

#include "engine/commands.h"

namespace kav {

// Menu, PopupMenu and PopupMenuEX (CREATE) and SetMenuStyle.
extern const CommandEntry kMenuCommands[4];

// Gives the window the menu bar the CREATE section declared, if it declared menus:
// one pop-up per menu that has items, in declaration order. The window owns it.
void attachMenuBar(HWND window);

// The section a chosen menu item runs (identifiers below 600); empty for none.
std::string_view menuItemSection(int id);

}  // namespace kav
