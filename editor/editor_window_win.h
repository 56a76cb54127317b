// The editor's main window (class KAV3): menu, toolbar, search box and the
// script text, with the file, run and build commands.
#pragma once
#include <windows.h>

#include <string>

#include "editor/assist_dialog_win.h"
#include "editor/kav_edit_win.h"
#include "editor/script_run_win.h"
#include "win32/gdi_win.h"
#include "win32/window_object_win.h"

namespace kav::editor {

class EditorWindow {
public:
    static bool registerClass(HINSTANCE instance);
    // Creates the window; `startFile` (may be empty) is loaded while it is created.
    static HWND create(HINSTANCE instance, const std::string& startFile);

    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

private:
    EditorWindow(HINSTANCE instance, std::string startFile);

    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onCreate(WPARAM, LPARAM);
    LRESULT onSize(WPARAM, LPARAM);
    LRESULT onPaint(WPARAM, LPARAM);
    LRESULT onSetFocus(WPARAM, LPARAM);
    LRESULT onCommand(WPARAM, LPARAM);
    LRESULT onClose(WPARAM, LPARAM);
    LRESULT onDestroy(WPARAM, LPARAM);

    void newScript();
    void openScript();
    void saveScript();
    void saveScriptAs();
    void runScript();
    void compileScript();
    void searchDown();
    void fileNameAssist();
    void showVersion();
    // Pastes or copies the assist's text as its end code asks.
    void takeAssistResult(int code);

    // The unsaved-changes question; true when the command may go on.
    bool mayDiscard(const char* title, const char* text);
    // Shows a warning titled "KAV3 Error".
    void warn(const char* text);
    bool editorEmpty() const;
    std::string editorText() const;

    using Handler = LRESULT (EditorWindow::*)(WPARAM, LPARAM);
    struct Route {
        UINT message;
        Handler handler;
    };
    static const Route kRoutes[];
    struct CommandRoute {
        int id;
        void (EditorWindow::*run)();
    };
    static const CommandRoute kCommands[];

    HINSTANCE instance_;
    std::string startFile_;
    HWND hwnd_ = nullptr;
    HWND edit_ = nullptr;
    HWND search_ = nullptr;
    Font toolbarFont_;
    CKavEdit doc_;
    ScriptRunner runner_;
    AssistState assists_;
};

}  // namespace kav::editor
