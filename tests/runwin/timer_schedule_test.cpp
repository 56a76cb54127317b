#include "runwin/timer_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kav {
namespace {

// A clock that moves only when the schedule sleeps or a section runs.
struct FakeTimer {
    int64_t now = 0;
    int64_t sectionTakes = 0;
    int runs = 0;
    int maxRuns = 6;
    std::vector<int64_t> starts;
    std::vector<int64_t> sleeps;
    TickResult last = TickResult::Continue;

    int run(int64_t interval) {
        return runTimerSchedule(
            interval, [this] { return now; },
            [this](int64_t ms) {
                sleeps.push_back(ms);
                now += ms;
            },
            [this] {
                starts.push_back(now);
                now += sectionTakes;
                return ++runs >= maxRuns ? last : TickResult::Continue;
            },
            [] { return false; });
    }
};

TEST(TimerSchedule, RunsStartToStart) {
    FakeTimer t;
    t.sectionTakes = 30;
    t.last = TickResult::NotRunning;
    EXPECT_EQ(t.run(100), 1);
    // The first run comes 1 ms after the start, then every 100 ms.
    EXPECT_EQ(t.starts, (std::vector<int64_t>{1, 101, 201, 301, 401, 501}));
}

TEST(TimerSchedule, SlowSectionNeverBursts) {
    FakeTimer t;
    t.sectionTakes = 250;
    t.last = TickResult::Failed;
    EXPECT_EQ(t.run(100), 0);
    EXPECT_EQ(t.starts, (std::vector<int64_t>{1, 252, 503, 754, 1005, 1256}));
    for (int64_t s : t.sleeps) EXPECT_EQ(s, 1);
}

TEST(TimerSchedule, StopsWhenTold) {
    FakeTimer t;
    t.maxRuns = 1;
    t.last = TickResult::Stop;
    EXPECT_EQ(t.run(50), 0);
    EXPECT_EQ(t.runs, 1);
    int ticks = 0;
    EXPECT_EQ(runTimerSchedule(
                  10, [] { return int64_t{0}; }, [](int64_t) {},
                  [&] {
                      ++ticks;
                      return TickResult::Continue;
                  },
                  [] { return true; }),
              0);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace kav
