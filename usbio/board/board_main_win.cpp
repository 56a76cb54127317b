// Kav3Board: a virtual I/O board for lessons without the hardware. Programs
// find it when no real board is plugged in.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "usbio/board/board_hub_win.h"
#include "usbio/board/board_window_win.h"

namespace {

constexpr char kTitle[] = "KAV3 仮想 I/O ボード";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const std::vector<std::string> args(__argv + 1, __argv + __argc);
    kav::usb::BoardOptions options;
    std::string error;
    if (!kav::usb::parseBoardOptions(args, options, error)) {
        const std::string text = "使い方: Kav3Board.exe [--inputs 0000] [--log ファイル]\r\n\r\n" + error;
        MessageBoxA(nullptr, text.c_str(), kTitle, MB_ICONERROR);
        return 2;
    }
    const bool recording = !options.log.empty();
    kav::usb::BoardHub hub(options.inputs, recording);
    // The window exists before the pipe is served: whoever finds the pipe finds the window.
    const HWND window = kav::usb::BoardWindow::create(instance, hub, recording);
    if (!window) return 1;
    if (!kav::usb::startBoardServer(hub, error)) {
        DestroyWindow(window);
        // A test run must not wait on a box nobody sees.
        if (!recording) MessageBoxA(nullptr, "仮想 I/O ボードはすでに起動しています。", kTitle, MB_ICONINFORMATION);
        return 1;
    }
    // A test run leaves the focus to the program under test.
    ShowWindow(window, recording ? SW_SHOWNOACTIVATE : show);
    UpdateWindow(window);
    // The log file appears only once the pipe is served, so that whoever waits
    // for the board can wait for the file; reports that come first are kept.
    if (recording) {
        std::FILE* log = std::fopen(options.log.c_str(), "w");
        if (!log) return 1;
        hub.setLog(log);
    }
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
