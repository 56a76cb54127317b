#include "editor/script_names.h"

#include <gtest/gtest.h>

#include <string>

namespace kav::editor {
namespace {

TEST(Title, NamesTheFileOrStandsInForNone) {
    EXPECT_EQ(titleText("a.kav3"), "KAV3 - [a.kav3]");
    EXPECT_EQ(titleText(""), "KAV3 - [NONAME.KAV3]");
}

TEST(Title, CutsLongNamesBeforeAWholeCharacter) {
    const std::string t = titleText(std::string(300, 'x'));
    EXPECT_EQ(t.size(), kTitleMax);
    EXPECT_EQ(t.back(), ']');
    // "あ" is two bytes: an odd room must not leave half of one behind.
    std::string wide;
    for (int i = 0; i < 150; ++i) wide += "あ";
    const std::string w = titleText(wide);
    EXPECT_LE(w.size(), kTitleMax);
    EXPECT_EQ((w.size() - 9) % 2, 0u);
}

TEST(SaveAsName, AppendsTheExtensionOnlyWithoutAnyDot) {
    std::string plain = "C:\\work\\prog";
    ASSERT_TRUE(addScriptExtension(plain));
    EXPECT_EQ(plain, "C:\\work\\prog.kav3");
    std::string dottedFolder = "C:\\v1.2\\prog";
    ASSERT_TRUE(addScriptExtension(dottedFolder));
    EXPECT_EQ(dottedFolder, "C:\\v1.2\\prog");
    std::string tooLong(256, 'a');
    EXPECT_FALSE(addScriptExtension(tooLong));
    EXPECT_EQ(tooLong.size(), 256u);
}

TEST(StartFile, TakesTheTextFromTheThirdQuote) {
    EXPECT_EQ(startFileFromCommandLine("\"C:\\KAV3\\KAV3.exe\" \"C:\\my dir\\a.kav3\""), "C:\\my dir\\a.kav3");
    EXPECT_EQ(startFileFromCommandLine("\"C:\\KAV3\\KAV3.exe\" C:\\a.kav3"), "");
    EXPECT_EQ(startFileFromCommandLine("KAV3.exe"), "");
    EXPECT_EQ(startFileFromCommandLine("\"a\" \"b\"c\"d"), "bcd");
    EXPECT_EQ(startFileFromCommandLine("\"a\" \"C:\\x.kav3 \" "), "C:\\x.kav3");
}

TEST(FileTitle, IsTheNameAfterTheLastSeparator) {
    EXPECT_EQ(fileTitleOf("C:\\dir\\a.kav3"), "a.kav3");
    EXPECT_EQ(fileTitleOf("a.kav3"), "a.kav3");
    EXPECT_EQ(fileTitleOf("\\a.kav3"), "\\a.kav3");
    // 0x5C as the trail byte of "表" is no separator.
    EXPECT_EQ(fileTitleOf("C:\\dir\\表.kav3"), "表.kav3");
    EXPECT_EQ(folderOf("C:\\dir\\表.kav3"), "C:\\dir\\");
    EXPECT_EQ(folderOf("a.kav3"), "");
    EXPECT_EQ(fileTitleOf("C:/dir/b.kav3"), "b.kav3");
}

TEST(Builder, ProposesAnOutputNameCutAtTheFirstDot) {
    EXPECT_EQ(outputNameFor("C:\\dir\\game.kav3"), "C:\\dir\\game.exe");
    EXPECT_EQ(outputNameFor("C:\\v1.2\\game.kav3"), "C:\\v1.exe");
    EXPECT_EQ(stubPathBeside("C:\\KAV3\\KAV3.exe"), "C:\\KAV3\\KavFiles\\Kav64");
    EXPECT_EQ(stubPathBeside("KAV3.exe"), "KavFiles\\Kav64");
}

TEST(StarterProgram, EndsWithCrLfAndUsesCrLfThroughout) {
    const std::string s = kStarterProgram;
    EXPECT_TRUE(s.starts_with("// 一定時間ごとの処理\r\nTIMER\r\n{\r\n\r\n}\r\n\r\n"));
    EXPECT_TRUE(s.ends_with("ID_end\r\n{\r\n\tend ; // プログラム終了\r\n}\r\n"));
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '\n') {
            EXPECT_EQ(s[i - 1], '\r') << "at " << i;
        }
}

}  // namespace
}  // namespace kav::editor
