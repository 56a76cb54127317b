#include "tools/kav3drv/board_win.h"

#include <fstream>

#include "tools/kav3drv/app_windows_win.h"
#include "usbio/board_protocol.h"

namespace kavdrv {

namespace {

constexpr DWORD kStartLimitMs = 10000;
constexpr DWORD kPollMs = 20;

std::string boardProgram() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    for (int up = 0; up < 2 && dir.find_last_of('\\') != std::string::npos; ++up) dir.resize(dir.find_last_of('\\'));
    return dir + "\\Kav3Board.exe";
}

// A name no file has yet: the board creates it once it serves its pipe.
std::string freshLogName() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "kav3drv-usb-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + ".txt";
}

bool exists(const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool BoardRun::start(const std::string& switches) {
    log_ = freshLogName();
    std::string commandLine = "\"";
    commandLine += boardProgram();
    commandLine += "\" --inputs " + switches + " --log \"";
    commandLine += log_;
    commandLine += '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        Output::error("kav3drv: cannot start " + commandLine + ": error " + std::to_string(GetLastError()));
        return false;
    }
    CloseHandle(info.hThread);
    process_ = kav::UniqueHandle(info.hProcess);
    for (DWORD waited = 0; waited < kStartLimitMs; waited += kPollMs) {
        if (exists(log_)) return true;
        // Gone already: another board serves the pipe, or it could not start.
        if (WaitForSingleObject(process_.get(), kPollMs) == WAIT_OBJECT_0) break;
    }
    Output::error("kav3drv: the virtual board did not start (is another one running?)");
    stop();
    return false;
}

void BoardRun::stop() {
    if (!process_) return;
    for (HWND w : topLevelWindows(GetProcessId(process_.get())))
        if (hasClass(w, kav::usb::kBoardWindowClass)) PostMessageA(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
    process_.close();
}

void BoardRun::report() {
    if (!process_) return;
    stop();
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) out_.line("usb: " + line);
    in.close();
    DeleteFileA(log_.c_str());
}

}  // namespace kavdrv
