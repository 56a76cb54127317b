// Pictures of any format the system's picture loader decodes (JPEG, GIF, BMP,
// icons, metafiles): read from a file, measured in the pixels of a context
// and drawn upright. LoadGrpFile and the bitmap buttons' SetButtonGrpFile
// decode their files here.
#pragma once
#include <windows.h>
#include <olectl.h>

#include <cstdint>
#include <string>

#include "win32/com_win.h"

namespace kav {

enum class PictureRead {
    Decoded,
    NotDecoded,  // read, but no format the loader knows: nothing to draw, no error
    Unreadable,  // the file cannot be opened, sized or read
};

class Picture {
public:
    // Reads the whole file (opened for reading by this program alone) and
    // decodes it, releasing the picture held before first.
    PictureRead load(const std::string& path);
    void reset() { picture_.reset(); }
    explicit operator bool() const { return static_cast<bool>(picture_); }

    // The picture's physical size in the pixels of a context (0.01 mm ×
    // pixels per logical inch / 2540).
    SIZE pixelSize(HDC dc) const;
    // Draws it at (x, y) at pixelSize; `bounds` is the frame a metafile is
    // played into.
    void draw(HDC dc, int32_t x, int32_t y, const RECT& bounds) const;

private:
    ComPtr<IPicture> picture_;
};

}  // namespace kav
