// Sound slots: WAVE and MIDI files registered under numbered aliases (sound0 ..
// sound31) and driven by the system's string-command media interface.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/status.h"
#include "media/sound_device.h"

namespace kav {

constexpr int kSoundSlotCount = 32;

enum class SoundKind : uint8_t { Wave, Midi };

// The buffers the command strings are built in, terminator included. A path
// that would make a register command longer is refused, never cut.
constexpr size_t kWaveOpenCommandMax = 266;
constexpr size_t kSoundCommandMax = 256;

// The register command of a slot; false when the path does not fit its buffer
// or holds a double quote (which would end the path inside the command).
[[nodiscard]] bool soundOpenCommand(SoundKind kind, std::string_view path, int slot, std::string& out);

// The commands that name only the slot's alias.
enum class SoundVerb : uint8_t { PlayNotify, PlayWait, Pause, Resume, Stop, SeekStart, Close };
std::string soundCommand(SoundVerb verb, int slot);

// The states of a slot.
enum class SlotState : int8_t { Free = -1, Registered = 1, Playing = 2 };

class SoundSlots {
public:
    explicit SoundSlots(SoundDevice& device) : device_(device) {}

    // Registers a file: 16 for a slot outside 0..31, 50 for a used slot, 15 for
    // a path the command cannot hold, 52 (WAVE) or 53 (MIDI) when refused.
    [[nodiscard]] Status entry(int32_t slot, SoundKind kind, std::string_view path);
    // flag 0 plays once, 1 loops, -1 plays to the end before returning; the
    // end is reported to `window`. 16 or 51 as for the other commands; a play
    // the interface refuses changes nothing and is no error.
    [[nodiscard]] Status play(int32_t slot, int32_t flag, NotifyWindow window);
    // Pauses a playing slot, resumes a paused one.
    [[nodiscard]] Status pause(int32_t slot);
    [[nodiscard]] Status stop(int32_t slot);
    // A completion the run window heard: restarts the looping slot when its
    // play ended successfully. `device` is the identifier the report names;
    // false when it is no registered slot's.
    bool onNotify(bool successful, uint32_t device, NotifyWindow runWindow);
    // Closes every registered slot and forgets them all.
    void closeAll();

    SlotState state(int slot) const { return slots_[static_cast<size_t>(slot)].state; }
    int lastPlayed() const { return lastPlayed_; }

private:
    struct Slot {
        SlotState state = SlotState::Free;
        int8_t mode = -1;  // the flag of the last play
    };
    [[nodiscard]] Status check(int32_t slot) const;
    // The registered slot the interface knows by this identifier, or -1.
    int slotOf(uint32_t device);
    Slot& at(int32_t slot) { return slots_[static_cast<size_t>(slot)]; }

    SoundDevice& device_;
    std::array<Slot, kSoundSlotCount> slots_{};
    int lastPlayed_ = -1;  // the slot of the latest accepted play: the only one that loops
};

}  // namespace kav
