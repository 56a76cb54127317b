#include "media/video_session_win.h"

#include <evr.h>
#include <mfapi.h>
#include <mferror.h>

#include <mutex>

namespace kav {

// The session's events, taken on Media Foundation's threads. Each one is only
// posted to the video window (by value: a post that finds the window gone
// leaks nothing); the stop and the closing that the player's close waits for
// are signalled to it as well. Counted by reference: the session may call it
// after the player has gone, and then it does nothing.
class SessionEvents final : public IMFAsyncCallback {
public:
    SessionEvents(HWND window, UniqueHandle stopped, UniqueHandle closed)
        : window_(window), stopped_(std::move(stopped)), closed_(std::move(closed)) {}

    // Asks for the session's events until it has closed or detach() is called.
    bool listen(IMFMediaSession* session) {
        std::lock_guard<std::mutex> lock(mutex_);
        session_ = ComPtr<IMFMediaSession>();
        if (FAILED(session->BeginGetEvent(this, nullptr))) return false;
        session->AddRef();
        *session_.put() = session;
        return true;
    }
    void detach() {
        std::lock_guard<std::mutex> lock(mutex_);
        session_.reset();
    }
    HANDLE stopped() const { return stopped_.get(); }
    HANDLE closed() const { return closed_.get(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IMFAsyncCallback)) {
            *out = static_cast<IMFAsyncCallback*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP GetParameters(DWORD*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(IMFAsyncResult* result) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!session_) return S_OK;
        ComPtr<IMFMediaEvent> event;
        if (FAILED(session_->EndGetEvent(result, event.put()))) return S_OK;
        MediaEventType type = MEUnknown;
        HRESULT status = S_OK;
        event->GetType(&type);
        event->GetStatus(&status);
        if (type == MESessionClosed) {
            SetEvent(closed_.get());
            return S_OK;
        }
        if (type == MESessionStopped) SetEvent(stopped_.get());
        UINT32 topology = 0;
        if (type == MESessionTopologyStatus) event->GetUINT32(MF_EVENT_TOPOLOGY_STATUS, &topology);
        const LPARAM packed = static_cast<LPARAM>(static_cast<uint64_t>(static_cast<uint32_t>(status)) |
                                                  static_cast<uint64_t>(topology) << 32);
        PostMessageA(window_, kPlayerEventMessage, type, packed);
        session_->BeginGetEvent(this, nullptr);
        return S_OK;
    }

private:
    ~SessionEvents() = default;

    LONG references_ = 1;
    std::mutex mutex_;
    const HWND window_;
    const UniqueHandle stopped_, closed_;
    ComPtr<IMFMediaSession> session_;
};

namespace {

// The platform interface version the player asks for.
constexpr ULONG kMediaFoundationVersion = 0x20070;

// How long a closing session is waited for, its stop included.
constexpr DWORD kCloseWait = 5000;

// Waits for a session event until `deadline` (a tick count) while answering
// messages sent to this thread: the renderer may send some to the video
// window meanwhile. True when it came.
bool waitPumpingSent(HANDLE event, DWORD start, DWORD milliseconds) {
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        const DWORD r = MsgWaitForMultipleObjects(1, &event, FALSE, milliseconds - spent, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// Some decoders offer uncompressed pictures in several layouts, and not every
// renderer takes the first one offered; packed 4:2:2 goes everywhere. A
// source that offers only compressed types is left as it is.
void preferPackedYuv(IMFMediaTypeHandler* handler) {
    DWORD count = 0;
    if (FAILED(handler->GetMediaTypeCount(&count))) return;
    for (DWORD k = 0; k < count; ++k) {
        ComPtr<IMFMediaType> type;
        GUID subtype = GUID_NULL;
        if (FAILED(handler->GetMediaTypeByIndex(k, type.put())) || FAILED(type->GetGUID(MF_MT_SUBTYPE, &subtype)))
            return;
        if (subtype == MFVideoFormat_YUY2) {
            handler->SetCurrentMediaType(type.get());
            return;
        }
    }
}

bool addBranch(IMFTopology* topology, IMFMediaSource* source, IMFPresentationDescriptor* descriptor,
               IMFStreamDescriptor* stream, IMFActivate* renderer) {
    ComPtr<IMFTopologyNode> from, to;
    return SUCCEEDED(MFCreateTopologyNode(MF_TOPOLOGY_SOURCESTREAM_NODE, from.put())) &&
           SUCCEEDED(from->SetUnknown(MF_TOPONODE_SOURCE, source)) &&
           SUCCEEDED(from->SetUnknown(MF_TOPONODE_PRESENTATION_DESCRIPTOR, descriptor)) &&
           SUCCEEDED(from->SetUnknown(MF_TOPONODE_STREAM_DESCRIPTOR, stream)) &&
           SUCCEEDED(topology->AddNode(from.get())) &&
           SUCCEEDED(MFCreateTopologyNode(MF_TOPOLOGY_OUTPUT_NODE, to.put())) &&
           SUCCEEDED(to->SetObject(renderer)) && SUCCEEDED(topology->AddNode(to.get())) &&
           SUCCEEDED(from->ConnectOutput(0, to.get(), 0));
}

}  // namespace

VideoSession::VideoSession(HWND window) : window_(window) {}

std::unique_ptr<VideoSession> VideoSession::create(HWND window) {
    std::unique_ptr<VideoSession> s(new VideoSession(window));
    if (!s->com_.usable() || FAILED(MFStartup(kMediaFoundationVersion, MFSTARTUP_FULL))) return nullptr;
    s->started_ = true;
    UniqueHandle stopped(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle closed(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stopped || !closed) return nullptr;
    *s->events_.put() = new SessionEvents(window, std::move(stopped), std::move(closed));
    return s;
}

VideoSession::~VideoSession() {
    close();
    if (started_ && !abandoned_) MFShutdown();
}

bool VideoSession::buildTopology(IMFPresentationDescriptor* descriptor, IMFTopology* topology) {
    DWORD count = 0;
    if (FAILED(descriptor->GetStreamDescriptorCount(&count))) return false;
    bool any = false;
    for (DWORD i = 0; i < count; ++i) {
        BOOL selected = FALSE;
        ComPtr<IMFStreamDescriptor> stream;
        ComPtr<IMFMediaTypeHandler> handler;
        GUID major = GUID_NULL;
        if (FAILED(descriptor->GetStreamDescriptorByIndex(i, &selected, stream.put())) || !selected) continue;
        if (FAILED(stream->GetMediaTypeHandler(handler.put())) || FAILED(handler->GetMajorType(&major))) continue;
        ComPtr<IMFActivate> renderer;
        HRESULT made = E_FAIL;
        if (major == MFMediaType_Video) {
            preferPackedYuv(handler.get());
            made = MFCreateVideoRendererActivate(window_, renderer.put());
        } else if (major == MFMediaType_Audio) {
            made = MFCreateAudioRendererActivate(renderer.put());
        }
        if (FAILED(made)) {
            descriptor->DeselectStream(i);
            continue;
        }
        if (!addBranch(topology, source_.get(), descriptor, stream.get(), renderer.get())) return false;
        any = true;
    }
    return any;
}

bool VideoSession::open(const wchar_t* file, int64_t& duration) {
    ComPtr<IMFSourceResolver> resolver;
    ComPtr<IUnknown> object;
    ComPtr<IMFPresentationDescriptor> descriptor;
    ComPtr<IMFTopology> topology;
    MF_OBJECT_TYPE kind = MF_OBJECT_INVALID;
    const DWORD flags = MF_RESOLUTION_MEDIASOURCE | MF_RESOLUTION_CONTENT_DOES_NOT_HAVE_TO_MATCH_EXTENSION_OR_MIME_TYPE;
    const bool ok = SUCCEEDED(MFCreateMediaSession(nullptr, session_.put())) &&
                    SUCCEEDED(MFCreateSourceResolver(resolver.put())) &&
                    SUCCEEDED(resolver->CreateObjectFromURL(file, flags, nullptr, &kind, object.put())) &&
                    (source_ = object.as<IMFMediaSource>()) &&
                    SUCCEEDED(source_->CreatePresentationDescriptor(descriptor.put())) &&
                    SUCCEEDED(MFCreateTopology(topology.put())) && buildTopology(descriptor.get(), topology.get()) &&
                    events_->listen(session_.get()) && SUCCEEDED(session_->SetTopology(0, topology.get()));
    if (!ok) {
        shutDown();
        return false;
    }
    UINT64 length = 0;
    duration = SUCCEEDED(descriptor->GetUINT64(MF_PD_DURATION, &length)) ? static_cast<int64_t>(length) : 0;
    return true;
}

SessionEvent VideoSession::eventOf(WPARAM wParam, LPARAM lParam, bool& failed) {
    const auto packed = static_cast<uint64_t>(lParam);
    failed = FAILED(static_cast<HRESULT>(static_cast<uint32_t>(packed)));
    switch (static_cast<MediaEventType>(wParam)) {
    case MESessionTopologySet: return SessionEvent::TopologySet;
    case MESessionTopologyStatus:
        return static_cast<uint32_t>(packed >> 32) == MF_TOPOSTATUS_READY ? SessionEvent::TopologyReady
                                                                          : SessionEvent::Other;
    case MESessionStarted: return SessionEvent::Started;
    case MESessionStopped: return SessionEvent::Stopped;
    case MESessionEnded: return SessionEvent::Ended;
    default: return SessionEvent::Other;
    }
}

void VideoSession::prepare() {
    if (!session_) return;
    MFGetService(session_.get(), MR_VIDEO_RENDER_SERVICE, __uuidof(IMFVideoDisplayControl), display_.putVoid());
    MFGetService(session_.get(), MR_POLICY_VOLUME_SERVICE, __uuidof(IMFSimpleAudioVolume), volume_.putVoid());
    MFGetService(session_.get(), MF_RATE_CONTROL_SERVICE, __uuidof(IMFRateControl), rate_.putVoid());
    ComPtr<IMFClock> clock;
    if (SUCCEEDED(session_->GetClock(clock.put()))) clock_ = clock.as<IMFPresentationClock>();
    RECT client{};
    GetClientRect(window_, &client);
    fitVideo(client.right, client.bottom);
}

// A start at a position comes after the session's stop (the player waits for
// it): some systems cannot move a session that plays or pauses, and from a
// stop every system can.
void VideoSession::start(std::optional<int64_t> at) {
    if (!session_) return;
    PROPVARIANT from;
    PropVariantInit(&from);
    if (at) {
        from.vt = VT_I8;
        from.hVal.QuadPart = *at;
    }
    session_->Start(&GUID_NULL, &from);
}

bool VideoSession::stop() { return session_ && SUCCEEDED(session_->Stop()); }

void VideoSession::pause() {
    if (session_) session_->Pause();
}

void VideoSession::setRate(float rate) {
    if (rate_) rate_->SetRate(FALSE, rate);
}

bool VideoSession::setVolume(float volume) { return volume_ && SUCCEEDED(volume_->SetMasterVolume(volume)); }

void VideoSession::warn() {
    const HWND owner = GetParent(window_);
    MessageBoxA(owner, "エラーが発生しました", "ビデオ処理 警告", MB_ICONWARNING);
}

void VideoSession::fitVideo(int32_t width, int32_t height) {
    if (!display_) return;
    RECT to{0, 0, width, height};
    display_->SetVideoPosition(nullptr, &to);
}

void VideoSession::repaint() {
    if (display_) display_->RepaintVideo();
}

bool VideoSession::position(int64_t& units) {
    if (!clock_ && session_) {
        ComPtr<IMFClock> clock;
        if (SUCCEEDED(session_->GetClock(clock.put()))) clock_ = clock.as<IMFPresentationClock>();
    }
    MFTIME time = 0;
    if (!clock_ || FAILED(clock_->GetTime(&time))) return false;
    units = time;
    return true;
}

// Some systems never close a session that is still playing (and then hang in
// its shutdown): it is stopped first, which is harmless everywhere. A session
// that does not close in time is left to itself rather than hang the program.
void VideoSession::close() {
    if (!session_) return;
    const DWORD start = GetTickCount();
    ResetEvent(events_->stopped());
    if (SUCCEEDED(session_->Stop())) waitPumpingSent(events_->stopped(), start, kCloseWait);
    const bool closed =
        SUCCEEDED(session_->Close()) && waitPumpingSent(events_->closed(), start, kCloseWait);
    if (!closed) abandon();
    shutDown();
}

void VideoSession::abandon() {
    abandoned_ = true;
    events_->detach();
    display_.reset();
    clock_.reset();
    volume_.reset();
    rate_.reset();
    // A reference kept for good: a session stuck in its work cannot be told
    // to go, nor released under its feet.
    if (source_) source_->AddRef();
    if (session_) session_->AddRef();
    source_.reset();
    session_.reset();
}

void VideoSession::shutDown() {
    if (source_) source_->Shutdown();
    if (session_) session_->Shutdown();
    if (events_) events_->detach();
    display_.reset();
    clock_.reset();
    volume_.reset();
    rate_.reset();
    source_.reset();
    session_.reset();
}

}  // namespace kav
