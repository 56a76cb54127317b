#include "editor/script_run_win.h"

#include "runwin/run_window_win.h"

namespace kav::editor {

namespace {

constexpr char kRunClass[] = "RUN";

}  // namespace

ScriptRunner::ScriptRunner(HINSTANCE instance) : instance_(instance), interpreter_("KAV3 Error") {}

bool ScriptRunner::busy() const {
    const Engine& e = interpreter_.engine;
    return e.runWindow != nullptr || e.activeRuns > 0;
}

bool ScriptRunner::start(HWND editor, std::string text) {
    Engine& e = interpreter_.engine;
    resetRunState(e, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    e.load(std::move(text));
    if (!prepareProgram(e)) {
        // A negative position names the CREATE section.
        e.reporter.report(editor, e.fault.status, e.program, -1, e.fault.subject.view());
        e.load(std::string());
        e.endRun();
        return false;
    }
    // The class carries the run's background brush: registered afresh per run.
    if (classRegistered_) UnregisterClassA(kRunClass, instance_);
    classRegistered_ = RunWindow::registerClass(instance_, e.setup);
    HWND window = classRegistered_ ? RunWindow::create(e, instance_, editor, false) : nullptr;
    if (!window) {
        MessageBoxA(editor, "実行ウィンドウが開けません！", "KAV3 Error", MB_ICONWARNING);
        e.load(std::string());
        e.endRun();
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

}  // namespace kav::editor
