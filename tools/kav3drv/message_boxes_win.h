// Reports the app's message boxes and presses one button on each.
#pragma once
#include <windows.h>

#include <chrono>
#include <vector>

#include "tools/kav3drv/text_win.h"

namespace kavdrv {

class MessageBoxes {
public:
    // answers: button ids to press, one per box in order of appearance; each box
    // stays up `wait` after it is reported (the app's events go on meanwhile).
    MessageBoxes(std::vector<int> answers, std::chrono::milliseconds wait, const Output& out);

    // Reports every box of the process not seen before and presses its button;
    // presses again a box that has stayed up well after its press.
    void handle(DWORD processId);
    // Boxes reported so far, and whether one of them is still up.
    size_t seen() const { return seen_; }
    bool anyOpen() const { return !pressed_.empty(); }

    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    struct Pressed {
        HWND box;
        int button;
        Clock::time_point at;  // when it was (or is to be) pressed
        bool done;
    };

    void report(HWND box) const;
    int chooseButton(HWND box);
    void press(HWND box, int button, bool again) const;
    void forgetClosed();
    Pressed* find(HWND box);

    std::vector<int> answers_;
    std::chrono::milliseconds wait_;
    size_t nextAnswer_ = 0;
    size_t seen_ = 0;
    std::vector<Pressed> pressed_;
    const Output& out_;
};

}  // namespace kavdrv
