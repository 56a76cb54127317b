#include "graphics/qr_segments.h"

#include <algorithm>

namespace kav::qr {

namespace {

// The lead bytes whose characters Kanji mode compacts, with the highest
// trail byte allowed after the last lead byte of each range.
bool kanjiPair(uint8_t lead, uint8_t trail) {
    if (trail < 0x40) return false;
    if (lead >= 0x81 && lead <= 0x9F) return lead != 0x9F || trail <= 0xFC;
    if (lead >= 0xE0 && lead <= 0xEB) return lead != 0xEB || trail <= 0xBF;
    return false;
}

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// A Kanji character as 13 bits: the offset from the start of its lead range,
// lead offset times 0xC0 plus the trail's offset from 0x40.
uint32_t kanjiValue(uint8_t lead, uint8_t trail) {
    const uint32_t code = (uint32_t{lead} << 8) | trail;
    const uint32_t offset = code - (lead <= 0x9F ? 0x8140u : 0xC140u);
    return (offset >> 8) * 0xC0 + (offset & 0xFF);
}

}  // namespace

int segmentBits(Mode mode, int length, int group) {
    const int head = 4 + countWidth(mode, group);
    switch (mode) {
        case Mode::Numeric: {
            constexpr int kTail[3] = {0, 4, 7};
            return head + 10 * (length / 3) + kTail[length % 3];
        }
        case Mode::Alphanumeric: return head + 11 * (length / 2) + 6 * (length % 2);
        case Mode::Byte: return head + 8 * length;
        case Mode::Kanji: return head + 13 * (length / 2);
    }
    return head;
}

CharacterClass classifyAt(std::span<const uint8_t> text, size_t i) {
    const uint8_t c = text[i];
    if (i + 1 < text.size() && kanjiPair(c, text[i + 1])) return {Mode::Kanji, 2};
    if (isDigit(c)) return {Mode::Numeric, 1};
    if (alphanumericValue(c) >= 0) return {Mode::Alphanumeric, 1};
    return {Mode::Byte, 1};
}

// --- segment list ---------------------------------------------------------

void SegmentList::append(Mode mode, int length) {
    const int at = used_++;
    nodes_[at] = {{mode, static_cast<uint16_t>(length)}, static_cast<int16_t>(tail_), kEnd};
    if (tail_ == kEnd) head_ = at;
    else nodes_[tail_].next = static_cast<int16_t>(at);
    tail_ = at;
    ++count_;
}

void SegmentList::remove(int at) {
    const Node& n = nodes_[at];
    if (n.prev == kEnd) head_ = n.next;
    else nodes_[n.prev].next = n.next;
    if (n.next == kEnd) tail_ = n.prev;
    else nodes_[n.next].prev = n.prev;
    --count_;
}

void SegmentList::classify(std::span<const uint8_t> text) {
    head_ = tail_ = kEnd;
    used_ = count_ = 0;
    for (size_t i = 0; i < text.size();) {
        const CharacterClass k = classifyAt(text, i);
        if (tail_ != kEnd && nodes_[tail_].segment.mode == k.mode) nodes_[tail_].segment.length += k.bytes;
        else append(k.mode, k.bytes);
        i += k.bytes;
    }
}

int SegmentList::bits(int group) const {
    int total = 0;
    for (int i = head_; i != kEnd; i = next(i)) total += segmentBits((*this)[i].mode, (*this)[i].length, group);
    return total;
}

bool SegmentList::countsFit(int group) const {
    for (int i = head_; i != kEnd; i = next(i)) {
        const Segment& s = (*this)[i];
        const int count = s.mode == Mode::Kanji ? s.length / 2 : s.length;
        if (count >= (1 << countWidth(s.mode, group))) return false;
    }
    return true;
}

void SegmentList::optimise(int group) {
    mergeNumericAlphanumeric(group);
    mergeBytes(group);
}

// A numeric segment beside an alphanumeric one may cost less as one
// alphanumeric segment, unless a byte neighbour would rather take one of them.
// After a merge the walk looks at the same place again.
void SegmentList::mergeNumericAlphanumeric(int group) {
    auto cost = [group](Mode mode, int length) { return segmentBits(mode, length, group); };
    int i = head_;
    while (i != kEnd && next(i) != kEnd) {
        const int b = next(i);
        Segment& a = at(i);
        Segment& sb = at(b);
        const bool pair = (a.mode == Mode::Numeric && sb.mode == Mode::Alphanumeric) ||
                          (a.mode == Mode::Alphanumeric && sb.mode == Mode::Numeric);
        const int g = pair ? cost(Mode::Alphanumeric, a.length + sb.length) : 0;
        const int e = cost(a.mode, a.length);
        const int f = cost(sb.mode, sb.length);
        if (!pair || g >= e + f) {
            i = b;
            continue;
        }
        const int before = prev(i);
        const int after = next(b);
        int t = 0;
        if (is(before, Mode::Byte)) {
            const int len = at(before).length;
            const int alone = f + cost(Mode::Byte, len + a.length);
            if (g + cost(Mode::Byte, len) >= alone) t = alone;
        }
        int u = 0;
        if (is(after, Mode::Byte)) {
            const int len = at(after).length;
            const int alone = e + cost(Mode::Byte, sb.length + len);
            if (g + cost(Mode::Byte, len) >= alone) u = alone;
        }
        if (t == 0 && u == 0) {
            if (is(after, Mode::Alphanumeric)) {
                sb.length += at(after).length;
                remove(after);
            }
            a.mode = Mode::Alphanumeric;
            a.length += sb.length;
            remove(b);
            if (is(before, Mode::Alphanumeric)) {
                at(before).length += a.length;
                const int following = next(i);
                remove(i);
                i = following;
            }
        } else if (u != 0 && (t == 0 || t >= u)) {
            sb.mode = Mode::Byte;
            sb.length += at(after).length;
            remove(after);
        } else {
            at(before).length += a.length;
            remove(i);
            i = b;
        }
    }
}

// Two neighbours join into one byte segment when that costs fewer bits, a byte
// neighbour on either side counting as joined already (its header is saved).
void SegmentList::mergeBytes(int group) {
    const int header = 4 + countWidth(Mode::Byte, group);
    int p = head_;
    while (p != kEnd && next(p) != kEnd) {
        const int q = next(p);
        const int m = segmentBits(at(q).mode, at(q).length, group);
        const int o = segmentBits(at(p).mode, at(p).length, group);
        int f = segmentBits(Mode::Byte, at(p).length + at(q).length, group);
        const int before = prev(p);
        const int after = next(q);
        if (is(before, Mode::Byte)) f -= header;
        if (is(after, Mode::Byte)) f -= header;
        if (f >= m + o) {
            p = q;
            continue;
        }
        if (is(before, Mode::Byte)) {
            at(before).length += at(p).length;
            remove(p);
            p = before;
        }
        const int n1 = next(p);
        const int n2 = next(n1);
        if (is(n2, Mode::Byte)) {
            at(n1).length += at(n2).length;
            remove(n2);
        }
        at(p).mode = Mode::Byte;
        at(p).length += at(n1).length;
        remove(n1);
        if (prev(p) != kEnd) p = prev(p);
    }
}

// --- bit stream -----------------------------------------------------------

void BitStream::clear() {
    std::fill(bytes_.begin(), bytes_.end(), uint8_t{0});
    bits_ = 0;
}

bool BitStream::append(uint32_t value, int count) {
    if (count > kMaxStreamBits - bits_) return false;
    for (int k = count - 1; k >= 0; --k, ++bits_) {
        if ((value >> k) & 1) bytes_[bits_ >> 3] |= static_cast<uint8_t>(0x80 >> (bits_ & 7));
    }
    return true;
}

namespace {

bool writeNumeric(std::span<const uint8_t> digits, BitStream& out) {
    size_t i = 0;
    for (; i + 3 <= digits.size(); i += 3) {
        const uint32_t v = (digits[i] - '0') * 100u + (digits[i + 1] - '0') * 10u + (digits[i + 2] - '0');
        if (!out.append(v, 10)) return false;
    }
    if (digits.size() - i == 2) return out.append((digits[i] - '0') * 10u + (digits[i + 1] - '0'), 7);
    if (digits.size() - i == 1) return out.append(digits[i] - '0', 4);
    return true;
}

bool writeAlphanumeric(std::span<const uint8_t> chars, BitStream& out) {
    size_t i = 0;
    for (; i + 2 <= chars.size(); i += 2) {
        const auto v = static_cast<uint32_t>(alphanumericValue(chars[i]) * 45 + alphanumericValue(chars[i + 1]));
        if (!out.append(v, 11)) return false;
    }
    if (i < chars.size()) return out.append(static_cast<uint32_t>(alphanumericValue(chars[i])), 6);
    return true;
}

bool writeBytes(std::span<const uint8_t> bytes, BitStream& out) {
    for (uint8_t b : bytes) {
        if (!out.append(b, 8)) return false;
    }
    return true;
}

bool writeKanji(std::span<const uint8_t> pairs, BitStream& out) {
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        if (!out.append(kanjiValue(pairs[i], pairs[i + 1]), 13)) return false;
    }
    return true;
}

}  // namespace

bool writeSegments(const SegmentList& segments, std::span<const uint8_t> text, int group, BitStream& out) {
    size_t pos = 0;
    for (int i = segments.first(); i != SegmentList::kEnd; i = segments.next(i)) {
        const Segment& s = segments[i];
        if (s.length > text.size() - pos) return false;
        const std::span<const uint8_t> data = text.subspan(pos, s.length);
        pos += s.length;
        const uint32_t count = s.mode == Mode::Kanji ? s.length / 2u : s.length;
        if (!out.append(modeIndicator(s.mode), 4) || !out.append(count, countWidth(s.mode, group))) return false;
        bool ok = false;
        switch (s.mode) {
            case Mode::Numeric: ok = writeNumeric(data, out); break;
            case Mode::Alphanumeric: ok = writeAlphanumeric(data, out); break;
            case Mode::Byte: ok = writeBytes(data, out); break;
            case Mode::Kanji: ok = writeKanji(data, out); break;
        }
        if (!ok) return false;
    }
    return true;
}

}  // namespace kav::qr
