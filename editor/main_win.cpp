// KAV3: the script editor. It edits one script, runs it in its own process and
// builds stand-alone applications from it.
#include <windows.h>

#include "editor/editor_window_win.h"
#include "editor/resource_ids.h"
#include "editor/script_names.h"
#include "runwin/control_tab_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    std::string startFile = kav::editor::startFileFromCommandLine(GetCommandLineA());
    // Only what fits the path buffers is taken for a file name.
    if (startFile.size() >= kav::editor::kPathMax) startFile.clear();
    if (!kav::editor::EditorWindow::registerClass(instance)) return 0;
    HWND window = kav::editor::EditorWindow::create(instance, startFile);
    if (!window) return 0;
    ShowWindow(window, show);
    UpdateWindow(window);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN));
    MSG m{};
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        // A script run in the editor moves between its controls as on its own.
        if (kav::tabBetweenControls(m)) continue;
        if (!TranslateAcceleratorA(window, accelerators, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    return static_cast<int>(m.wParam);
}
