// The video player's media session: Media Foundation's session, source and
// renderers behind the player's decisions. Its events reach the video window
// as kPlayerEventMessage, so that all handling runs on the window's thread.
#pragma once
#include <windows.h>

#include <mfidl.h>

#include <memory>

#include "media/video_player.h"
#include "win32/com_win.h"
#include "win32/handle_win.h"

struct IMFVideoDisplayControl;

namespace kav {

// A session event, posted to the video window (the run window's own WM_APP + 1
// is its timer tick: the two never meet).
constexpr UINT kPlayerEventMessage = WM_APP + 1;

class SessionEvents;

class VideoSession final : public MediaSession {
public:
    // Media Foundation started on this thread for a session that shows its
    // video in `window`; nullptr when the platform refuses.
    static std::unique_ptr<VideoSession> create(HWND window);
    ~VideoSession() override;
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    // Opens the file and sets its topology: an audio renderer for each audio
    // stream, the video renderer in the window for each video stream. False
    // when the file cannot be played (nothing is left open then).
    [[nodiscard]] bool open(const wchar_t* file, int64_t& duration);
    // A kPlayerEventMessage told apart; `failed` when its status is an error.
    static SessionEvent eventOf(WPARAM wParam, LPARAM lParam, bool& failed);
    // The renderer's picture fills a client area of that size.
    void fitVideo(int32_t width, int32_t height);
    void repaint();
    // The presentation clock's time; false when there is no clock.
    bool position(int64_t& units);
    // Closes the session (waiting a while for it) and shuts it down.
    void close();

    void prepare() override;
    void start(std::optional<int64_t> at) override;
    bool stop() override;
    void pause() override;
    void setRate(float rate) override;
    bool setVolume(float volume) override;
    void warn() override;

private:
    explicit VideoSession(HWND window);
    [[nodiscard]] bool buildTopology(IMFPresentationDescriptor* descriptor, IMFTopology* topology);
    void shutDown();
    void abandon();

    ComApartment com_;  // first made, last gone
    bool started_ = false;
    bool abandoned_ = false;
    HWND window_;
    ComPtr<SessionEvents> events_;
    ComPtr<IMFMediaSession> session_;
    ComPtr<IMFMediaSource> source_;
    ComPtr<IMFVideoDisplayControl> display_;
    ComPtr<IMFPresentationClock> clock_;
    ComPtr<IMFSimpleAudioVolume> volume_;
    ComPtr<IMFRateControl> rate_;
};

}  // namespace kav
