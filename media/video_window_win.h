// The `video` child window: it owns the player for as long as it exists. The
// file opens at its first paint; its destruction closes the player.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "media/video_player.h"
#include "media/video_session_win.h"
#include "win32/window_object_win.h"

namespace kav {

struct Engine;
class VideoState;

class VideoWindow {
public:
    // Creates the window in `parent` (shown and painted at once, which opens
    // the file when the parent is visible); false when it cannot be made.
    static bool create(Engine& e, VideoState& state, HWND parent, int32_t x, int32_t y, int32_t w, int32_t h,
                       std::wstring file);

    HWND hwnd() const { return hwnd_; }
    // The player once the file has opened, else nullptr.
    Player* player() { return opened_ ? &*player_ : nullptr; }
    // The position in whole seconds: 0 until the file has opened.
    int32_t positionSeconds();

private:
    VideoWindow(Engine& e, VideoState& state, std::wstring file)
        : e_(e), state_(state), file_(std::move(file)) {}

    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onCreate();
    LRESULT onPaint();
    LRESULT onSize(LPARAM lParam);
    LRESULT onPlayerEvent(WPARAM wParam, LPARAM lParam);
    LRESULT onDestroy();

    Engine& e_;
    VideoState& state_;
    const std::wstring file_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<VideoSession> session_;
    std::optional<Player> player_;
    bool openPending_ = false;
    bool opened_ = false;
};

}  // namespace kav
