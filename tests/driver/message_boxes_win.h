// Reports the app's message boxes and presses one button on each.
#pragma once
#include <windows.h>

#include <chrono>
#include <vector>

#include "tests/driver/text_win.h"

namespace kavdrv {

class MessageBoxes {
public:
    // answers: button ids to press, one per box in order of appearance.
    MessageBoxes(std::vector<int> answers, const Output& out);

    // Reports every box of the process not seen before and presses its button;
    // presses again a box that has stayed up well after its press.
    void handle(DWORD processId);

    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    struct Pressed {
        HWND box;
        int button;
        Clock::time_point at;
    };

    void report(HWND box) const;
    int chooseButton(HWND box);
    void press(HWND box, int button, bool again) const;
    void forgetClosed();
    Pressed* find(HWND box);

    std::vector<int> answers_;
    size_t nextAnswer_ = 0;
    std::vector<Pressed> pressed_;
    const Output& out_;
};

}  // namespace kavdrv
