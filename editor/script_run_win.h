// Runs the editor's text in the editor's own process: the run window is owned
// by the editor and its end leaves the editor as it was.
#pragma once
#include <windows.h>

#include <string>

#include "runwin/win_host_win.h"

namespace kav::editor {

class ScriptRunner {
public:
    explicit ScriptRunner(HINSTANCE instance);

    // True while a run window is open or a section of the last run still runs
    // (nested in a box it showed).
    bool busy() const;
    // Starts a run of its own copy of `text`; true when the run window opened.
    // Start errors are reported with `editor` as the owner.
    bool start(HWND editor, std::string text);
    // "FILE_NAME": the file-name buffer the scripts read and the file commands set.
    std::string& fileName() { return interpreter_.engine.fileName; }

private:
    HINSTANCE instance_;
    Interpreter interpreter_;
    bool classRegistered_ = false;
};

}  // namespace kav::editor
