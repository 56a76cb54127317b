#include "graphics/qr_matrix.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>

namespace kav::qr {

// --- function patterns ----------------------------------------------------

void Matrix::setFunction(int column, int row, bool dark) {
    m_[column][row] = dark ? kFunction | kDarkFunction : kFunction;
}

// The 7 x 7 finder with its light separator, clipped to the symbol.
void Matrix::placeFinder(int column, int row) {
    for (int dc = -1; dc <= 7; ++dc) {
        for (int dr = -1; dr <= 7; ++dr) {
            const int c = column + dc, r = row + dr;
            if (c < 0 || c >= size_ || r < 0 || r >= size_) continue;
            const int ring = std::max(std::abs(dc - 3), std::abs(dr - 3));
            setFunction(c, r, ring != 2 && ring != 4);
        }
    }
}

void Matrix::placeAlignment(int column, int row) {
    for (int dc = -2; dc <= 2; ++dc) {
        for (int dr = -2; dr <= 2; ++dr) setFunction(column + dc, row + dr, std::max(std::abs(dc), std::abs(dr)) != 1);
    }
}

// Two 6 x 3 copies, bit 0 first: beside the top-right finder, and mirrored
// beside the bottom-left one.
void Matrix::placeVersion(int version) {
    const uint32_t bits = versionBits(version);
    for (int i = 0; i < 18; ++i) {
        const bool dark = (bits >> i) & 1;
        const int a = size_ - 11 + i % 3, b = i / 3;
        setFunction(a, b, dark);
        setFunction(b, a, dark);
    }
}

void Matrix::reset(int version) {
    size_ = symbolSize(version);
    for (int c = 0; c < size_; ++c) std::fill_n(m_[c], size_, uint8_t{0});
    for (int i = 8; i < size_ - 8; ++i) {
        setFunction(6, i, i % 2 == 0);
        setFunction(i, 6, i % 2 == 0);
    }
    placeFinder(0, 0);
    placeFinder(size_ - 7, 0);
    placeFinder(0, size_ - 7);
    const std::span<const uint8_t> centres = alignmentCentres(version);
    const int last = centres.empty() ? 0 : centres.back();
    for (uint8_t c : centres) {
        for (uint8_t r : centres) {
            const bool onFinder = (c == 6 && r == 6) || (c == 6 && r == last) || (c == last && r == 6);
            if (!onFinder) placeAlignment(c, r);
        }
    }
    writeFormat(0, 0);  // reserves the area; the real bits come with each mask
    setFunction(8, size_ - 8, true);
    if (version >= 7) placeVersion(version);
}

// Bit 0 of the format information is the last bit of the BCH code word.
void Matrix::writeFormat(int level, int mask) {
    const uint32_t bits = formatBits(level, mask);
    auto bit = [bits](int i) { return ((bits >> i) & 1) != 0; };
    // Around the top-left finder: down column 8 (skipping the timing row),
    // then leftward along row 8.
    for (int i = 0; i <= 5; ++i) setFunction(8, i, bit(i));
    setFunction(8, 7, bit(6));
    setFunction(8, 8, bit(7));
    setFunction(7, 8, bit(8));
    for (int i = 9; i < 15; ++i) setFunction(14 - i, 8, bit(i));
    // The second copy: row 8 at the right, column 8 at the bottom.
    for (int i = 0; i < 8; ++i) setFunction(size_ - 1 - i, 8, bit(i));
    for (int i = 8; i < 15; ++i) setFunction(8, size_ - 15 + i, bit(i));
}

// --- data -----------------------------------------------------------------

void Matrix::placeCodewords(std::span<const uint8_t> codewords) {
    const size_t totalBits = codewords.size() * 8;
    size_t bit = 0;
    bool upward = true;
    for (int right = size_ - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;  // the vertical timing pattern takes a whole column
        for (int step = 0; step < size_; ++step) {
            const int row = upward ? size_ - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                uint8_t& module = m_[column][row];
                if (module & kFunction) continue;
                if (bit < totalBits && ((codewords[bit >> 3] >> (7 - (bit & 7))) & 1)) module = kDataBit;
                ++bit;
            }
        }
        upward = !upward;
    }
}

namespace {

// Every mask condition repeats after 12 rows and after 12 columns.
constexpr int kMaskPeriod = 12;
using MaskTile = std::array<std::array<uint8_t, kMaskPeriod>, kMaskPeriod>;  // [column][row]

constexpr std::array<MaskTile, kMasks> kMaskTiles = [] {
    std::array<MaskTile, kMasks> tiles{};
    for (int m = 0; m < kMasks; ++m) {
        for (int j = 0; j < kMaskPeriod; ++j) {
            for (int i = 0; i < kMaskPeriod; ++i) tiles[m][j][i] = maskInverts(m, i, j) ? kMaskedBit : 0;
        }
    }
    return tiles;
}();

}  // namespace

void Matrix::applyMask(int mask) {
    const MaskTile& tile = kMaskTiles[static_cast<size_t>(mask)];
    for (int j = 0; j < size_; ++j) {
        const auto& inverts = tile[static_cast<size_t>(j % kMaskPeriod)];
        for (int i = 0; i < size_; ++i) {
            uint8_t& module = m_[j][i];
            if (module & kFunction) continue;
            const uint8_t data = module & kDataBit;
            module = static_cast<uint8_t>(data | ((data >> 1) ^ inverts[static_cast<size_t>(i % kMaskPeriod)]));
        }
    }
}

void Matrix::reduce() {
    for (int c = 0; c < size_; ++c) {
        for (int r = 0; r < size_; ++r) m_[c][r] = dark(c, r) ? 1 : 0;
    }
}

int Matrix::penalty() const {
    std::array<uint8_t, kMaxSize * kMaxSize> rows;
    for (int r = 0; r < size_; ++r) {
        for (int c = 0; c < size_; ++c) rows[static_cast<size_t>(r * size_ + c)] = dark(c, r) ? 1 : 0;
    }
    return qr::penalty({rows.data(), static_cast<size_t>(size_ * size_)}, size_);
}

// --- penalty --------------------------------------------------------------

namespace {

constexpr int kFinderLike = 40;
constexpr int kBlock = 3;
// A line is held as bits kMargin .. kMargin + size - 1 of a bit set, with light
// bits around it standing for the outside of the symbol as far as the
// finder-like rule looks (four modules beyond the pattern's core).
constexpr int kMargin = 4;
using LineBits = std::bitset<kMaxSize + 2 * kMargin>;

// The positions of a line of `size` modules whose next module is inside too.
LineBits pairsOf(int size) {
    LineBits b;
    for (int k = 0; k + 1 < size; ++k) b.set(static_cast<size_t>(kMargin + k));
    return b;
}

// Runs of 5 or more add their length less 2: one for each window of five
// equal modules, and two more for each run, at its first window.
// Finder-like: dark, light, dark, dark, dark, light, dark with a light module
// on each side, counted once if three more light modules lead into it or,
// failing that, follow it. Bit x of (line >> d) is the module d places after
// x, of (line << d) the module d places before.
int linePenalty(const LineBits& dark, const LineBits& pairs) {
    const LineBits equal = ~(dark ^ (dark >> 1)) & pairs;
    const LineBits five = equal & (equal >> 1) & (equal >> 2) & (equal >> 3);
    const LineBits firstOfRun = five & ~(equal << 1);
    const LineBits light = ~dark;
    const LineBits core = dark & (light >> 1) & (dark >> 2) & (dark >> 3) & (dark >> 4) & (light >> 5) & (dark >> 6) &
                          (light << 1) & (light >> 7);
    const LineBits before = (light << 2) & (light << 3) & (light << 4);
    const LineBits after = (light >> 8) & (light >> 9) & (light >> 10);
    const LineBits finders = core & (before | after);
    return static_cast<int>(five.count() + 2 * firstOfRun.count() + kFinderLike * finders.count());
}

// Gathered word by word: setting bit by bit costs a branch per module.
LineBits lineOf(const uint8_t* first, int stride, int size) {
    constexpr int kWords = (kMaxSize + 2 * kMargin + 63) / 64;
    uint64_t words[kWords] = {};
    for (int k = 0; k < size; ++k) {
        const int bit = kMargin + k;
        words[bit >> 6] |= uint64_t{first[k * stride] != 0} << (bit & 63);
    }
    LineBits b;
    for (int w = kWords - 1; w >= 0; --w) {
        b <<= 64;
        b |= LineBits(words[w]);
    }
    return b;
}

}  // namespace

int linePenalty(const uint8_t* first, int stride, int size) {
    return linePenalty(lineOf(first, stride, size), pairsOf(size));
}

int penalty(std::span<const uint8_t> rows, int size) {
    const uint8_t* m = rows.data();
    const LineBits pairs = pairsOf(size);
    std::array<LineBits, kMaxSize> rowBits;
    int total = 0;
    size_t dark = 0;
    for (int k = 0; k < size; ++k) {
        rowBits[static_cast<size_t>(k)] = lineOf(m + k * size, 1, size);
        dark += rowBits[static_cast<size_t>(k)].count();
        total += linePenalty(rowBits[static_cast<size_t>(k)], pairs) + linePenalty(lineOf(m + k, size, size), pairs);
    }
    // A 2 x 2 block of one colour: equal pairs in both rows that equal each other.
    for (int r = 0; r + 1 < size; ++r) {
        const LineBits& a = rowBits[static_cast<size_t>(r)];
        const LineBits& b = rowBits[static_cast<size_t>(r + 1)];
        const LineBits vertical = ~(a ^ b);
        const LineBits blocks = vertical & (vertical >> 1) & ~(a ^ (a >> 1)) & pairs;
        total += kBlock * static_cast<int>(blocks.count());
    }
    const int light = size * size - static_cast<int>(dark);
    const int percent = 100 * light / (size * size);
    return total + 10 * (std::abs(50 - percent) / 5);
}

}  // namespace kav::qr
