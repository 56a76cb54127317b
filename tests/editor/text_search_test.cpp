#include "editor/text_search.h"

#include <gtest/gtest.h>

namespace kav::editor {
namespace {

TEST(Search, FindsTheFirstOccurrenceAfterTheSelectionStart) {
    const char text[] = "xab ab ab.";
    EXPECT_EQ(searchDownward(text, 0, "ab"), 1);
    EXPECT_EQ(searchDownward(text, 1, "ab"), 4);  // the caret in front of one skips it
    EXPECT_EQ(searchDownward(text, 4, "ab"), 7);
    EXPECT_EQ(searchDownward(text, 7, "ab"), std::nullopt);  // no wrap to the top
}

TEST(Search, NeverFindsTheVeryStartOrTheLastByte) {
    EXPECT_EQ(searchDownward("abxx", 0, "ab"), std::nullopt);
    EXPECT_EQ(searchDownward("xxxa", 0, "a"), std::nullopt);
    EXPECT_EQ(searchDownward("xxa.", 0, "a"), 2);
    EXPECT_EQ(searchDownward("x", 0, "x"), std::nullopt);
    EXPECT_EQ(searchDownward("", 0, "x"), std::nullopt);
}

TEST(Search, CountsADoubleByteCharacterAsOne) {
    // "漢字abc漢字abc": each kanji two bytes, one character.
    const char text[] = "漢字abc漢字abc.";
    EXPECT_EQ(searchDownward(text, 0, "abc"), 2);
    EXPECT_EQ(searchDownward(text, 2, "abc"), 7);
    EXPECT_EQ(searchDownward(text, 0, "字"), 1);
    EXPECT_EQ(searchDownward(text, 1, "字"), 6);
    EXPECT_EQ(charCount(text), 11);
}

TEST(Search, DoesNotMatchInsideADoubleByteCharacter) {
    // "ア" is 83 41: its trail byte is 'A' but a search for "A" must not land there.
    EXPECT_EQ(searchDownward("xアA.", 0, "A"), 2);
}

TEST(Search, StopsWhenTheSelectionLiesPastTheText) {
    EXPECT_EQ(searchDownward("abcabc", 40, "c"), std::nullopt);
}

}  // namespace
}  // namespace kav::editor
