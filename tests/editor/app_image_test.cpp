#include "editor/app_image.h"

#include <gtest/gtest.h>

#include <string>

namespace kav::editor {
namespace {

// A stub with the runtime's colour-table signature at `at`.
std::string stubWithIcon(size_t size, size_t at) {
    std::string s(size, 'S');
    auto put = [&](size_t p, const char* four) { s.replace(p, 4, four, 4); };
    put(at, "\xFF\xFF\xFF\x00");
    put(at + 32, "\x7F\x7F\x7F\x00");
    put(at + 64, "\x00\x00\xFF\x00");
    return s;
}

std::string iconFile() {
    std::string f(kIconFileSize, '\0');
    for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<char>(i * 7 + 3);
    return f;
}

TEST(Builder, AppendsMarkerCompactedTextAndTwoNuls) {
    std::string image = "STUB";
    ASSERT_EQ(assembleApplication(image, "CREATE{ a = 1 ; // note\r\n SetCaption(\"a // b\"); }"),
              BuildResult::Ok);
    const std::string text = "CREATE{a=1;SetCaption(\"a // b\");}";
    EXPECT_EQ(image, "STUB" + std::string(1, '\0') + "@KAV@" + text + std::string(2, '\0'));
}

TEST(Builder, RefusesScriptsOf65536CompactedBytes) {
    std::string image = "STUB";
    EXPECT_EQ(assembleApplication(image, std::string(65535, 'a')), BuildResult::Ok);
    EXPECT_EQ(image.size(), 4u + 65535 + 8);
    image = "STUB";
    EXPECT_EQ(assembleApplication(image, std::string(65536, 'a')), BuildResult::TooLarge);
    EXPECT_EQ(image, "STUB");
    // Blanks do not count: they are compacted away first.
    EXPECT_EQ(assembleApplication(image, std::string(65535, 'a') + "  \r\n"), BuildResult::Ok);
    std::string none;
    EXPECT_EQ(assembleApplication(none, "a"), BuildResult::NoStub);
}

TEST(Builder, ReplacesTheIconAtTheLastSignature) {
    std::string stub = stubWithIcon(10000, 4000);
    stub.replace(100, 68, stubWithIcon(200, 0).substr(0, 68));  // an earlier lookalike stays
    const std::string icon = iconFile();
    std::string image = stub;
    ASSERT_EQ(assembleApplication(image, "a", &icon), BuildResult::Ok);
    EXPECT_EQ(image.substr(4000, kIconPatchSize), icon.substr(62, kIconPatchSize));
    EXPECT_EQ(image.substr(0, 4000), stub.substr(0, 4000));
    EXPECT_EQ(image.substr(4000 + kIconPatchSize, 10000 - 4000 - kIconPatchSize),
              stub.substr(4000 + kIconPatchSize));
    EXPECT_EQ(image.size(), 10000u + 1 + 8);
}

TEST(Builder, LeavesAStubWithoutSignatureOrRoomUnchanged) {
    const std::string icon = iconFile();
    std::string plain(5000, 'S');
    EXPECT_FALSE(patchIcon(plain, icon));
    EXPECT_EQ(plain, std::string(5000, 'S'));
    // A signature too near the end to take the whole icon is no hit.
    std::string tight = stubWithIcon(3000, 3000 - 100);
    const std::string before = tight;
    EXPECT_FALSE(patchIcon(tight, icon));
    EXPECT_EQ(tight, before);
    std::string shortIcon = icon.substr(1);
    std::string stub = stubWithIcon(5000, 10);
    EXPECT_FALSE(patchIcon(stub, shortIcon));
}

TEST(Builder, PreviewColoursComeFromTheFilesTable) {
    std::string f(kIconFileSize, '\0');
    f[kIconColoursAt + 4 * 5 + 0] = 0x11;  // blue
    f[kIconColoursAt + 4 * 5 + 1] = 0x22;  // green
    f[kIconColoursAt + 4 * 5 + 2] = 0x33;  // red
    f[kIconPixelsAt + 32 * 31 + 2] = 5;    // top row, column 2
    f[kIconPixelsAt + 3] = static_cast<char>(255);  // bottom row, column 3
    EXPECT_EQ(iconPreviewColour(f, 2, 0), 0x332211u);
    EXPECT_EQ(iconPreviewColour(f, 3, 31), 0xFFFFFFu);
    EXPECT_EQ(iconPreviewColour(f, 0, 0), 0x000000u);
}

}  // namespace
}  // namespace kav::editor
