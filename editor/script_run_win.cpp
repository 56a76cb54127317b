#include "editor/script_run_win.h"

#include "editor/statement_place.h"
#include "runwin/run_window_win.h"
#include "win32/control_messages_win.h"

namespace kav::editor {

namespace {

constexpr char kRunClass[] = "RUN";

}  // namespace

ScriptRunner::ScriptRunner(HINSTANCE instance) : instance_(instance), interpreter_("KAV3 Error") {
    interpreter_.reporter.listen(this);
}

ScriptRunner::~ScriptRunner() { interpreter_.reporter.listen(nullptr); }

void ScriptRunner::boxClosed(const ProgramText& text, int32_t statement) {
    if (!edit_ || !IsWindow(edit_)) return;
    const auto span = statementSpan(text, statement, ctl::windowText(edit_));
    if (!span) return;
    ctl::editSetSel(edit_, span->start, span->end);
    ctl::editScrollCaret(edit_);
    SetFocus(edit_);
}

bool ScriptRunner::busy() const {
    const Engine& e = interpreter_.engine;
    return e.runWindow != nullptr || e.activeRuns > 0;
}

bool ScriptRunner::start(HWND editor, HWND edit, std::string text) {
    Engine& e = interpreter_.engine;
    edit_ = edit;
    resetRunState(e, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    e.load(std::move(text));
    if (!prepareProgram(e)) {
        // A negative position names the CREATE section.
        e.reporter.report(editor, e.fault.status, e.program, -1, e.fault.subject.view(), e.createFailedAt);
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
