// Plays the --do actions on the addressed window, one at a time: input is
// posted to the window's queue as the system would deliver it (mouse input to
// the window under the point, or to the one holding the capture); only reading
// or setting a control's text waits for the app, and never for long.
#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <vector>

#include "tools/kav3drv/driver_options.h"
#include "tools/kav3drv/text_win.h"

namespace kavdrv {

class ActionPlayer {
public:
    // The actions address the visible top-level window of windowClass until a
    // `window` action names another.
    ActionPlayer(const std::vector<Action>& actions, const std::string& windowClass, const Output& out);

    // Performs the next action of the process's windows when its turn has come:
    // a wait, or an addressed window not yet shown and painted, holds the list
    // back; so does `boxes N` until `boxesDone` (message boxes and file
    // dialogs reported, and none of them still up) reaches N, or for at most ten seconds.
    void step(DWORD processId, size_t boxesDone);
    bool finished() const { return next_ == actions_.size() && dragNext_ == drag_.size(); }

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

    [[nodiscard]] bool addressWindow(DWORD processId);
    void post(UINT message, WPARAM wParam, LPARAM lParam) const;
    void postTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;
    // The window a pointer message at client point `at` of the addressed
    // window goes to, as the system picks it, and the point in its client area.
    HWND mouseTarget(POINT at, POINT& local) const;
    void postMouse(UINT message, WPARAM keys, POINT at) const;
    // One message of a drag, when the app has had time for the last one.
    void playDragStep();
    // The control with the action's id on the addressed window; reports its absence.
    HWND control(const Action& a, int id) const;
    void fail(const Action& a, const std::string& why) const;
    void doMove(const Action& a);
    void doClick(const Action& a);
    void doRightClick(const Action& a);
    void doDoubleClick(const Action& a);
    void doWheel(const Action& a);
    void doKey(const Action& a);
    void doPress(const Action& a);
    void doChar(const Action& a);
    void doClose(const Action& a);
    void doWait(const Action& a);
    void doBoxes(const Action& a);
    [[nodiscard]] bool boxesArrived(size_t boxesDone);
    void doShot(const Action& a);
    void doScroll(const Action& a);
    void doInfo(const Action& a);
    void doPixel(const Action& a);
    void doWindow(const Action& a);
    void doMenu(const Action& a);
    void doMenuState(const Action& a);
    void doButton(const Action& a);
    void doType(const Action& a);
    void doSetText(const Action& a);
    void doText(const Action& a);
    void doFocus(const Action& a);
    void doPick(const Action& a);
    void doDown(const Action& a);
    void doUp(const Action& a);
    void doDrag(const Action& a);
    void doSwitch(const Action& a);
    void doClipboard(const Action& a);
    void doScrollPos(const Action& a);

    const std::vector<Action>& actions_;
    const Output& out_;
    size_t next_ = 0;
    Clock::time_point resumeAt_{};
    std::optional<Clock::time_point> boxWaitStarted_;  // while `boxes N` holds the list back
    WindowSpec target_;
    HWND window_ = nullptr;
    Clock::time_point windowSeen_{};  // when the addressed window may take input
    bool settleNext_ = false;         // the next window found gets time to paint
    POINT mouse_{0, 0};  // client coordinates of the last move
    struct MouseStep {
        UINT message;
        WPARAM keys;
        POINT at;
    };
    std::vector<MouseStep> drag_;  // the messages of the drag being played
    size_t dragNext_ = 0;
    Clock::time_point captureWait_{};  // until then a press waits for the capture it may take
};

// Saves the window's client area to file (Windows or Unix path) and prints "shot: FILE".
void takeShot(HWND window, const std::string& file, const Output& out);

// The info line of a window: class, caption, geometry, styles, scroll ranges, region.
std::string describeWindow(HWND window);

}  // namespace kavdrv
