#include "graphics/bitmap_gdi_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/sjis.h"
#include "win32/handle_win.h"

namespace kav {

namespace {

// Selects a logical palette into a context and realises it for the guard's
// lifetime; a context keeps its palette when none is given.
class PaletteSelected {
public:
    PaletteSelected(HDC dc, HPALETTE palette)
        : dc_(dc), old_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
        if (old_) RealizePalette(dc);
    }
    ~PaletteSelected() {
        if (old_) SelectPalette(dc_, old_, FALSE);
    }
    PaletteSelected(const PaletteSelected&) = delete;
    PaletteSelected& operator=(const PaletteSelected&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};

// Reads exactly n bytes; false when the file ends or fails first.
bool readExactly(HANDLE file, uint8_t* out, size_t n) {
    while (n > 0) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
        if (!ReadFile(file, out, want, &got, nullptr) || got == 0) return false;
        out += got;
        n -= got;
    }
    return true;
}

bool writeAll(HANDLE file, const std::vector<uint8_t>& bytes) {
    const uint8_t* p = bytes.data();
    size_t n = bytes.size();
    while (n > 0) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
        if (!WriteFile(file, p, want, &put, nullptr) || put == 0) return false;
        p += put;
        n -= put;
    }
    return true;
}

// The folder a path names its file in, for a temporary file beside it. A
// trail byte of a double-byte character may equal a backslash, so the path is
// walked by characters.
std::string folderOf(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < path.size(); i = nextChar(path, i))
        if (path[i] == '\\' || path[i] == '/') cut = i;
    if (cut != std::string::npos) return path.substr(0, cut + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + ".";
    return ".";
}

// The bytes land in a temporary file in the destination's folder, which then
// takes the destination's place: a failure at any step leaves the old file
// (or none) and no half-written one.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(folderOf(path).c_str(), "kav", 0, temp)) return false;
    UniqueHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = file && writeAll(file.get(), bytes);
    ok = file.close() && ok;
    ok = ok && MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temp);
    return ok;
}

}  // namespace

bool grabImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, BitmapImage& out) {
    if (!out.allocate(w, h)) return false;
    const BITMAPINFO info = rgb32Info(w, h);
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC memory(CreateCompatibleDC(dc));
    if (!section || !bits || !memory) return false;
    {
        SelectGuard selected(memory.get(), section.get());
        if (!selected.previous() || !BitBlt(memory.get(), 0, 0, w, h, dc, x, y, SRCCOPY)) return false;
    }
    GdiFlush();
    std::memcpy(out.pixels.data(), bits, out.byteSize());
    return true;
}

void putImage(HDC dc, int32_t x, int32_t y, const BitmapImage& image) {
    const BITMAPINFO info = rgb32Info(image.width, image.height);
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0, 0, 0,
                      static_cast<UINT>(image.height), image.pixels.data(), &info, DIB_RGB_COLORS);
}

BmpError readBmpFile(const std::string& path, BmpPicture& out) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return BmpError::NotBmp;
    std::vector<uint8_t> bytes(kBmpFileHeaderSize);
    if (!readExactly(file.get(), bytes.data(), bytes.size())) return BmpError::NotBmp;
    const uint32_t declared = bmpDeclaredSize(bytes);
    if (declared == 0) return BmpError::NotBmp;
    if (declared > kMaxBmpFileBytes) return BmpError::TooLarge;
    if (declared > kBmpFileHeaderSize) {
        bytes.resize(declared);
        if (!readExactly(file.get(), bytes.data() + kBmpFileHeaderSize, declared - kBmpFileHeaderSize))
            return BmpError::Truncated;
    }
    return decodeBmp(bytes, out);
}

LogicalPalette paletteOf(const BmpPicture& picture) {
    if (picture.palette.empty()) return {};
    // LOGPALETTE ends in a one-entry array: room for the whole table behind it.
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + picture.palette.size() * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(picture.palette.size());
    for (size_t i = 0; i < picture.palette.size(); ++i) {
        const Pixel c = picture.palette[i];
        logical->palPalEntry[i] = {static_cast<BYTE>(pixelRed(c)), static_cast<BYTE>(pixelGreen(c)),
                                   static_cast<BYTE>(pixelBlue(c)), 0};
    }
    return LogicalPalette(CreatePalette(logical));
}

Bitmap deviceBitmapOf(const BmpPicture& picture, HPALETTE palette) {
    const BitmapImage& image = picture.image;
    const BITMAPINFO info = rgb32Info(image.width, image.height);
    WindowDC desktop(nullptr);
    PaletteSelected selected(desktop.get(), palette);
    return Bitmap(CreateDIBitmap(desktop.get(), &info.bmiHeader, CBM_INIT, image.pixels.data(), &info,
                                 DIB_RGB_COLORS));
}

void drawDeviceBitmap(HDC dc, int32_t x, int32_t y, HBITMAP bitmap, HPALETTE palette) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm)) return;
    MemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectGuard selected(memory.get(), bitmap);
    PaletteSelected realised(dc, palette);
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

Bitmap captureDeviceBitmap(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h) {
    Bitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    MemoryDC memory(CreateCompatibleDC(dc));
    if (!bitmap || !memory) return {};
    SelectGuard selected(memory.get(), bitmap.get());
    if (!selected.previous() || !BitBlt(memory.get(), 0, 0, w, h, dc, x, y, SRCCOPY)) return {};
    return bitmap;
}

bool writeBmpFile(const std::string& path, HBITMAP bitmap, HPALETTE palette) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    info.header.biCompression = BI_RGB;
    auto* asInfo = reinterpret_cast<BITMAPINFO*>(&info);

    WindowDC desktop(nullptr);
    PaletteSelected selected(desktop.get(),
                             palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    // The first call only fills in the header: the image size the system reports.
    if (!GetDIBits(desktop.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr, asInfo, DIB_RGB_COLORS))
        return false;
    BmpInfo fields;
    fields.width = info.header.biWidth;
    fields.height = info.header.biHeight;
    fields.bitsPerPixel = info.header.biBitCount;
    fields.xPelsPerMeter = info.header.biXPelsPerMeter;
    fields.yPelsPerMeter = info.header.biYPelsPerMeter;
    fields.coloursUsed = info.header.biClrUsed;
    fields.coloursImportant = info.header.biClrImportant;
    // A reported size too small for the rows could not hold what the system writes.
    const uint64_t rows = bmpImageSize(fields);
    fields.imageSize = info.header.biSizeImage >= rows ? info.header.biSizeImage : 0;
    const uint32_t count = bmpColourCount(fields.bitsPerPixel, fields.coloursUsed);
    if (count > 256 || bmpImageSize(fields) > kMaxBmpFileBytes) return false;

    std::vector<uint8_t> pixels(static_cast<size_t>(bmpImageSize(fields)));
    if (GetDIBits(desktop.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), asInfo,
                  DIB_RGB_COLORS) != bm.bmHeight)
        return false;
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < count; ++i)
        colours.push_back(pixelOf(info.colours[i].rgbRed, info.colours[i].rgbGreen, info.colours[i].rgbBlue));
    std::vector<uint8_t> file;
    return encodeBmp(fields, colours, pixels, file) && replaceFile(path, file);
}

}  // namespace kav
