#include "graphics/text_format.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(FontSpec, StyleSwitchAndRotation) {
    FontSetting s;
    FontSpec f = fontSpec(s, 90, 8, 16);
    EXPECT_EQ(f.height, 16);
    EXPECT_EQ(f.width, 8);
    EXPECT_EQ(f.escapement, 900);
    EXPECT_EQ(f.weight, 0);
    EXPECT_FALSE(f.italic);
    EXPECT_EQ(f.face, "ＭＳ ゴシック");
    const std::pair<int, int> weights[] = {{1, 0}, {2, 900}, {3, 900}};
    for (auto [style, weight] : weights) {
        s.style = style;
        f = fontSpec(s, 0, 0, 0);
        EXPECT_EQ(f.weight, weight) << style;
        EXPECT_EQ(f.italic, style != 2) << style;
    }
    EXPECT_TRUE(validFontStyle(0));
    EXPECT_TRUE(validFontStyle(3));
    EXPECT_FALSE(validFontStyle(4));
    EXPECT_FALSE(validFontStyle(-1));
}

TEST(FontSpec, HugeRotationWrapsInsteadOfOverflowing) {
    EXPECT_EQ(fontSpec(FontSetting{}, INT32_MAX, 0, 0).escapement, static_cast<int32_t>(0xFFFFFFF6u));
}

TEST(FaceName, CutTo31BytesAtACharacterBoundary) {
    EXPECT_EQ(cutFaceName("Arial"), "Arial");
    const std::string latin(40, 'a');
    EXPECT_EQ(cutFaceName(latin), std::string(31, 'a'));
    // 15 double-byte characters are 30 bytes; the 16th would need bytes 31 and 32.
    std::string kanji;
    for (int i = 0; i < 16; ++i) kanji += "\x88\x9F";
    EXPECT_EQ(cutFaceName(kanji).size(), 30u);
    EXPECT_EQ(cutFaceName("a" + kanji).size(), 31u);
    // A lead byte with nothing after it stands alone, as the system steps it.
    EXPECT_EQ(cutFaceName("ab\x88"), "ab\x88");
}

TEST(CodeTexts, LowBytesAndEarlyEnds) {
    EXPECT_EQ(codeText(65), "A");
    EXPECT_EQ(codeText(256 + 66), "B");
    EXPECT_EQ(codeText(0), "");
    EXPECT_EQ(codeText(256), "");
    EXPECT_EQ(kanjiText(136, 159), "\x88\x9F");
    EXPECT_EQ(kanjiText(0, 159), "");
    EXPECT_EQ(kanjiText(65, 0), "A");
    EXPECT_EQ(kanjiText(-1, 512 + 67), "\xFF" "C");
}

TEST(AscType, SingleByteCharacterClassesOnTheUnroundedValue) {
    EXPECT_TRUE(isSingleByteCharacter(65));
    EXPECT_FALSE(isSingleByteCharacter(130));
    EXPECT_TRUE(isSingleByteCharacter(200));
    EXPECT_FALSE(isSingleByteCharacter(31.5));
    EXPECT_FALSE(isSingleByteCharacter(127.5));
    EXPECT_TRUE(isSingleByteCharacter(32));
    EXPECT_TRUE(isSingleByteCharacter(160));
    EXPECT_TRUE(isSingleByteCharacter(223));
    EXPECT_FALSE(isSingleByteCharacter(223.5));
    EXPECT_FALSE(isSingleByteCharacter(-65));
}

}  // namespace
}  // namespace kav
