// The compiled expression trees against the stepwise evaluator: the same script
// runs on two engines, one evaluating by each method, through the same events
// and section runs as fuzz_exec, and after every run both must agree on the
// status, the subject, where the run stopped, the message the error would show,
// and every name and value of the table, bit for bit. The random generator is
// seeded alike before each run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/exec.h"
#include "engine/program_text.h"

namespace {

constexpr uint64_t kStepsPerRun = 5000;

struct NullHost : kav::Host {
    void postClose(kav::WindowRef) override {}
    int metric(kav::Metric) override { return 1; }
};

std::string* lastMessage = nullptr;
void keepMessage(void*, kav::WindowRef, const std::string& text, const char*) {
    if (lastMessage) *lastMessage = text;
}

const kav::Subsystem* const kCore[] = {&kav::kCoreSubsystem};

const kav::CommandRegistry& registry() {
    static const kav::CommandRegistry r = kav::registryOf(kCore);
    return r;
}

struct Side {
    NullHost host;
    kav::CKavMes reporter{"KAV Error", keepMessage};
    kav::Engine e{kCore, registry(), host, reporter};
    std::string message;
    int32_t stop = 0;

    explicit Side(bool stepwise) { e.stepwiseExpressions = stepwise; }

    void fresh() {
        e.run = kav::RunState::Running;
        e.fault.clear();
        e.steps = 0;
        e.stepLimit = kStepsPerRun;
        message.clear();
        lastMessage = &message;
        std::srand(7);
    }
};

[[noreturn]] void mismatch(const char* what, const std::string& a, const std::string& b) {
    std::fprintf(stderr, "fuzz_diff: the two evaluators disagree on %s: tree \"%s\", stepwise \"%s\"\n", what,
                 a.c_str(), b.c_str());
    std::abort();
}

void expectSame(Side& tree, Side& step) {
    const kav::Engine &a = tree.e, &b = step.e;
    if (a.fault.status != b.fault.status)
        mismatch("the status", std::to_string(a.fault.status), std::to_string(b.fault.status));
    if (a.fault.subject.view() != b.fault.subject.view())
        mismatch("the subject", std::string(a.fault.subject.view()), std::string(b.fault.subject.view()));
    if (tree.stop != step.stop) mismatch("the stop position", std::to_string(tree.stop), std::to_string(step.stop));
    if (tree.message != step.message) mismatch("the message", tree.message, step.message);
    if (a.steps != b.steps) mismatch("the statements run", std::to_string(a.steps), std::to_string(b.steps));
    if (a.run != b.run || a.dialogState != b.dialogState) mismatch("the run states", "", "");
    if (std::memcmp(&a.result, &b.result, sizeof a.result) != 0)
        mismatch("the result register", std::to_string(a.result), std::to_string(b.result));
    kav::NameTable &na = tree.e.names, &nb = step.e.names;
    if (na.count() != nb.count()) mismatch("the name count", std::to_string(na.count()), std::to_string(nb.count()));
    for (int i = 0; i < na.count(); ++i) {
        const kav::NameTable::Entry &ea = na.entry(i), &eb = nb.entry(i);
        if (na.name(i) != nb.name(i) || ea.rows != eb.rows || ea.columns != eb.columns)
            mismatch("an entry", std::string(na.name(i)), std::string(nb.name(i)));
        const size_t n = size_t{ea.rows} * ea.columns;
        if (std::memcmp(na.slots(i), nb.slots(i), n * sizeof(double)) != 0)
            mismatch("the values of", std::string(na.name(i)), std::string(nb.name(i)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Side tree(false), step(true);
    kav::WindowRef window = reinterpret_cast<kav::WindowRef>(0x1000);
    const std::string script(reinterpret_cast<const char*>(data), size);

    bool prepared[2];
    Side* sides[2] = {&tree, &step};
    for (int k = 0; k < 2; ++k) {
        Side& s = *sides[k];
        kav::resetRunState(s.e, 1280, 1024);
        s.e.load(script);
        s.fresh();
        // The CREATE phase as program preparation runs it, but with the seed of
        // every other run instead of one from the clock.
        s.e.names.clear();
        const int32_t brace = s.e.compiled().section("CREATE", s.e.fault);
        s.stop = brace;
        if (s.e.fault.status == static_cast<uint8_t>(kav::Status::NoSection)) s.e.fault.clear();
        else s.stop = kav::executeSection(s.e, nullptr, brace, kav::kCreate);
        prepared[k] = s.e.fault.ok();
    }
    if (prepared[0] != prepared[1]) mismatch("the CREATE phase", "", "");
    expectSame(tree, step);
    if (!prepared[0]) return 0;

    for (std::string_view event : {"INIT", "TIMER", "TIMER", "CLOSE"}) {
        for (Side* s : sides) {
            s->fresh();
            kav::runEvent(s->e, window, event);
        }
        expectSame(tree, step);
    }

    const std::string_view text = tree.e.program.view();
    const std::string first(text.substr(0, text.find('{')));
    for (int run = 0; run < 2; ++run) {
        for (Side* s : sides) {
            s->fresh();
            const int32_t brace = s->e.compiled().section(first, s->e.fault);
            s->stop = brace;
            if (!s->e.fault.ok()) continue;
            s->stop = kav::executeSection(s->e, window, brace, kav::kStatement);
        }
        expectSame(tree, step);
    }
    lastMessage = nullptr;
    return 0;
}
