// Kav3File: the runtime. It reads its own executable, takes the script appended
// after the marker, prepares it, opens the run window and runs the message loop.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/payload.h"
#include "runtime/error_channel_win.h"
#include "runtime/own_path.h"
#include "runwin/control_tab_win.h"
#include "runwin/run_window_win.h"
#include "runwin/win_host_win.h"

namespace {

constexpr int kAcceleratorsId = 109;

// The whole file, or nothing when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(f, nullptr);
    bool ok = size != INVALID_FILE_SIZE;
    if (ok) {
        bytes.resize(static_cast<size_t>(size) + 32);
        DWORD got = 0;
        ok = ReadFile(f, bytes.data(), size, &got, nullptr) && got == size;
        bytes.resize(got);
    }
    CloseHandle(f);
    return ok;
}

int messageLoop(HINSTANCE instance) {
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(kAcceleratorsId));
    MSG m{};
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (kav::tabBetweenControls(m)) continue;
        if (!TranslateAcceleratorA(m.hwnd, accelerators, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    return static_cast<int>(m.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const auto path = kav::ownPathFromCommandLine(GetCommandLineA());
    if (!path) return 0;
    std::vector<unsigned char> image;
    if (!readWholeFile(*path, image)) return 0;
    const auto scriptAt = kav::findScript(image.data(), image.size());
    if (!scriptAt) {
        MessageBoxA(nullptr, "ファイルが無効です", "KAV Error", MB_ICONEXCLAMATION);
        return 0;
    }
    if (*scriptAt >= image.size()) return 0;
    std::string script(reinterpret_cast<const char*>(image.data()) + *scriptAt, image.size() - *scriptAt);
    std::vector<unsigned char>().swap(image);

    // One interpreter for the life of the process.
    static kav::Interpreter interpreter("KAV Error");
    static kav::ErrorChannel channel;
    interpreter.reporter.listen(&channel);
    kav::Engine& e = interpreter.engine;
    kav::resetRunState(e, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    e.fileName = *path;
    e.load(std::move(script));
    if (!kav::prepareProgram(e)) {
        kav::tellErrorPlace(e.createFailedAt);
        MessageBoxA(nullptr, "プログラムエラーのため終了します", "KAV Error", MB_OK);
        return 0;
    }
    if (!kav::RunWindow::registerClass(instance, e.setup)) return 0;
    HWND window = kav::RunWindow::create(e, instance, nullptr, true);
    if (!window) return 0;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return messageLoop(instance);
}
