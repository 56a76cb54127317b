// Where the statement of each error box stands in the script an application
// was made from: the driver opens the runtime's error channel
// (runtime/error_channel.h) for the process it starts, and after the box
// prints "at: FILE:LINE:COL".
#pragma once
#include <windows.h>

#include <string>

#include "engine/program_text.h"
#include "tools/kav3drv/text_win.h"
#include "win32/handle_win.h"

namespace kavdrv {

class ErrorPlaces {
public:
    // The script as given on the command line: its name is printed as given.
    explicit ErrorPlaces(std::string scriptName);
    ~ErrorPlaces();

    // Reads the script; false (with a message on stderr) when it cannot.
    [[nodiscard]] bool load();
    // Makes the channel of a process started suspended, before it runs.
    [[nodiscard]] bool open(DWORD processId);
    // Prints the place of an error reported since the last call, if any.
    void report(const Output& out);

    ErrorPlaces(const ErrorPlaces&) = delete;
    ErrorPlaces& operator=(const ErrorPlaces&) = delete;

private:
    std::string name_;
    kav::ProgramText text_;
    kav::UniqueHandle block_;
    void* view_ = nullptr;
    long seen_ = 0;
};

}  // namespace kavdrv
