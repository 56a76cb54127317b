// The sound subsystem on Windows: the string-command media interface and the
// simple sound player of WinMM.
#include <windows.h>
#include <mmsystem.h>

#include "engine/subsystem.h"
#include "media/sound_state.h"

namespace kav {

namespace {

class WinMM final : public SoundDevice {
public:
    bool send(const std::string& command, NotifyWindow notify) override {
        return mciSendStringA(command.c_str(), nullptr, 0, static_cast<HWND>(notify)) == 0;
    }
    uint32_t deviceOf(const std::string& alias) override { return mciGetDeviceIDA(alias.c_str()); }
    void playImage(const uint8_t* image, int32_t flag) override {
        const DWORD how = flag == -1 ? SND_SYNC : flag == 1 ? SND_ASYNC | SND_LOOP : SND_ASYNC;
        PlaySoundA(reinterpret_cast<LPCSTR>(image), nullptr, SND_MEMORY | how);
    }
    void stopImages() override { PlaySoundA(nullptr, nullptr, 0); }
};

class WinSound final : public SoundState {
public:
    WinSound() : SoundState(std::make_unique<WinMM>()) {}
};

}  // namespace

// The sound subsystem: sound slots and wave buffers.
extern const CommandFamily kSoundSlotCommands, kWaveBufferCommands;
constexpr const CommandFamily* kSoundFamilies[] = {&kSoundSlotCommands, &kWaveBufferCommands};
extern constinit const Subsystem kSoundSubsystem{"sound", kSoundFamilies, partKey<SoundState>(), makePart<WinSound>};

}  // namespace kav
