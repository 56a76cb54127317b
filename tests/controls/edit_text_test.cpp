#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "controls/edit_text.h"

namespace kav {
namespace {

TEST(EditText, DoubleByteCharactersCountOne) {
    EXPECT_EQ(charCount("あいう"), 3);
    EXPECT_EQ(std::string_view("あいう").size(), 6u);
    EXPECT_EQ(charCount("aあb"), 3);
    EXPECT_EQ(charCount(""), 0);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(charCount(std::string_view("a\x82", 2)), 2);
}

TEST(EditText, CharacterIndicesBecomeByteOffsetsAndStopAtTheEnd) {
    const std::string_view t = "aあいb";
    EXPECT_EQ(charOffset(t, 0), 0u);
    EXPECT_EQ(charOffset(t, 2), 3u);
    EXPECT_EQ(charOffset(t, 3), 5u);
    EXPECT_EQ(charOffset(t, 99), 6u);
    EXPECT_EQ(charOffset(t, -5), 0u);
    EXPECT_EQ(cutToChars("aあい", 2), "a");
    EXPECT_EQ(cutToChars("aあい", 3), "aあ");
    EXPECT_EQ(cutToChars("abc", 10), "abc");
}

TEST(EditText, Comparison) {
    EXPECT_EQ(textBeginsWith("abc", 0, "ab"), 1);
    EXPECT_EQ(textBeginsWith("abc", 1, "ab"), 0);
    EXPECT_EQ(textBeginsWith("あいう", 1, "いう"), 1);
    EXPECT_EQ(textBeginsWith("abc", 0, ""), 0);
    EXPECT_EQ(textBeginsWith("abc", 3, "c"), 0);
    EXPECT_EQ(textBeginsWith("abc", 2, "cd"), 0);
}

TEST(EditText, SearchCountsCharacters) {
    EXPECT_EQ(searchText("abc", 0, "a"), 0);
    EXPECT_EQ(searchText("abc", 1, "a"), -1);
    EXPECT_EQ(searchText("あいうい", 0, "い"), 1);
    EXPECT_EQ(searchText("あいうい", 2, "い"), 3);
    EXPECT_EQ(searchText("abc", 0, ""), -1);
    // A trail byte is never taken for the start of a character: ー is 81 5B, [ is 5B.
    EXPECT_EQ(searchText("ー[", 0, "["), 1);
}

TEST(EditText, SearchFindsAMatchThatEndsTheText) {
    EXPECT_EQ(searchText("abc", 0, "abc"), 0);
    EXPECT_EQ(searchText("abc", 1, "bc"), 1);
    EXPECT_EQ(searchText("abc", 0, "abcd"), -1);
    EXPECT_EQ(searchText("abc", 5, "c"), -1);
}

TEST(EditText, HexadecimalOfTheTwosComplement) {
    EXPECT_EQ(hex32(255), "ff");
    EXPECT_EQ(hex32(-1), "ffffffff");
    EXPECT_EQ(hex32(0), "0");
    EXPECT_EQ(hex32(INT32_MIN), "80000000");
}

// Feeds the bytes of text one at a time, as SetEditCode does, and returns
// what the control takes, each piece in brackets, with the lead byte still
// waiting at the end in `held`.
std::string writeBytes(std::string_view text, uint8_t& held) {
    std::string taken;
    for (char c : text) {
        const ByteWrite w = writeByte(held, static_cast<uint8_t>(c));
        if (!w.givenUp.empty()) taken += "[" + w.givenUp + "]";
        if (!w.insert.empty()) taken += "[" + w.insert + "]";
    }
    return taken;
}

TEST(EditBytes, ALeadByteWaitsForItsTrailAndThePairGoesInAsOne) {
    uint8_t held = 0;
    EXPECT_EQ(writeBytes("あいうabc", held), "[あ][い][う][a][b][c]");
    EXPECT_EQ(held, 0);
    // Every trail byte range: 40-7E (ー is 81 5B, ソ is 83 5C) and 80-FC (表 is 95 5C, 漢 is 8A BF).
    EXPECT_EQ(writeBytes("ー[ソ表漢", held), "[ー][[][ソ][表][漢]");
    EXPECT_EQ(writeBytes("\x81\x40\x9f\x7e\xe0\x80\xfc\xfc", held), "[\x81\x40][\x9f\x7e][\xe0\x80][\xfc\xfc]");
    // Half-width katakana (A1-DF) and the bytes no code page 932 lead uses stand alone.
    EXPECT_EQ(writeBytes("\xb1\xdf\xa0\x80\xfd", held), "[\xb1][\xdf][\xa0][\x80][\xfd]");
    EXPECT_EQ(held, 0);
}

TEST(EditBytes, ALeadByteThatCannotBeCompletedGoesInAloneBeforeWhatFollows) {
    uint8_t held = 0;
    // A line end, a blank, DEL and FD-FF are no trail bytes: nothing is swallowed.
    EXPECT_EQ(writeBytes("\x82\r\n\x82 \x82\x7f\x88\xfd\x88\x3f", held),
              "[\x82][\r][\n][\x82][ ][\x82][\x7f][\x88][\xfd][\x88][?]");
    EXPECT_EQ(held, 0);
    // A lead byte is a trail byte too: two leads make one character.
    EXPECT_EQ(writeBytes("\x82\x82", held), "[\x82\x82]");
    // NUL inserts nothing but still ends the wait.
    EXPECT_EQ(writeBytes(std::string_view("\x82\0a", 3), held), "[\x82][a]");
    EXPECT_EQ(held, 0);
}

TEST(EditBytes, TheWaitOutlastsTheCallAndEndsOnlyByTrailOrGivingUp) {
    uint8_t held = 0;
    // A typed double-byte character arrives as two events, lead byte first.
    EXPECT_EQ(writeBytes("a\x82", held), "[a]");
    EXPECT_EQ(held, 0x82);
    EXPECT_EQ(writeBytes("\xa0", held), "[あ]");
    EXPECT_EQ(writeBytes("\x93", held), "");
    EXPECT_EQ(giveUpHeld(held), "\x93");
    EXPECT_EQ(held, 0);
    EXPECT_EQ(giveUpHeld(held), "");
    // A truncated text ends with its lead byte still waiting.
    EXPECT_EQ(writeBytes("日本\x8c", held), "[日][本]");
    EXPECT_EQ(held, 0x8c);
}

}  // namespace
}  // namespace kav
