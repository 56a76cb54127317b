// Lets ImageMagick judge the BMP codec: writes files with the writer, prints
// the pixels the writer was given, and prints the pixels the reader decodes,
// all as "x,y #RRGGBB" lines from the top-left corner.
//
//   bmp_tool write BITS FILE    BITS 1, 8, 24 or 32: a 9 × 5 test picture
//   bmp_tool pattern BITS       the pixels that file must show
//   bmp_tool dump FILE          the pixels our reader decodes (exit 1 if it refuses)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "graphics/bmp_image.h"

namespace {

constexpr int32_t kWidth = 9, kHeight = 5;

// Colour table of the palette depths: 2 or 256 distinct entries.
std::vector<uint32_t> colourTable(int bits) {
    if (bits == 1) return {kav::pixelOf(200, 10, 20), kav::pixelOf(5, 100, 250)};
    std::vector<uint32_t> t;
    for (uint32_t i = 0; i < 256; ++i) t.push_back(kav::pixelOf(i, 255 - i, (i * 7) & 0xFF));
    return t;
}

uint32_t indexAt(int bits, int32_t x, int32_t y) {
    return bits == 1 ? static_cast<uint32_t>(x + y) & 1 : static_cast<uint32_t>(x * 3 + y * 40);
}

uint32_t colourAt(int bits, int32_t x, int32_t y) {
    if (bits <= 8) return colourTable(bits)[indexAt(bits, x, y)];
    return kav::pixelOf(static_cast<uint32_t>(x * 29 + y * 7) & 0xFF, static_cast<uint32_t>(x * 3 + y * 51) & 0xFF,
                        static_cast<uint32_t>(x * y * 13 + 40) & 0xFF);
}

// The pixel rows, bottom-up and padded, as a capture would hand them over.
std::vector<uint8_t> rows(int bits) {
    const size_t rowBytes = static_cast<size_t>(kav::bmpRowBytes(kWidth, bits));
    std::vector<uint8_t> out(rowBytes * kHeight, 0);
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = out.data() + rowBytes * static_cast<size_t>(kHeight - 1 - y);
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint32_t c = colourAt(bits, x, y);
            switch (bits) {
            case 1: row[x / 8] |= static_cast<uint8_t>(indexAt(bits, x, y) << (7 - x % 8)); break;
            case 8: row[x] = static_cast<uint8_t>(indexAt(bits, x, y)); break;
            case 24: std::memcpy(row + 3 * x, &c, 3); break;
            default: std::memcpy(row + 4 * x, &c, 4); break;
            }
        }
    }
    return out;
}

void print(int32_t x, int32_t y, uint32_t c) {
    std::printf("%d,%d #%02X%02X%02X\n", x, y, kav::pixelRed(c), kav::pixelGreen(c), kav::pixelBlue(c));
}

int usage() {
    std::fputs("usage: bmp_tool write BITS FILE | pattern BITS | dump FILE\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    if (!std::strcmp(argv[1], "dump")) {
        std::ifstream in(argv[2], std::ios::binary);
        const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
        kav::BmpPicture p;
        if (const kav::BmpError e = kav::decodeBmp(file, p); e != kav::BmpError::None) {
            std::printf("refused %d\n", static_cast<int>(e));
            return 1;
        }
        for (int32_t y = 0; y < p.image.height; ++y)
            for (int32_t x = 0; x < p.image.width; ++x) print(x, y, p.image.at(x, y));
        return 0;
    }
    const int bits = std::atoi(argv[2]);
    if (bits != 1 && bits != 8 && bits != 24 && bits != 32) return usage();
    if (!std::strcmp(argv[1], "pattern")) {
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) print(x, y, colourAt(bits, x, y));
        return 0;
    }
    if (std::strcmp(argv[1], "write") || argc != 4) return usage();
    kav::BmpInfo info;
    info.width = kWidth;
    info.height = kHeight;
    info.bitsPerPixel = static_cast<uint16_t>(bits);
    const std::vector<uint32_t> table = bits <= 8 ? colourTable(bits) : std::vector<uint32_t>{};
    std::vector<uint8_t> file;
    if (!kav::encodeBmp(info, table, rows(bits), file)) return 1;
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
