// The preview: a source reader over one capture device whose frames arrive,
// one request at a time, on the reader's worker thread, and are drawn there
// under the preview's lock.
#pragma once
#include <windows.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <atomic>
#include <string>

#include "media/camera_draw_win.h"
#include "win32/com_win.h"
#include "win32/critical_section_win.h"

namespace kav::camera {

// Posted to the drawing window with the error code when a frame could not be
// read or drawn; frames stop then. Not WM_APP + 1: the run window's ticks use it.
constexpr UINT kCameraFailedMessage = WM_APP + 19;

// Where frames go: the drawing window, or a sub-screen's context with the
// lock its other users take.
struct SubScreenTarget {
    HDC dc = nullptr;
    CriticalSection* lock = nullptr;
    int32_t x = 0, y = 0;
};

class Preview final : public IMFSourceReaderCallback {
public:
    // A preview drawing into `window` (Direct3D when it can) or, when
    // `target.dc` is set, copying into that sub-screen.
    static HRESULT create(HWND window, const SubScreenTarget& target, Preview** out);

    // Reads device `source` (the reader takes it over): the format chosen,
    // the drawing device set up for it, the first frame requested.
    HRESULT setDevice(IMFMediaSource* source, std::wstring link, VideoFormat& chosen);
    // No frame is drawn after this returns; the reader and device are released.
    void close();
    // The window changed size.
    HRESULT resizeVideo();
    void setBackground(COLORREF c) { background_.store(c); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP OnReadSample(HRESULT status, DWORD stream, DWORD flags, LONGLONG time, IMFSample* sample) override;
    STDMETHODIMP OnEvent(DWORD, IMFMediaEvent*) override { return S_OK; }
    STDMETHODIMP OnFlush(DWORD) override { return S_OK; }

private:
    Preview(HWND window, const SubScreenTarget& target);
    ~Preview() = default;
    HRESULT chooseFormat(VideoFormat& chosen);
    HRESULT drawSample(IMFSample* sample);
    void fail(HRESULT hr);

    LONG refs_ = 1;
    CriticalSection lock_;
    HWND window_;
    SubScreenTarget target_;
    ComPtr<IMFSourceReader> reader_;
    ComPtr<IMFMediaSource> source_;
    std::wstring link_;
    DrawDevice draw_;
    VideoFormat format_;
    std::atomic<COLORREF> background_{RGB(192, 192, 192)};
};

}  // namespace kav::camera
