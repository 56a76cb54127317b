#include "run_fixture_win.h"

#include "win32/control_messages_win.h"
#include "engine/exec.h"
#include "runwin/run_window_win.h"
#include "runwin/subsystems_win.h"

namespace kav::test {

namespace {

void record(void* context, WindowRef, const std::string& text, const char*) {
    static_cast<std::vector<std::string>*>(context)->push_back(text);
}

}  // namespace

RunWindowTest::RunWindowTest()
    : registry(registryOf(allSubsystems())), reporter("KAV Error", record, &boxes),
      e(allSubsystems(), registry, host, reporter) {}

RunWindowTest::~RunWindowTest() {
    if (window) DestroyWindow(window);
    UnregisterClassA("RUN", GetModuleHandleA(nullptr));
}

bool RunWindowTest::start(std::string script) {
    resetRunState(e, 1280, 1024);
    e.load(std::move(script));
    if (!prepareProgram(e)) return false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA("RUN", instance);
    if (!RunWindow::registerClass(instance, e.setup)) return false;
    window = RunWindow::create(e, instance, nullptr, false);
    if (window) ShowWindow(window, SW_SHOW);
    return window != nullptr;
}

uint8_t RunWindowTest::run(const char* section) {
    runEvent(e, window, section);
    return e.fault.status;
}

uint8_t RunWindowTest::exec(const char* section) {
    e.fault.clear();
    const int32_t brace = e.compiled().section(section, e.fault);
    if (e.fault.ok()) executeSection(e, window, brace);
    return e.fault.status;
}

double RunWindowTest::var(const char* name) {
    const int i = e.names.find(name);
    EXPECT_GE(i, 0) << "no variable " << name;
    return i < 0 ? 0 : e.names.value(i);
}

HWND RunWindowTest::control(const char* name) {
    const ControlTable& t = table();
    const int i = t.find(name);
    return i < 0 ? nullptr : static_cast<HWND>(t[i].window);
}

std::string RunWindowTest::text(const char* name) { return ctl::windowText(control(name)); }

}  // namespace kav::test
