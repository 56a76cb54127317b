// Picture files for the driver's screenshots: 24-bit BMP and 8-bit RGB PNG,
// written without any outside library. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavdrv {

// An RGB picture, rows from the top, three bytes per pixel and no row padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    uint8_t* pixel(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    const uint8_t* pixel(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
};

// The CRC-32 of ISO-HDLC (the one PNG chunks carry), continued from crc.
uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

// The Adler-32 checksum ending a zlib stream.
uint32_t adler32(const uint8_t* data, size_t size);

// A zlib stream of stored deflate blocks holding data unchanged.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& data);

// The whole .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up BGR rows padded to 4 bytes.
std::vector<uint8_t> encodeBmp(const RgbImage& image);

// The whole .png file: colour type 2, bit depth 8, no filtering, no interlace.
std::vector<uint8_t> encodePng(const RgbImage& image);

}  // namespace kavdrv
