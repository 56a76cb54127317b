// The text font under the real system: the default face must reach a font that
// holds Japanese glyphs, or Japanese text would draw as boxes or mojibake.
#include <gtest/gtest.h>

#include <cstring>

#include "win32/gdi_win.h"
#include "graphics/text_font_win.h"

namespace kav {
namespace {

// A 64x64 32-bit bitmap cleared to white, selected into a memory context.
struct Canvas {
    static HBITMAP makeBitmap() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 64;
        info.bmiHeader.biHeight = 64;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    Canvas() : dc(CreateCompatibleDC(nullptr)), bitmap(makeBitmap()), selected(dc.get(), bitmap.get()) {
        PatBlt(dc.get(), 0, 0, 64, 64, WHITENESS);
    }
    // Pixels the text touched, fully or in part.
    int inkedPixels() const {
        int n = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) n += GetPixel(dc.get(), x, y) != RGB(255, 255, 255);
        return n;
    }
    MemoryDC dc;
    Bitmap bitmap;
    SelectGuard selected;
};

TEST(TextFont, DefaultFaceIsAShiftJisFontWithKanjiGlyphs) {
    Canvas canvas;
    ASSERT_TRUE(canvas.bitmap);
    Font font = createTextFont(fontSpec(FontSetting{}, 0, 0, 24));
    ASSERT_TRUE(font);
    SelectGuard selected(canvas.dc.get(), font.get());
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc.get(), &tm));
    EXPECT_EQ(tm.tmCharSet, 128);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(canvas.dc.get(), sizeof face, face);
    EXPECT_STREQ(face, "ＭＳ ゴシック");
    WORD glyphs[3] = {};
    ASSERT_EQ(GetGlyphIndicesW(canvas.dc.get(), L"\u3042\u6F22\u5B57", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 3u);
    for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF);
    // "漢" in Shift-JIS really leaves ink.
    SetBkMode(canvas.dc.get(), TRANSPARENT);
    TextOutA(canvas.dc.get(), 4, 4, "\x8A\xBF", 2);
    EXPECT_GT(canvas.inkedPixels(), 30);
}

TEST(TextFont, StyleAndRotationReachTheFont) {
    FontSetting heavyItalic{"Arial", 3};
    Font font = createTextFont(fontSpec(heavyItalic, 90, 8, 16));
    ASSERT_TRUE(font);
    LOGFONTA f{};
    ASSERT_EQ(GetObjectA(font.get(), sizeof f, &f), static_cast<int>(sizeof f));
    EXPECT_EQ(f.lfHeight, 16);
    EXPECT_EQ(f.lfWidth, 8);
    EXPECT_EQ(f.lfEscapement, 900);
    EXPECT_EQ(f.lfWeight, 900);
    EXPECT_EQ(f.lfItalic, 1);
    EXPECT_EQ(f.lfCharSet, 128);
    EXPECT_EQ(f.lfPitchAndFamily, 0x11);
    EXPECT_STREQ(f.lfFaceName, "Arial");
}

TEST(TextFont, A31ByteFaceFillsTheFieldWithItsTerminator) {
    FontSetting longFace{std::string(31, 'x'), 0};
    Font font = createTextFont(fontSpec(longFace, 0, 0, 16));
    ASSERT_TRUE(font);
    LOGFONTA f{};
    GetObjectA(font.get(), sizeof f, &f);
    EXPECT_EQ(std::strlen(f.lfFaceName), 31u);
}

}  // namespace
}  // namespace kav
