#include "engine/commands.h"

#include "engine/args.h"
#include "engine/engine.h"
#include "engine/subsystem.h"

namespace kav {

bool Call::number(int k, double& out) { return args.number(e, window, k, out); }
bool Call::integers(int first, int last, int32_t* out) { return args.integers(e, window, first, last, out); }
bool Call::string(int k, std::string_view& out) { return args.string(e, k, out); }
void Call::fail(Status s) { e.fault.raise(s); }
void Call::fail(Status s, std::string_view subject) { e.fault.raise(s, subject); }
void Call::result(double v) { e.result = v; }

Status checkArgCount(const ArgList& args, int8_t expected) {
    if (args.empty()) return expected > 0 ? Status::TooManyParams : Status::Ok;
    if (expected == 0 || args.count() > expected) return Status::TooManyParams;
    if (args.count() < expected) return Status::TooFewParams;
    return Status::Ok;
}

int tableIndex(Table t) {
    switch (t) {
    case kStatement: return 0;
    case kValue: return 1;
    case kCreate: return 2;
    case kDialogCreate: return 3;
    }
    return 0;
}

void CommandRegistry::add(CommandFamily family) {
    for (const CommandEntry& entry : family) {
        all_.push_back(&entry);
        for (Table t : {kStatement, kValue, kCreate, kDialogCreate})
            if ((entry.tables & t) && !byTable_[tableIndex(t)].emplace(entry.name, &entry).second)
                duplicates_.push_back(entry.name);
    }
}

CommandRegistry registryOf(SubsystemList list) {
    CommandRegistry r;
    for (const Subsystem* s : list)
        for (const CommandFamily* f : s->families) r.add(*f);
    return r;
}

// The portable core's families.
extern const CommandFamily kFlowCommands, kDataCommands, kMathCommands, kWindowSetupCommands,
    kDialogSetupCommands;
constexpr const CommandFamily* kCoreFamilies[] = {&kFlowCommands, &kDataCommands, &kMathCommands,
                                                  &kWindowSetupCommands, &kDialogSetupCommands};
extern constinit const Subsystem kCoreSubsystem{"engine", kCoreFamilies};

const CommandEntry* CommandRegistry::find(Table t, std::string_view name) const {
    const auto& table = byTable_[tableIndex(t)];
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

}  // namespace kav
