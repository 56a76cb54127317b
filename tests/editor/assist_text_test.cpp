#include "editor/assist_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/resource_ids.h"

namespace kav::editor {
namespace {

TEST(AssistOutput, HoldsAQuotedPathOf255BytesIntact) {
    const std::string path = "C:\\" + std::string(252, 'p');
    ASSERT_EQ(path.size(), 255u);
    AssistOutput out;
    out.set(quotedPath(path));
    EXPECT_EQ(out.text().size(), 257u);
    EXPECT_EQ(out.text(), "\"" + path + "\"");
    EXPECT_EQ(out.c_str()[257], '\0');
}

TEST(AssistOutput, CutsALongerTextOnACharacterBoundary) {
    AssistOutput out;
    out.set(std::string(300, 'a'));
    EXPECT_EQ(out.text().size(), kAssistOutputMax);
    EXPECT_EQ(out.c_str()[kAssistOutputMax], '\0');
    // 256 single bytes and then "漢": its lead byte alone would still fit.
    out.set(std::string(256, 'a') + "漢");
    EXPECT_EQ(out.text(), std::string(256, 'a'));
    out.set("短い");
    EXPECT_EQ(out.text(), "短い");
    EXPECT_EQ(out.c_str()[4], '\0');
}

TEST(Palette, LineStepsStayWithinTheRangeAndTheBoxSetsTheValue) {
    EXPECT_EQ(scrolledColour(0, kScrollLineLeft, 0), 0);
    EXPECT_EQ(scrolledColour(10, kScrollLineLeft, 0), 9);
    EXPECT_EQ(scrolledColour(255, kScrollLineRight, 0), 255);
    EXPECT_EQ(scrolledColour(254, kScrollLineRight, 0), 255);
    EXPECT_EQ(scrolledColour(3, kScrollThumbTrack, 128), 128);
    EXPECT_EQ(scrolledColour(3, kScrollThumbTrack, 40000), 255);
    EXPECT_EQ(scrolledColour(3, kScrollThumbTrack, -1), 0);
}

TEST(Palette, OtherScrollEventsLeaveTheValue) {
    constexpr int kPageLeft = 2, kPageRight = 3, kThumbPosition = 4, kLeft = 6, kRight = 7, kEnd = 8;
    for (int code : {kPageLeft, kPageRight, kThumbPosition, kLeft, kRight, kEnd})
        EXPECT_EQ(scrolledColour(77, code, 200), 77) << code;
}

TEST(Palette, FullLineOrDataOnly) {
    EXPECT_EQ(paletteText({255, 0, 128}, false), "SetPal(n,255,0,128) ;\r\n");
    EXPECT_EQ(paletteText({255, 0, 128}, true), "255,0,128");
    EXPECT_EQ(paletteText({}, false), "SetPal(n,0,0,0) ;\r\n");
}

TEST(WindowStyle, StylesAndOutlines) {
    EXPECT_EQ(windowStyleText(IDC_STYLE_0), "SetWinStyle(0) ;\r\n");
    EXPECT_EQ(windowStyleText(303), "SetWinStyle(3) ;\r\n");
    EXPECT_EQ(windowStyleText(IDC_STYLE_4), "SetWinStyle(4) ;\r\n");
    EXPECT_EQ(windowStyleText(305), "SetWinStyleOption(1,80,80) ;\r\n");
    EXPECT_EQ(windowStyleText(306), "SetWinStyleOption(2,80,80) ;\r\n");
    EXPECT_EQ(windowStyleText(299), "");
    EXPECT_EQ(windowStyleText(307), "");
}

TEST(Controls, EveryRadioStandsForOneType) {
    EXPECT_EQ(controlType(517), 1);
    EXPECT_EQ(controlType(516), 41);
    EXPECT_EQ(controlType(500), 0);
    EXPECT_EQ(controlType(515), 101);
    EXPECT_EQ(controlType(499), std::nullopt);
    EXPECT_EQ(controlType(518), std::nullopt);
    // The radios 500 to 517, each once, each with a type of its own.
    std::set<int> radios, types;
    for (const ControlChoice& c : controlChoices()) {
        radios.insert(c.radio);
        types.insert(c.type);
    }
    EXPECT_EQ(radios.size(), 18u);
    EXPECT_EQ(*radios.begin(), 500);
    EXPECT_EQ(*radios.rbegin(), 517);
    EXPECT_EQ(types.size(), 18u);
    EXPECT_EQ(controlText(41), "CreateControl(41,\"str\",\"ID_control\",x,y,w,h) ;\r\n");
}

TEST(Fonts, FullLineOrNameOnly) {
    EXPECT_EQ(fontText("ＭＳ ゴシック", 3, false), "SetFont(\"ＭＳ ゴシック\",3) ;\r\n");
    EXPECT_EQ(fontText("ＭＳ ゴシック", 3, true), "ＭＳ ゴシック");
    EXPECT_TRUE(isBold(2) && isBold(3) && !isBold(0) && !isBold(1));
    EXPECT_TRUE(isItalic(1) && isItalic(3) && !isItalic(0) && !isItalic(2));
}

TEST(Fonts, OnlyTheFirst512NamesAreKept) {
    FontNames names;
    int offered = 0;
    while (names.add("Face" + std::to_string(offered++))) ASSERT_LT(offered, 10000);
    EXPECT_EQ(offered, 512);
    EXPECT_FALSE(names.add("late"));
    ASSERT_EQ(names.names().size(), 512u);
    EXPECT_EQ(names.names().front(), "Face0");
    EXPECT_EQ(names.names().back(), "Face511");
}

TEST(Fonts, ANameIsCutToItsSlotOnACharacterBoundary) {
    FontNames names;
    names.add(std::string(62, 'a') + "漢字");
    names.add(std::string(70, 'b'));
    EXPECT_EQ(names.names()[0], std::string(62, 'a'));
    EXPECT_EQ(names.names()[1], std::string(63, 'b'));
}

}  // namespace
}  // namespace kav::editor
