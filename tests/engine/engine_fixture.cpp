#include "engine_fixture.h"

namespace kav::test {

extern constinit const Subsystem kRecorderSubsystem{"recorder", {}, partKey<Recorder>(), makePart<Recorder>};

namespace {

void record(void* context, WindowRef owner, const std::string& text, const char* title) {
    static_cast<std::vector<Box>*>(context)->push_back({owner, text, title});
}

}  // namespace

std::vector<const Subsystem*> withCore(std::initializer_list<const Subsystem*> extra) {
    std::vector<const Subsystem*> list{&kCoreSubsystem, &kRecorderSubsystem};
    list.insert(list.end(), extra.begin(), extra.end());
    return list;
}

EngineTest::EngineTest(std::initializer_list<const Subsystem*> extra)
    : subsystems(withCore(extra)), registry(registryOf(subsystems)), reporter("KAV Error", record, &boxes),
      e(subsystems, registry, host, reporter) {}

bool EngineTest::load(std::string script) {
    resetRunState(e, 1280, 1024);
    e.load(std::move(script));
    return prepareProgram(e);
}

uint8_t EngineTest::run(std::string_view section) {
    runEvent(e, window, section);
    return e.fault.status;
}

uint8_t EngineTest::exec(std::string_view section) {
    int32_t brace = e.compiled().section(section, e.fault);
    if (e.fault.ok()) executeSection(e, window, brace);
    return e.fault.status;
}

double EngineTest::var(std::string_view name) {
    int i = e.names.find(name);
    EXPECT_GE(i, 0) << "no variable " << name;
    return i < 0 ? 0 : e.names.value(i);
}

double EngineTest::eval(std::string_view expression) {
    e.fault.clear();
    return exprs_.emplace_back(expression).evaluate(e, window);
}

}  // namespace kav::test
