// Interpreter throughput: scripts of simple statements run as one section on a
// prepared engine. Each benchmark reports the statements it executes as items,
// so the output reads in statements per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/exec.h"

namespace {

struct NullHost : kav::Host {
    void postClose(kav::WindowRef) override {}
    int metric(kav::Metric) override { return 1; }
};

void showNothing(void*, kav::WindowRef, const std::string&, const char*) {}

// One prepared program and the section under test.
class Bench {
public:
    explicit Bench(const std::string& script)
        : reporter_("KAV Error", showNothing), e_(kCore, registry(), host_, reporter_) {
        kav::resetRunState(e_, 1280, 1024);
        e_.load(script);
        prepared_ = kav::prepareProgram(e_);
        if (prepared_) brace_ = e_.compiled().section("RUN", e_.fault);
    }

    // Why the program cannot be measured, or empty.
    std::string problem() const {
        if (!prepared_) return "CREATE failed with status " + std::to_string(e_.fault.status);
        if (!e_.fault.ok()) return "no RUN section";
        return {};
    }

    // One run of the section; false on an error.
    bool run() {
        kav::executeSection(e_, nullptr, brace_);
        return e_.fault.ok();
    }

    // The statements one run executes, counted by the engine's step counter
    // (which costs a little, so the timed runs leave it off).
    uint64_t countStatements() {
        e_.stepLimit = std::numeric_limits<uint64_t>::max();
        e_.steps = 0;
        const bool ok = run();
        const uint64_t steps = e_.steps;
        e_.stepLimit = 0;
        e_.steps = 0;
        return ok ? steps : 0;
    }

    kav::Engine& engine() { return e_; }

private:
    static constexpr const kav::Subsystem* kCore[] = {&kav::kCoreSubsystem};
    static const kav::CommandRegistry& registry() {
        static const kav::CommandRegistry r = kav::registryOf(kCore);
        return r;
    }

    NullHost host_;
    kav::CKavMes reporter_;
    kav::Engine e_;
    bool prepared_ = false;
    int32_t brace_ = 0;
};

// Runs RUN repeatedly. `statements` is what one run executes, worked out from
// the script by hand; the engine's own count must agree before anything is timed,
// or the rate would be of some other work.
void runScript(benchmark::State& state, const std::string& script, uint64_t statements) {
    Bench b(script);
    if (std::string p = b.problem(); !p.empty()) return state.SkipWithError(p.c_str());
    if (const uint64_t counted = b.countStatements(); counted != statements) {
        const std::string msg = "expected " + std::to_string(statements) + " statements, the engine ran " +
                                std::to_string(counted);
        return state.SkipWithError(msg.c_str());
    }
    for (auto _ : state) {
        if (!b.run()) return state.SkipWithError("the section failed");
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * statements));
}

// The loops measured side by side with other interpreters (bench/lua/ holds the
// same work for Lua, and bench/compare.sh runs them as built applications too):
// the CREATE section, the body of RUN, other sections, and the statements one
// run of RUN executes.
struct Loop {
    const char* name;
    const char* create;
    const char* run;
    const char* sections;
    uint64_t statements;
};

constexpr Loop kLoops[] = {
    // (a) One assignment in a nested loop: 1 + 1 + 1000 loop statements, 10^6 assignments.
    {"Increment", "", "s=0;loop(1000){loop(1000){s=s+1;}}", "", 1 + 1 + 1000 + 1000000},
    // (b) A longer expression with * and %: two assignments per inner pass.
    {"Arithmetic", "", "s=0;loop(1000){loop(1000){x=(s*3+7)%11;s=s+1;}}", "", 1 + 1 + 1000 + 2 * 1000000},
    // (c) Element reads and writes of a 100x100 array: i=0, the outer loop, per row
    // j=0, the inner loop and i=i+1, per element two assignments.
    {"ArrayElements", "Data(\"a\",100,100);", "i=0;loop(100){j=0;loop(100){a(i,j)=a(i,j)+i*j;j=j+1;}i=i+1;}", "",
     1 + 1 + 100 * 3 + 100 * 100 * 2},
    // (d) A call of a one-statement section per pass: call and assignment.
    {"Call", "", "s=0;loop(100000){call(\"F\");}", "F{s=s+1;}", 1 + 1 + 100000 * 2},
    // (e) An if per pass, true for the first half: the condition and, half the
    // time, the block's assignment.
    {"If", "", "s=0;n=0;loop(1000){loop(1000){if(n<500000){s=s+1;}n=n+1;}}", "", 1 + 1 + 1 + 1000 + 1000000 * 2 + 500000},
    // (f) Value functions inside an expression.
    {"ValueFunctions", "", "s=0;loop(100000){x=sin(s)+sqrt(s)+abs(s);s=s+1;}", "", 1 + 1 + 100000 * 2},
};

std::string scriptOf(const Loop& l) {
    return std::string("CREATE{") + l.create + "}RUN{" + l.run + "}" + l.sections;
}

// --loops: one line per loop, tab-separated: name, statements per run, CREATE
// body, RUN body, other sections.
bool listLoops(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--loops") continue;
        for (const Loop& l : kLoops)
            std::printf("%s\t%llu\t%s\t%s\t%s\n", l.name, static_cast<unsigned long long>(l.statements), l.create,
                        l.run, l.sections);
        return true;
    }
    return false;
}

// (g) A timer event as the run window raises it: a ball moving and bouncing,
// its trail kept in an array. The event runner finds the section by name each
// time. The statements per event depend on the branches taken, so the engine's
// step counter counts them during the timing, at a small cost.
void BM_TimerEvent(benchmark::State& state) {
    Bench b("CREATE{Data(\"trail\",2,64);SetTimer(10);}"
            "RUN{x=0;y=0;dx=3;dy=2;k=0;}"
            "TIMER{x=x+dx;y=y+dy;"
            "if(x>=WIN_W){dx=-dx;}if(x<0){dx=-dx;}if(y>=WIN_H){dy=-dy;}if(y<0){dy=-dy;}"
            "trail(0,k)=x;trail(1,k)=y;k=k+1;if(k>=64){k=0;}}");
    if (std::string p = b.problem(); !p.empty()) return state.SkipWithError(p.c_str());
    if (!b.run()) return state.SkipWithError("RUN failed");
    kav::Engine& e = b.engine();
    e.stepLimit = std::numeric_limits<uint64_t>::max();
    e.steps = 0;
    for (auto _ : state) {
        kav::runEvent(e, nullptr, "TIMER");
        if (!e.running()) return state.SkipWithError("the TIMER section failed");
    }
    state.SetItemsProcessed(static_cast<int64_t>(e.steps));
    state.counters["events"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TimerEvent);

}  // namespace

int main(int argc, char** argv) {
    if (listLoops(argc, argv)) return 0;
    for (const Loop& l : kLoops) {
        benchmark::RegisterBenchmark((std::string("BM_") + l.name).c_str(),
                                     [&l](benchmark::State& state) { runScript(state, scriptOf(l), l.statements); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
