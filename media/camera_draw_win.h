// Drawing camera frames: into a window through Direct3D 9 (stretched into
// the letterbox rectangle over the background colour), through GDI where
// Direct3D 9 cannot be had, or copied plainly into a sub-screen.
#pragma once
#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <vector>

#include "media/camera_frame.h"
#include "win32/com_win.h"

namespace kav::camera {

// The video format the device was opened in.
struct VideoFormat {
    PixelFormat format = PixelFormat::Rgb32;
    int32_t width = 0, height = 0;
    int64_t stride = 0;  // of the first plane; negative for bottom-up rows
    uint32_t aspectNum = 1, aspectDen = 1;
    uint32_t interlace = 2;  // progressive
};

// Not thread-safe: its owner serialises every call (the preview's lock).
class DrawDevice {
public:
    DrawDevice() = default;
    ~DrawDevice() = default;
    DrawDevice(const DrawDevice&) = delete;
    DrawDevice& operator=(const DrawDevice&) = delete;

    // For a window: the Direct3D 9 object and a windowed device when they can
    // be made, else drawing falls back to GDI. Never fails for want of Direct3D.
    void create(HWND window);
    // The frame size and conversion; the frame surface; the destination rectangle.
    HRESULT setVideoType(const VideoFormat& f);
    // After the window changed size: the device again for the new client area,
    // and the destination rectangle.
    HRESULT reset();
    // Converts the frame and shows it in the window over the background colour.
    HRESULT drawToWindow(const FrameView& frame, COLORREF background);
    // Converts the frame and copies it, unscaled, into `dc` at (x, y).
    HRESULT copyTo(const FrameView& frame, HDC dc, int32_t x, int32_t y);
    // Gives back everything of Direct3D.
    void destroy();

    bool usesDirect3D() const { return static_cast<bool>(device_); }
    const Rect& destination() const { return destination_; }

private:
    HRESULT createDevice();
    HRESULT createSurface();
    void updateDestination();
    HRESULT drawWithGdi(const FrameView& frame, COLORREF background);
    void convertToPixels(const FrameView& frame);

    HWND window_ = nullptr;
    ComPtr<IDirect3D9> d3d_;
    ComPtr<IDirect3DDevice9> device_;
    ComPtr<IDirect3DSurface9> surface_;  // frame-sized, 32-bit XRGB
    VideoFormat format_;
    Rect destination_;
    bool madeVisible_ = false;  // the device was made while its window showed
    std::vector<uint32_t> pixels_;  // the converted frame for GDI, top row first
};

}  // namespace kav::camera
