#include "graphics/qr_code.h"

#include <algorithm>
#include <climits>

namespace kav::qr {

namespace {

constexpr uint8_t kPadCodewords[2] = {0xEC, 0x11};

}  // namespace

void reedSolomon(std::span<const uint8_t> data, std::span<uint8_t> ec) {
    // Long division in a work area of the whole block: after the data
    // positions are cancelled, the remainder is what is left behind them.
    std::array<uint8_t, kMaxBlockCodewords> work{};
    std::copy(data.begin(), data.end(), work.begin());
    const std::span<const uint8_t> g = generatorPolynomial(static_cast<int>(ec.size()));
    for (size_t i = 0; i < data.size(); ++i) {
        const uint8_t factor = work[i];
        if (!factor) continue;
        for (size_t k = 1; k < g.size(); ++k) work[i + k] ^= gfMultiply(g[k], factor);
    }
    std::copy_n(work.begin() + static_cast<ptrdiff_t>(data.size()), ec.size(), ec.begin());
}

bool Encoder::plan(int level, std::span<const uint8_t> text) {
    if (level < 0 || level >= kLevels || text.empty() || text.size() > kMaxTextBytes) return false;
    level_ = level;
    for (int group = 0; group < kGroups; ++group) {
        if (fitGroup(group, text)) {
            finishData();
            return true;
        }
    }
    return false;
}

// The segments are chosen afresh with the group's widths; the group fits when
// its largest version holds the stream.
bool Encoder::fitGroup(int group, std::span<const uint8_t> text) {
    segments_.classify(text);
    segments_.optimise(group);
    const int bits = segments_.bits(group);
    if (bits > 8 * qr::dataCodewords(kGroupLast[group], level_) || !segments_.countsFit(group)) return false;
    stream_.clear();
    if (!writeSegments(segments_, text, group, stream_)) return false;
    streamBits_ = stream_.bits();
    for (int v = kGroupFirst[group]; v <= kGroupLast[group]; ++v) {
        if (8 * qr::dataCodewords(v, level_) >= streamBits_) {
            version_ = v;
            return true;
        }
    }
    return false;
}

// Terminator, zero bits to the byte boundary, then alternating pad codewords.
void Encoder::finishData() {
    dataCount_ = qr::dataCodewords(version_, level_);
    const int room = 8 * dataCount_ - streamBits_;
    if (room >= 1) (void)stream_.append(0, std::min(4, room));
    if (stream_.bits() % 8) (void)stream_.append(0, 8 - stream_.bits() % 8);
    const std::span<const uint8_t> bytes = stream_.bytes();
    std::copy(bytes.begin(), bytes.end(), data_.begin());
    for (size_t i = bytes.size(), k = 0; i < static_cast<size_t>(dataCount_); ++i, k ^= 1) data_[i] = kPadCodewords[k];
}

// Each block's codewords go out column by column across the blocks: first all
// data codewords, then all error-correction codewords.
void Encoder::interleave() {
    const BlockLayout& layout = blockLayout(version_, level_);
    const int blocks = layout.blockCount();
    const int ecPer = layout.ecPerBlock();
    std::array<int, kMaxBlocks> starts{};
    int offset = 0;
    for (int b = 0; b < blocks; ++b) {
        const int length = b < layout.first.count ? layout.first.data : layout.second.data;
        starts[b] = offset;
        reedSolomon({data_.data() + offset, static_cast<size_t>(length)},
                    {ec_.data() + b * ecPer, static_cast<size_t>(ecPer)});
        offset += length;
    }
    const int longest = layout.second.count ? layout.second.data : layout.first.data;
    int n = 0;
    for (int column = 0; column < longest; ++column) {
        for (int b = 0; b < blocks; ++b) {
            const int length = b < layout.first.count ? layout.first.data : layout.second.data;
            if (column < length) final_[n++] = data_[starts[b] + column];
        }
    }
    for (int column = 0; column < ecPer; ++column) {
        for (int b = 0; b < blocks; ++b) final_[n++] = ec_[b * ecPer + column];
    }
    finalCount_ = n;
}

// A later mask wins only with a strictly lower penalty.
void Encoder::chooseMask() {
    int best = INT_MAX;
    for (int m = 0; m < kMasks; ++m) {
        matrix_.applyMask(m);
        matrix_.writeFormat(level_, m);
        penalties_[m] = matrix_.penalty();
        if (penalties_[m] < best) {
            best = penalties_[m];
            mask_ = m;
        }
    }
    matrix_.applyMask(mask_);
    matrix_.writeFormat(level_, mask_);
}

bool Encoder::encode(int level, std::span<const uint8_t> text) {
    if (!plan(level, text)) return false;
    interleave();
    matrix_.reset(version_);
    matrix_.placeCodewords(codewords());
    chooseMask();
    matrix_.reduce();
    return true;
}

}  // namespace kav::qr
