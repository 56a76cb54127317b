// One run of the app under the driver: start it, watch it until it ends or
// the timeout, answer its boxes, play the actions, and report the end.
#pragma once
#include <windows.h>

#include <chrono>

#include "tools/kav3drv/actions_win.h"
#include "tools/kav3drv/board_win.h"
#include "tools/kav3drv/dialogs_win.h"
#include "tools/kav3drv/driver_options.h"
#include "tools/kav3drv/message_boxes_win.h"
#include "tools/kav3drv/text_win.h"
#include "win32/gdi_win.h"
#include "win32/handle_win.h"

namespace kavdrv {

using kav::UniqueHandle;

class Session {
public:
    Session(const Options& options, const Output& out);

    // The driver's exit code: 0 after a session, 3 when the app would not start.
    int run();

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    using Clock = std::chrono::steady_clock;

    [[nodiscard]] bool start();
    // Waits up to one poll interval; true once the app has ended.
    bool waitForExit() const;
    void watch();
    void trackRunWindow();
    bool runWindowSettled();
    void closeAtTimeout();
    void reportExit();

    const Options& options_;
    const Output& out_;
    MessageBoxes boxes_;
    FileDialogs fileDialogs_;
    ActionPlayer actions_;
    BoardRun board_;
    UniqueHandle process_;
    DWORD processId_ = 0;
    HWND runWindow_ = nullptr;
    Clock::time_point runWindowSeen_{};
    bool settled_ = false;  // the window of --window has been shown and painted: the actions may start
};

}  // namespace kavdrv
