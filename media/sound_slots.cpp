#include "media/sound_slots.h"

namespace kav {

namespace {

std::string alias(int slot) {
    std::string a = "sound";
    return a += std::to_string(slot);
}

}  // namespace

bool soundOpenCommand(SoundKind kind, std::string_view path, int slot, std::string& out) {
    if (path.find('"') != std::string_view::npos) return false;
    const bool wave = kind == SoundKind::Wave;
    out = "open \"";
    out += path;
    out += wave ? "\" type waveaudio alias " : "\" type sequencer alias ";
    out += alias(slot);
    return out.size() < (wave ? kWaveOpenCommandMax : kSoundCommandMax);
}

std::string soundCommand(SoundVerb verb, int slot) {
    const std::string a = alias(slot);
    switch (verb) {
    case SoundVerb::PlayNotify: return "play " + a + " from 0 notify";
    case SoundVerb::PlayWait: return "play " + a + " from 0 wait";
    case SoundVerb::Pause: return "pause " + a + " notify";
    case SoundVerb::Resume: return "resume " + a + " notify";
    case SoundVerb::Stop: return "stop " + a;
    case SoundVerb::SeekStart: return "seek " + a + " to start";
    case SoundVerb::Close: return "close " + a;
    }
    return {};
}

Status SoundSlots::check(int32_t slot) const {
    if (slot < 0 || slot >= kSoundSlotCount) return Status::ParamInvalid;
    if (state(slot) == SlotState::Free) return Status::NoSound;
    return Status::Ok;
}

Status SoundSlots::entry(int32_t slot, SoundKind kind, std::string_view path) {
    if (slot < 0 || slot >= kSoundSlotCount) return Status::ParamInvalid;
    if (state(slot) != SlotState::Free) return Status::SoundRegistered;
    std::string command;
    if (!soundOpenCommand(kind, path, slot, command)) return Status::FileOpenFailed;
    if (!device_.send(command, nullptr))
        return kind == SoundKind::Wave ? Status::WaveEntryFailed : Status::MidiEntryFailed;
    at(slot).state = SlotState::Registered;
    return Status::Ok;
}

Status SoundSlots::play(int32_t slot, int32_t flag, NotifyWindow window) {
    if (Status s = check(slot); s != Status::Ok) return s;
    if (flag < -1 || flag > 1) return Status::ParamInvalid;
    const bool accepted = flag == -1 ? device_.send(soundCommand(SoundVerb::PlayWait, slot), nullptr)
                                     : device_.send(soundCommand(SoundVerb::PlayNotify, slot), window);
    if (accepted) {
        at(slot) = {SlotState::Playing, static_cast<int8_t>(flag)};
        lastPlayed_ = slot;
    }
    return Status::Ok;
}

Status SoundSlots::pause(int32_t slot) {
    if (Status s = check(slot); s != Status::Ok) return s;
    Slot& s = at(slot);
    const bool playing = s.state == SlotState::Playing;
    if (device_.send(soundCommand(playing ? SoundVerb::Pause : SoundVerb::Resume, slot), nullptr))
        s.state = playing ? SlotState::Registered : SlotState::Playing;
    return Status::Ok;
}

Status SoundSlots::stop(int32_t slot) {
    if (Status s = check(slot); s != Status::Ok) return s;
    if (device_.send(soundCommand(SoundVerb::Stop, slot), nullptr)) at(slot).state = SlotState::Registered;
    return Status::Ok;
}

int SoundSlots::slotOf(uint32_t device) {
    for (int i = 0; i < kSoundSlotCount; ++i)
        if (state(i) != SlotState::Free && device_.deviceOf(alias(i)) == device) return i;
    return -1;
}

// The end of another slot's play (or of a pause) reaches the same window: only
// the looping slot's own successful end restarts it.
bool SoundSlots::onNotify(bool successful, uint32_t device, NotifyWindow runWindow) {
    const int slot = slotOf(device);
    if (slot < 0) return false;
    Slot& s = at(slot);
    if (slot != lastPlayed_ || !successful || s.state == SlotState::Registered || s.mode != 1) return true;
    device_.send(soundCommand(SoundVerb::SeekStart, slot), nullptr);
    if (!device_.send(soundCommand(SoundVerb::PlayNotify, slot), runWindow)) {
        s.state = SlotState::Registered;
        lastPlayed_ = -1;
    }
    return true;
}

void SoundSlots::closeAll() {
    for (int i = 0; i < kSoundSlotCount; ++i)
        if (state(i) != SlotState::Free) device_.send(soundCommand(SoundVerb::Close, i), nullptr);
    slots_ = {};
    lastPlayed_ = -1;
}

}  // namespace kav
