// What the sound commands need of the system: its string-command media
// interface, which drives the sound slots, and its simple sound player, which
// plays wave buffers from memory.
#pragma once
#include <cstdint>
#include <string>

namespace kav {

using NotifyWindow = void*;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Sends one command string; true when the interface accepted it. `notify`
    // is the window that hears of the command's completion, or nullptr.
    virtual bool send(const std::string& command, NotifyWindow notify) = 0;
    // The interface's identifier of an alias, 0 when none is open under it.
    virtual uint32_t deviceOf(const std::string& alias) = 0;
    // Plays a WAVE file image from memory in place of whatever the player
    // plays: flag -1 returns at its end, 0 plays it once, 1 loops. The player
    // reads the image while it plays: it must stay until stopImages.
    virtual void playImage(const uint8_t* image, int32_t flag) = 0;
    // Stops whatever the player plays.
    virtual void stopImages() = 0;
};

}  // namespace kav
