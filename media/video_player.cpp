#include "media/video_player.h"

#include "media/video_rules.h"

namespace kav {

void Player::startAt(std::optional<int64_t> at) {
    running_ = false;
    seeking_ = at.has_value();
    state_ = PlayerState::Started;
    session_.start(at);
}

void Player::event(SessionEvent ev, bool failed) {
    if (state_ == PlayerState::Closing) return;
    switch (ev) {
    case SessionEvent::TopologySet:
        // A topology that could not be resolved is still followed by a ready
        // status on some systems: nothing may start from it.
        if (failed && state_ == PlayerState::OpenPending) state_ = PlayerState::Ready;
        break;
    case SessionEvent::TopologyReady:
        if (failed || state_ != PlayerState::OpenPending) break;
        session_.prepare();
        if (pendingVolume_ && session_.setVolume(*pendingVolume_)) pendingVolume_.reset();
        startAt(std::exchange(pendingStart_, std::nullopt));
        break;
    case SessionEvent::Started:
        if (failed) {
            if (state_ == PlayerState::Started) state_ = PlayerState::Stopped;
            if (std::exchange(seeking_, false)) return;
            break;
        }
        if (seekTo_) break;  // an earlier start: the seek's comes after the stop
        seeking_ = false;
        running_ = true;
        if (pendingRate_ && state_ == PlayerState::Started) session_.setRate(*std::exchange(pendingRate_, std::nullopt));
        break;
    case SessionEvent::Stopped:
        // A session that had already stopped or ended refuses the stop a seek
        // begins with; the start that follows is what counts.
        if (seekTo_) {
            const bool hold = state_ == PlayerState::Paused;
            startAt(*std::exchange(seekTo_, std::nullopt));
            if (hold) pause();
            return;
        }
        if (failed) return;
        break;
    case SessionEvent::Ended:
        if (state_ == PlayerState::Started) state_ = PlayerState::Stopped;
        running_ = false;
        break;
    case SessionEvent::Other: break;
    }
    if (failed) session_.warn();
}

void Player::play() {
    if (state_ != PlayerState::Paused && state_ != PlayerState::Stopped) return;
    if (seekTo_) {
        state_ = PlayerState::Started;  // the seek's start plays
    } else {
        startAt(std::nullopt);
    }
}

void Player::pause() {
    if (state_ != PlayerState::Started) return;
    running_ = false;
    state_ = PlayerState::Paused;
    if (!seekTo_) session_.pause();  // else once the seek's start is asked
}

void Player::seek(double seconds) {
    const int64_t at = unitsOf(seconds);
    if (state_ == PlayerState::OpenPending) {
        pendingStart_ = at;
    } else if (state_ == PlayerState::Started || state_ == PlayerState::Paused || state_ == PlayerState::Stopped) {
        const bool waiting = seekTo_.has_value();
        seekTo_ = at;
        state_ = PlayerState::Started;
        running_ = false;
        seeking_ = true;
        if (!waiting && !session_.stop()) startAt(*std::exchange(seekTo_, std::nullopt));
    }
}

void Player::setRate(float rate) {
    if (state_ == PlayerState::Started && running_) {
        session_.setRate(rate);
    } else {
        pendingRate_ = rate;
    }
}

void Player::setVolume(float volume) {
    const bool live = state_ == PlayerState::Started || state_ == PlayerState::Paused || state_ == PlayerState::Stopped;
    if (live && session_.setVolume(volume)) {
        pendingVolume_.reset();
    } else {
        pendingVolume_ = volume;
    }
}

}  // namespace kav
