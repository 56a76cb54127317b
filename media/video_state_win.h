// The video state of a run: the `video` window with its player, and the older
// MCI player's popup and window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "engine/part.h"

namespace kav {

class VideoWindow;

class VideoState final : public Part {
public:
    VideoState() = default;
    ~VideoState() override;
    // Both players go before the run's screens and sounds.
    void windowDestroyed(Engine&) override;

    // The `video` window's object while the window exists.
    VideoWindow* video = nullptr;
    // The older player: its popup (class PlayWindow), the MCI window in the
    // popup or in the run window, its length in whole seconds and the popup's
    // last client size.
    HWND playWindow = nullptr;
    HWND mciWindow = nullptr;
    int32_t mciSeconds = 0;
    int32_t playClientW = 0, playClientH = 0;

private:
    void closeAll();
};

}  // namespace kav
