// A subsystem as the interpreter sees it: the command families it registers
// and the per-run state it keeps. One list names every subsystem of a program
// in order; the registry, the engine's parts and the windows' hooks walk it.
#pragma once
#include <memory>
#include <span>

#include "engine/commands.h"
#include "engine/part.h"

namespace kav {

struct Subsystem {
    const char* name;
    std::span<const CommandFamily* const> families;
    PartKey key = nullptr;                      // its per-run state, if it keeps any
    std::unique_ptr<Part> (*make)() = nullptr;  // a fresh one (a platform subclass may stand in)
};

using SubsystemList = std::span<const Subsystem* const>;

// A registry of every family of the list.
CommandRegistry registryOf(SubsystemList list);

// The portable core: control structures, data arrays, mathematics, the CREATE
// forms of the window and dialog setup commands.
extern const Subsystem kCoreSubsystem;

}  // namespace kav
