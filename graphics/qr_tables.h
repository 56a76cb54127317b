// The fixed tables of QR Code Model 2 symbols (ISO/IEC 18004): sizes and
// codeword counts per version, error-correction blocks, alignment centres,
// character-count widths, the alphanumeric set, GF(256) and the BCH codes of
// the format and version information.
#pragma once
#include <cstdint>
#include <span>

namespace kav::qr {

constexpr int kMinVersion = 1;
constexpr int kMaxVersion = 40;
constexpr int kLevels = 4;  // 0..3 = L, M, Q, H
constexpr int kMasks = 8;
constexpr int kMaxSize = 4 * kMaxVersion + 17;
constexpr int kMaxCodewords = 3706;      // version 40
constexpr int kMaxDataCodewords = 2956;  // version 40 at level L
constexpr int kMaxBlockCodewords = 153;  // the longest block of any version and level
constexpr int kMaxEcCodewords = 30;      // per block
constexpr int kMaxBlocks = 81;           // version 40 at level H

constexpr int symbolSize(int version) { return 4 * version + 17; }

enum class Mode : uint8_t { Numeric, Alphanumeric, Byte, Kanji };

// One kind of block: `count` blocks of `total` codewords, `data` of them data.
struct BlockKind {
    uint8_t count, total, data;
};

// The blocks of one version at one level: all of the first kind, then all of the second.
struct BlockLayout {
    BlockKind first, second;

    constexpr int blockCount() const { return first.count + second.count; }
    constexpr int ecPerBlock() const { return first.total - first.data; }
    constexpr int dataCodewords() const { return first.count * first.data + second.count * second.data; }
};

// Total codewords of a version (1..40).
int totalCodewords(int version);
// The blocks of a version (1..40) at a level (0..3).
const BlockLayout& blockLayout(int version, int level);
// Data codewords of a version at a level.
int dataCodewords(int version, int level);
// Alignment-pattern centre coordinates of a version; empty for version 1.
std::span<const uint8_t> alignmentCentres(int version);

// Version group for character-count widths: 0 for 1..9, 1 for 10..26, 2 for 27..40.
constexpr int versionGroup(int version) { return version <= 9 ? 0 : version <= 26 ? 1 : 2; }
constexpr int kGroups = 3;
constexpr int kGroupFirst[kGroups] = {1, 10, 27};
constexpr int kGroupLast[kGroups] = {9, 26, 40};
// Character-count-indicator width of a mode in a group.
int countWidth(Mode mode, int group);
// The 4-bit mode indicator.
uint32_t modeIndicator(Mode mode);

// Value 0..44 of a character of the alphanumeric set, or -1.
int alphanumericValue(uint8_t c);

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1, generator 2.
uint8_t gfExp(int power);  // power 0..254
int gfLog(uint8_t value);  // value 1..255
uint8_t gfMultiply(uint8_t a, uint8_t b);
// The generator polynomial of `ecCount` (1..30) error-correction codewords:
// ecCount + 1 coefficients, highest power first (the first is always 1).
std::span<const uint8_t> generatorPolynomial(int ecCount);

// The 15 format bits (masked) of a level 0..3 and a mask 0..7.
uint32_t formatBits(int level, int mask);
// The 18 version bits of a version 7..40.
uint32_t versionBits(int version);

}  // namespace kav::qr
