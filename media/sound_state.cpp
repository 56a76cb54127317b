#include "media/sound_state.h"

namespace kav {

SoundState::SoundState(std::unique_ptr<SoundDevice> device) : device_(std::move(device)), slots_(*device_) {}

SoundState::~SoundState() { release(); }

void SoundState::play(const WaveBuffer& buffer, int32_t flag) {
    playerUsed_ = true;
    device_->playImage(buffer.image.data(), flag);
}

void SoundState::release() {
    if (playerUsed_) device_->stopImages();
    playerUsed_ = false;
    buffers_.clear();
    slots_.closeAll();
}

bool SoundState::message(Engine&, WindowRef window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                         intptr_t& result) {
    if (message != kMciNotifyMessage) return false;
    if (!slots_.onNotify(wParam == kMciNotifySuccessful, static_cast<uint32_t>(lParam), window)) return false;
    result = 0;
    return true;
}

}  // namespace kav
