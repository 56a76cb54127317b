// The player's decisions over a session that records what it is asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/video_player.h"

namespace kav::test {
namespace {

class RecordingSession : public MediaSession {
public:
    void prepare() override { calls.push_back("prepare"); }
    void start(std::optional<int64_t> at) override {
        calls.push_back(at ? "start " + std::to_string(*at) : "start");
    }
    bool stop() override {
        calls.push_back("stop");
        return stopTaken;
    }
    void pause() override { calls.push_back("pause"); }
    void setRate(float rate) override { calls.push_back("rate " + std::to_string(rate).substr(0, 3)); }
    bool setVolume(float volume) override {
        calls.push_back("volume " + std::to_string(volume).substr(0, 4));
        return volumeService;
    }
    void warn() override { calls.push_back("warn"); }

    std::vector<std::string> calls;
    bool volumeService = true;
    bool stopTaken = true;
};

using Calls = std::vector<std::string>;

class PlayerTest : public ::testing::Test {
protected:
    // Opened and playing: the session reported its start.
    void playing() {
        player.topologySet();
        player.event(SessionEvent::TopologyReady, false);
        player.event(SessionEvent::Started, false);
        session.calls.clear();
    }
    RecordingSession session;
    Player player{session};
};

TEST_F(PlayerTest, AReadyTopologyPlaysAtOnce) {
    player.topologySet();
    EXPECT_EQ(player.state(), PlayerState::OpenPending);
    player.event(SessionEvent::TopologySet, false);
    player.event(SessionEvent::TopologyReady, false);
    EXPECT_EQ(session.calls, (Calls{"prepare", "start"}));
    EXPECT_EQ(player.state(), PlayerState::Started);
    // A second ready status (after the end, say) starts nothing.
    player.event(SessionEvent::TopologyReady, false);
    EXPECT_EQ(session.calls.size(), 2u);
}

TEST_F(PlayerTest, AFailedTopologyWarnsAndNeverStarts) {
    player.topologySet();
    player.event(SessionEvent::TopologySet, true);
    player.event(SessionEvent::TopologyReady, false);  // some systems still report it ready
    EXPECT_EQ(session.calls, (Calls{"warn"}));
    EXPECT_EQ(player.state(), PlayerState::Ready);
    player.play();
    player.seek(1);
    EXPECT_EQ(session.calls, (Calls{"warn"}));
}

TEST_F(PlayerTest, PlayAndPauseFollowTheState) {
    playing();
    player.play();  // already playing
    player.pause();
    player.pause();
    EXPECT_EQ(player.state(), PlayerState::Paused);
    player.play();
    EXPECT_EQ(session.calls, (Calls{"pause", "start"}));
    player.event(SessionEvent::Started, false);
    player.event(SessionEvent::Ended, false);
    EXPECT_EQ(player.state(), PlayerState::Stopped);
    player.play();
    EXPECT_EQ(player.state(), PlayerState::Started);
    EXPECT_EQ(session.calls.back(), "start");
}

// A seek stops the session and starts it at the position once it reports
// the stop; what the script asks meanwhile applies to that start.
TEST_F(PlayerTest, SeekingPlaysFromThereOnceTheSessionHasStopped) {
    playing();
    player.seek(0);
    player.pause();
    player.seek(2.5);
    EXPECT_EQ(session.calls, (Calls{"stop"}));
    EXPECT_EQ(player.state(), PlayerState::Started);
    player.event(SessionEvent::Started, false);  // the start before the seek
    player.event(SessionEvent::Stopped, false);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 25000000"}));

    player.seek(1);
    player.pause();
    player.event(SessionEvent::Stopped, false);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 25000000", "stop", "start 10000000", "pause"}));
    EXPECT_EQ(player.state(), PlayerState::Paused);
    player.seek(2);
    player.pause();
    player.play();
    player.event(SessionEvent::Stopped, false);
    EXPECT_EQ(session.calls.back(), "start 20000000");
    EXPECT_EQ(player.state(), PlayerState::Started);
}

TEST_F(PlayerTest, ASessionThatRefusesTheStopAtOnceStartsAtOnce) {
    playing();
    session.stopTaken = false;
    player.seek(1);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 10000000"}));
    player.event(SessionEvent::Stopped, true);  // nothing waits for it
    EXPECT_EQ(session.calls.size(), 2u);
}

TEST_F(PlayerTest, WhatComesBeforeTheSessionRunsWaitsForIt) {
    // Position and volume given while the file opens apply when it is ready;
    // a rate waits until the session reports that it runs.
    player.topologySet();
    player.seek(2);
    player.setVolume(0.5f);
    player.setRate(2.0f);
    EXPECT_TRUE(session.calls.empty());
    player.event(SessionEvent::TopologyReady, false);
    EXPECT_EQ(session.calls, (Calls{"prepare", "volume 0.50", "start 20000000"}));
    session.calls.clear();
    player.event(SessionEvent::Started, false);
    EXPECT_EQ(session.calls, (Calls{"rate 2.0"}));
    player.event(SessionEvent::Started, false);
    EXPECT_EQ(session.calls.size(), 1u);
}

TEST_F(PlayerTest, ARateGivenWhileAStartIsOnItsWayWaits) {
    playing();
    player.setRate(0.1f);
    EXPECT_EQ(session.calls, (Calls{"rate 0.1"}));
    player.seek(1);
    player.setRate(5.0f);
    EXPECT_EQ(session.calls.back(), "stop");
    player.event(SessionEvent::Stopped, false);
    EXPECT_EQ(session.calls.back(), "start 10000000");
    player.event(SessionEvent::Started, false);
    EXPECT_EQ(session.calls.back(), "rate 5.0");
    // Paused, the rate waits for the next start.
    player.pause();
    player.setRate(1.0f);
    EXPECT_EQ(session.calls.back(), "pause");
    player.play();
    player.event(SessionEvent::Started, false);
    EXPECT_EQ(session.calls.back(), "rate 1.0");
}

TEST_F(PlayerTest, AVolumeTheSessionCannotTakeYetIsKept) {
    session.volumeService = false;
    playing();
    player.setVolume(0.25f);
    session.volumeService = true;
    player.pause();
    player.setVolume(1.0f);
    EXPECT_EQ(session.calls, (Calls{"volume 0.25", "pause", "volume 1.00"}));
}

TEST_F(PlayerTest, FailedEventsWarnAfterTheStateIsSettled) {
    playing();
    player.pause();
    player.play();
    player.event(SessionEvent::Started, true);
    EXPECT_EQ(player.state(), PlayerState::Stopped);
    EXPECT_EQ(session.calls.back(), "warn");
    player.event(SessionEvent::Other, true);
    EXPECT_EQ(session.calls, (Calls{"pause", "start", "warn", "warn"}));
    EXPECT_EQ(player.state(), PlayerState::Stopped);
}

// A position the session refuses (the very end of the clip, where a seek
// forward is held) stops the video quietly; the next failure of a plain
// start warns again.
TEST_F(PlayerTest, ARefusedSeekStopsWithoutAWarning) {
    playing();
    player.seek(3);
    player.event(SessionEvent::Stopped, false);
    player.event(SessionEvent::Started, true);
    EXPECT_EQ(player.state(), PlayerState::Stopped);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 30000000"}));
    player.play();
    player.event(SessionEvent::Started, true);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 30000000", "start", "warn"}));
    // The stop a seek begins with, refused by a session that has ended, is
    // no failure either: the start at the position follows.
    player.seek(1);
    player.event(SessionEvent::Stopped, true);
    EXPECT_EQ(session.calls, (Calls{"stop", "start 30000000", "start", "warn", "stop", "start 10000000"}));
    // A seek that went through leaves later failures warning.
    player.event(SessionEvent::Started, false);
    player.event(SessionEvent::Started, true);
    EXPECT_EQ(session.calls.back(), "warn");
}

TEST_F(PlayerTest, AClosingPlayerIgnoresEverythingTheSessionStillSays) {
    playing();
    player.closing();
    player.event(SessionEvent::Ended, false);
    player.event(SessionEvent::Other, true);
    player.play();
    player.seek(1);
    EXPECT_TRUE(session.calls.empty());
    EXPECT_EQ(player.state(), PlayerState::Closing);
}

}  // namespace
}  // namespace kav::test
