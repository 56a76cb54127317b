// BMP files: the writer of captured screens and a reader that decodes every
// file a picture command may meet into 32-bit pixels, refusing any file whose
// fields point outside its own bytes.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "graphics/bitmap_image.h"

namespace kav {

constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;

// Bytes of one row of `bits`-per-pixel pixels, padded to a multiple of 4.
constexpr int64_t bmpRowBytes(int64_t width, int64_t bits) { return (bits * width + 31) / 32 * 4; }

// Entries of the colour table: colours-used when it is not 0, else 2^bits for
// 8 bits or less, else none.
constexpr uint32_t bmpColourCount(uint32_t bits, uint32_t coloursUsed) {
    if (coloursUsed != 0) return coloursUsed;
    return bits <= 8 ? uint32_t{1} << bits : 0;
}

// The info header as the platform's bit conversion fills it for a capture.
struct BmpInfo {
    int32_t width = 0;
    int32_t height = 0;           // positive: rows stored bottom-up
    uint16_t bitsPerPixel = 0;    // planes × bits per pixel of the captured bitmap
    uint32_t imageSize = 0;       // as reported; 0 lets the writer compute it
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t coloursUsed = 0;
    uint32_t coloursImportant = 0;
};

// The pixel bytes a file of `info` holds: the reported size, or when that is
// 0, height × the padded row.
uint64_t bmpImageSize(const BmpInfo& info);

// The whole file for a capture. `colours` (0x00RRGGBB) must have
// bmpColourCount entries and `pixels` exactly bmpImageSize bytes; false when
// they do not, or when the file would not fit the 32-bit size fields.
[[nodiscard]] bool encodeBmp(const BmpInfo& info, std::span<const uint32_t> colours,
                             std::span<const uint8_t> pixels, std::vector<uint8_t>& file);

// The file of a 32-bit picture.
[[nodiscard]] bool encodeBmp(const BitmapImage& image, std::vector<uint8_t>& file);

// The most bytes of a file the reader takes in: the largest picture allowed
// at 32 bits with room for headers and a full table.
constexpr uint32_t kMaxBmpFileBytes = 160u << 20;

// The size a file declares in its 14-byte header, 0 when those bytes are not
// a BMP file header.
uint32_t bmpDeclaredSize(std::span<const uint8_t> fileHeader);

enum class BmpError : uint8_t {
    None,
    NotBmp,       // shorter than the file header, or no "BM"
    Truncated,    // the file is shorter than its fields say
    BadHeader,    // an info header this reader does not know, or bad sizes
    Unsupported,  // a bit depth or compression that is not drawn
    TooLarge,     // more pixels than a picture may have
};

struct BmpPicture {
    BitmapImage image;
    uint16_t bitsPerPixel = 0;
    // The colour table of a file of 8 bits or less (0x00RRGGBB), at most its
    // first 256 entries, for the logical palette the picture is drawn with;
    // empty above 8 bits.
    std::vector<uint32_t> palette;
};

// Decodes a whole file. Only the first `file size` bytes (the header's field)
// are used, and they must all be there. The colour table follows the info
// header directly and the pixels follow the table; the header's pixel offset
// is not used. Depths 1, 4, 8, 16, 24 and 32, run-length coded 4 and 8 bits,
// and bit-field masks are read; palette indices past the table are black.
// On failure `out` is left as it was. `maxPixels` may lower the picture size
// limit (the fuzzer's, to keep each input fast).
[[nodiscard]] BmpError decodeBmp(std::span<const uint8_t> file, BmpPicture& out,
                                 int64_t maxPixels = kMaxImagePixels);

}  // namespace kav
