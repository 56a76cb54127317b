#include "graphics/qr_tables.h"

#include <array>

namespace kav::qr {

namespace {

struct VersionRow {
    uint16_t totalCodewords;
    BlockLayout levels[kLevels];  // L, M, Q, H
};

// The error correction characteristics of every version, level by level:
// (count, total codewords, data codewords) of the first and second block kind.
constexpr VersionRow kVersionRows[kMaxVersion] = {
    {26, {{{1, 26, 19}, {}}, {{1, 26, 16}, {}},  // 1
          {{1, 26, 13}, {}}, {{1, 26, 9}, {}}}},
    {44, {{{1, 44, 34}, {}}, {{1, 44, 28}, {}},  // 2
          {{1, 44, 22}, {}}, {{1, 44, 16}, {}}}},
    {70, {{{1, 70, 55}, {}}, {{1, 70, 44}, {}},  // 3
          {{2, 35, 17}, {}}, {{2, 35, 13}, {}}}},
    {100, {{{1, 100, 80}, {}}, {{2, 50, 32}, {}},  // 4
           {{2, 50, 24}, {}}, {{4, 25, 9}, {}}}},
    {134, {{{1, 134, 108}, {}}, {{2, 67, 43}, {}},  // 5
           {{2, 33, 15}, {2, 34, 16}}, {{2, 33, 11}, {2, 34, 12}}}},
    {172, {{{2, 86, 68}, {}}, {{4, 43, 27}, {}},  // 6
           {{4, 43, 19}, {}}, {{4, 43, 15}, {}}}},
    {196, {{{2, 98, 78}, {}}, {{4, 49, 31}, {}},  // 7
           {{2, 32, 14}, {4, 33, 15}}, {{4, 39, 13}, {1, 40, 14}}}},
    {242, {{{2, 121, 97}, {}}, {{2, 60, 38}, {2, 61, 39}},  // 8
           {{4, 40, 18}, {2, 41, 19}}, {{4, 40, 14}, {2, 41, 15}}}},
    {292, {{{2, 146, 116}, {}}, {{3, 58, 36}, {2, 59, 37}},  // 9
           {{4, 36, 16}, {4, 37, 17}}, {{4, 36, 12}, {4, 37, 13}}}},
    {346, {{{2, 86, 68}, {2, 87, 69}}, {{4, 69, 43}, {1, 70, 44}},  // 10
           {{6, 43, 19}, {2, 44, 20}}, {{6, 43, 15}, {2, 44, 16}}}},
    {404, {{{4, 101, 81}, {}}, {{1, 80, 50}, {4, 81, 51}},  // 11
           {{4, 50, 22}, {4, 51, 23}}, {{3, 36, 12}, {8, 37, 13}}}},
    {466, {{{2, 116, 92}, {2, 117, 93}}, {{6, 58, 36}, {2, 59, 37}},  // 12
           {{4, 46, 20}, {6, 47, 21}}, {{7, 42, 14}, {4, 43, 15}}}},
    {532, {{{4, 133, 107}, {}}, {{8, 59, 37}, {1, 60, 38}},  // 13
           {{8, 44, 20}, {4, 45, 21}}, {{12, 33, 11}, {4, 34, 12}}}},
    {581, {{{3, 145, 115}, {1, 146, 116}}, {{4, 64, 40}, {5, 65, 41}},  // 14
           {{11, 36, 16}, {5, 37, 17}}, {{11, 36, 12}, {5, 37, 13}}}},
    {655, {{{5, 109, 87}, {1, 110, 88}}, {{5, 65, 41}, {5, 66, 42}},  // 15
           {{5, 54, 24}, {7, 55, 25}}, {{11, 36, 12}, {7, 37, 13}}}},
    {733, {{{5, 122, 98}, {1, 123, 99}}, {{7, 73, 45}, {3, 74, 46}},  // 16
           {{15, 43, 19}, {2, 44, 20}}, {{3, 45, 15}, {13, 46, 16}}}},
    {815, {{{1, 135, 107}, {5, 136, 108}}, {{10, 74, 46}, {1, 75, 47}},  // 17
           {{1, 50, 22}, {15, 51, 23}}, {{2, 42, 14}, {17, 43, 15}}}},
    {901, {{{5, 150, 120}, {1, 151, 121}}, {{9, 69, 43}, {4, 70, 44}},  // 18
           {{17, 50, 22}, {1, 51, 23}}, {{2, 42, 14}, {19, 43, 15}}}},
    {991, {{{3, 141, 113}, {4, 142, 114}}, {{3, 70, 44}, {11, 71, 45}},  // 19
           {{17, 47, 21}, {4, 48, 22}}, {{9, 39, 13}, {16, 40, 14}}}},
    {1085, {{{3, 135, 107}, {5, 136, 108}}, {{3, 67, 41}, {13, 68, 42}},  // 20
            {{15, 54, 24}, {5, 55, 25}}, {{15, 43, 15}, {10, 44, 16}}}},
    {1156, {{{4, 144, 116}, {4, 145, 117}}, {{17, 68, 42}, {}},  // 21
            {{17, 50, 22}, {6, 51, 23}}, {{19, 46, 16}, {6, 47, 17}}}},
    {1258, {{{2, 139, 111}, {7, 140, 112}}, {{17, 74, 46}, {}},  // 22
            {{7, 54, 24}, {16, 55, 25}}, {{34, 37, 13}, {}}}},
    {1364, {{{4, 151, 121}, {5, 152, 122}}, {{4, 75, 47}, {14, 76, 48}},  // 23
            {{11, 54, 24}, {14, 55, 25}}, {{16, 45, 15}, {14, 46, 16}}}},
    {1474, {{{6, 147, 117}, {4, 148, 118}}, {{6, 73, 45}, {14, 74, 46}},  // 24
            {{11, 54, 24}, {16, 55, 25}}, {{30, 46, 16}, {2, 47, 17}}}},
    {1588, {{{8, 132, 106}, {4, 133, 107}}, {{8, 75, 47}, {13, 76, 48}},  // 25
            {{7, 54, 24}, {22, 55, 25}}, {{22, 45, 15}, {13, 46, 16}}}},
    {1706, {{{10, 142, 114}, {2, 143, 115}}, {{19, 74, 46}, {4, 75, 47}},  // 26
            {{28, 50, 22}, {6, 51, 23}}, {{33, 46, 16}, {4, 47, 17}}}},
    {1828, {{{8, 152, 122}, {4, 153, 123}}, {{22, 73, 45}, {3, 74, 46}},  // 27
            {{8, 53, 23}, {26, 54, 24}}, {{12, 45, 15}, {28, 46, 16}}}},
    {1921, {{{3, 147, 117}, {10, 148, 118}}, {{3, 73, 45}, {23, 74, 46}},  // 28
            {{4, 54, 24}, {31, 55, 25}}, {{11, 45, 15}, {31, 46, 16}}}},
    {2051, {{{7, 146, 116}, {7, 147, 117}}, {{21, 73, 45}, {7, 74, 46}},  // 29
            {{1, 53, 23}, {37, 54, 24}}, {{19, 45, 15}, {26, 46, 16}}}},
    {2185, {{{5, 145, 115}, {10, 146, 116}}, {{19, 75, 47}, {10, 76, 48}},  // 30
            {{15, 54, 24}, {25, 55, 25}}, {{23, 45, 15}, {25, 46, 16}}}},
    {2323, {{{13, 145, 115}, {3, 146, 116}}, {{2, 74, 46}, {29, 75, 47}},  // 31
            {{42, 54, 24}, {1, 55, 25}}, {{23, 45, 15}, {28, 46, 16}}}},
    {2465, {{{17, 145, 115}, {}}, {{10, 74, 46}, {23, 75, 47}},  // 32
            {{10, 54, 24}, {35, 55, 25}}, {{19, 45, 15}, {35, 46, 16}}}},
    {2611, {{{17, 145, 115}, {1, 146, 116}}, {{14, 74, 46}, {21, 75, 47}},  // 33
            {{29, 54, 24}, {19, 55, 25}}, {{11, 45, 15}, {46, 46, 16}}}},
    {2761, {{{13, 145, 115}, {6, 146, 116}}, {{14, 74, 46}, {23, 75, 47}},  // 34
            {{44, 54, 24}, {7, 55, 25}}, {{59, 46, 16}, {1, 47, 17}}}},
    {2876, {{{12, 151, 121}, {7, 152, 122}}, {{12, 75, 47}, {26, 76, 48}},  // 35
            {{39, 54, 24}, {14, 55, 25}}, {{22, 45, 15}, {41, 46, 16}}}},
    {3034, {{{6, 151, 121}, {14, 152, 122}}, {{6, 75, 47}, {34, 76, 48}},  // 36
            {{46, 54, 24}, {10, 55, 25}}, {{2, 45, 15}, {64, 46, 16}}}},
    {3196, {{{17, 152, 122}, {4, 153, 123}}, {{29, 74, 46}, {14, 75, 47}},  // 37
            {{49, 54, 24}, {10, 55, 25}}, {{24, 45, 15}, {46, 46, 16}}}},
    {3362, {{{4, 152, 122}, {18, 153, 123}}, {{13, 74, 46}, {32, 75, 47}},  // 38
            {{48, 54, 24}, {14, 55, 25}}, {{42, 45, 15}, {32, 46, 16}}}},
    {3532, {{{20, 147, 117}, {4, 148, 118}}, {{40, 75, 47}, {7, 76, 48}},  // 39
            {{43, 54, 24}, {22, 55, 25}}, {{10, 45, 15}, {67, 46, 16}}}},
    {3706, {{{19, 148, 118}, {6, 149, 119}}, {{18, 75, 47}, {31, 76, 48}},  // 40
            {{34, 54, 24}, {34, 55, 25}}, {{20, 45, 15}, {61, 46, 16}}}},
};

// Every block holds the version's codewords between them, both kinds of a level
// carry the same number of error-correction codewords, and no block is longer
// than the work area of the division.
constexpr bool consistent() {
    for (const VersionRow& row : kVersionRows) {
        for (const BlockLayout& b : row.levels) {
            if (b.first.count * b.first.total + b.second.count * b.second.total != row.totalCodewords) return false;
            if (b.second.count && b.second.total - b.second.data != b.ecPerBlock()) return false;
            if (b.first.total > kMaxBlockCodewords || b.second.total > kMaxBlockCodewords) return false;
            if (b.ecPerBlock() > kMaxEcCodewords || b.blockCount() > kMaxBlocks) return false;
        }
    }
    return kVersionRows[kMaxVersion - 1].totalCodewords == kMaxCodewords &&
           kVersionRows[kMaxVersion - 1].levels[0].dataCodewords() == kMaxDataCodewords;
}
static_assert(consistent());

struct AlignmentRow {
    uint8_t count;
    uint8_t centres[7];
};

// Row and column coordinates of the alignment-pattern centres.
constexpr AlignmentRow kAlignmentRows[kMaxVersion] = {
    {0, {}},
    {2, {6, 18}},
    {2, {6, 22}},
    {2, {6, 26}},
    {2, {6, 30}},
    {2, {6, 34}},
    {3, {6, 22, 38}},
    {3, {6, 24, 42}},
    {3, {6, 26, 46}},
    {3, {6, 28, 50}},
    {3, {6, 30, 54}},
    {3, {6, 32, 58}},
    {3, {6, 34, 62}},
    {4, {6, 26, 46, 66}},
    {4, {6, 26, 48, 70}},
    {4, {6, 26, 50, 74}},
    {4, {6, 30, 54, 78}},
    {4, {6, 30, 56, 82}},
    {4, {6, 30, 58, 86}},
    {4, {6, 34, 62, 90}},
    {5, {6, 28, 50, 72, 94}},
    {5, {6, 26, 50, 74, 98}},
    {5, {6, 30, 54, 78, 102}},
    {5, {6, 28, 54, 80, 106}},
    {5, {6, 32, 58, 84, 110}},
    {5, {6, 30, 58, 86, 114}},
    {5, {6, 34, 62, 90, 118}},
    {6, {6, 26, 50, 74, 98, 122}},
    {6, {6, 30, 54, 78, 102, 126}},
    {6, {6, 26, 52, 78, 104, 130}},
    {6, {6, 30, 56, 82, 108, 134}},
    {6, {6, 34, 60, 86, 112, 138}},
    {6, {6, 30, 58, 86, 114, 142}},
    {6, {6, 34, 62, 90, 118, 146}},
    {7, {6, 30, 54, 78, 102, 126, 150}},
    {7, {6, 24, 50, 76, 102, 128, 154}},
    {7, {6, 28, 54, 80, 106, 132, 158}},
    {7, {6, 32, 58, 84, 110, 136, 162}},
    {7, {6, 26, 54, 82, 110, 138, 166}},
    {7, {6, 30, 58, 86, 114, 142, 170}},
};

// Indexed by mode (numeric, alphanumeric, byte, Kanji), then group.
constexpr uint8_t kCountWidths[4][kGroups] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};

constexpr char kAlphanumericSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
static_assert(sizeof kAlphanumericSet == 46);

constexpr std::array<int8_t, 256> makeAlphanumericValues() {
    std::array<int8_t, 256> v{};
    v.fill(-1);
    for (int i = 0; i < 45; ++i) v[static_cast<uint8_t>(kAlphanumericSet[i])] = static_cast<int8_t>(i);
    return v;
}
constexpr std::array<int8_t, 256> kAlphanumericValues = makeAlphanumericValues();

struct Field {
    std::array<uint8_t, 512> exp{};  // doubled so that a sum of two logarithms needs no reduction
    std::array<int16_t, 256> log{};
};

constexpr Field makeField() {
    Field f;
    unsigned x = 1;
    for (int i = 0; i < 255; ++i) {
        f.exp[i] = static_cast<uint8_t>(x);
        f.log[x] = static_cast<int16_t>(i);
        x <<= 1;
        if (x & 0x100) x ^= 0x11D;
    }
    for (int i = 255; i < 512; ++i) f.exp[i] = f.exp[i - 255];
    return f;
}
constexpr Field kField = makeField();

// g(x) = (x - a^0)(x - a^1)...(x - a^(n-1)) for n = 1..30, highest power first.
using Generators = std::array<std::array<uint8_t, kMaxEcCodewords + 1>, kMaxEcCodewords + 1>;

constexpr Generators makeGenerators() {
    Generators g{};
    std::array<uint8_t, kMaxEcCodewords + 1> poly{};
    poly[0] = 1;
    for (int n = 1; n <= kMaxEcCodewords; ++n) {
        // Multiply by (x + a^(n-1)): shift, then add the old coefficients times a^(n-1).
        std::array<uint8_t, kMaxEcCodewords + 1> next{};
        for (int i = 0; i < n; ++i) {
            next[i] ^= poly[i];
            if (poly[i]) next[i + 1] ^= kField.exp[kField.log[poly[i]] + n - 1];
        }
        poly = next;
        g[n] = poly;
    }
    return g;
}
constexpr Generators kGenerators = makeGenerators();

// `value` followed by its check bits: the remainder of value * x^checkBits
// divided by the generator, over GF(2).
constexpr uint32_t bchCode(uint32_t value, int checkBits, uint32_t generator) {
    uint32_t r = value << checkBits;
    for (int bit = 31; bit >= checkBits; --bit) {
        if (r & (1u << bit)) r ^= generator << (bit - checkBits);
    }
    return (value << checkBits) | r;
}

constexpr uint32_t kFormatGenerator = 0x537;
constexpr uint32_t kFormatMask = 0x5412;
constexpr uint32_t kVersionGenerator = 0x1F25;
// The level bits of L, M, Q, H.
constexpr uint32_t kLevelBits[kLevels] = {1, 0, 3, 2};

}  // namespace

int totalCodewords(int version) { return kVersionRows[version - 1].totalCodewords; }

const BlockLayout& blockLayout(int version, int level) { return kVersionRows[version - 1].levels[level]; }

int dataCodewords(int version, int level) { return blockLayout(version, level).dataCodewords(); }

std::span<const uint8_t> alignmentCentres(int version) {
    const AlignmentRow& row = kAlignmentRows[version - 1];
    return {row.centres, row.count};
}

int countWidth(Mode mode, int group) { return kCountWidths[static_cast<int>(mode)][group]; }

uint32_t modeIndicator(Mode mode) {
    constexpr uint32_t kIndicators[] = {0x1, 0x2, 0x4, 0x8};
    return kIndicators[static_cast<int>(mode)];
}

int alphanumericValue(uint8_t c) { return kAlphanumericValues[c]; }

uint8_t gfExp(int power) { return kField.exp[power]; }

int gfLog(uint8_t value) { return kField.log[value]; }

uint8_t gfMultiply(uint8_t a, uint8_t b) {
    if (!a || !b) return 0;
    return kField.exp[kField.log[a] + kField.log[b]];
}

std::span<const uint8_t> generatorPolynomial(int ecCount) {
    return {kGenerators[ecCount].data(), static_cast<size_t>(ecCount) + 1};
}

uint32_t formatBits(int level, int mask) {
    return bchCode((kLevelBits[level] << 3) | static_cast<uint32_t>(mask), 10, kFormatGenerator) ^ kFormatMask;
}

uint32_t versionBits(int version) { return bchCode(static_cast<uint32_t>(version), 12, kVersionGenerator); }

}  // namespace kav::qr
