// Arbitrary script text loaded, prepared (the CREATE phase) and run: the event
// sections as the run window raises them, and the first section of the text run
// directly: twice, so that the second run goes through the compiled statements
// and the names the first one created, then as a dialog's creation section.
// A step budget bounds every run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/exec.h"
#include "engine/program_text.h"

namespace {

// Statements per run, and for all runs of one input: the budget counts
// statements, not work, and a statement can cost tens of thousands of steps
// (DataInit fills up to 65535 slots), so the total keeps slow inputs far from
// the time-out.
constexpr uint64_t kStepsPerRun = 10000;
constexpr uint64_t kStepsPerInput = 20000;

struct NullHost : kav::Host {
    void postClose(kav::WindowRef) override {}
    int metric(kav::Metric) override { return 1; }
};

// The message is built in full (section lookup, subject) and dropped.
void showNothing(void*, kav::WindowRef, const std::string&, const char*) {}

const kav::Subsystem* const kCore[] = {&kav::kCoreSubsystem};

const kav::CommandRegistry& registry() {
    static const kav::CommandRegistry r = kav::registryOf(kCore);
    return r;
}

// What a new event finds: the program running, no error, a fresh budget out of
// what the input has left. False when nothing is left.
bool freshRun(kav::Engine& e, uint64_t& left) {
    left -= e.steps < left ? e.steps : left;
    e.run = kav::RunState::Running;
    e.fault.clear();
    e.steps = 0;
    e.stepLimit = left < kStepsPerRun ? left : kStepsPerRun;
    return left > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NullHost host;
    const kav::CKavMes reporter("KAV Error", showNothing);
    kav::Engine e(kCore, registry(), host, reporter);
    kav::WindowRef window = reinterpret_cast<kav::WindowRef>(0x1000);

    kav::resetRunState(e, 1280, 1024);
    e.load(std::string(reinterpret_cast<const char*>(data), size));
    uint64_t left = kStepsPerInput;
    e.steps = 0;
    freshRun(e, left);
    if (!kav::prepareProgram(e)) {
        // Building the message reads the subject the failure left: one pointing
        // at released text shows up here.
        reporter.report(window, e.fault.status, e.program, -1, e.fault.subject.view());
        return 0;
    }

    for (std::string_view event : {"INIT", "TIMER", "TIMER", "CLOSE"}) {
        if (!freshRun(e, left)) return 0;
        kav::runEvent(e, window, event);
    }

    const std::string_view text = e.program.view();
    const std::string first(text.substr(0, text.find('{')));
    for (int run = 0; run < 3; ++run) {
        if (!freshRun(e, left)) return 0;
        const int32_t brace = e.compiled().section(first, e.fault);
        if (!e.fault.ok()) break;
        // The third run reads it as a dialog's creation section, with the
        // dialog's table of commands and its system variables.
        const bool dialog = run == 2;
        e.dialogState = dialog ? kav::DialogState::Open : kav::DialogState::Closed;
        const int32_t stop = kav::executeSection(e, window, brace, dialog ? kav::kDialogCreate : kav::kStatement);
        // Reading the subject after the run catches one left pointing at freed text.
        if (!e.fault.ok()) reporter.report(window, e.fault.status, e.program, stop, e.fault.subject.view());
    }
    return 0;
}
