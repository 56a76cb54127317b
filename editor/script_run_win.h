// Runs the editor's text in the editor's own process: the run window is owned
// by the editor and its end leaves the editor as it was.
#pragma once
#include <windows.h>

#include <string>

#include "runwin/win_host_win.h"

namespace kav::editor {

class ScriptRunner final : ReportListener {
public:
    explicit ScriptRunner(HINSTANCE instance);
    ~ScriptRunner() override;
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // True while a run window is open or a section of the last run still runs
    // (nested in a box it showed).
    bool busy() const;
    // Starts a run of its own copy of `text`, the text of `edit`; true when the
    // run window opened. Start errors are reported with `editor` as the owner.
    // Once an error box of the run is closed, the failing statement is selected
    // in `edit` (unless its text has changed since).
    bool start(HWND editor, HWND edit, std::string text);
    // "FILE_NAME": the file-name buffer the scripts read and the file commands set.
    std::string& fileName() { return interpreter_.engine.fileName; }

private:
    void boxClosed(const ProgramText& text, int32_t statement) override;

    HINSTANCE instance_;
    HWND edit_ = nullptr;
    Interpreter interpreter_;
    bool classRegistered_ = false;
};

}  // namespace kav::editor
