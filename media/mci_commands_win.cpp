// The older video commands: a file played in a Video for Windows MCI window,
// in a popup of its own (class PlayWindow) or in the run window.
#include <windows.h>

#include <vfw.h>

#include <memory>
#include <string>
#include <utility>

#include "engine/commands.h"
#include "engine/engine.h"
#include "media/video_rules.h"
#include "media/video_state_win.h"
#include "win32/window_object_win.h"

namespace kav {

namespace {

constexpr char kPlayClass[] = "PlayWindow";

// The popup remembers its client size and, when it goes, takes the MCI window
// with it.
class PlayWindow {
public:
    explicit PlayWindow(VideoState& state) : state_(state) {}

    // Creates the popup, owned by `owner`; nullptr when it cannot be made.
    static HWND create(VideoState& state, HWND owner, uint32_t style, int32_t x, int32_t y, int32_t w, int32_t h);

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    VideoState& state_;
    HWND hwnd_ = nullptr;
};

HWND PlayWindow::create(VideoState& state, HWND owner, uint32_t style, int32_t x, int32_t y, int32_t w, int32_t h) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &objectProcedure<PlayWindow>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPlayClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    std::unique_ptr<PlayWindow> self(new PlayWindow(state));
    const HWND hwnd = CreateWindowExA(0, kPlayClass, "PlayWindow", style, x, y, w, h, owner, nullptr, instance, &self);
    if (hwnd) state.playWindow = hwnd;
    return hwnd;
}

LRESULT PlayWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        state_.playClientW = LOWORD(lParam);
        state_.playClientH = HIWORD(lParam);
        return 0;
    }
    if (message == WM_DESTROY && state_.playWindow == hwnd_) {
        const HWND mci = std::exchange(state_.mciWindow, nullptr);
        state_.playWindow = nullptr;
        if (mci && IsWindow(mci)) MCIWndDestroy(mci);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void mciOpenWin(Call& c) {
    int32_t v[5];
    if (!c.integers(0, 4, v)) return;
    VideoState& state = c.part<VideoState>();
    if (state.playWindow || !c.e.runWindow) return;
    PlayWindow::create(state, static_cast<HWND>(c.e.runWindow), playWindowStyle(v[4]) | WS_VISIBLE, v[0], v[1], v[2],
                       v[3]);
}

// Mode 0 plays in the popup (the one MciOpenWin made, else a large one of its
// own), mode 9 in the run window.
HWND mciWindowFor(Call& c, VideoState& state, int32_t mode, const std::string& file) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND run = static_cast<HWND>(c.e.runWindow);
    constexpr DWORD kFlags = WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU | MCIWNDF_NOTIFYPOS;
    if (mode == 9) return MCIWndCreateA(run, instance, kFlags | WS_BORDER, file.c_str());
    HWND popup = state.playWindow;
    if (!popup) popup = PlayWindow::create(state, run, playWindowStyle(0), 0, 0, 800, 1000);
    if (!popup) return nullptr;
    ShowWindow(popup, SW_SHOW);
    return MCIWndCreateA(popup, instance, kFlags, file.c_str());
}

void mciOpenFile(Call& c) {
    std::string_view literal;
    int32_t mode = 0;
    if (!c.string(0, literal) || !c.integers(1, 1, &mode)) return;
    VideoState& state = c.part<VideoState>();
    if (state.mciWindow || !c.e.runWindow || (mode != 0 && mode != 9)) return;
    const HWND mci = mciWindowFor(c, state, mode, std::string(literal));
    if (!mci) return;
    state.mciWindow = mci;
    MCIWndSetTimeFormat(mci, "ms");
    state.mciSeconds = static_cast<int32_t>(MCIWndGetLength(mci) / 1000);
    if (mode == 0 && state.playWindow) {
        RECT source{};
        MCIWndGetSource(mci, &source);
        const FrameSize fit = fitAspect(state.playClientW, state.playClientH, source.right - source.left,
                                        source.bottom - source.top);
        SetWindowPos(state.playWindow, nullptr, 0, 0, fit.width, fit.height, SWP_NOMOVE | SWP_NOZORDER);
    }
    MCIWndPlay(mci);
}

void mciPlay(Call& c) {
    int32_t n = 0;
    if (!c.integers(0, 0, &n)) return;
    const HWND mci = c.part<VideoState>().mciWindow;
    if (!mci) return;
    if (n == 1) MCIWndPlay(mci);
    if (n == 0) MCIWndPause(mci);
}

constexpr CommandEntry kEntries[] = {
    {"MciOpenWin", 5, kStatement, mciOpenWin},
    {"MciOpenFile", 2, kStatement, mciOpenFile},
    {"MciPlay", 1, kStatement, mciPlay},
};

}  // namespace

extern constinit const CommandFamily kMciCommands{kEntries};

}  // namespace kav
