#include "tools/kav3drv/capture_win.h"

#include <cstring>

#include "tools/kav3drv/driver_options.h"
#include "win32/gdi_win.h"
#include "win32/handle_win.h"

namespace kavdrv {

using kav::GdiObject;
using kav::MemoryDC;
using kav::SelectGuard;
using kav::UniqueHandle;
using kav::WindowDC;
using kav::rgb32Info;

namespace {

void copyBgrx(const uint8_t* bgrx, RgbImage& image) {
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    uint8_t* rgb = image.pixels.data();
    const size_t count = static_cast<size_t>(image.width) * image.height;
    for (size_t i = 0; i < count; ++i, bgrx += 4, rgb += 3) {
        rgb[0] = bgrx[2];
        rgb[1] = bgrx[1];
        rgb[2] = bgrx[0];
    }
}

bool copyScreen(POINT origin, RgbImage& image) {
    WindowDC screen(nullptr);
    if (!screen) return false;
    MemoryDC memory(CreateCompatibleDC(screen.get()));
    const BITMAPINFO info = rgb32Info(image.width, -image.height);
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !dib || !bits) return false;
    {
        SelectGuard selected(memory.get(), dib.get());
        if (!selected.previous()) return false;
        if (!BitBlt(memory.get(), 0, 0, image.width, image.height, screen.get(), origin.x, origin.y,
                    SRCCOPY | CAPTUREBLT))
            return false;
    }
    GdiFlush();
    copyBgrx(static_cast<const uint8_t*>(bits), image);
    return true;
}

}  // namespace

bool captureClient(HWND hwnd, RgbImage& image) {
    RECT client{};
    POINT origin{0, 0};
    if (!IsWindow(hwnd) || !GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &origin)) return false;
    image.width = client.right - client.left;
    image.height = client.bottom - client.top;
    if (image.width <= 0 || image.height <= 0) return false;
    return copyScreen(origin, image);
}

bool savePicture(const std::string& windowsFile, const RgbImage& image) {
    const std::vector<uint8_t> bytes = wantsPng(windowsFile) ? encodePng(image) : encodeBmp(image);
    UniqueHandle file(
        CreateFileA(windowsFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace kavdrv
