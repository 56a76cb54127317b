// The sound of one run: its slots, its wave buffers and the system that plays
// them. The platform gives the device; everything else is the same everywhere.
#pragma once
#include <cstdint>
#include <memory>

#include "engine/part.h"
#include "media/sound_device.h"
#include "media/sound_slots.h"
#include "media/wave_image.h"

namespace kav {

// The system's notification of a finished media command, and its "ended
// successfully" code.
constexpr uint32_t kMciNotifyMessage = 0x3B9;
constexpr uintptr_t kMciNotifySuccessful = 1;

class SoundState : public Part {
public:
    explicit SoundState(std::unique_ptr<SoundDevice> device);
    // A run whose CREATE phase failed never had a window, yet may have
    // registered slots: they are closed here, so that the next run in the same
    // process finds their aliases free.
    ~SoundState() override;

    SoundSlots& slots() { return slots_; }
    WaveBuffers& buffers() { return buffers_; }
    // Plays a buffer with the simple player (flag as SoundDevice::playImage).
    void play(const WaveBuffer& buffer, int32_t flag);
    void stop() { device_->stopImages(); }

    // The player stops before the buffers it may be reading go; every
    // registered slot is closed.
    void windowDestroyed(Engine&) override { release(); }
    // The end of a looping slot's play starts it again. Notifications of
    // devices that are no slot's are left to others.
    bool message(Engine&, WindowRef window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                 intptr_t& result) override;

private:
    void release();

    std::unique_ptr<SoundDevice> device_;
    SoundSlots slots_;
    WaveBuffers buffers_;
    bool playerUsed_ = false;
};

}  // namespace kav
