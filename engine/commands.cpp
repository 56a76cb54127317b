#include "engine/commands.h"

#include "engine/args.h"
#include "engine/engine.h"

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

void CommandRegistry::add(std::span<const CommandEntry> family) {
    for (const CommandEntry& entry : family) {
        all_.push_back(&entry);
        for (Table t : {kStatement, kValue, kCreate, kDialogCreate})
            if (entry.tables & t) byTable_[tableIndex(t)].emplace(entry.name, &entry);
    }
}

const CommandEntry* CommandRegistry::find(Table t, std::string_view name) const {
    const auto& table = byTable_[tableIndex(t)];
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

extern const CommandEntry kFlowCommands[5];
extern const CommandEntry kDataCommands[2];
extern const CommandEntry kMathCommands[10];
extern const CommandEntry kWindowSetupCommands[8];
extern const CommandEntry kDialogSetupCommands[5];

void addCoreFamilies(CommandRegistry& r) {
    r.add(kFlowCommands);
    r.add(kDataCommands);
    r.add(kMathCommands);
    r.add(kWindowSetupCommands);
    r.add(kDialogSetupCommands);
}

}  // namespace kav
