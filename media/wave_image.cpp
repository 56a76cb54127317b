#include "media/wave_image.h"

#include <cstring>
#include <new>

namespace kav {

namespace {

void put16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* at, uint32_t v) {
    put16(at, static_cast<uint16_t>(v));
    put16(at + 2, static_cast<uint16_t>(v >> 16));
}

void writeHeader(uint8_t* h, uint32_t samples) {
    std::memcpy(h, "RIFF", 4);
    put32(h + 4, samples + 36);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, 16);  // format chunk size
    put16(h + 20, 1);   // PCM
    put16(h + 22, 1);   // mono
    put32(h + 24, kWaveSampleRate);
    put32(h + 28, kWaveSampleRate);  // bytes per second: one byte per sample
    put16(h + 32, 1);                // block alignment
    put16(h + 34, 8);                // bits per sample
    std::memcpy(h + 36, "data", 4);
    put32(h + 40, samples);
}

bool validPos(const WaveBuffer& b, int32_t pos) { return static_cast<size_t>(pos) < b.samples(); }

}  // namespace

std::vector<uint8_t> newWaveImage(uint32_t samples) {
    std::vector<uint8_t> image(kWaveHeaderSize + samples);
    writeHeader(image.data(), samples);
    for (uint32_t i = 0; i < samples; ++i)
        image[kWaveHeaderSize + i] = (i / kSquareRun) % 2 ? kSquareHigh : kSquareLow;
    return image;
}

Status WaveBuffers::create(std::string_view name, int32_t size) {
    if (buffers_.size() >= kWaveBufMaxCount) return Status::TooManyWaveBufs;
    if (size <= 0 || size > kWaveMaxSamples) return Status::WaveBufTooLarge;
    if (name.size() > kWaveBufNameMax) return Status::ParamInvalid;
    try {
        buffers_.push_back({std::string(name), newWaveImage(static_cast<uint32_t>(size))});
    } catch (const std::bad_alloc&) {
        return Status::NoMemory;
    }
    return Status::Ok;
}

const WaveBuffer* WaveBuffers::find(std::string_view name) const {
    for (const WaveBuffer& b : buffers_)
        if (b.name == name) return &b;
    return nullptr;
}

WaveBuffer* WaveBuffers::findMutable(std::string_view name) { return const_cast<WaveBuffer*>(find(name)); }

Status WaveBuffers::set(std::string_view name, int32_t pos, int32_t data) {
    if (pos < 0 || data < -128 || data > 127) return Status::ParamInvalid;
    WaveBuffer* b = findMutable(name);
    if (!b) return Status::NoWaveBuf;
    if (!validPos(*b, pos)) return Status::WaveBufRange;
    b->image[kWaveHeaderSize + static_cast<size_t>(pos)] = static_cast<uint8_t>(data);
    return Status::Ok;
}

Status WaveBuffers::get(std::string_view name, int32_t pos, int32_t& out) const {
    if (pos < 0) return Status::ParamInvalid;
    const WaveBuffer* b = find(name);
    if (!b) return Status::NoWaveBuf;
    if (!validPos(*b, pos)) return Status::WaveBufRange;
    out = static_cast<int8_t>(b->image[kWaveHeaderSize + static_cast<size_t>(pos)]);
    return Status::Ok;
}

}  // namespace kav
