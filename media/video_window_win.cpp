#include "media/video_window_win.h"

#include "engine/engine.h"
#include "media/video_rules.h"
#include "media/video_state_win.h"

namespace kav {

namespace {

constexpr char kClassName[] = "video";
constexpr char kWarningTitle[] = "ビデオ処理 警告";

bool registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &objectProcedure<VideoWindow>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    // Registered once for the process: a second run finds it there.
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool VideoWindow::create(Engine& e, VideoState& state, HWND parent, int32_t x, int32_t y, int32_t w, int32_t h,
                         std::wstring file) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerClass(instance)) return false;
    std::unique_ptr<VideoWindow> self(new VideoWindow(e, state, std::move(file)));
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    const HWND hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, instance,
                                      &self);
    if (!hwnd) return false;
    ShowWindow(hwnd, SW_SHOW);
    // The first paint opens the file; it may fail and take the window with it.
    UpdateWindow(hwnd);
    return true;
}

int32_t VideoWindow::positionSeconds() {
    int64_t units = 0;
    if (!opened_ || !session_ || !session_->position(units)) return 0;
    return wholeSeconds(units);
}

LRESULT VideoWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate();
    case WM_PAINT: return onPaint();
    case WM_SIZE: return onSize(lParam);
    case kPlayerEventMessage: return onPlayerEvent(wParam, lParam);
    case WM_DESTROY: return onDestroy();
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

LRESULT VideoWindow::onCreate() {
    state_.video = this;
    session_ = VideoSession::create(hwnd_);
    if (!session_) {
        MessageBoxA(GetParent(hwnd_), "ビデオウィンドウの初期化ができません", kWarningTitle, MB_ICONWARNING);
        return 0;
    }
    player_.emplace(*session_);
    openPending_ = true;
    return 0;
}

LRESULT VideoWindow::onPaint() {
    PAINTSTRUCT ps;
    BeginPaint(hwnd_, &ps);
    EndPaint(hwnd_, &ps);
    if (opened_) {
        session_->repaint();
        return 0;
    }
    if (!openPending_) return 0;
    openPending_ = false;
    int64_t duration = 0;
    if (!session_->open(file_.c_str(), duration)) {
        // The box lets other events run; the window may be gone when it returns.
        const HWND self = hwnd_;
        MessageBoxA(GetParent(self), "ビデオファイルが開けません", kWarningTitle, MB_ICONWARNING);
        if (IsWindow(self)) DestroyWindow(self);
        return 0;
    }
    player_->topologySet();
    e_.sys.videoLength = wholeSeconds(duration);
    opened_ = true;
    return 0;
}

LRESULT VideoWindow::onSize(LPARAM lParam) {
    if (session_) session_->fitVideo(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT VideoWindow::onPlayerEvent(WPARAM wParam, LPARAM lParam) {
    bool failed = false;
    const SessionEvent event = VideoSession::eventOf(wParam, lParam, failed);
    // Its warning box comes last: nothing of this window is touched after it.
    if (player_) player_->event(event, failed);
    return 0;
}

LRESULT VideoWindow::onDestroy() {
    if (state_.video == this) state_.video = nullptr;
    e_.sys.videoLength = 0;
    opened_ = false;
    if (player_) player_->closing();
    // Closing waits for the session; only then may the player go.
    if (session_) session_->close();
    player_.reset();
    session_.reset();
    return 0;
}

}  // namespace kav
