#include "media/camera_source_win.h"

#include <mfapi.h>
#include <mferror.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "media/camera_pattern.h"
#include "win32/critical_section_win.h"
#include "win32/handle_win.h"

namespace kav::camera {

namespace {

constexpr UINT32 kFramesPerSecond = 30;
constexpr LONGLONG kFrameDuration = 10'000'000 / kFramesPerSecond;  // 100 ns units

const GUID& subtypeOf(PixelFormat f) {
    switch (f) {
    case PixelFormat::Rgb32: return MFVideoFormat_RGB32;
    case PixelFormat::Rgb24: return MFVideoFormat_RGB24;
    case PixelFormat::Yuy2: return MFVideoFormat_YUY2;
    case PixelFormat::Nv12: return MFVideoFormat_NV12;
    }
    return MFVideoFormat_RGB32;
}

bool bottomUp(PixelFormat f) { return f == PixelFormat::Rgb32 || f == PixelFormat::Rgb24; }

HRESULT makeType(PixelFormat f, IMFMediaType** out) {
    ComPtr<IMFMediaType> t;
    HRESULT hr = MFCreateMediaType(t.put());
    if (FAILED(hr)) return hr;
    const auto stride = static_cast<INT32>(defaultStride(f, kPatternWidth));
    t->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Video);
    t->SetGUID(MF_MT_SUBTYPE, subtypeOf(f));
    MFSetAttributeSize(t.get(), MF_MT_FRAME_SIZE, kPatternWidth, kPatternHeight);
    MFSetAttributeRatio(t.get(), MF_MT_FRAME_RATE, kFramesPerSecond, 1);
    MFSetAttributeRatio(t.get(), MF_MT_PIXEL_ASPECT_RATIO, 1, 1);
    t->SetUINT32(MF_MT_INTERLACE_MODE, MFVideoInterlace_Progressive);
    t->SetUINT32(MF_MT_ALL_SAMPLES_INDEPENDENT, TRUE);
    t->SetUINT32(MF_MT_SAMPLE_SIZE, static_cast<UINT32>(frameBytes(f, kPatternWidth, kPatternHeight)));
    t->SetUINT32(MF_MT_DEFAULT_STRIDE, static_cast<UINT32>(bottomUp(f) ? -stride : stride));
    *out = t.get();
    (*out)->AddRef();
    return S_OK;
}

// The common part of the source and its stream: a reference count and an
// event queue.
template <class Interface>
class EventGenerator : public Interface {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP GetEvent(DWORD flags, IMFMediaEvent** e) override {
        // Not under the lock: a blocking wait must not hold off the others.
        ComPtr<IMFMediaEventQueue> q = queue();
        return q ? q->GetEvent(flags, e) : MF_E_SHUTDOWN;
    }
    STDMETHODIMP BeginGetEvent(IMFAsyncCallback* callback, IUnknown* state) override {
        ComPtr<IMFMediaEventQueue> q = queue();
        return q ? q->BeginGetEvent(callback, state) : MF_E_SHUTDOWN;
    }
    STDMETHODIMP EndGetEvent(IMFAsyncResult* result, IMFMediaEvent** e) override {
        ComPtr<IMFMediaEventQueue> q = queue();
        return q ? q->EndGetEvent(result, e) : MF_E_SHUTDOWN;
    }
    STDMETHODIMP QueueEvent(MediaEventType type, REFGUID ext, HRESULT status, const PROPVARIANT* value) override {
        ComPtr<IMFMediaEventQueue> q = queue();
        return q ? q->QueueEventParamVar(type, ext, status, value) : MF_E_SHUTDOWN;
    }

protected:
    EventGenerator() { MFCreateEventQueue(queue_.put()); }
    virtual ~EventGenerator() = default;
    ComPtr<IMFMediaEventQueue> queue() {
        CriticalLock hold(lock_);
        return queue_;
    }
    void shutdownQueue() {
        ComPtr<IMFMediaEventQueue> q;
        {
            CriticalLock hold(lock_);
            q = std::move(queue_);
        }
        if (q) q->Shutdown();
    }

    CriticalSection lock_;

private:
    LONG refs_ = 1;
    ComPtr<IMFMediaEventQueue> queue_;
};

class PatternSource;

// The one video stream. Requests are answered by a thread of its own at the
// frame rate, as a device answers when its next frame is ready.
class PatternStream final : public EventGenerator<IMFMediaStream> {
public:
    PatternStream(PatternSource* source, IMFStreamDescriptor* descriptor, PixelFormat format)
        : source_(source), descriptor_(descriptor), format_(format), wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
        descriptor_->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IMFMediaEventGenerator || iid == IID_IMFMediaStream) {
            *out = static_cast<IMFMediaStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP GetMediaSource(IMFMediaSource** out) override;
    STDMETHODIMP GetStreamDescriptor(IMFStreamDescriptor** out) override {
        *out = descriptor_;
        descriptor_->AddRef();
        return S_OK;
    }
    STDMETHODIMP RequestSample(IUnknown* token) override {
        CriticalLock hold(lock_);
        if (stopping_) return MF_E_SHUTDOWN;
        tokens_.emplace_back();
        if (token) {
            token->AddRef();
            *tokens_.back().put() = token;
        }
        SetEvent(wake_.get());
        return S_OK;
    }

    // Starts the frame thread (once) and reports the stream started.
    HRESULT start() {
        {
            CriticalLock hold(lock_);
            if (stopping_) return MF_E_SHUTDOWN;
            if (!thread_) {
                AddRef();  // the thread's own reference, given back when it ends
                thread_ = UniqueHandle(CreateThread(nullptr, 0, &PatternStream::run, this, 0, nullptr));
                if (!thread_) {
                    Release();
                    return HRESULT_FROM_WIN32(GetLastError());
                }
            }
        }
        PROPVARIANT at;
        PropVariantInit(&at);
        at.vt = VT_I8;
        at.hVal.QuadPart = 0;
        return QueueEvent(MEStreamStarted, GUID_NULL, S_OK, &at);
    }
    // Ends the frame thread and the event queue; waits for the thread.
    void shutdown() {
        UniqueHandle thread;
        {
            CriticalLock hold(lock_);
            stopping_ = true;
            tokens_.clear();
            thread = std::move(thread_);
            source_ = nullptr;
        }
        SetEvent(wake_.get());
        if (thread) WaitForSingleObject(thread.get(), INFINITE);
        shutdownQueue();
    }

private:
    ~PatternStream() override { descriptor_->Release(); }

    static DWORD WINAPI run(void* self) {
        auto* stream = static_cast<PatternStream*>(self);
        stream->produce();
        stream->Release();
        return 0;
    }

    void produce() {
        ULONGLONG due = GetTickCount64();
        for (;;) {
            WaitForSingleObject(wake_.get(), INFINITE);
            for (;;) {
                ComPtr<IUnknown> token;
                {
                    CriticalLock hold(lock_);
                    if (stopping_) return;
                    if (tokens_.empty()) break;
                    token = std::move(tokens_.front());
                    tokens_.erase(tokens_.begin());
                }
                const ULONGLONG now = GetTickCount64();
                if (due > now) Sleep(static_cast<DWORD>(due - now));
                due = std::max(due, now) + 1000 / kFramesPerSecond;
                deliver(token.get());
            }
        }
    }

    void deliver(IUnknown* token) {
        const std::vector<uint8_t> bytes = patternFrame(format_, kPatternWidth, kPatternHeight, frame_, bottomUp(format_));
        ComPtr<IMFMediaBuffer> buffer = bottomUp(format_) ? memoryBuffer(bytes) : twoDimensionalBuffer(bytes);
        ComPtr<IMFSample> sample;
        if (!buffer || FAILED(MFCreateSample(sample.put())) || FAILED(sample->AddBuffer(buffer.get()))) return;
        sample->SetSampleTime(static_cast<LONGLONG>(frame_) * kFrameDuration);
        sample->SetSampleDuration(kFrameDuration);
        if (token) sample->SetUnknown(MFSampleExtension_Token, token);
        ++frame_;
        ComPtr<IMFMediaEventQueue> q = queue();
        if (q) q->QueueEventParamUnk(MEMediaSample, GUID_NULL, S_OK, sample.get());
    }

    // The RGB frames as one block of bottom-up rows: read with the type's
    // negative default stride.
    static ComPtr<IMFMediaBuffer> memoryBuffer(const std::vector<uint8_t>& bytes) {
        ComPtr<IMFMediaBuffer> buffer;
        BYTE* data = nullptr;
        if (FAILED(MFCreateMemoryBuffer(static_cast<DWORD>(bytes.size()), buffer.put())) ||
            FAILED(buffer->Lock(&data, nullptr, nullptr)))
            return {};
        std::memcpy(data, bytes.data(), bytes.size());
        buffer->Unlock();
        buffer->SetCurrentLength(static_cast<DWORD>(bytes.size()));
        return buffer;
    }

    // The YUV frames in a two-dimensional buffer, as devices deliver them:
    // read through its own pitch. Every plane row goes to its place.
    ComPtr<IMFMediaBuffer> twoDimensionalBuffer(const std::vector<uint8_t>& bytes) const {
        ComPtr<IMFMediaBuffer> buffer;
        if (FAILED(MFCreate2DMediaBuffer(kPatternWidth, kPatternHeight, subtypeOf(format_).Data1, FALSE, buffer.put())))
            return memoryBuffer(bytes);
        ComPtr<IMF2DBuffer> twoD;
        buffer->QueryInterface(IID_IMF2DBuffer, twoD.putVoid());
        BYTE* scan0 = nullptr;
        LONG pitch = 0;
        if (!twoD || FAILED(twoD->Lock2D(&scan0, &pitch))) return memoryBuffer(bytes);
        const auto row = static_cast<size_t>(defaultStride(format_, kPatternWidth));
        const size_t rows = bytes.size() / row;
        for (size_t y = 0; y < rows; ++y) std::memcpy(scan0 + static_cast<ptrdiff_t>(y) * pitch, bytes.data() + y * row, row);
        twoD->Unlock2D();
        return buffer;
    }

    PatternSource* source_;  // cleared at shutdown; the source outlives its use here
    IMFStreamDescriptor* descriptor_;
    const PixelFormat format_;
    UniqueHandle wake_;
    UniqueHandle thread_;
    std::vector<ComPtr<IUnknown>> tokens_;
    bool stopping_ = false;
    uint64_t frame_ = 0;
};

class PatternSource final : public EventGenerator<IMFMediaSource> {
public:
    explicit PatternSource(PixelFormat format) : format_(format) {}

    HRESULT init() {
        ComPtr<IMFMediaType> type;
        ComPtr<IMFStreamDescriptor> stream;
        ComPtr<IMFMediaTypeHandler> handler;
        IMFMediaType* types[1] = {};
        HRESULT hr = makeType(format_, type.put());
        types[0] = type.get();
        if (SUCCEEDED(hr)) hr = MFCreateStreamDescriptor(0, 1, types, stream.put());
        if (SUCCEEDED(hr)) hr = stream->GetMediaTypeHandler(handler.put());
        if (SUCCEEDED(hr)) hr = handler->SetCurrentMediaType(type.get());
        IMFStreamDescriptor* streams[1] = {stream.get()};
        if (SUCCEEDED(hr)) hr = MFCreatePresentationDescriptor(1, streams, presentation_.put());
        if (SUCCEEDED(hr)) hr = presentation_->SelectStream(0);
        if (FAILED(hr)) return hr;
        stream_ = new (std::nothrow) PatternStream(this, stream.get(), format_);
        return stream_ ? S_OK : E_OUTOFMEMORY;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IMFMediaEventGenerator || iid == IID_IMFMediaSource) {
            *out = static_cast<IMFMediaSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP GetCharacteristics(DWORD* c) override {
        *c = MFMEDIASOURCE_IS_LIVE;
        return S_OK;
    }
    STDMETHODIMP CreatePresentationDescriptor(IMFPresentationDescriptor** out) override {
        CriticalLock hold(lock_);
        return shut_ ? MF_E_SHUTDOWN : presentation_->Clone(out);
    }
    STDMETHODIMP Start(IMFPresentationDescriptor*, const GUID*, const PROPVARIANT*) override {
        ComPtr<IMFMediaStream> stream;
        bool again = false;
        {
            CriticalLock hold(lock_);
            if (shut_) return MF_E_SHUTDOWN;
            stream_->AddRef();
            *stream.put() = stream_;
            again = std::exchange(started_, true);
        }
        HRESULT hr = QueueEventUnknown(again ? MEUpdatedStream : MENewStream, stream.get());
        PROPVARIANT at;
        PropVariantInit(&at);
        at.vt = VT_I8;
        at.hVal.QuadPart = 0;
        if (SUCCEEDED(hr)) hr = QueueEvent(MESourceStarted, GUID_NULL, S_OK, &at);
        if (SUCCEEDED(hr)) hr = stream_->start();
        return hr;
    }
    STDMETHODIMP Stop() override { return QueueEvent(MESourceStopped, GUID_NULL, S_OK, nullptr); }
    STDMETHODIMP Pause() override { return MF_E_INVALID_STATE_TRANSITION; }
    STDMETHODIMP Shutdown() override {
        {
            CriticalLock hold(lock_);
            if (std::exchange(shut_, true)) return S_OK;
        }
        stream_->shutdown();
        shutdownQueue();
        return S_OK;
    }

private:
    ~PatternSource() override {
        if (stream_) {
            stream_->shutdown();
            stream_->Release();
        }
    }

    HRESULT QueueEventUnknown(MediaEventType type, IUnknown* value) {
        ComPtr<IMFMediaEventQueue> q = queue();
        return q ? q->QueueEventParamUnk(type, GUID_NULL, S_OK, value) : MF_E_SHUTDOWN;
    }

    const PixelFormat format_;
    ComPtr<IMFPresentationDescriptor> presentation_;
    PatternStream* stream_ = nullptr;
    bool started_ = false, shut_ = false;
};

STDMETHODIMP PatternStream::GetMediaSource(IMFMediaSource** out) {
    CriticalLock hold(lock_);
    if (!source_) return MF_E_SHUTDOWN;
    *out = source_;
    source_->AddRef();
    return S_OK;
}

}  // namespace

std::optional<PixelFormat> offeredVirtualCamera() {
    char name[16] = {};
    const DWORD n = GetEnvironmentVariableA("KAV3_CAMERA", name, sizeof name);
    if (n == 0 || n >= sizeof name) return std::nullopt;
    return parseFormat(std::string_view(name, n));
}

HRESULT createVirtualSource(PixelFormat format, IMFMediaSource** source) {
    auto* s = new (std::nothrow) PatternSource(format);
    if (!s) return E_OUTOFMEMORY;
    const HRESULT hr = s->init();
    if (FAILED(hr)) {
        s->Release();
        return hr;
    }
    *source = s;
    return S_OK;
}

DeviceList::DeviceList() : virtual_(offeredVirtualCamera()) {
    ComPtr<IMFAttributes> wanted;
    if (FAILED(MFCreateAttributes(wanted.put(), 1)) ||
        FAILED(wanted->SetGUID(MF_DEVSOURCE_ATTRIBUTE_SOURCE_TYPE, MF_DEVSOURCE_ATTRIBUTE_SOURCE_TYPE_VIDCAP_GUID)))
        return;
    IMFActivate** found = nullptr;
    UINT32 n = 0;
    if (FAILED(MFEnumDeviceSources(wanted.get(), &found, &n)) || !found) return;
    for (UINT32 i = 0; i < n; ++i) *devices_.emplace_back().put() = found[i];  // the list's reference, adopted
    CoTaskMemFree(found);
}

DeviceList::~DeviceList() = default;

HRESULT DeviceList::activate(size_t index, ComPtr<IMFMediaSource>& source, std::wstring& link) const {
    if (virtual_ && index == 0) {
        link = L"kav3-virtual-camera";
        return createVirtualSource(*virtual_, source.put());
    }
    const size_t i = index - (virtual_ ? 1 : 0);
    if (i >= devices_.size()) return E_INVALIDARG;
    IMFActivate* device = devices_[i].get();
    HRESULT hr = device->ActivateObject(IID_IMFMediaSource, source.putVoid());
    WCHAR* text = nullptr;
    UINT32 length = 0;
    if (SUCCEEDED(hr))
        hr = device->GetAllocatedString(MF_DEVSOURCE_ATTRIBUTE_SOURCE_TYPE_VIDCAP_SYMBOLIC_LINK, &text, &length);
    if (SUCCEEDED(hr)) link.assign(text, length);
    CoTaskMemFree(text);
    return hr;
}

}  // namespace kav::camera
