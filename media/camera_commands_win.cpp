// The camera: OpenCamera, CloseCamera, SetCameraWinSize and SetCameraWinColor,
// the `camera` window and the camera's part of a run.
#include <windows.h>
#include <dbt.h>
#include <mfapi.h>

#include <cstdio>
#include <optional>
#include <utility>

#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/subsystem.h"
#include "graphics/screens_win.h"
#include "media/camera_preview_win.h"
#include "media/camera_source_win.h"
#include "win32/com_win.h"

namespace kav {

namespace {

using camera::Preview;

constexpr char kCameraClass[] = "camera";
constexpr ULONG kMediaFoundationVersion = 0x20070;
constexpr COLORREF kDefaultBackground = RGB(192, 192, 192);
// The device-interface class of capture devices.
constexpr GUID kCaptureCategory = {0x65E8773D, 0x8F56, 0x11D0, {0xA3, 0xB9, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

// Media Foundation started; stopped when this ends.
class MediaFoundation {
public:
    MediaFoundation() : hr_(MFStartup(kMediaFoundationVersion, MFSTARTUP_FULL)) {}
    ~MediaFoundation() {
        if (SUCCEEDED(hr_)) MFShutdown();
    }
    MediaFoundation(const MediaFoundation&) = delete;
    MediaFoundation& operator=(const MediaFoundation&) = delete;
    bool started() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};

void showFailure(HWND owner, const char* what, HRESULT hr) {
    char text[128];
    snprintf(text, sizeof text, "%s (hr=0x%X)", what, static_cast<unsigned>(hr));
    MessageBoxA(owner, text, "Error", MB_OK | MB_ICONERROR);
}

// The camera of one run: at most one open device and what shows it.
class Camera final : public Part {
public:
    ~Camera() override { close(); }
    void windowDestroyed(Engine&) override { close(); }
    bool message(Engine&, WindowRef, uint32_t msg, uintptr_t, intptr_t, intptr_t& result) override {
        if (msg != camera::kCameraFailedMessage) return false;
        result = 0;  // the frames have stopped; the camera stays open until closed
        return true;
    }

    bool isOpen() const { return number_ >= 0; }
    HWND window() const { return window_; }
    // The result of OpenCamera once its arguments have passed.
    int open(Engine& e, int32_t num, int32_t x, int32_t y, int32_t w, int32_t h, int32_t scr);
    void close();
    void setBackground(COLORREF c) {
        background_ = c;
        if (preview_) preview_->setBackground(c);
    }

    static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void buildPreview(HWND drawWindow, const camera::SubScreenTarget& target);
    void releasePreview();
    void onSize();

    Engine* engine_ = nullptr;
    int32_t number_ = -1;
    int32_t scr_ = 0, x_ = 0, y_ = 0;
    HWND window_ = nullptr;
    COLORREF background_ = kDefaultBackground;
    Preview* preview_ = nullptr;
    HDEVNOTIFY notification_ = nullptr;
    std::optional<ComApartment> com_;
    std::optional<MediaFoundation> mf_;
};

bool registerCameraClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = &Camera::procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kCameraClass;
        return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

int Camera::open(Engine& e, int32_t num, int32_t x, int32_t y, int32_t w, int32_t h, int32_t scr) {
    engine_ = &e;
    com_.emplace(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    mf_.emplace();
    if (!com_->usable() || !mf_->started()) {
        close();
        return -1;
    }
    const camera::DeviceList devices;
    if (num < 0 || static_cast<size_t>(num) >= devices.count()) {
        close();
        return -1;
    }
    const HWND run = static_cast<HWND>(e.runWindow);
    if (scr >= 1 && !screens(e).subScreenDC(scr)) {
        close();
        e.fault.raise(Status::NoSubScreen);
        return -1;
    }
    number_ = num;
    x_ = x;
    y_ = y;
    scr_ = scr;
    background_ = kDefaultBackground;
    if (scr >= 1) {
        Screens& s = screens(e);
        buildPreview(run, camera::SubScreenTarget{s.subScreenDC(scr), &s.subScreenLock(scr), x, y});
        return 1;
    }
    if (!registerCameraClass()) {
        close();
        return -1;
    }
    const DWORD style = scr == 0 ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    // The window's creation builds the preview (it needs the window).
    const HWND made = CreateWindowExA(0, kCameraClass, "", style, x, y, w, h, run, nullptr, GetModuleHandleA(nullptr), this);
    if (!made) {
        close();
        return -1;
    }
    ShowWindow(made, SW_SHOW);
    UpdateWindow(made);
    return 1;
}

void Camera::buildPreview(HWND drawWindow, const camera::SubScreenTarget& target) {
    const HWND owner = static_cast<HWND>(engine_->runWindow);
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kCaptureCategory;
    notification_ = RegisterDeviceNotificationA(drawWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!notification_) return showFailure(owner, "RegisterDeviceNotification failed.", HRESULT_FROM_WIN32(GetLastError()));
    HRESULT hr = Preview::create(drawWindow, target, &preview_);
    if (FAILED(hr)) return showFailure(owner, "CPreview::CreateInstance failed.", hr);
    preview_->setBackground(background_);
    const camera::DeviceList devices;
    ComPtr<IMFMediaSource> source;
    std::wstring link;
    camera::VideoFormat format;
    hr = devices.activate(static_cast<size_t>(number_), source, link);
    if (SUCCEEDED(hr)) hr = preview_->setDevice(source.get(), std::move(link), format);
    if (FAILED(hr)) {
        // The frames must not start: the reader (and the source with it) goes now.
        preview_->close();
        if (source) source->Shutdown();
        return showFailure(owner, "Cannot create a video capture device", hr);
    }
    engine_->sys.cameraW = format.width;
    engine_->sys.cameraH = format.height;
}

void Camera::releasePreview() {
    if (notification_) UnregisterDeviceNotification(std::exchange(notification_, nullptr));
    if (Preview* p = std::exchange(preview_, nullptr)) {
        p->close();
        p->Release();
    }
}

void Camera::close() {
    if (number_ < 0 && !com_ && !mf_) return;
    releasePreview();
    mf_.reset();
    com_.reset();
    if (const HWND w = std::exchange(window_, nullptr)) DestroyWindow(w);
    number_ = -1;
}

void Camera::onSize() {
    if (!preview_) return;
    if (FAILED(preview_->resizeVideo())) MessageBoxA(window_, "ResetDevice failed!", nullptr, MB_OK);
}

LRESULT CALLBACK Camera::procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Camera*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        self = static_cast<Camera*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        break;
    case WM_CREATE:
        self->window_ = window;
        self->buildPreview(window, {});
        return 0;
    case WM_SIZE:
        if (self) {
            self->onSize();
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_DESTROY:
        if (self && self->window_ == window) {
            self->window_ = nullptr;
            self->releasePreview();
        }
        return 0;
    case camera::kCameraFailedMessage: return 0;
    default: break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

Camera& cameraOf(Call& c) { return c.part<Camera>(); }

// A camera already open closes before the arguments are even counted.
void openCamera(Call& c) {
    Camera& cam = cameraOf(c);
    cam.close();
    if (const Status s = checkArgCount(c.args, 6); s != Status::Ok) return c.fail(s);
    int32_t v[6];
    if (!c.integers(0, 5, v)) return;
    const int32_t scr = v[5];
    if (scr < -1 || scr > kSubScreens) return c.fail(Status::ParamInvalid);
    const int result = cam.open(c.e, v[0], v[1], v[2], v[3], v[4], scr);
    if (!c.e.fault.ok()) return;
    c.result(result);
}

// The number is evaluated and not compared: one camera is open at most.
void closeCamera(Call& c) {
    double num = 0;
    if (!c.number(0, num)) return;
    cameraOf(c).close();
}

void setCameraWinSize(Call& c) {
    Camera& cam = cameraOf(c);
    if (!cam.isOpen() || !cam.window()) return;
    int32_t v[5];
    if (!c.integers(0, 4, v)) return;
    MoveWindow(cam.window(), v[1], v[2], v[3], v[4], TRUE);
    ShowWindow(cam.window(), SW_SHOW);
}

void setCameraWinColor(Call& c) {
    Camera& cam = cameraOf(c);
    if (!cam.isOpen() || !cam.window()) return;
    int32_t v[4];
    if (!c.integers(0, 3, v)) return;
    const auto component = [](int32_t k) { return static_cast<BYTE>(k >= 0 && k <= 255 ? k : 192); };
    cam.setBackground(RGB(component(v[1]), component(v[2]), component(v[3])));
}

constexpr CommandEntry kEntries[] = {
    {"OpenCamera", kArgsChecked, kStatement | kValue, openCamera},
    {"CloseCamera", 1, kStatement, closeCamera},
    {"SetCameraWinSize", 5, kStatement, setCameraWinSize},
    {"SetCameraWinColor", 4, kStatement, setCameraWinColor},
};

}  // namespace

extern constinit const CommandFamily kCameraCommands{kEntries};

// The camera subsystem: one capture device shown in a window of its own or
// copied into a sub-screen. It comes before graphics in the list: it must be
// closed before the sub-screens go.
constexpr const CommandFamily* kCameraFamilies[] = {&kCameraCommands};
extern constinit const Subsystem kCameraSubsystem{"camera", kCameraFamilies, partKey<Camera>(), makePart<Camera>};

}  // namespace kav
