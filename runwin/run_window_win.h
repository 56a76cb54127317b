// The run window (class RUN): turns window messages into event sections.
#pragma once
#include <windows.h>

#include "engine/engine.h"
#include "engine/exec.h"
#include "runwin/timer_thread_win.h"
#include "runwin/window_object_win.h"

namespace kav {

class RunWindow {
public:
    // Registers the class RUN with the run state's background; the editor
    // registers it afresh for every run.
    static bool registerClass(HINSTANCE instance, const WindowSetup& setup);
    // Creates the run window as the run state describes it; nullptr on failure.
    // A run window that ends the program posts the quit message when destroyed.
    static HWND create(Engine& e, HINSTANCE instance, HWND owner, bool endsProgram);

    RunWindow(const RunWindow&) = delete;
    RunWindow& operator=(const RunWindow&) = delete;

private:
    RunWindow(Engine& e, bool endsProgram) : e_(e), endsProgram_(endsProgram) {}

    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) {
        hwnd_ = hwnd;
        e_.runWindow = hwnd;
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void event(const char* section) { runEvent(e_, hwnd_, section); }
    void runMenuItem(int id);

    LRESULT onCreate(UINT, WPARAM, LPARAM);
    LRESULT onSize(UINT, WPARAM, LPARAM);
    LRESULT onMove(UINT, WPARAM, LPARAM);
    LRESULT onSetFocus(UINT, WPARAM, LPARAM);
    LRESULT onKillFocus(UINT, WPARAM, LPARAM);
    LRESULT onPaint(UINT, WPARAM, LPARAM);
    LRESULT onClose(UINT, WPARAM, LPARAM);
    LRESULT onKey(UINT, WPARAM, LPARAM);
    LRESULT onChar(UINT, WPARAM, LPARAM);
    LRESULT onMouseMove(UINT, WPARAM, LPARAM);
    LRESULT onMouseButton(UINT, WPARAM, LPARAM);
    LRESULT onMouseWheel(UINT, WPARAM, LPARAM);
    LRESULT onScroll(UINT, WPARAM, LPARAM);
    LRESULT onCommand(UINT, WPARAM, LPARAM);
    LRESULT onTimerTick(UINT, WPARAM, LPARAM);
    LRESULT onShown(UINT, WPARAM, LPARAM);
    LRESULT onDestroy(UINT, WPARAM, LPARAM);

    using Handler = LRESULT (RunWindow::*)(UINT, WPARAM, LPARAM);
    struct Route {
        UINT message;
        Handler handler;
    };
    static const Route kRoutes[];

    Engine& e_;
    const bool endsProgram_;
    HWND hwnd_ = nullptr;
    TimerThread timer_;
    WPARAM timerGeneration_ = 0;
};

}  // namespace kav
