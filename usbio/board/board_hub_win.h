// The virtual board's state, shared by its window and the threads that serve
// the pipe, and the pipe server itself.
#pragma once
#include <windows.h>

#include <cstdio>
#include <deque>
#include <span>
#include <string>

#include "usbio/virtual_board.h"

namespace kav::usb {

// Posted to the board's window when a report changed what it shows.
constexpr UINT kBoardChangedMessage = WM_APP + 2;

struct BoardView {
    uint8_t outputs = 0;
    uint8_t inputs = 0;
    int clients = 0;
    std::deque<BoardEvent> record;
};

class BoardHub {
public:
    // recording: the log file comes later (setLog); lines wait for it meanwhile.
    BoardHub(uint8_t inputs, bool recording);
    BoardHub(const BoardHub&) = delete;
    BoardHub& operator=(const BoardHub&) = delete;

    void setWindow(HWND window);
    // Where each received report's first five command bytes go, one line each.
    void setLog(std::FILE* log);

    // The pipe side: answers one report as the board does (see VirtualBoard::answer).
    size_t answer(std::span<const uint8_t> report, std::span<uint8_t> reply);
    void clientArrived();
    void clientLeft();

    // The window side.
    BoardView view();
    void setInput(int n, bool on);
    void toggleInput(int n);

private:
    void changed();

    SRWLOCK lock_ = SRWLOCK_INIT;
    VirtualBoard board_;
    int clients_ = 0;
    bool recording_;
    std::FILE* log_ = nullptr;
    std::string pendingLog_;
    HWND window_ = nullptr;
};

// Creates the pipe's first instance and serves it from now on; false (with a
// reason) when another board already serves it.
[[nodiscard]] bool startBoardServer(BoardHub& hub, std::string& error);

}  // namespace kav::usb
