#include "media/camera_preview_win.h"

#include <mfapi.h>
#include <mferror.h>

#include <new>
#include <optional>
#include <vector>

namespace kav::camera {

namespace {

constexpr DWORD kVideoStream = static_cast<DWORD>(MF_SOURCE_READER_FIRST_VIDEO_STREAM);

const GUID& subtypeOf(PixelFormat f) {
    switch (f) {
    case PixelFormat::Rgb32: return MFVideoFormat_RGB32;
    case PixelFormat::Rgb24: return MFVideoFormat_RGB24;
    case PixelFormat::Yuy2: return MFVideoFormat_YUY2;
    case PixelFormat::Nv12: return MFVideoFormat_NV12;
    }
    return MFVideoFormat_RGB32;
}

std::optional<PixelFormat> formatOf(IMFMediaType* type) {
    GUID subtype{};
    if (FAILED(type->GetGUID(MF_MT_SUBTYPE, &subtype))) return std::nullopt;
    for (PixelFormat f : kFormats)
        if (subtype == subtypeOf(f)) return f;
    return std::nullopt;
}

// What the drawing needs of the reader's current type.
HRESULT describe(IMFMediaType* type, PixelFormat f, VideoFormat& out) {
    UINT32 width = 0, height = 0;
    HRESULT hr = MFGetAttributeSize(type, MF_MT_FRAME_SIZE, &width, &height);
    if (FAILED(hr)) return hr;
    if (width == 0 || height == 0 || width > 16384 || height > 16384) return MF_E_INVALIDMEDIATYPE;
    out.format = f;
    out.width = static_cast<int32_t>(width);
    out.height = static_cast<int32_t>(height);
    out.interlace = MFGetAttributeUINT32(type, MF_MT_INTERLACE_MODE, MFVideoInterlace_Unknown);
    UINT32 stride = 0;
    if (SUCCEEDED(type->GetUINT32(MF_MT_DEFAULT_STRIDE, &stride))) {
        out.stride = static_cast<INT32>(stride);
    } else {
        LONG computed = 0;
        hr = MFGetStrideForBitmapInfoHeader(subtypeOf(f).Data1, width, &computed);
        out.stride = SUCCEEDED(hr) ? computed : defaultStride(f, out.width);
    }
    UINT32 num = 1, den = 1;
    if (FAILED(MFGetAttributeRatio(type, MF_MT_PIXEL_ASPECT_RATIO, &num, &den)) || num == 0 || den == 0) num = den = 1;
    out.aspectNum = num;
    out.aspectDen = den;
    return S_OK;
}

}  // namespace

Preview::Preview(HWND window, const SubScreenTarget& target) : window_(window), target_(target) {}

HRESULT Preview::create(HWND window, const SubScreenTarget& target, Preview** out) {
    *out = nullptr;
    auto* p = new (std::nothrow) Preview(window, target);
    if (!p) return E_OUTOFMEMORY;
    // A sub-screen gets plain copies: only a window needs the drawing device.
    if (!target.dc) p->draw_.create(window);
    *out = p;
    return S_OK;
}

HRESULT Preview::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IMFSourceReaderCallback) {
        *out = static_cast<IMFSourceReaderCallback*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG Preview::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG Preview::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT Preview::setDevice(IMFMediaSource* source, std::wstring link, VideoFormat& chosen) {
    CriticalLock hold(lock_);
    ComPtr<IMFAttributes> attributes;
    HRESULT hr = MFCreateAttributes(attributes.put(), 2);
    if (SUCCEEDED(hr)) hr = attributes->SetUINT32(MF_READWRITE_DISABLE_CONVERTERS, TRUE);
    if (SUCCEEDED(hr)) hr = attributes->SetUnknown(MF_SOURCE_READER_ASYNC_CALLBACK, static_cast<IMFSourceReaderCallback*>(this));
    if (SUCCEEDED(hr)) hr = MFCreateSourceReaderFromMediaSource(source, attributes.get(), reader_.put());
    if (FAILED(hr)) return hr;
    source->AddRef();
    *source_.put() = source;
    link_ = std::move(link);
    hr = chooseFormat(chosen);
    if (SUCCEEDED(hr)) hr = draw_.setVideoType(chosen);
    if (SUCCEEDED(hr)) format_ = chosen;
    if (SUCCEEDED(hr)) hr = reader_->ReadSample(kVideoStream, 0, nullptr, nullptr, nullptr, nullptr);
    return hr;
}

HRESULT Preview::chooseFormat(VideoFormat& chosen) {
    std::vector<ComPtr<IMFMediaType>> natives;
    std::vector<std::optional<PixelFormat>> formats;
    for (DWORD i = 0;; ++i) {
        ComPtr<IMFMediaType> type;
        if (FAILED(reader_->GetNativeMediaType(kVideoStream, i, type.put()))) break;
        formats.push_back(formatOf(type.get()));
        natives.push_back(std::move(type));
    }
    const auto choice = camera::chooseFormat(formats, [&](size_t i, PixelFormat f) {
        IMFMediaType* type = natives[i].get();
        return SUCCEEDED(type->SetGUID(MF_MT_SUBTYPE, subtypeOf(f))) &&
               SUCCEEDED(reader_->SetCurrentMediaType(kVideoStream, nullptr, type));
    });
    if (!choice) return MF_E_INVALIDMEDIATYPE;
    // A type taken as it is becomes current too: the reader's default may be another.
    if (!choice->replaced) {
        const HRESULT hr = reader_->SetCurrentMediaType(kVideoStream, nullptr, natives[choice->nativeIndex].get());
        if (FAILED(hr)) return hr;
    }
    ComPtr<IMFMediaType> current;
    const HRESULT hr = reader_->GetCurrentMediaType(kVideoStream, current.put());
    if (FAILED(hr)) return hr;
    return describe(current.get(), choice->format, chosen);
}

HRESULT Preview::resizeVideo() {
    CriticalLock hold(lock_);
    return draw_.reset();
}

void Preview::close() {
    ComPtr<IMFSourceReader> reader;
    ComPtr<IMFMediaSource> source;
    {
        CriticalLock hold(lock_);
        reader = std::move(reader_);
        source = std::move(source_);
        link_.clear();
        draw_.destroy();
    }
    // Outside the lock: a reader may wait for a callback that is waiting for it.
    // A callback that comes later finds no reader and draws nothing.
    reader.reset();
    if (source) source->Shutdown();
}

HRESULT Preview::OnReadSample(HRESULT status, DWORD, DWORD flags, LONGLONG, IMFSample* sample) {
    CriticalLock hold(lock_);
    if (!reader_) return S_OK;
    HRESULT hr = status;
    if (SUCCEEDED(hr) && (flags & MF_SOURCE_READERF_ERROR)) hr = E_FAIL;
    if (SUCCEEDED(hr) && sample) hr = drawSample(sample);
    if (SUCCEEDED(hr) && !(flags & MF_SOURCE_READERF_ENDOFSTREAM))
        hr = reader_->ReadSample(kVideoStream, 0, nullptr, nullptr, nullptr, nullptr);
    if (FAILED(hr)) fail(hr);
    return S_OK;
}

HRESULT Preview::drawSample(IMFSample* sample) {
    ComPtr<IMFMediaBuffer> buffer;
    HRESULT hr = sample->GetBufferByIndex(0, buffer.put());
    if (FAILED(hr)) return hr;
    std::optional<FrameView> view;
    bool locked2D = false;
    ComPtr<IMF2DBuffer2> twoD;
    buffer->QueryInterface(IID_IMF2DBuffer2, twoD.putVoid());
    BYTE* scan0 = nullptr;
    BYTE* start = nullptr;
    LONG pitch = 0;
    DWORD length = 0;
    // Two-dimensional access knows the true pitch; its buffer bounds the view.
    if (twoD && SUCCEEDED(twoD->Lock2DSize(MF2DBuffer_LockFlags_Read, &scan0, &pitch, &start, &length))) {
        locked2D = true;
        view = contiguousFrame(format_.format, format_.width, format_.height, pitch, start, length);
    } else {
        BYTE* data = nullptr;
        hr = buffer->Lock(&data, nullptr, &length);
        if (FAILED(hr)) return hr;
        view = contiguousFrame(format_.format, format_.width, format_.height, format_.stride, data, length);
    }
    // A frame shorter than its format says is skipped, never read past its end.
    if (view) {
        if (target_.dc) {
            CriticalLock screen(*target_.lock);
            hr = draw_.copyTo(*view, target_.dc, target_.x, target_.y);
        } else {
            hr = draw_.drawToWindow(*view, background_.load());
        }
    }
    if (locked2D) twoD->Unlock2D();
    else buffer->Unlock();
    return hr;
}

void Preview::fail(HRESULT hr) { PostMessageA(window_, kCameraFailedMessage, static_cast<WPARAM>(hr), 0); }

}  // namespace kav::camera
