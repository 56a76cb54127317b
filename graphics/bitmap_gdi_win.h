// Pixels between GDI and the portable bitmap code: captures of a context into
// 32-bit pictures and back, BMP files to and from device bitmaps.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "graphics/bitmap_image.h"
#include "graphics/bmp_image.h"
#include "win32/gdi_win.h"

namespace kav {

using LogicalPalette = GdiObject<HPALETTE>;

// The w × h block at (x, y) of a context; false when the size is not allowed
// or the system refuses.
[[nodiscard]] bool grabImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, BitmapImage& out);

// Draws a picture at (x, y) of a context at its own size.
void putImage(HDC dc, int32_t x, int32_t y, const BitmapImage& image);

// A BMP file read whole and decoded; what the decoder says of it, or NotBmp
// when the file cannot be opened or read.
[[nodiscard]] BmpError readBmpFile(const std::string& path, BmpPicture& out);

// A logical palette of a decoded file's colour table (none for more than 8 bits).
LogicalPalette paletteOf(const BmpPicture& picture);

// A device bitmap compatible with the desktop holding the picture, converted
// with its palette realised.
Bitmap deviceBitmapOf(const BmpPicture& picture, HPALETTE palette);

// Draws a device bitmap at (x, y) of a context at its own size with a plain
// copy, the palette (if any) selected and realised there.
void drawDeviceBitmap(HDC dc, int32_t x, int32_t y, HBITMAP bitmap, HPALETTE palette);

// The w × h block at (x, y) of a context as a new bitmap compatible with it.
Bitmap captureDeviceBitmap(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h);

// Writes a device bitmap as a BMP file at its own depth, converted with the
// palette (the system's default when none). The file appears whole or not at
// all: it is written beside its destination and then put in its place.
[[nodiscard]] bool writeBmpFile(const std::string& path, HBITMAP bitmap, HPALETTE palette);

}  // namespace kav
