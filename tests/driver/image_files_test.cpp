// The screenshot files must open in any viewer and hold exactly the captured
// pixels: every check here reads the bytes back the way a decoder would.
#include "tools/kav3drv/image_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kavdrv {
namespace {

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// Every pixel different, so a swapped row, column or channel shows.
RgbImage gradient(int width, int height) {
    RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = static_cast<uint8_t>(x * 7 + y);
            p[1] = static_cast<uint8_t>(y * 5);
            p[2] = static_cast<uint8_t>(x ^ y ^ 0x5A);
        }
    return image;
}

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
};

// Splits a PNG into chunks, checking each stored CRC against its type and data.
std::vector<Chunk> readChunks(const std::vector<uint8_t>& png) {
    std::vector<Chunk> chunks;
    for (size_t at = 8; at < png.size();) {
        EXPECT_LE(at + 12, png.size()) << "chunk header runs past the end";
        if (at + 12 > png.size()) break;
        const uint32_t length = be32(png, at);
        Chunk c{std::string(png.begin() + at + 4, png.begin() + at + 8),
                std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length)};
        EXPECT_EQ(be32(png, at + 8 + length), crc32(png.data() + at + 4, length + 4)) << "CRC of " << c.type;
        chunks.push_back(std::move(c));
        at += 12 + length;
    }
    return chunks;
}

// Undoes a zlib stream of stored blocks, checking the header, every LEN/NLEN
// pair, that only the last block is final, and the Adler-32 at the end.
std::vector<uint8_t> inflateStored(const std::vector<uint8_t>& z) {
    EXPECT_GE(z.size(), 2u + 5u + 4u);
    EXPECT_EQ(z[0], 0x78) << "deflate, 32K window";
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "header check bits";
    EXPECT_EQ(z[1] & 0x20, 0) << "no preset dictionary";
    std::vector<uint8_t> data;
    size_t at = 2;
    bool final = false;
    while (!final && at + 5 <= z.size()) {
        EXPECT_EQ(z[at] & 0x06, 0) << "block type must be stored";
        final = z[at] & 1;
        const uint16_t length = le16(z, at + 1);
        EXPECT_EQ(static_cast<uint16_t>(~le16(z, at + 3)), length) << "NLEN is the complement of LEN";
        at += 5;
        data.insert(data.end(), z.begin() + at, z.begin() + at + length);
        at += length;
    }
    EXPECT_TRUE(final) << "no final block";
    EXPECT_EQ(at + 4, z.size()) << "bytes after the Adler-32";
    EXPECT_EQ(be32(z, at), adler32(data.data(), data.size()));
    return data;
}

TEST(Checksums, MatchPublishedCheckValues) {
    const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc32(digits, sizeof digits), 0xCBF43926u);
    // Continuing a CRC must equal computing it in one go (PNG chunks span type and data).
    EXPECT_EQ(crc32(digits + 4, 5, crc32(digits, 4)), 0xCBF43926u);
    const uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(crc32(iend, 4), 0xAE426082u);

    const char wiki[] = "Wikipedia";
    EXPECT_EQ(adler32(reinterpret_cast<const uint8_t*>(wiki), 9), 0x11E60398u);
    EXPECT_EQ(adler32(nullptr, 0), 1u);
    // Enough 0xFF bytes to wrap both sums past the modulus.
    const std::vector<uint8_t> ones(6000, 0xFF);
    uint32_t a = 1, b = 0;
    for (uint8_t v : ones) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(adler32(ones.data(), ones.size()), b << 16 | a);
}

TEST(ZlibStored, SplitsAtTheStoredBlockLimit) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{3 * 65535 + 7}}) {
        std::vector<uint8_t> data(size);
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 31 + i / 256);
        const std::vector<uint8_t> z = zlibStored(data);
        const size_t blocks = size == 0 ? 1 : (size + 65534) / 65535;
        EXPECT_EQ(z.size(), 2 + blocks * 5 + size + 4) << size << " bytes";
        EXPECT_EQ(inflateStored(z), data) << size << " bytes";
    }
}

TEST(Png, HeaderChunksAndPixelsReadBack) {
    const RgbImage image = gradient(5, 3);
    const std::vector<uint8_t> png = encodePng(image);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);

    const std::vector<Chunk> chunks = readChunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());

    const std::vector<uint8_t>& ihdr = chunks[0].data;
    ASSERT_EQ(ihdr.size(), 13u);
    EXPECT_EQ(be32(ihdr, 0), 5u);
    EXPECT_EQ(be32(ihdr, 4), 3u);
    EXPECT_EQ(std::vector<uint8_t>(ihdr.begin() + 8, ihdr.end()), (std::vector<uint8_t>{8, 2, 0, 0, 0}));

    const std::vector<uint8_t> raw = inflateStored(chunks[1].data);
    ASSERT_EQ(raw.size(), 3u * (1 + 5 * 3));
    for (int y = 0; y < 3; ++y) {
        const size_t row = static_cast<size_t>(y) * 16;
        EXPECT_EQ(raw[row], 0) << "filter type of row " << y;
        EXPECT_EQ(std::memcmp(&raw[row + 1], image.pixel(0, y), 15), 0) << "row " << y;
    }
}

TEST(Png, LargePictureSpansSeveralBlocks) {
    // 200 x 120 RGB rows are 72,120 bytes: more than one stored block.
    const RgbImage image = gradient(200, 120);
    const std::vector<Chunk> chunks = readChunks(encodePng(image));
    ASSERT_EQ(chunks.size(), 3u);
    const std::vector<uint8_t> raw = inflateStored(chunks[1].data);
    ASSERT_EQ(raw.size(), 120u * 601);
    EXPECT_EQ(std::memcmp(&raw[119 * 601 + 1], image.pixel(0, 119), 600), 0) << "last row";
}

TEST(Bmp, HeadersDescribeA24BitBottomUpPicture) {
    const std::vector<uint8_t> bmp = encodeBmp(gradient(3, 2));
    // Rows of 3 pixels are 9 bytes, padded to 12.
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u) << "pixel data offset";
    EXPECT_EQ(le32(bmp, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(le32(bmp, 18), 3u);
    EXPECT_EQ(static_cast<int32_t>(le32(bmp, 22)), 2) << "positive height: bottom-up";
    EXPECT_EQ(le16(bmp, 26), 1);
    EXPECT_EQ(le16(bmp, 28), 24);
    EXPECT_EQ(le32(bmp, 30), 0u) << "BI_RGB";
    EXPECT_EQ(le32(bmp, 34), 24u) << "image size";
}

TEST(Bmp, RowsRunBottomUpInBgrOrderWithZeroPadding) {
    const RgbImage image = gradient(3, 2);
    const std::vector<uint8_t> bmp = encodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    for (int fileRow = 0; fileRow < 2; ++fileRow) {
        const int y = 1 - fileRow;
        const size_t row = 54 + static_cast<size_t>(fileRow) * 12;
        for (int x = 0; x < 3; ++x) {
            const uint8_t* p = image.pixel(x, y);
            const size_t at = row + static_cast<size_t>(x) * 3;
            EXPECT_EQ(bmp[at], p[2]) << "blue of " << x << "," << y;
            EXPECT_EQ(bmp[at + 1], p[1]) << "green of " << x << "," << y;
            EXPECT_EQ(bmp[at + 2], p[0]) << "red of " << x << "," << y;
        }
        EXPECT_EQ(bmp[row + 9] | bmp[row + 10] | bmp[row + 11], 0) << "padding of file row " << fileRow;
    }
}

TEST(Bmp, RowsOfWholeWordsGetNoPadding) {
    const std::vector<uint8_t> bmp = encodeBmp(gradient(4, 3));
    EXPECT_EQ(bmp.size(), 54u + 3 * 12);
    EXPECT_EQ(le32(bmp, 34), 36u);
}

}  // namespace
}  // namespace kavdrv
