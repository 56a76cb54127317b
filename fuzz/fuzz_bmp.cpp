// Arbitrary bytes as a BMP file. The input sits in a heap block of its own
// size, so AddressSanitizer sees any read past the file. A picture the reader
// accepts must be whole, and must come back unchanged through the writer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "graphics/bmp_image.h"

namespace {

// Every check of the reader runs the same below this limit; pictures of the
// full size would only make each input slow.
constexpr int64_t kMaxPixels = 1 << 16;

#define CHECK(cond)                                                             \
    do {                                                                        \
        if (!(cond)) {                                                          \
            std::fprintf(stderr, "fuzz_bmp: check failed: %s\n", #cond); \
            std::abort();                                                       \
        }                                                                       \
    } while (0)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> file(data, data + size);
    kav::BmpPicture picture;
    if (kav::decodeBmp(file, picture, kMaxPixels) != kav::BmpError::None) {
        CHECK(picture.image.pixels.empty() && picture.palette.empty());
        return 0;
    }
    const kav::BitmapImage& image = picture.image;
    CHECK(kav::imageSizeAllowed(image.width, image.height));
    CHECK(int64_t{image.width} * image.height <= kMaxPixels);
    CHECK(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    CHECK(picture.palette.size() <= 256);
    CHECK(picture.bitsPerPixel <= 8 || picture.palette.empty());
    for (kav::Pixel p : image.pixels) CHECK(p <= 0xFFFFFF);

    std::vector<uint8_t> again;
    CHECK(kav::encodeBmp(image, again));
    kav::BmpPicture back;
    CHECK(kav::decodeBmp(again, back) == kav::BmpError::None);
    CHECK(back.image.pixels == image.pixels);
    return 0;
}
