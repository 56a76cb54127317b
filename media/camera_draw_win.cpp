#include "media/camera_draw_win.h"

#include <algorithm>

#include "win32/gdi_win.h"

namespace kav::camera {

namespace {

RECT toRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

void DrawDevice::create(HWND window) {
    window_ = window;
    d3d_.reset();
    *d3d_.put() = Direct3DCreate9(D3D_SDK_VERSION);
    if (d3d_ && FAILED(createDevice())) d3d_.reset();
}

HRESULT DrawDevice::createDevice() {
    device_.reset();
    madeVisible_ = IsWindowVisible(window_) != FALSE;
    const SIZE size = clientSize(window_);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = static_cast<UINT>(std::max<LONG>(size.cx, 1));
    pp.BackBufferHeight = static_cast<UINT>(std::max<LONG>(size.cy, 1));
    pp.BackBufferFormat = D3DFMT_UNKNOWN;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.hDeviceWindow = window_;
    pp.Windowed = TRUE;
    pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    // Frames are drawn (and the device made again) on the reader's thread,
    // the device made and reset on the window's; the device must never wait
    // for the window's thread, which may be waiting for the preview's lock.
    const DWORD flags = D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED | D3DCREATE_FPU_PRESERVE |
                        D3DCREATE_NOWINDOWCHANGES;
    return d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_, flags, &pp, device_.put());
}

HRESULT DrawDevice::createSurface() {
    surface_.reset();
    if (!device_) return S_OK;
    return device_->CreateOffscreenPlainSurface(static_cast<UINT>(format_.width), static_cast<UINT>(format_.height),
                                                D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, surface_.put(), nullptr);
}

void DrawDevice::updateDestination() {
    if (!window_) return;
    const SIZE size = clientSize(window_);
    destination_ = letterbox(format_.width, format_.height, format_.aspectNum, format_.aspectDen, size.cx, size.cy);
}

HRESULT DrawDevice::setVideoType(const VideoFormat& f) {
    format_ = f;
    pixels_.assign(static_cast<size_t>(f.width) * static_cast<size_t>(f.height), 0);
    updateDestination();
    const HRESULT hr = createSurface();
    // A device that cannot hold the frame leaves the drawing to GDI.
    if (FAILED(hr)) destroy();
    return S_OK;
}

HRESULT DrawDevice::reset() {
    updateDestination();
    if (!d3d_) return S_OK;
    surface_.reset();
    HRESULT hr = createDevice();
    if (SUCCEEDED(hr)) hr = createSurface();
    if (FAILED(hr)) {
        surface_.reset();
        device_.reset();
    }
    return hr;
}

void DrawDevice::destroy() {
    surface_.reset();
    device_.reset();
    d3d_.reset();
}

void DrawDevice::convertToPixels(const FrameView& frame) {
    if (pixels_.size() != static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height))
        pixels_.assign(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height), 0);
    convertFrame(frame, pixels_.data(), frame.width);
}

HRESULT DrawDevice::drawToWindow(const FrameView& frame, COLORREF background) {
    // Nothing to show on yet (the run window is shown after INIT, where a
    // camera is often opened).
    if (!IsWindowVisible(window_)) return S_OK;
    // Under Wine a device made for a window that was not yet on the screen
    // may present where nothing shows: make it again once the window shows.
    if (d3d_ && !madeVisible_) reset();
    if (!device_ || !surface_) return drawWithGdi(frame, background);
    HRESULT hr = device_->TestCooperativeLevel();
    if (hr == D3DERR_DEVICENOTRESET) hr = reset();
    if (hr == D3DERR_DEVICELOST) return S_OK;  // nothing can be drawn until it comes back
    if (FAILED(hr)) return hr;
    if (!device_ || !surface_) return drawWithGdi(frame, background);
    D3DLOCKED_RECT locked{};
    hr = surface_->LockRect(&locked, nullptr, D3DLOCK_NOSYSLOCK);
    if (FAILED(hr)) return hr;
    convertFrame(frame, static_cast<uint32_t*>(locked.pBits), locked.Pitch / 4);
    surface_->UnlockRect();
    ComPtr<IDirect3DSurface9> back;
    hr = device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, back.put());
    if (FAILED(hr)) return hr;
    device_->ColorFill(back.get(), nullptr,
                       D3DCOLOR_XRGB(GetRValue(background), GetGValue(background), GetBValue(background)));
    if (destination_.right > destination_.left && destination_.bottom > destination_.top) {
        const RECT to = toRect(destination_);
        hr = device_->StretchRect(surface_.get(), nullptr, back.get(), &to, D3DTEXF_LINEAR);
        if (FAILED(hr)) return hr;
    }
    return device_->Present(nullptr, nullptr, nullptr, nullptr);
}

// The bands around the picture get the background, the picture is stretched
// into its rectangle: nothing is painted twice, so nothing flickers.
HRESULT DrawDevice::drawWithGdi(const FrameView& frame, COLORREF background) {
    convertToPixels(frame);
    const WindowDC dc(window_);
    if (!dc.get()) return E_FAIL;
    RECT client{};
    GetClientRect(window_, &client);
    const RECT to = toRect(destination_);
    const int saved = SaveDC(dc.get());
    ExcludeClipRect(dc.get(), to.left, to.top, to.right, to.bottom);
    const Brush brush(CreateSolidBrush(background));
    FillRect(dc.get(), &client, brush.get());
    RestoreDC(dc.get(), saved);
    const BITMAPINFO info = rgb32Info(frame.width, -frame.height);
    SetStretchBltMode(dc.get(), HALFTONE);
    SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    const int lines = StretchDIBits(dc.get(), to.left, to.top, to.right - to.left, to.bottom - to.top, 0, 0, frame.width,
                                    frame.height, pixels_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    return lines == 0 && to.right > to.left ? E_FAIL : S_OK;
}

HRESULT DrawDevice::copyTo(const FrameView& frame, HDC dc, int32_t x, int32_t y) {
    convertToPixels(frame);
    const BITMAPINFO info = rgb32Info(frame.width, -frame.height);
    const int lines = SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(frame.width), static_cast<DWORD>(frame.height), 0,
                                        0, 0, static_cast<UINT>(frame.height), pixels_.data(), &info, DIB_RGB_COLORS);
    return lines == 0 ? E_FAIL : S_OK;
}

}  // namespace kav::camera
