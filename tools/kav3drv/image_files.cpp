#include "tools/kav3drv/image_files.h"

#include <algorithm>
#include <array>

namespace kavdrv {

namespace {

// A stored deflate block carries at most this many bytes (its LEN is 16 bits).
constexpr size_t kMaxStoredBlock = 0xFFFF;

std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void putLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

void putBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Length, type, data and a CRC over type and data.
void putChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
    putBe32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBe32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

std::vector<uint8_t> pngHeader(const RgbImage& image) {
    std::vector<uint8_t> ihdr;
    putBe32(ihdr, static_cast<uint32_t>(image.width));
    putBe32(ihdr, static_cast<uint32_t>(image.height));
    const uint8_t depthTypeCompressionFilterInterlace[] = {8, 2, 0, 0, 0};
    ihdr.insert(ihdr.end(), std::begin(depthTypeCompressionFilterInterlace),
                std::end(depthTypeCompressionFilterInterlace));
    return ihdr;
}

// Every scanline starts with its filter type; 0 leaves the bytes as they are.
std::vector<uint8_t> pngScanlines(const RgbImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const uint8_t* row = image.pixels.data() + rowBytes * y;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    return raw;
}

}  // namespace

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t adler32(const uint8_t* data, size_t size) {
    constexpr uint32_t kModulus = 65521;
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& data) {
    // CMF 0x78: deflate with a 32K window; FLG 0x01 makes CMF*256+FLG a multiple of 31.
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min(kMaxStoredBlock, data.size() - at);
        const bool last = at + length == data.size();
        // BFINAL in bit 0, BTYPE 00 (stored); the rest of the byte pads to the boundary.
        out.push_back(last ? 1 : 0);
        putLe16(out, static_cast<uint32_t>(length));
        putLe16(out, static_cast<uint32_t>(~length & 0xFFFF));
        out.insert(out.end(), data.begin() + at, data.begin() + at + length);
        at += length;
    } while (at < data.size());
    putBe32(out, adler32(data.data(), data.size()));
    return out;
}

std::vector<uint8_t> encodeBmp(const RgbImage& image) {
    constexpr uint32_t kHeadersSize = 14 + 40;
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out = {'B', 'M'};
    out.reserve(kHeadersSize + imageSize);
    putLe32(out, kHeadersSize + imageSize);
    putLe32(out, 0);  // reserved
    putLe32(out, kHeadersSize);
    putLe32(out, 40);  // BITMAPINFOHEADER size
    putLe32(out, static_cast<uint32_t>(image.width));
    putLe32(out, static_cast<uint32_t>(image.height));  // positive: bottom-up
    putLe16(out, 1);                                    // planes
    putLe16(out, 24);                                   // bits per pixel
    putLe32(out, 0);                                    // BI_RGB
    putLe32(out, imageSize);
    putLe32(out, 2835);  // 72 dpi in pixels per metre, both ways
    putLe32(out, 2835);
    putLe32(out, 0);  // colours used
    putLe32(out, 0);  // colours important
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
        out.resize(out.size() + (rowBytes - static_cast<uint32_t>(image.width) * 3), 0);
    }
    return out;
}

std::vector<uint8_t> encodePng(const RgbImage& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", pngHeader(image));
    putChunk(out, "IDAT", zlibStored(pngScanlines(image)));
    putChunk(out, "IEND", {});
    return out;
}

}  // namespace kavdrv
