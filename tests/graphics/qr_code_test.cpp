#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/qr_code.h"

namespace kav::qr {
namespace {

constexpr int L = 0, M = 1, Q = 2, H = 3;

std::span<const uint8_t> bytes(std::string_view s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

std::vector<Segment> segmentsOf(const SegmentList& list) {
    std::vector<Segment> out;
    for (int i = list.first(); i != SegmentList::kEnd; i = list.next(i)) out.push_back(list[i]);
    return out;
}

std::vector<Segment> optimised(std::string_view text, int group = 0) {
    auto list = std::make_unique<SegmentList>();
    list->classify(bytes(text));
    list->optimise(group);
    return segmentsOf(*list);
}

class Qr : public ::testing::Test {
protected:
    std::unique_ptr<Encoder> enc = std::make_unique<Encoder>();

    int versionOf(int level, std::string_view text) { return enc->plan(level, bytes(text)) ? enc->version() : 0; }
};

// --- tables ---------------------------------------------------------------

TEST(QrTables, FormatAndVersionCodesAreTheStandardsWords) {
    EXPECT_EQ(formatBits(L, 0), 0x77C4u);
    EXPECT_EQ(formatBits(M, 0), 0x5412u);
    EXPECT_EQ(formatBits(Q, 0), 0x355Fu);
    EXPECT_EQ(formatBits(H, 0), 0x1689u);
    EXPECT_EQ(formatBits(M, 2), 0x5E7Cu);
    EXPECT_EQ(formatBits(H, 7), 0x083Bu);
    EXPECT_EQ(versionBits(7), 0x07C94u);
    EXPECT_EQ(versionBits(21), 0x15683u);
    EXPECT_EQ(versionBits(40), 0x28C69u);
}

TEST(QrTables, FieldAndGeneratorPolynomials) {
    EXPECT_EQ(gfExp(8), 29);
    EXPECT_EQ(gfExp(25), 3);
    EXPECT_EQ(gfLog(3), 25);
    EXPECT_EQ(gfMultiply(0x80, 2), 29);
    // As exponents of the generator: 7 and 10 codewords.
    const std::vector<int> g7 = {0, 87, 229, 146, 149, 238, 102, 21};
    const std::vector<int> g10 = {0, 251, 67, 46, 61, 118, 70, 64, 94, 32, 45};
    for (const auto& [n, expected] : {std::pair{7, g7}, std::pair{10, g10}}) {
        const std::span<const uint8_t> g = generatorPolynomial(n);
        ASSERT_EQ(g.size(), expected.size());
        for (size_t i = 0; i < g.size(); ++i) EXPECT_EQ(gfLog(g[i]), expected[i]) << n << " " << i;
    }
}

// The data modules left after the function patterns hold every codeword and
// the standard's remainder bits: a misplaced pattern changes the count.
TEST_F(Qr, DataModulesHoldTheCodewordsAndTheRemainderBits) {
    auto remainder = [](int v) { return v == 1 ? 0 : v <= 6 ? 7 : v <= 13 ? 0 : v <= 20 ? 3 : v <= 27 ? 4 : v <= 34 ? 3 : 0; };
    auto matrix = std::make_unique<Matrix>();
    for (int v = kMinVersion; v <= kMaxVersion; ++v) {
        matrix->reset(v);
        int data = 0;
        for (int c = 0; c < matrix->size(); ++c) {
            for (int r = 0; r < matrix->size(); ++r) data += (matrix->at(c, r) & kFunction) ? 0 : 1;
        }
        EXPECT_EQ(data, 8 * totalCodewords(v) + remainder(v)) << "version " << v;
    }
}

// Character capacities of the standard's table at versions 1, 10 and 40.
TEST_F(Qr, CapacitiesMatchTheStandard) {
    struct Row {
        int version, level, numeric, alphanumeric, byte, kanji;
    };
    const Row rows[] = {
        {1, L, 41, 25, 17, 10},        {1, M, 34, 20, 14, 8},         {1, Q, 27, 16, 11, 7},
        {1, H, 17, 10, 7, 4},          {10, L, 652, 395, 271, 167},   {10, M, 513, 311, 213, 131},
        {10, Q, 364, 221, 151, 93},    {10, H, 288, 174, 119, 74},    {40, L, 7089, 4296, 2953, 1817},
        {40, M, 5596, 3391, 2331, 1435}, {40, Q, 3993, 2420, 1663, 1024}, {40, H, 3057, 1852, 1273, 784},
    };
    for (const Row& r : rows) {
        const std::string kanji = [&] {
            std::string s;
            for (int i = 0; i < r.kanji + 1; ++i) s += "\x88\x9F";
            return s;
        }();
        const std::pair<std::string, int> cases[] = {
            {std::string(r.numeric + 1, '7'), r.numeric},
            {std::string(r.alphanumeric + 1, 'Q'), r.alphanumeric},
            {std::string(r.byte + 1, 'q'), r.byte},
            {kanji, 2 * r.kanji},
        };
        for (const auto& [text, most] : cases) {
            EXPECT_EQ(versionOf(r.level, std::string_view(text).substr(0, most)), r.version) << text.substr(0, 2) << most;
            const int step = text[0] == '\x88' ? 2 : 1;
            const int next = versionOf(r.level, std::string_view(text).substr(0, most + step));
            EXPECT_EQ(next, r.version == 40 ? 0 : r.version + 1) << text.substr(0, 2) << most;
        }
    }
    EXPECT_EQ(versionOf(L, std::string(7090, '7')), 0);
}

// --- segments -------------------------------------------------------------

TEST(QrSegments, RunsOfOneClass) {
    EXPECT_EQ(optimised("HELLO WORLD"), (std::vector<Segment>{{Mode::Alphanumeric, 11}}));
    EXPECT_EQ(optimised("hello world"), (std::vector<Segment>{{Mode::Byte, 11}}));
    EXPECT_EQ(optimised("12345678"), (std::vector<Segment>{{Mode::Numeric, 8}}));
    // 点茗 in Shift-JIS: Kanji lengths count bytes.
    EXPECT_EQ(optimised("\x93\x5F\xE4\xAA"), (std::vector<Segment>{{Mode::Kanji, 4}}));
}

TEST(QrSegments, KanjiPairsFollowTheLeadAndTrailRanges) {
    auto modeOf = [](std::string_view s) { return classifyAt(bytes(s), 0).mode; };
    EXPECT_EQ(modeOf("\x81\x40"), Mode::Kanji);
    EXPECT_EQ(modeOf("\x81\x3F"), Mode::Byte);
    EXPECT_EQ(modeOf("\x9F\xFC"), Mode::Kanji);
    EXPECT_EQ(modeOf("\x9F\xFD"), Mode::Byte);
    EXPECT_EQ(modeOf("\x9E\xFF"), Mode::Kanji);
    EXPECT_EQ(modeOf("\xE0\x40"), Mode::Kanji);
    EXPECT_EQ(modeOf("\xEB\xBF"), Mode::Kanji);
    EXPECT_EQ(modeOf("\xEB\xC0"), Mode::Byte);
    EXPECT_EQ(modeOf("\xEC\x40"), Mode::Byte);
    EXPECT_EQ(modeOf("\xA0\x40"), Mode::Byte);
    // The last byte never starts a pair, and a pair's trail byte is not looked at again.
    EXPECT_EQ(modeOf("\x88"), Mode::Byte);
    EXPECT_EQ(optimised("\x88\x9F\x88"), (std::vector<Segment>{{Mode::Byte, 3}}));
    EXPECT_EQ(optimised("\x88\x9F\x88\x9F\x88\x9F\x88\x9F\x88\x9F\x88\x9F"), (std::vector<Segment>{{Mode::Kanji, 12}}));
    EXPECT_EQ(optimised("\x88\x31\x32"), (std::vector<Segment>{{Mode::Byte, 3}}));
}

TEST_F(Qr, EightDigitsAtMAreOneVersion1Symbol) {
    ASSERT_TRUE(enc->encode(M, bytes("12345678")));
    EXPECT_EQ(enc->version(), 1);
    EXPECT_EQ(enc->size(), 21);
    EXPECT_EQ(segmentsOf(enc->segments()), (std::vector<Segment>{{Mode::Numeric, 8}}));
}

TEST_F(Qr, ADigitAndALetterBecomeOneAlphanumericSegment) {
    ASSERT_TRUE(enc->plan(M, bytes("1A")));
    EXPECT_EQ(segmentsOf(enc->segments()), (std::vector<Segment>{{Mode::Alphanumeric, 2}}));
    EXPECT_EQ(enc->streamBits(), 24);
    ASSERT_TRUE(enc->plan(M, bytes("A1")));
    EXPECT_EQ(segmentsOf(enc->segments()), (std::vector<Segment>{{Mode::Alphanumeric, 2}}));
}

TEST_F(Qr, TwentySixDigitsAndALetterStayTwoSegments) {
    ASSERT_TRUE(enc->plan(M, bytes("12345678901234567890123456A")));
    EXPECT_EQ(segmentsOf(enc->segments()), (std::vector<Segment>{{Mode::Numeric, 26}, {Mode::Alphanumeric, 1}}));
    EXPECT_EQ(enc->streamBits(), 101 + 19);
}

// Worked by hand from the merging rules, group 0 (byte header 12 bits).
TEST(QrSegments, ByteNeighboursTakeWhatCostsThemLess) {
    // "A"+"1234" would be 41 bits; "a" taking the "A" instead saves 5.
    EXPECT_EQ(optimised("aA1234"), (std::vector<Segment>{{Mode::Byte, 2}, {Mode::Numeric, 4}}));
    // The same on the right: the following "a" takes the "A".
    EXPECT_EQ(optimised("1234Aa"), (std::vector<Segment>{{Mode::Numeric, 4}, {Mode::Byte, 2}}));
    // The left byte takes "A"; then the digits between two byte segments join them.
    EXPECT_EQ(optimised("aA1234a"), (std::vector<Segment>{{Mode::Byte, 7}}));
    // A digit between bytes costs less as a byte; a long digit run does not.
    EXPECT_EQ(optimised("a1a"), (std::vector<Segment>{{Mode::Byte, 3}}));
    EXPECT_EQ(optimised("ab1234567890123cd"),
              (std::vector<Segment>{{Mode::Byte, 2}, {Mode::Numeric, 13}, {Mode::Byte, 2}}));
    // Alphanumeric runs either side of a merged pair are taken in.
    EXPECT_EQ(optimised("AB1C"), (std::vector<Segment>{{Mode::Alphanumeric, 4}}));
}

// Wider byte counts make a byte header dearer, so higher groups join more.
TEST(QrSegments, WiderCountsInHigherGroupsChangeTheChoice) {
    EXPECT_EQ(optimised("ab1234567cd", 0),
              (std::vector<Segment>{{Mode::Byte, 2}, {Mode::Numeric, 7}, {Mode::Byte, 2}}));
    EXPECT_EQ(optimised("ab1234567cd", 1), (std::vector<Segment>{{Mode::Byte, 11}}));
    EXPECT_EQ(optimised("a1a", 1), (std::vector<Segment>{{Mode::Byte, 3}}));
}

// --- bit streams and codewords ---------------------------------------------

TEST_F(Qr, NumericExampleOfTheStandard) {
    ASSERT_TRUE(enc->encode(M, bytes("01234567")));
    const std::vector<uint8_t> data = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                       0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    const std::vector<uint8_t> ec = {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
    EXPECT_EQ(std::vector<uint8_t>(enc->dataCodewords().begin(), enc->dataCodewords().end()), data);
    std::vector<uint8_t> all = data;
    all.insert(all.end(), ec.begin(), ec.end());
    EXPECT_EQ(std::vector<uint8_t>(enc->codewords().begin(), enc->codewords().end()), all);
    EXPECT_EQ(enc->streamBits(), 41);
}

TEST_F(Qr, AlphanumericAndKanjiStreams) {
    // 0010 000000101 00111001110 11100111001 000010, terminator, padding.
    ASSERT_TRUE(enc->plan(H, bytes("AC-42")));
    EXPECT_EQ(enc->streamBits(), 41);
    EXPECT_EQ(std::vector<uint8_t>(enc->dataCodewords().begin(), enc->dataCodewords().end()),
              (std::vector<uint8_t>{0x20, 0x29, 0xCE, 0xE7, 0x21, 0x00, 0xEC, 0x11, 0xEC}));
    // 1000 00000010 0110110011111 1101010101010: 点茗.
    ASSERT_TRUE(enc->plan(H, bytes("\x93\x5F\xE4\xAA")));
    EXPECT_EQ(enc->streamBits(), 38);
    EXPECT_EQ(std::vector<uint8_t>(enc->dataCodewords().begin(), enc->dataCodewords().begin() + 5),
              (std::vector<uint8_t>{0x80, 0x26, 0xCF, 0xEA, 0xA8}));
}

TEST_F(Qr, ErrorCorrectionAndPaddingOfHelloWorld) {
    ASSERT_TRUE(enc->encode(M, bytes("HELLO WORLD")));
    const std::vector<uint8_t> expected = {0x20, 0x5B, 0x0B, 0x78, 0xD1, 0x72, 0xDC, 0x4D, 0x43, 0x40, 0xEC, 0x11, 0xEC,
                                           0x11, 0xEC, 0x11, 196,  35,   39,   119,  235,  215,  231,  226,  93,   23};
    EXPECT_EQ(std::vector<uint8_t>(enc->codewords().begin(), enc->codewords().end()), expected);
}

// A stream that ends within four bits of the capacity gets a short terminator
// and no padding codewords.
TEST_F(Qr, TerminatorShrinksAtTheEnd) {
    // 17 bytes at 1-L: 4 + 8 + 136 = 148 bits of 152.
    ASSERT_TRUE(enc->plan(L, bytes("abcdefghijklmnopq")));
    EXPECT_EQ(enc->streamBits(), 148);
    ASSERT_EQ(enc->dataCodewords().size(), 19u);
    EXPECT_EQ(enc->dataCodewords()[18], 'q' << 4 & 0xF0);
    // 41 digits at 1-L: 4 + 10 + 137 = 151 bits: one terminator bit only.
    ASSERT_TRUE(enc->plan(L, bytes("12345678901234567890123456789012345678901")));
    EXPECT_EQ(enc->streamBits(), 151);
    EXPECT_EQ(enc->dataCodewords()[18] & 1, 0);
}

// Blocks of two lengths (5-Q: two of 15 data codewords, two of 16) interleave
// column by column, the longer blocks giving the last data codewords.
TEST_F(Qr, InterleavingOfUnequalBlocks) {
    std::string text;
    for (int i = 0; i < 55; ++i) text += static_cast<char>('a' + i % 26);  // 4 + 8 + 440 + 4 bits = 57 bytes
    ASSERT_TRUE(enc->encode(Q, bytes(text)));
    ASSERT_EQ(enc->version(), 5);
    const std::span<const uint8_t> d = enc->dataCodewords();
    const std::span<const uint8_t> all = enc->codewords();
    ASSERT_EQ(d.size(), 62u);
    ASSERT_EQ(all.size(), 134u);
    const int starts[4] = {0, 15, 30, 46};
    for (int column = 0; column < 15; ++column) {
        for (int b = 0; b < 4; ++b) EXPECT_EQ(all[column * 4 + b], d[starts[b] + column]);
    }
    EXPECT_EQ(all[60], d[45]);
    EXPECT_EQ(all[61], d[61]);
    // The first block's error correction follows, then the second's.
    uint8_t ec[18];
    reedSolomon(d.subspan(0, 15), ec);
    EXPECT_EQ(all[62], ec[0]);
    EXPECT_EQ(all[66], ec[1]);
    reedSolomon(d.subspan(46, 16), ec);
    EXPECT_EQ(all[65], ec[0]);
    EXPECT_EQ(all[133], ec[17]);
}

// --- masks and penalty ----------------------------------------------------

int line(std::string_view bits) {
    std::vector<uint8_t> v;
    for (char c : bits) v.push_back(c == '1');
    return linePenalty(v.data(), 1, static_cast<int>(v.size()));
}

TEST(QrPenalty, RunsOfFiveOrMore) {
    EXPECT_EQ(line("1111"), 0);
    EXPECT_EQ(line("11111"), 3);
    EXPECT_EQ(line("111111"), 4);
    EXPECT_EQ(line("0000011111"), 6);
    EXPECT_EQ(line("0101010101"), 0);
}

TEST(QrPenalty, FinderLikeNeedsLightSidesAndFourLightOnOneOfThem) {
    EXPECT_EQ(line("1011101"), 40);        // outside counts as light
    EXPECT_EQ(line("000010111010000"), 40);  // counted once, not once per side
    EXPECT_EQ(line("1010111010000"), 40);    // four light after only
    EXPECT_EQ(line("1101011101001"), 0);     // a dark module two away on both sides
    EXPECT_EQ(line("000010111011"), 0);      // dark right after the pattern
    EXPECT_EQ(line("01011101"), 40);         // one light module, then outside
    EXPECT_EQ(line("10101110101"), 0);
}

TEST(QrPenalty, FinderPatternAlone) {
    const std::string_view rows[] = {"1111111", "1000001", "1011101", "1011101", "1011101", "1000001", "1111111"};
    std::vector<uint8_t> m;
    for (std::string_view r : rows) {
        for (char c : r) m.push_back(c == '1');
    }
    // Runs 2 x (5 + 5 + 3 + 3), four 2 x 2 blocks, six finder-like lines,
    // 16 light of 49 (32 %): 32 + 12 + 240 + 30.
    EXPECT_EQ(penalty(m, 7), 314);
}

TEST(QrPenalty, BlocksAndBalance) {
    // 5 x 5 of one colour: five runs of 5 each way, 16 blocks, 10 steps off balance.
    EXPECT_EQ(penalty(std::vector<uint8_t>(25, 0), 5), 30 + 48 + 100);
    EXPECT_EQ(penalty(std::vector<uint8_t>(25, 1), 5), 30 + 48 + 100);
    // 4 x 4, too small for runs: 15 light of 16 (93 %) is 8 steps, 8 blocks left.
    std::vector<uint8_t> m(16, 0);
    m[0] = 1;
    EXPECT_EQ(penalty(m, 4), 80 + 24);
    m[15] = 1;  // 87 %: 7 steps, 7 blocks
    EXPECT_EQ(penalty(m, 4), 70 + 21);
}

TEST_F(Qr, EqualLowestPenaltiesKeepTheLowerMask) {
    ASSERT_TRUE(enc->encode(Q, bytes("109")));
    EXPECT_EQ(enc->penalty(2), enc->penalty(3));
    for (int m = 0; m < kMasks; ++m) EXPECT_GE(enc->penalty(m), enc->penalty(2)) << m;
    EXPECT_EQ(enc->mask(), 2);
    ASSERT_TRUE(enc->encode(H, bytes("50")));
    EXPECT_EQ(enc->penalty(0), enc->penalty(1));
    EXPECT_EQ(enc->mask(), 0);
}

// --- failures -------------------------------------------------------------

TEST_F(Qr, NothingToEncode) {
    EXPECT_FALSE(enc->encode(M, {}));
    EXPECT_FALSE(enc->encode(-1, bytes("A")));
    EXPECT_FALSE(enc->encode(4, bytes("A")));
    EXPECT_FALSE(enc->encode(H, bytes(std::string(3058, '1'))));
    EXPECT_FALSE(enc->encode(L, bytes(std::string(2954, 'a'))));
    EXPECT_TRUE(enc->encode(L, bytes(std::string(2953, 'a'))));
    EXPECT_EQ(enc->version(), 40);
}

// Long and hostile inputs end in a clean refusal, never a write past a buffer
// (the sanitizer build checks).
TEST_F(Qr, LongTextsAreRefused) {
    std::string noise;
    uint32_t x = 12345;
    for (int i = 0; i < 100000; ++i) {
        x = x * 1103515245 + 12345;
        noise += static_cast<char>(x >> 16);
    }
    EXPECT_FALSE(enc->encode(L, bytes(noise)));
    EXPECT_FALSE(enc->encode(L, bytes(noise.substr(0, kMaxTextBytes))));
    // Alternating classes: the most segments a text can have.
    std::string mixed;
    for (int i = 0; i < kMaxTextBytes; ++i) mixed += "1a"[i % 2];
    EXPECT_FALSE(enc->encode(L, bytes(mixed)));
    EXPECT_TRUE(enc->encode(L, bytes(mixed.substr(0, 2900))));
    EXPECT_EQ(segmentsOf(enc->segments()), (std::vector<Segment>{{Mode::Byte, 2900}}));
}

}  // namespace
}  // namespace kav::qr
