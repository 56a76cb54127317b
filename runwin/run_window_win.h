// The run window (class RUN): turns window messages into event sections.
#pragma once
#include <windows.h>

#include "engine/engine.h"
#include "runwin/script_window_win.h"
#include "runwin/timer_thread_win.h"
#include "win32/window_object_win.h"

namespace kav {

class RunWindow final : ScriptWindow {
public:
    // Registers the class RUN with the run state's background; the editor
    // registers it afresh for every run.
    static bool registerClass(HINSTANCE instance, const WindowSetup& setup);
    // Creates the run window as the run state describes it; nullptr on failure.
    // A run window that ends the program posts the quit message when destroyed.
    static HWND create(Engine& e, HINSTANCE instance, HWND owner, bool endsProgram);

private:
    RunWindow(Engine& e, bool endsProgram) : ScriptWindow(e, EventSource::RunWindow), endsProgram_(endsProgram) {}

    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) {
        hwnd_ = hwnd;
        e_.runWindow = hwnd;
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onCreate(UINT, WPARAM, LPARAM);
    LRESULT onSize(UINT, WPARAM, LPARAM);
    LRESULT onMove(UINT, WPARAM, LPARAM);
    LRESULT onClose(UINT, WPARAM, LPARAM);
    LRESULT onMouseWheel(UINT, WPARAM, LPARAM);
    LRESULT onScroll(UINT, WPARAM, LPARAM);
    LRESULT onTimerTick(UINT, WPARAM, LPARAM);
    LRESULT onShown(UINT, WPARAM, LPARAM);
    LRESULT onDestroy(UINT, WPARAM, LPARAM);

    static const Route<RunWindow> kRoutes[];

    const bool endsProgram_;
    TimerThread timer_;
    WPARAM timerGeneration_ = 0;
};

}  // namespace kav
