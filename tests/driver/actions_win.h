// Plays the --do actions on the run window, one at a time, never blocking:
// input is posted to the window's queue as the system would deliver it.
#pragma once
#include <windows.h>

#include <chrono>
#include <vector>

#include "tests/driver/driver_options.h"
#include "tests/driver/text_win.h"

namespace kavdrv {

class ActionPlayer {
public:
    ActionPlayer(const std::vector<Action>& actions, const Output& out);

    // Performs the next action when its turn has come (a wait holds the list back).
    void step(HWND runWindow);
    bool finished() const { return next_ == actions_.size(); }

    ActionPlayer(const ActionPlayer&) = delete;
    ActionPlayer& operator=(const ActionPlayer&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    using Handler = void (ActionPlayer::*)(const Action&);
    struct Route {
        ActionKind kind;
        Handler handler;
    };
    static const Route kRoutes[];

    void post(UINT message, WPARAM wParam, LPARAM lParam) const;
    void doMove(const Action& a);
    void doClick(const Action& a);
    void doRightClick(const Action& a);
    void doDoubleClick(const Action& a);
    void doWheel(const Action& a);
    void doKey(const Action& a);
    void doChar(const Action& a);
    void doClose(const Action& a);
    void doWait(const Action& a);
    void doShot(const Action& a);
    void doScroll(const Action& a);
    void doInfo(const Action& a);
    void doPixel(const Action& a);

    const std::vector<Action>& actions_;
    const Output& out_;
    size_t next_ = 0;
    Clock::time_point resumeAt_{};
    HWND window_ = nullptr;
    POINT mouse_{0, 0};  // client coordinates of the last move
};

// Saves the window's client area to file (Windows or Unix path) and prints "shot: FILE".
void takeShot(HWND window, const std::string& file, const Output& out);

// The info line of a window: class, caption, geometry, styles, scroll ranges, region.
std::string describeWindow(HWND window);

}  // namespace kavdrv
