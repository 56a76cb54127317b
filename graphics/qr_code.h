// The QR Code encoder: a level and a byte string in, a module matrix out.
// It is large (the segment list, stream, codewords and matrix of the biggest
// symbol), so callers keep one on the heap.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "graphics/qr_matrix.h"
#include "graphics/qr_segments.h"
#include "graphics/qr_tables.h"

namespace kav::qr {

class Encoder {
public:
    // Chooses the segments and the version and builds the data codewords.
    // False for an empty text, a level outside 0..3 or a text no version
    // holds at the level.
    [[nodiscard]] bool plan(int level, std::span<const uint8_t> text);
    // plan(), then error correction, placement and the mask choice. On success
    // the matrix holds 1 (dark) and 0 (light).
    [[nodiscard]] bool encode(int level, std::span<const uint8_t> text);

    // What the last successful plan() or encode() made; the mask, penalties
    // and modules come from encode() only.
    int version() const { return version_; }
    int size() const { return symbolSize(version_); }
    int mask() const { return mask_; }
    // The penalty each mask scored, in mask order.
    int penalty(int mask) const { return penalties_[mask]; }
    bool dark(int column, int row) const { return matrix_.at(column, row) != 0; }
    // The segments of the version group chosen.
    const SegmentList& segments() const { return segments_; }
    // The stream bits before the terminator.
    int streamBits() const { return streamBits_; }
    std::span<const uint8_t> dataCodewords() const { return {data_.data(), static_cast<size_t>(dataCount_)}; }
    // Data and error-correction codewords in the order they are placed.
    std::span<const uint8_t> codewords() const { return {final_.data(), static_cast<size_t>(finalCount_)}; }

private:
    bool fitGroup(int group, std::span<const uint8_t> text);
    void finishData();
    void interleave();
    void chooseMask();

    int level_ = 0;
    int version_ = 0;
    int mask_ = 0;
    int streamBits_ = 0;
    int dataCount_ = 0;
    int finalCount_ = 0;
    std::array<int, kMasks> penalties_{};
    SegmentList segments_;
    BitStream stream_;
    std::array<uint8_t, kMaxDataCodewords> data_{};
    std::array<uint8_t, kMaxCodewords> ec_{};
    std::array<uint8_t, kMaxCodewords> final_{};
    Matrix matrix_;
};

// The error-correction codewords of one block: the remainder of the data
// polynomial times x^ec.size() divided by the generator. data.size() +
// ec.size() is at most kMaxBlockCodewords, ec.size() 1..kMaxEcCodewords.
void reedSolomon(std::span<const uint8_t> data, std::span<uint8_t> ec);

}  // namespace kav::qr
