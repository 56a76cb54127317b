// The script's menu bar on the run window: made from the menus CREATE
// declared, and the section a chosen item runs.
#pragma once
#include <windows.h>

#include <string_view>

#include "controls/menu_table.h"

namespace kav {

struct Engine;

class MenuBar final : public MenuTable {
public:
    // Gives the run window the declared bar, if menus were declared: one
    // pop-up per menu that has items, in declaration order. The window owns it.
    void windowCreated(Engine& e, WindowRef window) override;
};

}  // namespace kav
