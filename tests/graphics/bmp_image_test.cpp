#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "graphics/bitmap_files.h"
#include "graphics/bmp_image.h"

namespace kav {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}
uint32_t le16(const Bytes& b, size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }

void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A file as other programs write them; every field can be set on its own.
struct FileSpec {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t coloursUsed = 0;
    Bytes afterHeader;  // masks and colour table
    Bytes pixels;
};

Bytes makeFile(const FileSpec& s) {
    Bytes f(14 + s.headerSize, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 14, s.headerSize);
    put32(f, 18, static_cast<uint32_t>(s.width));
    put32(f, 22, static_cast<uint32_t>(s.height));
    f[26] = 1;
    f[28] = static_cast<uint8_t>(s.bits);
    f[29] = static_cast<uint8_t>(s.bits >> 8);
    put32(f, 30, s.compression);
    put32(f, 34, s.sizeImage);
    put32(f, 46, s.coloursUsed);
    f.insert(f.end(), s.afterHeader.begin(), s.afterHeader.end());
    // A wrong pixel offset: the reader must not use it.
    put32(f, 10, 0xDEADBEEF);
    f.insert(f.end(), s.pixels.begin(), s.pixels.end());
    put32(f, 2, static_cast<uint32_t>(f.size()));
    return f;
}

Bytes table(std::initializer_list<Pixel> colours) {
    Bytes t;
    for (Pixel c : colours) t.insert(t.end(), {uint8_t(pixelBlue(c)), uint8_t(pixelGreen(c)), uint8_t(pixelRed(c)), 0});
    return t;
}

constexpr Pixel kRed = pixelOf(255, 0, 0), kGreen = pixelOf(0, 255, 0), kBlue = pixelOf(0, 0, 255);
constexpr Pixel kWhite = pixelOf(255, 255, 255);

BmpPicture decoded(const Bytes& file) {
    BmpPicture p;
    EXPECT_EQ(decodeBmp(file, p), BmpError::None);
    return p;
}

// --- writing ---------------------------------------------------------------

TEST(BmpWriter, HeaderOfACapturedPicture) {
    BitmapImage image;
    ASSERT_TRUE(image.allocate(3, 2));
    image.at(0, 0) = pixelOf(1, 2, 3);  // top-left: stored in the second row
    image.at(2, 1) = pixelOf(4, 5, 6);  // bottom-right: the first row's last pixel
    Bytes f;
    ASSERT_TRUE(encodeBmp(image, f));
    ASSERT_EQ(f.size(), 54u + 24u);
    EXPECT_EQ(le16(f, 0), 0x4D42u);
    EXPECT_EQ(le32(f, 2), 78u);
    EXPECT_EQ(le32(f, 6), 0u);  // both reserved words
    EXPECT_EQ(le32(f, 10), 54u);
    EXPECT_EQ(le32(f, 14), 40u);
    EXPECT_EQ(le32(f, 18), 3u);
    EXPECT_EQ(le32(f, 22), 2u);
    EXPECT_EQ(le16(f, 26), 1u);
    EXPECT_EQ(le16(f, 28), 32u);
    EXPECT_EQ(le32(f, 30), 0u);
    EXPECT_EQ(le32(f, 34), 24u);
    for (size_t at = 38; at < 54; ++at) EXPECT_EQ(f[at], 0) << at;
    EXPECT_EQ(Bytes(f.begin() + 62, f.begin() + 66), (Bytes{6, 5, 4, 0}));
    EXPECT_EQ(Bytes(f.begin() + 66, f.begin() + 70), (Bytes{3, 2, 1, 0}));
}

TEST(BmpWriter, ColourTableAndComputedImageSize) {
    BmpInfo info;
    info.width = 5;
    info.height = 2;
    info.bitsPerPixel = 1;
    info.xPelsPerMeter = 3780;
    const std::vector<uint32_t> colours{kRed, pixelOf(0x10, 0x20, 0x30)};
    const Bytes pixels(8, 0xA5);  // two rows of 5 bits, each padded to 4 bytes
    Bytes f;
    ASSERT_TRUE(encodeBmp(info, colours, pixels, f));
    ASSERT_EQ(f.size(), 54u + 8u + 8u);
    EXPECT_EQ(le32(f, 2), 70u);
    EXPECT_EQ(le32(f, 10), 62u);
    EXPECT_EQ(le16(f, 28), 1u);
    EXPECT_EQ(le32(f, 34), 8u);
    EXPECT_EQ(le32(f, 38), 3780u);
    EXPECT_EQ(Bytes(f.begin() + 54, f.begin() + 62), (Bytes{0, 0, 255, 0, 0x30, 0x20, 0x10, 0}));

    // A reported size is written as it is and must match the pixels given.
    info.imageSize = 12;
    EXPECT_FALSE(encodeBmp(info, colours, pixels, f));
    EXPECT_TRUE(encodeBmp(info, colours, Bytes(12), f));
    EXPECT_EQ(le32(f, 34), 12u);
    EXPECT_EQ(le32(f, 2), 54u + 8u + 12u);
}

TEST(BmpWriter, TheTableMustHaveTheEntriesTheDepthSays) {
    BmpInfo info;
    info.width = 2;
    info.height = 2;
    info.bitsPerPixel = 8;
    Bytes f;
    EXPECT_FALSE(encodeBmp(info, std::vector<uint32_t>(255), Bytes(8), f));
    ASSERT_TRUE(encodeBmp(info, std::vector<uint32_t>(256), Bytes(8), f));
    EXPECT_EQ(le32(f, 10), 54u + 1024u);
    info.coloursUsed = 3;
    ASSERT_TRUE(encodeBmp(info, std::vector<uint32_t>(3), Bytes(8), f));
    EXPECT_EQ(le32(f, 10), 54u + 12u);
}

TEST(BmpWriter, RefusesFilesPastTheSizeFields) {
    BmpInfo info;
    info.width = 65536;
    info.height = 65536;
    info.bitsPerPixel = 32;
    info.imageSize = UINT32_MAX;  // a lying platform: 4 GB of pixels
    Bytes f;
    EXPECT_FALSE(encodeBmp(info, {}, {}, f));
}

// --- reading ---------------------------------------------------------------

TEST(BmpReader, ReadsWhatTheWriterWrote) {
    BitmapImage image;
    ASSERT_TRUE(image.allocate(5, 3));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) image.at(x, y) = pixelOf(uint32_t(x * 40), uint32_t(y * 90), 7);
    Bytes f;
    ASSERT_TRUE(encodeBmp(image, f));
    const BmpPicture p = decoded(f);
    EXPECT_EQ(p.image.width, 5);
    EXPECT_EQ(p.image.height, 3);
    EXPECT_EQ(p.image.pixels, image.pixels);
    EXPECT_EQ(p.bitsPerPixel, 32);
    EXPECT_TRUE(p.palette.empty());
}

TEST(BmpReader, PaletteDepths) {
    // 1 bit, 9 wide: the second byte of each row holds the ninth pixel.
    FileSpec one;
    one.width = 9;
    one.height = 2;
    one.bits = 1;
    one.afterHeader = table({kRed, kBlue});
    one.pixels = {0x80, 0x80, 0, 0, 0x01, 0x00, 0, 0};  // bottom row first
    BmpPicture p = decoded(makeFile(one));
    EXPECT_EQ(p.image.at(0, 1), kBlue);
    EXPECT_EQ(p.image.at(1, 1), kRed);
    EXPECT_EQ(p.image.at(8, 1), kBlue);
    EXPECT_EQ(p.image.at(7, 0), kBlue);
    EXPECT_EQ(p.image.at(8, 0), kRed);
    EXPECT_EQ(p.palette, (std::vector<uint32_t>{kRed, kBlue}));

    FileSpec four;
    four.width = 3;
    four.bits = 4;
    Bytes t = table({kRed, kGreen, kBlue});
    t.resize(16 * 4, 0);
    four.afterHeader = t;
    four.pixels = {0x12, 0x00, 0, 0};
    p = decoded(makeFile(four));
    EXPECT_EQ(p.image.at(0, 0), kGreen);
    EXPECT_EQ(p.image.at(1, 0), kBlue);
    EXPECT_EQ(p.image.at(2, 0), kRed);
    EXPECT_EQ(p.palette.size(), 16u);

    FileSpec eight;
    eight.width = 2;
    eight.bits = 8;
    eight.coloursUsed = 2;  // a short table: index 5 names nothing
    eight.afterHeader = table({kWhite, kGreen});
    eight.pixels = {1, 5, 0, 0};
    p = decoded(makeFile(eight));
    EXPECT_EQ(p.image.at(0, 0), kGreen);
    EXPECT_EQ(p.image.at(1, 0), 0u);
    EXPECT_EQ(p.palette.size(), 2u);
}

TEST(BmpReader, DirectDepths) {
    FileSpec s16;
    s16.width = 2;
    s16.bits = 16;
    s16.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: full red, full blue
    BmpPicture p = decoded(makeFile(s16));
    EXPECT_EQ(p.image.at(0, 0), kRed);
    EXPECT_EQ(p.image.at(1, 0), kBlue);

    FileSpec s24;
    s24.width = 2;
    s24.height = 2;
    s24.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    p = decoded(makeFile(s24));
    EXPECT_EQ(p.image.at(0, 1), pixelOf(3, 2, 1));
    EXPECT_EQ(p.image.at(1, 0), pixelOf(12, 11, 10));

    FileSpec s32;
    s32.bits = 32;
    s32.pixels = {10, 20, 30, 0xFF};  // the fourth byte is not colour
    p = decoded(makeFile(s32));
    EXPECT_EQ(p.image.at(0, 0), pixelOf(30, 20, 10));

    // A table on a direct depth (colours used) is skipped, not drawn with.
    s24.coloursUsed = 2;
    s24.afterHeader = table({kRed, kRed});
    p = decoded(makeFile(s24));
    EXPECT_EQ(p.image.at(0, 1), pixelOf(3, 2, 1));
    EXPECT_TRUE(p.palette.empty());
}

TEST(BmpReader, BitFieldMasksAfterOrInsideTheHeader) {
    Bytes masks565 = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    FileSpec s;
    s.width = 3;
    s.bits = 16;
    s.compression = 3;
    s.afterHeader = masks565;
    s.pixels = {0xE0, 0x07, 0x10, 0x84, 0x1F, 0x00, 0, 0};
    BmpPicture p = decoded(makeFile(s));
    EXPECT_EQ(p.image.at(0, 0), kGreen);
    // 10000 100000 10000: every field at its top bit, widened by repetition.
    EXPECT_EQ(p.image.at(1, 0), pixelOf(0x84, 0x82, 0x84));
    EXPECT_EQ(p.image.at(2, 0), kBlue);

    // A version-5 header carries the masks at offset 40 of itself.
    FileSpec v5 = s;
    v5.headerSize = 124;
    v5.afterHeader.clear();
    Bytes f = makeFile(v5);
    std::memcpy(f.data() + 14 + 40, masks565.data(), 12);
    p = decoded(f);
    EXPECT_EQ(p.image.at(0, 0), kGreen);
    EXPECT_EQ(p.image.at(2, 0), kBlue);

    FileSpec s32;
    s32.bits = 32;
    s32.compression = 3;
    s32.afterHeader = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};  // red in the low byte
    s32.pixels = {10, 20, 30, 40};
    p = decoded(makeFile(s32));
    EXPECT_EQ(p.image.at(0, 0), pixelOf(10, 20, 30));
}

TEST(BmpReader, TopDownRows) {
    FileSpec s;
    s.width = 1;
    s.height = -2;
    s.pixels = {255, 0, 0, 0, 0, 0, 255, 0};  // the first row stored is the top
    const BmpPicture p = decoded(makeFile(s));
    EXPECT_EQ(p.image.height, 2);
    EXPECT_EQ(p.image.at(0, 0), kBlue);
    EXPECT_EQ(p.image.at(0, 1), kRed);
}

TEST(BmpReader, RunLengthCodes) {
    FileSpec s;
    s.width = 4;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.coloursUsed = 3;
    s.afterHeader = table({kWhite, kRed, kBlue});
    s.pixels = {
        3, 1, 0, 0,           // bottom row: three red, end of line
        0, 3, 2, 1, 2, 0,     // an absolute run of three, padded to a word
        0, 0,                 // end of line
        0, 2, 1, 0,           // move one right on the top row
        9, 2,                 // a run past the row's end is cut off
        0, 1,                 // end of picture
    };
    BmpPicture p = decoded(makeFile(s));
    EXPECT_EQ(p.image.at(0, 2), kRed);
    EXPECT_EQ(p.image.at(2, 2), kRed);
    EXPECT_EQ(p.image.at(3, 2), 0u);  // never coded: black
    EXPECT_EQ(p.image.at(0, 1), kBlue);
    EXPECT_EQ(p.image.at(1, 1), kRed);
    EXPECT_EQ(p.image.at(2, 1), kBlue);
    EXPECT_EQ(p.image.at(0, 0), 0u);
    EXPECT_EQ(p.image.at(1, 0), kBlue);
    EXPECT_EQ(p.image.at(3, 0), kBlue);

    FileSpec s4;
    s4.width = 5;
    s4.bits = 4;
    s4.compression = 2;
    s4.coloursUsed = 3;
    s4.afterHeader = table({kWhite, kRed, kBlue});
    s4.pixels = {3, 0x12, 0, 3, 0x20, 0x10, 0, 1};  // red blue red, then blue white (red cut off)
    p = decoded(makeFile(s4));
    EXPECT_EQ(p.image.at(0, 0), kRed);
    EXPECT_EQ(p.image.at(1, 0), kBlue);
    EXPECT_EQ(p.image.at(2, 0), kRed);
    EXPECT_EQ(p.image.at(3, 0), kBlue);
    EXPECT_EQ(p.image.at(4, 0), kWhite);

    // A code that stops halfway through an absolute run ends the picture.
    s.pixels = {0, 200, 1, 1};
    p = decoded(makeFile(s));
    EXPECT_EQ(p.image.at(0, 2), 0u);
}

// --- hostile files ---------------------------------------------------------

BmpError error(const Bytes& f) {
    BmpPicture p;
    return decodeBmp(f, p);
}

TEST(BmpReader, RefusesWhatIsNoBmp) {
    EXPECT_EQ(error({}), BmpError::NotBmp);
    EXPECT_EQ(error({'B', 'M', 0}), BmpError::NotBmp);
    Bytes f = makeFile({});
    f[1] = 'A';
    EXPECT_EQ(error(f), BmpError::NotBmp);
}

TEST(BmpReader, EveryTruncationFailsCleanly) {
    FileSpec s;
    s.width = 3;
    s.height = 2;
    s.bits = 8;
    s.afterHeader = Bytes(1024, 0x40);
    s.pixels = Bytes(8, 1);
    const Bytes whole = makeFile(s);
    ASSERT_EQ(error(whole), BmpError::None);
    for (size_t n = 0; n < whole.size(); ++n) {
        // Cut the file, keeping its size field: what it promises is missing.
        const Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        EXPECT_NE(error(cut), BmpError::None) << n;
        // Cut the file and make the size field agree: the parts do not fit.
        if (n >= 14) {
            Bytes honest = cut;
            put32(honest, 2, static_cast<uint32_t>(n));
            EXPECT_NE(error(honest), BmpError::None) << n;
        }
    }
    // Bytes past the declared size are not part of the picture.
    Bytes longer = whole;
    longer.resize(whole.size() + 100, 0xEE);
    EXPECT_EQ(error(longer), BmpError::None);
}

TEST(BmpReader, RefusesHostileHeaders) {
    Bytes f = makeFile({});
    put32(f, 14, 12);  // the core header lays its fields out otherwise
    EXPECT_EQ(error(f), BmpError::BadHeader);

    f = makeFile({});
    put32(f, 14, 0x7FFFFFF0);  // a header larger than the file
    EXPECT_EQ(error(f), BmpError::Truncated);

    f = makeFile({});
    put32(f, 2, 20);  // a size field too small for the headers
    EXPECT_EQ(error(f), BmpError::BadHeader);

    for (int32_t w : {0, -1, INT32_MIN}) {
        FileSpec s;
        s.width = w;
        EXPECT_EQ(error(makeFile(s)), BmpError::BadHeader) << w;
    }
    for (int32_t h : {0, INT32_MIN}) {
        FileSpec s;
        s.height = h;
        EXPECT_EQ(error(makeFile(s)), BmpError::BadHeader) << h;
    }
}

TEST(BmpReader, RefusesHugePictures) {
    FileSpec wide;
    wide.width = INT32_MAX;
    wide.bits = 1;
    EXPECT_EQ(error(makeFile(wide)), BmpError::TooLarge);
    // Run-length codes could describe a huge picture in a few bytes.
    FileSpec rle;
    rle.width = 100000;
    rle.height = 100000;
    rle.bits = 8;
    rle.compression = 1;
    rle.pixels = {0, 1};
    EXPECT_EQ(error(makeFile(rle)), BmpError::TooLarge);
    FileSpec tall;
    tall.height = -INT32_MAX;
    EXPECT_EQ(error(makeFile(tall)), BmpError::TooLarge);
    // Within the limit but with rows the file does not hold.
    FileSpec big;
    big.width = 4000;
    big.height = 4000;
    big.pixels = Bytes(100, 0);
    EXPECT_EQ(error(makeFile(big)), BmpError::Truncated);
    // A caller may lower the limit.
    FileSpec six;
    six.width = 3;
    six.height = 2;
    six.pixels = Bytes(24, 0);
    BmpPicture p;
    EXPECT_EQ(decodeBmp(makeFile(six), p, 5), BmpError::TooLarge);
    EXPECT_EQ(decodeBmp(makeFile(six), p, 6), BmpError::None);
}

TEST(BmpReader, RefusesColourCountsPastTheEnd) {
    for (uint32_t used : {300u, 0x40000000u, 0xFFFFFFFFu}) {
        FileSpec s;
        s.bits = 8;
        s.coloursUsed = used;
        s.afterHeader = Bytes(1024, 0);
        s.pixels = Bytes(4, 0);
        EXPECT_EQ(error(makeFile(s)), BmpError::Truncated) << used;
    }
    // A long table that is really there: the palette keeps what pixels can name.
    FileSpec s;
    s.bits = 8;
    s.coloursUsed = 1000;
    s.afterHeader = Bytes(4000, 0x11);
    s.pixels = Bytes(4, 0);
    EXPECT_EQ(decoded(makeFile(s)).palette.size(), 256u);
}

TEST(BmpReader, RefusesDepthsAndCodesItDoesNotDraw) {
    for (uint16_t bits : {0, 2, 7, 48, 64}) {
        FileSpec s;
        s.bits = bits;
        s.pixels = Bytes(64, 0);
        EXPECT_EQ(error(makeFile(s)), BmpError::Unsupported) << bits;
    }
    struct Case {
        uint16_t bits;
        uint32_t compression;
        int32_t height;
    };
    for (Case c : {Case{4, 1, 1}, Case{8, 2, 1}, Case{24, 3, 1}, Case{8, 1, -1}, Case{24, 4, 1}, Case{32, 6, 1}}) {
        FileSpec s;
        s.bits = c.bits;
        s.compression = c.compression;
        s.height = c.height;
        s.afterHeader = Bytes(1024, 0);
        s.pixels = Bytes(64, 0);
        EXPECT_EQ(error(makeFile(s)), BmpError::Unsupported) << c.bits << " " << c.compression;
    }
}

TEST(BmpReader, AFailedLoadLeavesThePictureAsItWas) {
    FileSpec s;
    s.bits = 8;
    s.afterHeader = table({kRed});
    s.coloursUsed = 1;
    s.pixels = Bytes(4, 0);
    BmpPicture p;
    ASSERT_EQ(decodeBmp(makeFile(s), p), BmpError::None);
    Bytes bad = makeFile(s);
    bad.pop_back();
    EXPECT_EQ(decodeBmp(bad, p), BmpError::Truncated);
    EXPECT_EQ(p.image.at(0, 0), kRed);
    EXPECT_EQ(p.palette.size(), 1u);
}

TEST(BmpSaveName, ExtensionOnlyWhereNoDotIsAnywhere) {
    EXPECT_EQ(withBmpExtension("C:\\pics\\cat"), "C:\\pics\\cat.bmp");
    EXPECT_EQ(withBmpExtension("C:\\pics.old\\cat"), "C:\\pics.old\\cat");
    EXPECT_EQ(withBmpExtension("cat.png"), "cat.png");
}

}  // namespace
}  // namespace kav
