// Every subsystem of the Windows programs, in order.
#pragma once
#include "engine/subsystem.h"

namespace kav {

// The order is the order of the windows' hooks: parts are made at a run's
// start and told of the run window's creation and destruction in this order
// (the open file closes first; nothing that draws into a sub-screen outlives
// the sub-screens).
SubsystemList allSubsystems();

}  // namespace kav
