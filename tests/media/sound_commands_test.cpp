// The sound commands as scripts use them, over a recording device and an open
// file held in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/open_file.h"
#include "engine/subsystem.h"
#include "engine_fixture.h"
#include "media/sound_state.h"

namespace kav {
extern const CommandFamily kSoundSlotCommands, kWaveBufferCommands;
}

namespace kav::test {
namespace {

// What the devices of every part made in a test were asked, in order: the
// parts come and go with the runs, the log stays.
std::vector<std::string> g_log;

class LogDevice : public SoundDevice {
public:
    bool send(const std::string& command, NotifyWindow notify) override {
        g_log.push_back(command + (notify ? " -> window" : ""));
        return command.find("refused") == std::string::npos;
    }
    uint32_t deviceOf(const std::string& alias) override { return alias == "sound0" ? 7 : 0; }
    void playImage(const uint8_t* image, int32_t flag) override {
        g_log.push_back("image " + std::to_string(image[40] | image[41] << 8) + " samples, flag " + std::to_string(flag));
    }
    void stopImages() override { g_log.push_back("stop images"); }
};

struct LogSound : SoundState {
    LogSound() : SoundState(std::make_unique<LogDevice>()) {}
};

struct MemoryFile : OpenFile {
    bool open = false;
    std::string bytes;
    bool isOpen() const override { return open; }
    void close() override { open = false; }
    int64_t readAt(int64_t, void*, size_t) override { return -1; }
    bool writeAt(int64_t pos, const void* data, size_t n) override {
        EXPECT_LT(pos, 0) << "wave buffers are written where the file stands";
        bytes.append(static_cast<const char*>(data), n);
        return true;
    }
    int64_t length() override { return static_cast<int64_t>(bytes.size()); }
};

const CommandFamily* const kFamilies[] = {&kSoundSlotCommands, &kWaveBufferCommands};
const Subsystem kSound{"sound", kFamilies, partKey<SoundState>(), makePart<LogSound>};
const Subsystem kFile{"files", {}, partKey<OpenFile>(), makePart<MemoryFile>};

using Log = std::vector<std::string>;

class SoundCommands : public EngineTest {
protected:
    SoundCommands() : EngineTest({&kFile, &kSound}) { g_log.clear(); }
    uint8_t runText(const std::string& script) {
        if (!load("INIT{" + script + "}")) return e.fault.status;
        g_log.clear();
        return run("INIT");
    }
    MemoryFile& file() { return static_cast<MemoryFile&>(e.part<OpenFile>()); }
};

TEST_F(SoundCommands, SlotsRegisterInCreateAndInSections) {
    ASSERT_TRUE(load("CREATE{EntryWaveFile(0,\"a.wav\");}INIT{EntryMidiFile(31,\"FILE_NAME\");PlaySound(0,1);}"));
    EXPECT_EQ(g_log, Log{"open \"a.wav\" type waveaudio alias sound0"});
    e.fileName = "C:\\m\\b.mid";
    g_log.clear();
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(g_log, (Log{"open \"C:\\m\\b.mid\" type sequencer alias sound31", "play sound0 from 0 notify -> window"}));
}

// Codes of the slots and buffers themselves are tested with them; here, what
// the commands add: argument counts and literals, and which tables hold them.
TEST_F(SoundCommands, ArgumentsAndTables) {
    EXPECT_EQ(runText("PlaySound(0);"), 8);
    EXPECT_EQ(subject(), "PlaySound");
    EXPECT_EQ(runText("PlaySound(0,0,0);"), 23);
    EXPECT_EQ(runText("StopSound;"), 23);
    EXPECT_EQ(runText("EntryWaveFile(0,a.wav);"), 9);
    EXPECT_EQ(runText("EntryWaveFile(0,\"refused.wav\");"), 52);
    EXPECT_EQ(runText("EntryMidiFile(0,\"refused.mid\");"), 53);
    EXPECT_EQ(runText("WaveBuf(\"b\",100);"), 6);
    ASSERT_TRUE(load("CREATE{WaveBuf(\"b\",100);}INIT{x=GetWaveBuf(\"b\",0)+GetWaveBuf(\"b\",20);"
                     "SetWaveBuf(\"b\",20,-1);y=GetWaveBuf(\"b\",20);GetWaveBuf(\"b\",99);}"));
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(var("x"), 227);
    EXPECT_EQ(var("y"), -1);
    // A bad buffer stops the CREATE phase.
    EXPECT_FALSE(load("CREATE{loop(33){WaveBuf(\"b\",1);}}"));
    EXPECT_EQ(e.fault.status, 54);
    EXPECT_FALSE(load("CREATE{WaveBuf(\"b\");}"));
    EXPECT_EQ(e.fault.status, 8);
}

TEST_F(SoundCommands, PlayingBuffers) {
    ASSERT_TRUE(load("CREATE{WaveBuf(\"b\",100);WaveBuf(\"c\",7);}"
                     "INIT{PlayWaveBuf(\"b\",-1);PlayWaveBuf(\"nosuch\",0);PlayWaveBuf(\"c\",1);StopWaveBuf();"
                     "StopWaveBuf(1,2);PlayWaveBuf(\"nosuch\",2);}"));
    EXPECT_EQ(run("INIT"), 16);
    EXPECT_EQ(g_log, (Log{"image 100 samples, flag -1", "image 7 samples, flag 1", "stop images", "stop images"}));
}

TEST_F(SoundCommands, SavedImagesGoWhereTheFileStands) {
    ASSERT_TRUE(load("CREATE{WaveBuf(\"b\",1000);}INIT{SaveWaveBuf(\"b\");SaveWaveBuf(\"b\");}"));
    file().open = true;
    EXPECT_EQ(run("INIT"), 0);
    ASSERT_EQ(file().bytes.size(), 2088u);
    EXPECT_EQ(file().bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(file().bytes.substr(1044, 4), "RIFF");
    // The open file is looked at first.
    EXPECT_EQ(runText("SaveWaveBuf(\"nosuch\");"), 5);
    ASSERT_TRUE(load("INIT{SaveWaveBuf(\"nosuch\");}"));
    file().open = true;
    EXPECT_EQ(run("INIT"), 56);
}

TEST_F(SoundCommands, TheRunWindowRestartsTheLoopingSlot) {
    ASSERT_TRUE(load("CREATE{EntryWaveFile(0,\"a.wav\");}INIT{PlaySound(0,1);}"));
    EXPECT_EQ(run("INIT"), 0);
    g_log.clear();
    intptr_t result = -1;
    Part& part = e.part<SoundState>();
    EXPECT_FALSE(part.message(e, window, 0x0400, kMciNotifySuccessful, 7, result));
    EXPECT_FALSE(part.message(e, window, kMciNotifyMessage, kMciNotifySuccessful, 8, result));  // not a slot's
    EXPECT_TRUE(part.message(e, window, kMciNotifyMessage, 4, 7, result));  // aborted
    EXPECT_TRUE(part.message(e, window, kMciNotifyMessage, kMciNotifySuccessful, 7, result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_log, (Log{"seek sound0 to start", "play sound0 from 0 notify -> window"}));
}

TEST_F(SoundCommands, TheEndOfTheRunStopsThePlayerAndClosesTheSlots) {
    ASSERT_TRUE(load("CREATE{WaveBuf(\"b\",10);EntryWaveFile(3,\"a.wav\");EntryMidiFile(9,\"b.mid\");}"
                     "INIT{PlayWaveBuf(\"b\",1);}"));
    EXPECT_EQ(run("INIT"), 0);
    g_log.clear();
    e.part<SoundState>().windowDestroyed(e);
    EXPECT_EQ(g_log, (Log{"stop images", "close sound3", "close sound9"}));
    EXPECT_EQ(e.part<SoundState>().buffers().size(), 0u);
}

// Without this the aliases would stay taken for the next run in the editor.
TEST_F(SoundCommands, AFailedCreateClosesWhatItRegistered) {
    EXPECT_FALSE(load("CREATE{EntryWaveFile(2,\"a.wav\");x=y;}"));
    EXPECT_EQ(g_log, (Log{"open \"a.wav\" type waveaudio alias sound2", "close sound2"}));
    g_log.clear();
    ASSERT_TRUE(load("CREATE{EntryWaveFile(2,\"a.wav\");}"));
    EXPECT_EQ(g_log, Log{"open \"a.wav\" type waveaudio alias sound2"});
}

}  // namespace
}  // namespace kav::test
