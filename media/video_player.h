// The video player's states and decisions, apart from the media stack that
// carries them out: which session call a command or a session event leads to,
// and what waits until the session can take it.
#pragma once
#include <cstdint>
#include <optional>
#include <utility>

namespace kav {

enum class PlayerState : uint8_t {
    Closed = 0,       // no file opened
    Ready = 1,        // the session holds nothing it can play (its topology failed)
    OpenPending = 2,  // the topology is set; playback starts once it is ready
    Started = 3,
    Paused = 4,
    Stopped = 5,  // at the end of the presentation
    Closing = 6,
};

// What the player asks of the media session. Calls that fail are ignored:
// playback problems show only through the session's events.
class MediaSession {
public:
    virtual ~MediaSession() = default;
    // The topology is ready: find the renderer's display, the clock and the
    // volume and rate services.
    virtual void prepare() = 0;
    // Plays from `at` (clock units), or from the current position.
    virtual void start(std::optional<int64_t> at) = 0;
    // Stops before a seek; the session reports when it has. False when it
    // refused at once (then no report comes).
    virtual bool stop() = 0;
    virtual void pause() = 0;
    virtual void setRate(float rate) = 0;
    // False when the session has no volume service (yet).
    virtual bool setVolume(float volume) = 0;
    // A session event failed: the warning box. It may let other events run
    // nested, and the player may be gone when it returns.
    virtual void warn() = 0;
};

// The session's events as the player tells them apart.
// Stopped answers the player's own stop (before a seek, or at closing).
enum class SessionEvent : uint8_t { TopologySet, TopologyReady, Started, Stopped, Ended, Other };

class Player {
public:
    explicit Player(MediaSession& session) : session_(session) {}

    PlayerState state() const { return state_; }
    // The file's topology is set on the session.
    void topologySet() { state_ = PlayerState::OpenPending; }
    void closing() { state_ = PlayerState::Closing; }

    // A session event, on the window's thread. The warning for a failed one
    // comes last: nothing of the player is touched after it.
    void event(SessionEvent ev, bool failed);

    void play();
    void pause();
    // Plays from `seconds` (already held to the video's length): the session
    // stops first, and starts there once it reports the stop.
    void seek(double seconds);
    void setRate(float rate);
    void setVolume(float volume);

private:
    void startAt(std::optional<int64_t> at);

    MediaSession& session_;
    PlayerState state_ = PlayerState::Closed;
    // The session reported that it runs since the last start was asked: a
    // rate given before that waits for it (a rate set while a start is on its
    // way is lost on some systems).
    bool running_ = false;
    // The last start asked for a position: if the session refuses it (a
    // position at the very end, say), the video stops there without a warning,
    // as a seek that fails is no error of the script's.
    bool seeking_ = false;
    std::optional<int64_t> pendingStart_;
    // A seek waiting for the session's stop: a start queued behind a stop
    // that has not happened yet is sometimes lost, leaving the picture frozen.
    std::optional<int64_t> seekTo_;
    std::optional<float> pendingRate_, pendingVolume_;
};

}  // namespace kav
