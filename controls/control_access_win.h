// How a control command reaches its control: the quoted ID_ name of an
// argument, looked up in the table, with the type range checked.
#pragma once
#include <windows.h>

#include "controls/control_table.h"
#include "engine/commands.h"
#include "engine/engine.h"

namespace kav {

// The entry named by the quoted argument k, or nullptr with the status set:
// 9 without quotes, 24 for an unknown name and for "FILE_NAME" (these commands
// need a real control).
ControlEntry* controlArgument(Call& c, int k);

// As controlArgument, and raises 26 unless the type passes the range check.
ControlEntry* controlArgument(Call& c, int k, bool (*inRange)(int32_t));

// No error so far in this command.
inline bool ok(const Call& c) { return c.e.fault.ok(); }

inline HWND hwndOf(const ControlEntry& entry) { return static_cast<HWND>(entry.window); }

}  // namespace kav
