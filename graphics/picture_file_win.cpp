#include "graphics/picture_file_win.h"

#include "win32/handle_win.h"

namespace kav {

namespace {

// The loader may reach COM decoders. Each thread that loads (the window's,
// the timer's) joins an apartment once and keeps it while it lives.
void joinApartment() { thread_local ComApartment apartment; }

// The whole file in a movable memory block, as a stream takes it; nullptr when
// it cannot be read.
HGLOBAL readWhole(const std::string& path, LONG& size) {
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file || !GetFileSizeEx(file.get(), &length) || length.QuadPart > MAXLONG) return nullptr;
    size = static_cast<LONG>(length.QuadPart);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size > 0 ? static_cast<SIZE_T>(size) : 1);
    if (!block) return nullptr;
    auto* p = static_cast<uint8_t*>(GlobalLock(block));
    LONG done = 0;
    while (p && done < size) {
        DWORD got = 0;
        if (!ReadFile(file.get(), p + done, static_cast<DWORD>(size - done), &got, nullptr) || got == 0) break;
        done += static_cast<LONG>(got);
    }
    if (p) GlobalUnlock(block);
    if (done == size && p) return block;
    GlobalFree(block);
    return nullptr;
}

}  // namespace

PictureRead Picture::load(const std::string& path) {
    LONG size = 0;
    HGLOBAL block = readWhole(path, size);
    if (!block) return PictureRead::Unreadable;
    ComPtr<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.put()))) {
        GlobalFree(block);
        return PictureRead::Unreadable;
    }
    picture_.reset();
    joinApartment();
    if (FAILED(OleLoadPicture(stream.get(), size, FALSE, IID_IPicture, picture_.putVoid()))) picture_.reset();
    return picture_ ? PictureRead::Decoded : PictureRead::NotDecoded;
}

SIZE Picture::pixelSize(HDC dc) const {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    return {MulDiv(w, GetDeviceCaps(dc, LOGPIXELSX), 2540), MulDiv(h, GetDeviceCaps(dc, LOGPIXELSY), 2540)};
}

void Picture::draw(HDC dc, int32_t x, int32_t y, const RECT& bounds) const {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    const SIZE px = pixelSize(dc);
    // Source rows run upwards in 0.01 mm: from the bottom edge, a negative
    // height draws the picture upright.
    picture_->Render(dc, x, y, px.cx, px.cy, 0, h, w, -h, &bounds);
}

}  // namespace kav
