// The module matrix of a symbol: function patterns, codeword placement, the
// eight masks and the penalty that chooses between them.
#pragma once
#include <cstdint>
#include <span>

#include "graphics/qr_tables.h"

namespace kav::qr {

// Module flags while the symbol is built.
constexpr uint8_t kMaskedBit = 0x01;    // data bit after masking
constexpr uint8_t kDataBit = 0x02;      // data bit before masking
constexpr uint8_t kDarkFunction = 0x10;
constexpr uint8_t kFunction = 0x20;

class Matrix {
public:
    // Clears the symbol of `version` and places the finder, separator, timing
    // and alignment patterns, the dark module, the reserved format area and,
    // from version 7, the version information.
    void reset(int version);
    // Places the codeword bits in the two-column zig-zag from the bottom
    // right; data modules beyond the last bit stay light.
    void placeCodewords(std::span<const uint8_t> codewords);
    // Sets every data module's masked bit from its data bit and mask 0..7.
    void applyMask(int mask);
    // Writes both copies of the format information.
    void writeFormat(int level, int mask);
    // The penalty of the symbol as it stands.
    int penalty() const;
    // Reduces every module to 1 (dark) or 0 (light).
    void reduce();

    int size() const { return size_; }
    // The flags of a module, or after reduce() 1 or 0; [column][row].
    uint8_t at(int column, int row) const { return m_[column][row]; }
    bool dark(int column, int row) const { return (m_[column][row] & (kMaskedBit | kDarkFunction)) != 0; }

private:
    void setFunction(int column, int row, bool dark);
    void placeFinder(int column, int row);
    void placeAlignment(int column, int row);
    void placeVersion(int version);

    uint8_t m_[kMaxSize][kMaxSize];
    int size_ = 0;
};

// Whether mask 0..7 inverts the module at row i, column j.
constexpr bool maskInverts(int mask, int i, int j) {
    switch (mask) {
        case 0: return (i + j) % 2 == 0;
        case 1: return i % 2 == 0;
        case 2: return j % 3 == 0;
        case 3: return (i + j) % 3 == 0;
        case 4: return (i / 2 + j / 3) % 2 == 0;
        case 5: return (i * j) % 2 + (i * j) % 3 == 0;
        case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        case 7: return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
    return false;
}

// The penalty of a size x size square given row by row, 1 dark and 0 light:
// linePenalty of every row and column, 2 x 2 blocks and the balance.
int penalty(std::span<const uint8_t> rows, int size);
// The run and finder-like penalties of one row or column, `stride` apart.
int linePenalty(const uint8_t* first, int stride, int size);

}  // namespace kav::qr
