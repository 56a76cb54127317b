#include "engine/engine.h"

#include <cstdlib>
#include <ctime>

#include "engine/exec.h"
#include "engine/window_setup.h"

namespace kav {

Engine::Engine(SubsystemList subsystems_, const CommandRegistry& commands_, Host& host_, const CKavMes& reporter_)
    : subsystems(subsystems_), commands(commands_), host(host_), reporter(reporter_),
      compiled_(std::make_unique<CompiledProgram>(program, names.generation())) {
    renewParts();
}

Engine::~Engine() = default;

void Engine::load(std::string raw) {
    fault.subject.clear();  // it may point into the statements compiled for the old text
    compiled_.reset();
    program = ProgramText(std::move(raw));
    compiled_ = std::make_unique<CompiledProgram>(program, names.generation());
}

CompiledProgram& Engine::compiled() {
    if (compiled_->nameGeneration() != names.generation()) {
        // Compiled statements hold the slots of names that are gone. The subject
        // may point into them: it keeps its own copy.
        if (const std::string_view subject = fault.subject.view(); !subject.empty()) fault.subject.set(subject);
        compiled_ = std::make_unique<CompiledProgram>(program, names.generation());
    }
    return *compiled_;
}

void Engine::renewParts() {
    // The old parts go first, in reverse: nothing of the last run outlives
    // the making of the next run's.
    while (!parts_.empty()) parts_.pop_back();
    for (const Subsystem* s : subsystems)
        if (s->make) parts_.push_back({s->key, s->make()});
}

Part* Engine::partOf(PartKey key) {
    for (PartSlot& slot : parts_)
        if (slot.key == key) return slot.part.get();
    return nullptr;
}

std::string resolveTextArgument(Engine& e, std::string_view literal, size_t limit) {
    std::string text;
    bool found = false;
    e.eachPart([&](Part& p) { found = found || p.textArgument(literal, limit, text); });
    if (found) return text;
    if (literal == "FILE_NAME") return e.fileName;
    return std::string(literal);
}

void resetRunState(Engine& e, int screenW, int screenH) {
    e.setup = WindowSetup{};
    e.dialog = DialogSetup{};
    e.sys = SystemState{};
    e.sys.screenW = screenW;
    e.sys.screenH = screenH;
    e.sys.winW = screenW - 80;
    e.sys.winH = screenH - 80;
    e.run = RunState::Creating;
    e.dialogState = DialogState::Closed;
    e.result = 0;
    e.fault.clear();
    e.createFailedAt = -1;
    e.runWindow = nullptr;
    e.dialogWindow = nullptr;
    e.renewParts();
}

bool prepareProgram(Engine& e) {
    Fault& f = e.fault;
    e.names.clear();
    std::time_t now = std::time(nullptr);
    std::srand(static_cast<unsigned>(std::localtime(&now)->tm_sec));
    const int32_t brace = e.compiled().section("CREATE", f);
    if (f.status == static_cast<uint8_t>(Status::NoSection)) {
        f.clear();
    } else {
        const int32_t stop = executeSection(e, nullptr, brace, kCreate);
        if (!f.ok()) {
            e.createFailedAt = stop;
            e.names.clear();
            e.renewParts();
            return false;
        }
    }
    adjustWindowSize(e);
    return true;
}

}  // namespace kav
