#include "files/file_names.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace kav {
namespace {

TEST(FileNames, PresetsFollowTheDigits) {
    std::string f;
    ASSERT_TRUE(presetFilter(4, f));
    EXPECT_EQ(f, "アイコン(*.ico)\\*.ico\\");
    ASSERT_TRUE(presetFilter(41, f));
    EXPECT_EQ(f, "アイコン(*.ico)\\*.ico\\全ファイル(*.*)\\*.*\\");
    ASSERT_TRUE(presetFilter(12345, f));
    EXPECT_EQ(f.find("ビデオ動画"), f.rfind("ビデオ動画"));
    for (int bad : {10, 6, 9, 17, 1203}) EXPECT_FALSE(presetFilter(bad, f)) << bad;
}

TEST(FileNames, FiltersEndInTwoNuls) {
    using namespace std::string_literals;
    EXPECT_EQ(dialogFilter("Text\\*.txt\\"), "Text\0*.txt\0\0"s);
    EXPECT_EQ(dialogFilter("Text\\*.txt"), "Text\0*.txt\0\0"s);
    EXPECT_EQ(dialogFilter(""), "\0\0"s);
    // 表 is 95 5C: its trail byte is no separator.
    EXPECT_EQ(dialogFilter("表\\*.x"), "表\0*.x\0\0"s);
    EXPECT_EQ(dialogFilter(kStandardFilter).size(), std::string_view(kStandardFilter).size() + 1);
}

TEST(FileNames, NameAndFolderParts) {
    EXPECT_EQ(fileNamePart("C:\\dir\\a.txt"), "a.txt");
    EXPECT_EQ(filePathPart("C:\\dir\\a.txt"), "C:\\dir\\");
    EXPECT_EQ(fileNamePart("a.txt"), "a.txt");
    EXPECT_EQ(filePathPart("a.txt"), "a.txt");
    // A backslash at index 0 does not count.
    EXPECT_EQ(fileNamePart("\\a.txt"), "\\a.txt");
    EXPECT_EQ(filePathPart("C:\\表.txt"), "C:\\");
    EXPECT_EQ(fileNamePart("C:\\表.txt"), "表.txt");
    EXPECT_EQ(fileNamePart("C:\\dir\\"), "");
}

using CurrentFileName = test::EngineTest;

TEST_F(CurrentFileName, IsCutToItsBuffer) {
    setCurrentFileName(e, std::string(300, 'a'));
    EXPECT_EQ(e.fileName.size(), kFileNameMax);
    setCurrentFileName(e, std::string(258, 'a') + "あ");
    EXPECT_EQ(e.fileName, std::string(258, 'a'));
}

}  // namespace
}  // namespace kav
