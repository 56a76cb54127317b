// The sound slots: WAVE and MIDI files registered by number and played,
// paused and stopped through the system's string-command media interface.
#include "engine/commands.h"
#include "engine/engine.h"
#include "media/sound_state.h"

namespace kav {

namespace {

void report(Call& c, Status s) {
    if (s != Status::Ok) c.fail(s);
}

void entry(Call& c, SoundKind kind) {
    int32_t slot = 0;
    std::string_view literal;
    if (!c.integers(0, 0, &slot) || !c.string(1, literal)) return;
    report(c, c.part<SoundState>().slots().entry(slot, kind, resolveTextArgument(c.e, literal)));
}

void entryWaveFile(Call& c) { entry(c, SoundKind::Wave); }
void entryMidiFile(Call& c) { entry(c, SoundKind::Midi); }

// The end of the play is reported to the window whose section plays it: only
// the run window starts a looping slot again.
void playSound(Call& c) {
    int32_t v[2];
    if (c.integers(0, 1, v)) report(c, c.part<SoundState>().slots().play(v[0], v[1], c.window));
}

void pauseSound(Call& c) {
    int32_t slot = 0;
    if (c.integers(0, 0, &slot)) report(c, c.part<SoundState>().slots().pause(slot));
}

void stopSound(Call& c) {
    int32_t slot = 0;
    if (c.integers(0, 0, &slot)) report(c, c.part<SoundState>().slots().stop(slot));
}

constexpr CommandEntry kEntries[] = {
    {"EntryWaveFile", 2, kStatement | kCreate, entryWaveFile},
    {"EntryMidiFile", 2, kStatement | kCreate, entryMidiFile},
    {"PlaySound", 2, kStatement, playSound},
    {"PauseSound", 1, kStatement, pauseSound},
    {"StopSound", 1, kStatement, stopSound},
};

}  // namespace

extern constinit const CommandFamily kSoundSlotCommands{kEntries};

}  // namespace kav
