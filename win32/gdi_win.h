// Owners of GDI handles: each deletes or releases what it holds, and a select
// guard puts the previously selected object back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>

namespace kav {

// A pen, brush, font or bitmap this code created.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset() {
        if (h_) DeleteObject(h_);
        h_ = nullptr;
    }
    // Hands the object to a new owner (the clipboard) that deletes it.
    H release() { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// A memory device context this code created.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC dc) : dc_(dc) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(MemoryDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&&) = delete;
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// A context for the whole display, as the desktop shows it.
class DisplayDC {
public:
    DisplayDC() : dc_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayDC() {
        if (dc_) DeleteDC(dc_);
    }
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window's client-area context, released to its window; for nullptr, the
// whole screen's.
class WindowDC {
public:
    WindowDC() = default;
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(WindowDC&& o) noexcept : window_(o.window_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// The context of a WM_PAINT: BeginPaint and, when it goes, EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), ps_{}, dc_(BeginPaint(window, &ps_)) {}
    ~PaintDC() { EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// Selects an object into a context for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectGuard(SelectGuard&& o) noexcept : dc_(o.dc_), old_(std::exchange(o.old_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&&) = delete;
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

    // The object that was selected before (nullptr when the select failed).
    HGDIOBJ previous() const { return old_ == HGDI_ERROR ? nullptr : old_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The header of a 32-bit picture, one BGRX word a pixel: rows bottom-up for a
// positive height, top-down (screen order) for a negative one.
inline BITMAPINFO rgb32Info(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace kav
