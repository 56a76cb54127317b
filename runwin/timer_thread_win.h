// The thread that drives TIMER. Each tick is handed to the window's thread with
// SendMessage and waited for, so TIMER never runs at the same time as another
// section; it runs nested inside a modal box as other events do.
#pragma once
#include <windows.h>

#include <cstdint>

#include "win32/handle_win.h"

namespace kav {

// Sent to the run window for each tick; wParam is the timer's generation, the
// result a TickResult.
constexpr UINT kTimerTickMessage = WM_APP + 1;

class TimerThread {
public:
    TimerThread() = default;
    ~TimerThread() { stop(); }
    TimerThread(const TimerThread&) = delete;
    TimerThread& operator=(const TimerThread&) = delete;

    // Starts ticking `window` every `interval` ms.
    bool start(HWND window, int32_t interval, WPARAM generation);
    // Ends the thread: wakes it and waits for it (at most a second), answering
    // its pending tick meanwhile so that it cannot block on this thread.
    void stop();

private:
    static DWORD WINAPI main(void* self);

    UniqueHandle thread_, wake_;
    HWND window_ = nullptr;
    int32_t interval_ = 0;
    WPARAM generation_ = 0;
};

}  // namespace kav
