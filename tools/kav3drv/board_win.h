// The virtual I/O board of a --board run: started before the app with its
// switches set, and asked at the end what reports it received.
#pragma once
#include <windows.h>

#include <string>

#include "tools/kav3drv/text_win.h"
#include "win32/handle_win.h"

namespace kavdrv {

class BoardRun {
public:
    explicit BoardRun(const Output& out) : out_(out) {}
    ~BoardRun() { stop(); }
    BoardRun(const BoardRun&) = delete;
    BoardRun& operator=(const BoardRun&) = delete;

    // Starts Kav3Board.exe (in the folder above the driver's) with these
    // switches and waits until programs can reach it.
    [[nodiscard]] bool start(const std::string& switches);
    // Closes the board and prints "usb: " and the first five command bytes of
    // every report it received, in order. Nothing when no board was started.
    void report();

private:
    void stop();

    const Output& out_;
    kav::UniqueHandle process_;
    std::string log_;
};

}  // namespace kavdrv
