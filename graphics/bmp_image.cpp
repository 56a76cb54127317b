#include "graphics/bmp_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <utility>

namespace kav {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// Headers from this size on carry the three colour masks themselves; a
// 40-byte header is followed by them.
constexpr uint32_t kHeaderWithMasks = 52;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t get16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }
uint32_t get32(const uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }

// One colour component held by a mask, widened or narrowed to 8 bits the way
// GDI does: short fields repeat their bits (5-bit 31 becomes 255).
class Component {
public:
    explicit Component(uint32_t mask)
        : shift_(mask ? std::countr_zero(mask) : 0), width_(mask ? std::bit_width(mask >> shift_) : 0), mask_(mask) {}

    uint32_t operator()(uint32_t word) const {
        const uint32_t v = (word & mask_) >> shift_;
        if (width_ == 0) return 0;
        if (width_ >= 8) return (v >> (width_ - 8)) & 0xFF;
        const uint32_t top = v << (8 - width_);
        uint32_t out = top;
        for (int k = width_; k < 8; k += width_) out |= top >> k;
        return out & 0xFF;
    }

private:
    int shift_;
    int width_;
    uint32_t mask_;
};

struct Masks {
    Component red, green, blue;
    Pixel operator()(uint32_t word) const { return pixelOf(red(word), green(word), blue(word)); }
};

// The parts of a file the pixels are decoded from, all inside the file.
struct Layout {
    int32_t width;
    int32_t height;  // rows, always positive
    bool topDown;
    uint32_t bits;
    uint32_t compression;
    std::span<const uint8_t> pixels;  // from the end of the colour table on
    std::array<Pixel, 256> lookup;    // palette index -> pixel, black past the table
    Masks masks;
};

void decodeRows(const Layout& l, BitmapImage& image) {
    const size_t rowBytes = static_cast<size_t>(bmpRowBytes(l.width, l.bits));
    for (int32_t r = 0; r < l.height; ++r) {
        const uint8_t* src = l.pixels.data() + static_cast<size_t>(r) * rowBytes;
        const int32_t fromBottom = l.topDown ? l.height - 1 - r : r;
        Pixel* dst = image.pixels.data() + static_cast<size_t>(fromBottom) * static_cast<size_t>(l.width);
        for (int32_t x = 0; x < l.width; ++x) {
            switch (l.bits) {
            case 1: dst[x] = l.lookup[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: dst[x] = l.lookup[(src[x >> 1] >> (x & 1 ? 0 : 4)) & 0xF]; break;
            case 8: dst[x] = l.lookup[src[x]]; break;
            case 16: dst[x] = l.masks(get16(src + 2 * x)); break;
            case 24: dst[x] = pixelOf(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: dst[x] = l.masks(get32(src + 4 * x)); break;
            }
        }
    }
}

// Run-length coded rows, bottom row first. Pixels the code skips stay black;
// pixels past a row's end are dropped, and a code cut short ends the picture.
void decodeRunLength(const Layout& l, BitmapImage& image) {
    const bool four = l.compression == kRle4;
    const uint8_t* p = l.pixels.data();
    const uint8_t* const end = p + l.pixels.size();
    int64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < l.width && y < l.height)
            image.pixels[static_cast<size_t>(y * l.width + x)] = l.lookup[index];
        ++x;
    };
    while (end - p >= 2 && y < l.height) {
        const uint32_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            const uint32_t n = std::min<uint32_t>(count, static_cast<uint32_t>(std::max<int64_t>(0, l.width - x)));
            for (uint32_t i = 0; i < n; ++i) put(four ? (i & 1 ? value & 0xF : value >> 4) : value);
            x += count - n;
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - p < 2) return;
            x += p[0];
            y += p[1];
            p += 2;
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (static_cast<size_t>(end - p) < bytes) return;
            for (uint32_t i = 0; i < value; ++i) put(four ? (p[i / 2] >> (i & 1 ? 0 : 4)) & 0xF : p[i]);
            p += std::min(padded, static_cast<size_t>(end - p));
        }
    }
}

[[nodiscard]] bool depthSupported(uint32_t bits, uint32_t compression, bool topDown) {
    switch (compression) {
    case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8 && !topDown;
    case kRle4: return bits == 4 && !topDown;
    case kBitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

}  // namespace

uint64_t bmpImageSize(const BmpInfo& info) {
    if (info.imageSize != 0) return info.imageSize;
    const int64_t rows = info.height < 0 ? -int64_t{info.height} : info.height;
    return static_cast<uint64_t>(rows * bmpRowBytes(std::max(info.width, 0), info.bitsPerPixel));
}

bool encodeBmp(const BmpInfo& info, std::span<const uint32_t> colours, std::span<const uint8_t> pixels,
               std::vector<uint8_t>& file) {
    const uint32_t count = bmpColourCount(info.bitsPerPixel, info.coloursUsed);
    const uint64_t imageSize = bmpImageSize(info);
    if (colours.size() != count || pixels.size() != imageSize) return false;
    const uint64_t offset = uint64_t{kBmpFileHeaderSize} + kBmpInfoHeaderSize + 4 * uint64_t{count};
    if (offset + imageSize > UINT32_MAX) return false;

    file.clear();
    file.reserve(static_cast<size_t>(offset + imageSize));
    put16(file, 0x4D42);  // "BM"
    put32(file, static_cast<uint32_t>(offset + imageSize));
    put16(file, 0);
    put16(file, 0);
    put32(file, static_cast<uint32_t>(offset));
    put32(file, kBmpInfoHeaderSize);
    put32(file, static_cast<uint32_t>(info.width));
    put32(file, static_cast<uint32_t>(info.height));
    put16(file, 1);
    put16(file, info.bitsPerPixel);
    put32(file, kRgb);
    put32(file, static_cast<uint32_t>(imageSize));
    put32(file, static_cast<uint32_t>(info.xPelsPerMeter));
    put32(file, static_cast<uint32_t>(info.yPelsPerMeter));
    put32(file, info.coloursUsed);
    put32(file, info.coloursImportant);
    for (uint32_t c : colours) {
        file.push_back(static_cast<uint8_t>(pixelBlue(c)));
        file.push_back(static_cast<uint8_t>(pixelGreen(c)));
        file.push_back(static_cast<uint8_t>(pixelRed(c)));
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    return true;
}

bool encodeBmp(const BitmapImage& image, std::vector<uint8_t>& file) {
    BmpInfo info;
    info.width = image.width;
    info.height = image.height;
    info.bitsPerPixel = 32;
    info.imageSize = static_cast<uint32_t>(image.byteSize());
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.pixels.data());
    return encodeBmp(info, {}, {bytes, image.byteSize()}, file);
}

uint32_t bmpDeclaredSize(std::span<const uint8_t> fileHeader) {
    if (fileHeader.size() < kBmpFileHeaderSize || fileHeader[0] != 'B' || fileHeader[1] != 'M') return 0;
    return get32(fileHeader.data() + 2);
}

BmpError decodeBmp(std::span<const uint8_t> file, BmpPicture& out, int64_t maxPixels) {
    if (file.size() < kBmpFileHeaderSize || file[0] != 'B' || file[1] != 'M') return BmpError::NotBmp;
    // The file-size field says how much is read; what lies beyond it is not used.
    const uint64_t declared = get32(file.data() + 2);
    if (declared > file.size()) return BmpError::Truncated;
    if (declared < kBmpFileHeaderSize + kBmpInfoHeaderSize) return BmpError::BadHeader;
    const std::span<const uint8_t> data =
        file.subspan(kBmpFileHeaderSize, static_cast<size_t>(declared) - kBmpFileHeaderSize);

    // Smaller headers (the 12-byte core header) lay their fields out otherwise.
    const uint64_t headerSize = get32(data.data());
    if (headerSize < kBmpInfoHeaderSize) return BmpError::BadHeader;
    if (headerSize > data.size()) return BmpError::Truncated;
    const uint8_t* h = data.data();
    const int32_t width = static_cast<int32_t>(get32(h + 4));
    const int32_t height = static_cast<int32_t>(get32(h + 8));
    const uint32_t bits = get16(h + 14);
    const uint32_t compression = get32(h + 16);
    const uint32_t sizeImage = get32(h + 20);
    const uint32_t coloursUsed = get32(h + 32);
    if (width <= 0 || height == 0 || height == INT32_MIN) return BmpError::BadHeader;
    const bool topDown = height < 0;
    const int32_t rows = topDown ? -height : height;
    if (!depthSupported(bits, compression, topDown)) return BmpError::Unsupported;
    if (!imageSizeAllowed(width, rows) || int64_t{width} * rows > maxPixels) return BmpError::TooLarge;

    // The masks of a 40-byte header precede the colour table.
    const bool maskAfterHeader = compression == kBitFields && headerSize < kHeaderWithMasks;
    const uint64_t tableAt = headerSize + (maskAfterHeader ? 12 : 0);
    const uint64_t count = bmpColourCount(bits, coloursUsed);
    const uint64_t pixelsAt = tableAt + 4 * count;
    if (pixelsAt > data.size()) return BmpError::Truncated;

    Layout l{width, rows, topDown, bits, compression, data.subspan(static_cast<size_t>(pixelsAt)), {},
             {Component(0x7C00), Component(0x03E0), Component(0x001F)}};
    if (compression == kBitFields) {
        const uint8_t* m = data.data() + (maskAfterHeader ? headerSize : 40);
        l.masks = {Component(get32(m)), Component(get32(m + 4)), Component(get32(m + 8))};
    } else if (bits == 32) {
        l.masks = {Component(0xFF0000), Component(0xFF00), Component(0xFF)};
    }

    if (compression == kRle4 || compression == kRle8) {
        if (sizeImage != 0 && sizeImage < l.pixels.size()) l.pixels = l.pixels.first(sizeImage);
    } else if (static_cast<uint64_t>(bmpRowBytes(width, bits)) * static_cast<uint64_t>(rows) > l.pixels.size()) {
        return BmpError::Truncated;
    }

    // A failed load must leave the caller's picture as it was.
    BmpPicture picture;
    picture.bitsPerPixel = static_cast<uint16_t>(bits);
    if (bits <= 8) {
        // No pixel can name an entry past the 256th, and a logical palette
        // could not hold tens of thousands.
        const uint8_t* t = data.data() + tableAt;
        const uint64_t kept = std::min<uint64_t>(count, l.lookup.size());
        for (uint64_t i = 0; i < kept; ++i, t += 4) picture.palette.push_back(pixelOf(t[2], t[1], t[0]));
        std::copy(picture.palette.begin(), picture.palette.end(), l.lookup.begin());
    }
    if (!picture.image.allocate(width, rows)) return BmpError::TooLarge;
    if (compression == kRle4 || compression == kRle8)
        decodeRunLength(l, picture.image);
    else
        decodeRows(l, picture.image);
    out = std::move(picture);
    return BmpError::None;
}

}  // namespace kav
