// Wave buffers: named blocks of 8-bit mono samples kept as complete WAVE file
// images, so that one block of memory can be played, read, written and saved.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/status.h"

namespace kav {

constexpr size_t kWaveHeaderSize = 44;
constexpr uint32_t kWaveSampleRate = 22050;
constexpr int32_t kWaveMaxSamples = 65535;
constexpr size_t kWaveBufMaxCount = 32;
constexpr size_t kWaveBufNameMax = 31;  // bytes, without the terminator

// The square wave a new buffer holds: runs of this many samples, low then high,
// 22050 / 40 = 551.25 Hz.
constexpr size_t kSquareRun = 20;
constexpr uint8_t kSquareLow = 100, kSquareHigh = 127;

// A WAVE file image: the 44-byte header (PCM, mono, 22050 Hz, 8 bits) followed
// by `samples` unsigned samples holding the square wave. samples: 1..65535.
std::vector<uint8_t> newWaveImage(uint32_t samples);

struct WaveBuffer {
    std::string name;            // at most kWaveBufNameMax bytes
    std::vector<uint8_t> image;  // header and samples

    size_t samples() const { return image.size() - kWaveHeaderSize; }
};

// The wave buffers of a run, in declaration order.
class WaveBuffers {
public:
    // A new buffer of `size` samples: 54 when all are in use, 55 for a size
    // outside 1..65535, 16 for a name too long to store.
    [[nodiscard]] Status create(std::string_view name, int32_t size);
    // The first buffer with this exact name, or nullptr.
    const WaveBuffer* find(std::string_view name) const;
    // Sample pos := data mod 256. 16 for pos < 0 or data outside -128..127,
    // 56 for an unknown name, 57 for pos beyond the samples.
    [[nodiscard]] Status set(std::string_view name, int32_t pos, int32_t data);
    // Sample pos read as a signed byte. 16 for pos < 0, 56, 57 as for set.
    [[nodiscard]] Status get(std::string_view name, int32_t pos, int32_t& out) const;

    size_t size() const { return buffers_.size(); }
    void clear() { buffers_.clear(); }

private:
    WaveBuffer* findMutable(std::string_view name);

    std::vector<WaveBuffer> buffers_;
};

}  // namespace kav
