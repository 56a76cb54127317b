#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kav
