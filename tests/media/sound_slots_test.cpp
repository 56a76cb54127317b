#include "media/sound_slots.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kav {
namespace {

// A media interface that records what it is sent and refuses what it is told to.
class FakeDevice : public SoundDevice {
public:
    struct Sent {
        std::string command;
        NotifyWindow notify;
    };
    std::vector<Sent> sent;
    std::set<std::string> refuse;

    bool send(const std::string& command, NotifyWindow notify) override {
        sent.push_back({command, notify});
        return !refuse.count(command);
    }
    uint32_t deviceOf(const std::string& alias) override { return 100 + static_cast<uint32_t>(std::stoi(alias.substr(5))); }
    void playImage(const uint8_t*, int32_t) override {}
    void stopImages() override {}

    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const Sent& s : sent) out.push_back(s.command);
        return out;
    }
};

using Strings = std::vector<std::string>;
NotifyWindow const kRunWindow = reinterpret_cast<NotifyWindow>(0x10);
NotifyWindow const kDialog = reinterpret_cast<NotifyWindow>(0x20);

TEST(SoundCommandStrings, RegisterCommandsAreBounded) {
    std::string c;
    ASSERT_TRUE(soundOpenCommand(SoundKind::Wave, "C:\\snd\\a.wav", 3, c));
    EXPECT_EQ(c, "open \"C:\\snd\\a.wav\" type waveaudio alias sound3");
    ASSERT_TRUE(soundOpenCommand(SoundKind::Midi, "b.mid", 31, c));
    EXPECT_EQ(c, "open \"b.mid\" type sequencer alias sound31");
    // 265 bytes of WAVE command and 255 of MIDI command fit with their terminators.
    EXPECT_TRUE(soundOpenCommand(SoundKind::Wave, std::string(230, 'w'), 3, c));
    EXPECT_EQ(c.size(), 265u);
    EXPECT_FALSE(soundOpenCommand(SoundKind::Wave, std::string(231, 'w'), 3, c));
    EXPECT_FALSE(soundOpenCommand(SoundKind::Wave, std::string(230, 'w'), 10, c));
    EXPECT_TRUE(soundOpenCommand(SoundKind::Midi, std::string(220, 'm'), 3, c));
    EXPECT_EQ(c.size(), 255u);
    EXPECT_FALSE(soundOpenCommand(SoundKind::Midi, std::string(221, 'm'), 3, c));
    EXPECT_FALSE(soundOpenCommand(SoundKind::Wave, "a.wav\" type sequencer alias sound9", 0, c));
}

class Slots : public ::testing::Test {
protected:
    FakeDevice dev;
    SoundSlots slots{dev};

    void registerWave(int slot) {
        ASSERT_EQ(slots.entry(slot, SoundKind::Wave, "a.wav"), Status::Ok);
        dev.sent.clear();
    }
};

TEST_F(Slots, Registering) {
    EXPECT_EQ(slots.entry(-1, SoundKind::Wave, "a.wav"), Status::ParamInvalid);
    EXPECT_EQ(slots.entry(32, SoundKind::Midi, "a.mid"), Status::ParamInvalid);
    EXPECT_TRUE(dev.sent.empty());
    ASSERT_EQ(slots.entry(0, SoundKind::Wave, "a.wav"), Status::Ok);
    EXPECT_EQ(dev.commands(), Strings{"open \"a.wav\" type waveaudio alias sound0"});
    EXPECT_EQ(dev.sent[0].notify, nullptr);
    EXPECT_EQ(slots.state(0), SlotState::Registered);
    EXPECT_EQ(slots.entry(0, SoundKind::Wave, "a.wav"), Status::SoundRegistered);
    EXPECT_EQ(slots.entry(0, SoundKind::Midi, "a.mid"), Status::SoundRegistered);
    EXPECT_EQ(dev.sent.size(), 1u);
}

TEST_F(Slots, RefusedRegistrationsLeaveTheSlotFree) {
    dev.refuse = {"open \"x.wav\" type waveaudio alias sound4", "open \"x.mid\" type sequencer alias sound4"};
    EXPECT_EQ(slots.entry(4, SoundKind::Wave, "x.wav"), Status::WaveEntryFailed);
    EXPECT_EQ(slots.entry(4, SoundKind::Midi, "x.mid"), Status::MidiEntryFailed);
    EXPECT_EQ(slots.state(4), SlotState::Free);
    EXPECT_EQ(slots.entry(4, SoundKind::Midi, "y.mid"), Status::Ok);
    // A path the command cannot hold is never sent, and the slot stays free.
    dev.sent.clear();
    EXPECT_EQ(slots.entry(5, SoundKind::Wave, std::string(300, 'p')), Status::FileOpenFailed);
    EXPECT_EQ(slots.entry(5, SoundKind::Midi, "q\"uote.mid"), Status::FileOpenFailed);
    EXPECT_TRUE(dev.sent.empty());
    EXPECT_EQ(slots.state(5), SlotState::Free);
}

TEST_F(Slots, CommandsOnFreeOrInvalidSlots) {
    EXPECT_EQ(slots.play(0, 0, kRunWindow), Status::NoSound);
    EXPECT_EQ(slots.play(0, 7, kRunWindow), Status::NoSound);  // the slot is checked before the flag
    EXPECT_EQ(slots.pause(1), Status::NoSound);
    EXPECT_EQ(slots.stop(2), Status::NoSound);
    for (int bad : {-1, 32, 1000}) {
        EXPECT_EQ(slots.play(bad, 0, kRunWindow), Status::ParamInvalid);
        EXPECT_EQ(slots.pause(bad), Status::ParamInvalid);
        EXPECT_EQ(slots.stop(bad), Status::ParamInvalid);
    }
    registerWave(0);
    EXPECT_EQ(slots.play(0, 2, kRunWindow), Status::ParamInvalid);
    EXPECT_EQ(slots.play(0, -2, kRunWindow), Status::ParamInvalid);
    EXPECT_TRUE(dev.sent.empty());
}

TEST_F(Slots, PlayOnceWaitAndLoop) {
    registerWave(0);
    registerWave(1);
    ASSERT_EQ(slots.play(0, 0, kDialog), Status::Ok);
    ASSERT_EQ(slots.play(1, -1, kRunWindow), Status::Ok);
    ASSERT_EQ(dev.sent.size(), 2u);
    EXPECT_EQ(dev.sent[0].command, "play sound0 from 0 notify");
    EXPECT_EQ(dev.sent[0].notify, kDialog);
    EXPECT_EQ(dev.sent[1].command, "play sound1 from 0 wait");
    EXPECT_EQ(dev.sent[1].notify, nullptr);
    EXPECT_EQ(slots.state(0), SlotState::Playing);
    EXPECT_EQ(slots.lastPlayed(), 1);
    // A refused play changes nothing and is no error.
    dev.refuse = {"play sound0 from 0 notify"};
    ASSERT_EQ(slots.stop(0), Status::Ok);
    EXPECT_EQ(slots.play(0, 1, kRunWindow), Status::Ok);
    EXPECT_EQ(slots.state(0), SlotState::Registered);
    EXPECT_EQ(slots.lastPlayed(), 1);
}

TEST_F(Slots, PauseTogglesAndStopRegisters) {
    registerWave(2);
    ASSERT_EQ(slots.play(2, 0, kRunWindow), Status::Ok);
    ASSERT_EQ(slots.pause(2), Status::Ok);
    EXPECT_EQ(slots.state(2), SlotState::Registered);
    ASSERT_EQ(slots.pause(2), Status::Ok);
    EXPECT_EQ(slots.state(2), SlotState::Playing);
    ASSERT_EQ(slots.stop(2), Status::Ok);
    EXPECT_EQ(slots.state(2), SlotState::Registered);
    // Resuming a stopped sound is refused: no change, no error.
    dev.refuse = {"resume sound2 notify"};
    ASSERT_EQ(slots.pause(2), Status::Ok);
    EXPECT_EQ(slots.state(2), SlotState::Registered);
    EXPECT_EQ(dev.commands(), (Strings{"play sound2 from 0 notify", "pause sound2 notify", "resume sound2 notify",
                                       "stop sound2", "resume sound2 notify"}));
    for (const auto& s : dev.sent) {
        if (s.command.rfind("play", 0)) {
            EXPECT_EQ(s.notify, nullptr) << s.command;
        }
    }
}

TEST_F(Slots, LoopRestartsOnItsOwnSuccessfulEnd) {
    registerWave(3);
    ASSERT_EQ(slots.play(3, 1, kRunWindow), Status::Ok);
    dev.sent.clear();
    EXPECT_TRUE(slots.onNotify(false, 103, kRunWindow));  // aborted, superseded or failed
    EXPECT_FALSE(slots.onNotify(true, 104, kRunWindow));  // a device that is no slot's
    EXPECT_TRUE(dev.sent.empty());
    EXPECT_TRUE(slots.onNotify(true, 103, kRunWindow));
    ASSERT_EQ(dev.commands(), (Strings{"seek sound3 to start", "play sound3 from 0 notify"}));
    EXPECT_EQ(dev.sent[1].notify, kRunWindow);
    EXPECT_EQ(slots.state(3), SlotState::Playing);
    // Paused (state 1) it does not restart.
    dev.sent.clear();
    ASSERT_EQ(slots.pause(3), Status::Ok);
    EXPECT_TRUE(slots.onNotify(true, 103, kRunWindow));
    EXPECT_EQ(dev.commands(), Strings{"pause sound3 notify"});
}

TEST_F(Slots, RefusedRestartEndsTheLoop) {
    registerWave(3);
    ASSERT_EQ(slots.play(3, 1, kRunWindow), Status::Ok);
    dev.refuse = {"play sound3 from 0 notify"};
    EXPECT_TRUE(slots.onNotify(true, 103, kRunWindow));
    EXPECT_EQ(slots.lastPlayed(), -1);
    EXPECT_EQ(slots.state(3), SlotState::Registered);
    dev.sent.clear();
    EXPECT_TRUE(slots.onNotify(true, 103, kRunWindow));
    EXPECT_TRUE(dev.sent.empty());
}

TEST_F(Slots, OnlyTheLatestPlayLoops) {
    registerWave(0);
    registerWave(1);
    ASSERT_EQ(slots.play(0, 1, kRunWindow), Status::Ok);
    ASSERT_EQ(slots.play(1, 0, kRunWindow), Status::Ok);
    dev.sent.clear();
    EXPECT_TRUE(slots.onNotify(true, 100, kRunWindow));
    EXPECT_TRUE(slots.onNotify(true, 101, kRunWindow));
    EXPECT_TRUE(dev.sent.empty());
}

TEST_F(Slots, CloseAllClosesEveryUsedSlot) {
    registerWave(0);
    ASSERT_EQ(slots.entry(5, SoundKind::Midi, "m.mid"), Status::Ok);
    registerWave(31);
    ASSERT_EQ(slots.play(5, 1, kRunWindow), Status::Ok);
    dev.sent.clear();
    slots.closeAll();
    EXPECT_EQ(dev.commands(), (Strings{"close sound0", "close sound5", "close sound31"}));
    EXPECT_EQ(slots.state(5), SlotState::Free);
    EXPECT_EQ(slots.lastPlayed(), -1);
    dev.sent.clear();
    slots.closeAll();
    EXPECT_TRUE(dev.sent.empty());
}

}  // namespace
}  // namespace kav
