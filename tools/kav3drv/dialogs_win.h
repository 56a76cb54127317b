// Tells the app's #32770 windows apart: message boxes are answered from
// --answer, file dialogs from --file, every other dialog is left to the actions.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tools/kav3drv/text_win.h"

namespace kavdrv {

enum class DialogKind { None, MessageBox, FileDialog, Other };

// What a top-level window of the app is to the driver; None for a window
// that is no visible dialog.
DialogKind classifyDialog(HWND hwnd);

// Fills in and confirms the app's common open and save dialogs.
class FileDialogs {
public:
    // answers: a path for each dialog in order of appearance, "-" to cancel it.
    FileDialogs(std::vector<std::string> answers, const Output& out);

    // Reports every file dialog of the process not seen before ("filedlg: TITLE")
    // and answers it once it has had a moment to finish its set-up.
    void handle(DWORD processId);
    // Dialogs reported so far, and whether one of them is still up.
    size_t seen() const { return reported_; }
    bool anyOpen() const { return !seen_.empty(); }

    FileDialogs(const FileDialogs&) = delete;
    FileDialogs& operator=(const FileDialogs&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    struct Seen {
        HWND dialog;
        Clock::time_point answerAt;
        std::string answer;
        bool done;
    };

    void answer(Seen& seen) const;

    std::vector<std::string> answers_;
    size_t next_ = 0;
    size_t reported_ = 0;
    std::vector<Seen> seen_;
    const Output& out_;
};

}  // namespace kavdrv
