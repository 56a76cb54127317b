// The TIMER schedule: runs start-to-start every interval, at least 1 ms apart,
// never in a burst of catch-up runs. Clock, sleep and tick are supplied by the
// caller, so that the schedule runs the same against a test clock.
#pragma once
#include <cstdint>

namespace kav {

enum class TickResult : uint8_t {
    Continue,    // the section ran and the status is 0
    NotRunning,  // the running flag was clear: the section did not run
    Failed,      // the status is not 0 after the run
    Stop,        // the window is gone or the schedule was told to stop
};

// now() and sleep(ms) in milliseconds; tick() runs TIMER once; stopRequested()
// lets the owner end the thread between runs. Returns the thread's exit code:
// 1 when the running flag was found clear, 0 otherwise.
template <class Now, class Sleep, class Tick, class StopRequested>
int runTimerSchedule(int64_t interval, Now now, Sleep sleep, Tick tick, StopRequested stopRequested) {
    int64_t next = now();
    for (;;) {
        const int64_t wait = next - now();
        sleep(wait > 1 ? wait : 1);
        if (stopRequested()) return 0;
        next = now() + interval;
        switch (tick()) {
        case TickResult::Continue: break;
        case TickResult::NotRunning: return 1;
        case TickResult::Failed:
        case TickResult::Stop: return 0;
        }
    }
}

}  // namespace kav
