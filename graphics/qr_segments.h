// How a text is cut into numeric, alphanumeric, 8-bit byte and Kanji
// segments, and the bit stream those segments make.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "graphics/qr_tables.h"

namespace kav::qr {

// The most digits version 40 holds at level L: no longer text fits any symbol,
// and no segment list is longer than the text.
constexpr int kMaxTextBytes = 7089;
constexpr int kMaxStreamBits = kMaxDataCodewords * 8;

// `length` counts bytes of the text, so a Kanji segment's is twice its characters.
struct Segment {
    Mode mode;
    uint16_t length;
    bool operator==(const Segment&) const = default;
};

// The bits a segment takes in the stream of a version group: mode indicator,
// character count and data.
int segmentBits(Mode mode, int length, int group);

// The class of the character at text[i], and its byte count (2 for Kanji).
struct CharacterClass {
    Mode mode;
    int bytes;
};
CharacterClass classifyAt(std::span<const uint8_t> text, size_t i);

// The segments of a text, in order. Merging removes segments from the middle,
// so they are linked rather than shifted.
class SegmentList {
public:
    static constexpr int kEnd = -1;

    // Replaces the list by the runs of characters of one class. The text must
    // hold at most kMaxTextBytes bytes.
    void classify(std::span<const uint8_t> text);
    // Merges segments where fewer bits result, with the widths of `group`.
    void optimise(int group);

    int first() const { return head_; }
    int next(int at) const { return nodes_[at].next; }
    const Segment& operator[](int at) const { return nodes_[at].segment; }
    int size() const { return count_; }
    // The bits of the whole stream in `group`.
    int bits(int group) const;
    // Whether every character count fits its indicator in `group`.
    bool countsFit(int group) const;

private:
    struct Node {
        Segment segment;
        int16_t prev, next;
    };

    void append(Mode mode, int length);
    void remove(int at);
    Segment& at(int i) { return nodes_[i].segment; }
    int prev(int i) const { return nodes_[i].prev; }
    bool is(int i, Mode mode) const { return i != kEnd && nodes_[i].segment.mode == mode; }
    void mergeNumericAlphanumeric(int group);
    void mergeBytes(int group);

    std::array<Node, kMaxTextBytes> nodes_;
    int head_ = kEnd;
    int tail_ = kEnd;
    int used_ = 0;
    int count_ = 0;
};

// A bit stream of at most kMaxStreamBits bits, most significant bit first.
class BitStream {
public:
    void clear();
    // Appends the low `count` bits of `value`; false (and nothing written) when
    // they would pass the end.
    [[nodiscard]] bool append(uint32_t value, int count);
    int bits() const { return bits_; }
    std::span<const uint8_t> bytes() const { return {bytes_.data(), static_cast<size_t>((bits_ + 7) / 8)}; }

private:
    std::array<uint8_t, kMaxDataCodewords> bytes_{};
    int bits_ = 0;
};

// Writes the segments of `text` with the widths of `group`; false when the
// stream would pass its end.
[[nodiscard]] bool writeSegments(const SegmentList& segments, std::span<const uint8_t> text, int group,
                                 BitStream& out);

}  // namespace kav::qr
