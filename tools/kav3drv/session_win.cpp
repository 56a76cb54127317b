#include "tools/kav3drv/session_win.h"

#include <string>
#include <vector>

#include "tools/kav3drv/app_windows_win.h"

namespace kavdrv {

namespace {

constexpr DWORD kPollMs = 15;
// After the close request the app may still show boxes (a CLOSE section's error).
constexpr auto kCloseGrace = std::chrono::seconds(5);
constexpr DWORD kTerminateWaitMs = 5000;
// Wine shows a window black until its first paint reaches the X server, which
// may come a few tens of milliseconds after the update region is validated.
constexpr auto kSettleTime = std::chrono::milliseconds(100);
constexpr auto kSettleLimit = std::chrono::seconds(2);

std::chrono::steady_clock::duration secondsToDuration(double seconds) {
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

// The real pointer rests in the middle of a fresh X screen, where a new window
// would get WM_MOUSEMOVE from it; input must come from the actions alone.
void parkPointer() {
    SetCursorPos(GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1,
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
}

}  // namespace

Session::Session(const Options& options, const Output& out)
    : options_(options), out_(out), boxes_(options.answers, std::chrono::milliseconds(options.boxWaitMs), out),
      fileDialogs_(options.files, out),
      actions_(options.actions, options.windowClass, out),
      board_(out) {}

int Session::run() {
    if (!options_.board.empty() && !board_.start(options_.board)) return 3;
    if (!start()) return 3;
    const Clock::time_point deadline = Clock::now() + secondsToDuration(options_.timeoutSeconds);
    while (Clock::now() < deadline) {
        if (waitForExit()) {
            reportExit();
            return 0;
        }
        watch();
    }
    closeAtTimeout();
    return 0;
}

bool Session::start() {
    parkPointer();
    const std::string appPath = windowsPath(options_.app);
    std::string commandLine = expandCommandLine(options_.commandLine, appPath);
    out_.note("starting " + ansiToUtf8(commandLine));
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        Output::error("kav3drv: cannot start " + ansiToUtf8(commandLine) + ": error " + std::to_string(error));
        return false;
    }
    CloseHandle(info.hThread);
    process_ = UniqueHandle(info.hProcess);
    processId_ = info.dwProcessId;
    out_.note("process " + std::to_string(processId_) + " started");
    return true;
}

bool Session::waitForExit() const {
    return WaitForSingleObject(process_.get(), kPollMs) == WAIT_OBJECT_0;
}

void Session::watch() {
    boxes_.handle(processId_);
    fileDialogs_.handle(processId_);
    trackRunWindow();
    if (settled_ || (runWindow_ && runWindowSettled()))
        actions_.step(processId_, boxes_.anyOpen() || fileDialogs_.anyOpen() ? 0 : boxes_.seen() + fileDialogs_.seen());
}

bool Session::runWindowSettled() {
    if (settled_) return true;
    const bool painted = !GetUpdateRect(runWindow_, nullptr, FALSE);
    const Clock::duration shown = Clock::now() - runWindowSeen_;
    settled_ = (painted && shown >= kSettleTime) || shown >= kSettleLimit;
    if (settled_) out_.note(painted ? "run window painted" : "run window still not painted; going on");
    return settled_;
}

void Session::trackRunWindow() {
    if (runWindow_ && IsWindow(runWindow_)) return;
    if (runWindow_) out_.note("run window gone");
    runWindow_ = findVisibleWindow(processId_, options_.windowClass.c_str());
    if (!runWindow_) return;
    runWindowSeen_ = Clock::now();
    out_.note("run window " + hex32(reinterpret_cast<UINT_PTR>(runWindow_)) + " found");
}

void Session::closeAtTimeout() {
    out_.note("timeout reached");
    trackRunWindow();
    if (runWindow_ && !options_.finalShot.empty()) takeShot(runWindow_, options_.finalShot, out_);
    if (runWindow_) {
        PostMessageA(runWindow_, WM_CLOSE, 0, 0);
    } else {
        for (HWND hwnd : topLevelWindows(processId_)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    const Clock::time_point giveUp = Clock::now() + kCloseGrace;
    while (Clock::now() < giveUp) {
        if (waitForExit()) {
            reportExit();
            return;
        }
        boxes_.handle(processId_);
        fileDialogs_.handle(processId_);
    }
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), kTerminateWaitMs);
    board_.report();
    out_.line("timeout");
}

void Session::reportExit() {
    board_.report();
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    out_.line("exit: " + std::to_string(code));
}

}  // namespace kavdrv
