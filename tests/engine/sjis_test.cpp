#include "engine/sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace kav {
namespace {

using namespace std::string_literals;

// "漢" is 8A BF; "ア" is 83 41, a trail byte that reads as 'A'; "表" is 95 5C,
// a trail byte that reads as a backslash.
TEST(ShiftJis, ALeadByteTakesItsTrailUnlessThereIsNoneOrItIsNul) {
    const std::string s = "a\x8A\xBF\x83" "A\x95\\"s;
    EXPECT_EQ(nextChar(s, 0), 1u);
    EXPECT_EQ(nextChar(s, 1), 3u);
    EXPECT_EQ(nextChar(s, 3), 5u);
    EXPECT_EQ(nextChar(s, 5), 7u);
    EXPECT_EQ(charCount(s), 4);
    // A lone lead byte at the end, or before a NUL, is one character of its own.
    EXPECT_EQ(nextChar("x\x8A"s, 1), 2u);
    EXPECT_EQ(nextChar("\x8A\0z"s, 0), 1u);
    EXPECT_EQ(charCount("\x8A\0z"s), 3);
    // The pointer form agrees, and stays put at the end.
    const char* p = "\x8A\xBF\x8A";
    EXPECT_EQ(charNext(p), p + 2);
    EXPECT_EQ(charNext(p + 2), p + 3);
    EXPECT_EQ(charNext(p + 3), p + 3);
}

TEST(ShiftJis, CutsNeverSplitACharacter) {
    const std::string s = "ab\x8A\xBF" "c";
    EXPECT_EQ(cutToChars(s, 0), "");
    EXPECT_EQ(cutToChars(s, 3), "ab");
    EXPECT_EQ(cutToChars(s, 4), "ab\x8A\xBF");
    EXPECT_EQ(cutToChars(s, 99), s);
    EXPECT_EQ(cutToChars("ab\x8A"s, 3), "ab\x8A");
}

}  // namespace
}  // namespace kav
