#include "runwin/timer_thread_win.h"

#include <mmsystem.h>

#include "runwin/timer_schedule.h"

namespace kav {

bool TimerThread::start(HWND window, int32_t interval, WPARAM generation) {
    stop();
    window_ = window;
    interval_ = interval;
    generation_ = generation;
    wake_ = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!wake_) return false;
    thread_ = UniqueHandle(CreateThread(nullptr, 0, &TimerThread::main, this, 0, nullptr));
    if (!thread_) wake_.close();
    return static_cast<bool>(thread_);
}

void TimerThread::stop() {
    if (!thread_) return;
    SetEvent(wake_.get());
    const ULONGLONG deadline = GetTickCount64() + 1000;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) break;
        HANDLE thread = thread_.get();
        const DWORD r =
            MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1) break;
        // A tick sent meanwhile: peeking lets the system deliver it.
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    thread_.close();
    wake_.close();
}

DWORD WINAPI TimerThread::main(void* self) {
    auto* t = static_cast<TimerThread*>(self);
    // Sleep in steps of a millisecond rather than of the default 15.6 ms.
    timeBeginPeriod(1);
    const int code = runTimerSchedule(
        t->interval_, [] { return static_cast<int64_t>(GetTickCount64()); },
        [t](int64_t ms) { WaitForSingleObject(t->wake_.get(), static_cast<DWORD>(ms)); },
        [t] {
            DWORD_PTR result = static_cast<DWORD_PTR>(TickResult::Stop);
            if (!SendMessageTimeoutA(t->window_, kTimerTickMessage, t->generation_, 0, SMTO_NORMAL, INFINITE, &result))
                return TickResult::Stop;  // the window is gone
            return static_cast<TickResult>(result);
        },
        [t] { return WaitForSingleObject(t->wake_.get(), 0) == WAIT_OBJECT_0; });
    timeEndPeriod(1);
    return static_cast<DWORD>(code);
}

}  // namespace kav
