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

constexpr uint64_t kStepLimit = 20000;

struct NullHost : kav::Host {
    void postClose(kav::WindowRef) override {}
    int metric(kav::Metric) override { return 1; }
};

// The message is built in full (section lookup, subject) and dropped.
void showNothing(void*, kav::WindowRef, const std::string&, const char*) {}

const kav::CommandRegistry& registry() {
    static const kav::CommandRegistry r = [] {
        kav::CommandRegistry reg;
        kav::addCoreFamilies(reg);
        return reg;
    }();
    return r;
}

// What a new event finds: the program running, no error, a fresh budget.
void freshRun(kav::Engine& e) {
    e.running = true;
    e.reporting = false;
    e.stopRuns = false;
    e.fault.clear();
    e.steps = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NullHost host;
    const kav::CKavMes reporter("KAV Error", showNothing);
    kav::Engine e(registry(), host, reporter);
    kav::WindowRef window = reinterpret_cast<kav::WindowRef>(0x1000);

    kav::resetRunState(e, 1280, 1024);
    e.load(std::string(reinterpret_cast<const char*>(data), size));
    e.stepLimit = kStepLimit;
    e.steps = 0;
    if (!kav::prepareProgram(e)) {
        // Building the message reads the subject the failure left: one pointing
        // at released text shows up here.
        reporter.report(window, e.fault.status, e.program, -1, e.fault.subject.view());
        return 0;
    }

    for (std::string_view event : {"INIT", "TIMER", "TIMER", "CLOSE"}) {
        freshRun(e);
        kav::runEvent(e, window, event);
    }

    const std::string_view text = e.program.view();
    const std::string first(text.substr(0, text.find('{')));
    for (int run = 0; run < 3; ++run) {
        freshRun(e);
        const int32_t brace = e.compiled().section(first, e.fault);
        if (!e.fault.ok()) break;
        // The third run reads it as a dialog's creation section, with the
        // dialog's table of commands and its system variables.
        const bool dialog = run == 2;
        e.dialogOpen = dialog;
        const int32_t stop = kav::executeSection(e, window, brace, dialog ? kav::kDialogCreate : kav::kStatement);
        // Reading the subject after the run catches one left pointing at freed text.
        if (!e.fault.ok()) reporter.report(window, e.fault.status, e.program, stop, e.fault.subject.view());
    }
    return 0;
}
