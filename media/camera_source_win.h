// Where camera frames come from: the system's video capture devices, and the
// virtual camera, a media source of ours that the source reader reads like
// any device.
#pragma once
#include <windows.h>
#include <mfidl.h>

#include <optional>
#include <string>
#include <vector>

#include "media/camera_frame.h"
#include "win32/com_win.h"

namespace kav::camera {

// The virtual camera's format when the program was started with one offered
// (the variable KAV3_CAMERA, set by `./kav3 run --camera FORMAT` and the
// tests): it is then device 0, ahead of the system's devices.
std::optional<PixelFormat> offeredVirtualCamera();

// A live source of the moving bar pattern, 320 x 240 at 30 frames a second,
// in the one format given: RGB frames bottom-up in plain memory buffers (read
// with a negative stride), YUV frames in two-dimensional buffers (read through
// their pitch), so that both ways of reading a frame are used.
HRESULT createVirtualSource(PixelFormat format, IMFMediaSource** source);

// The capture devices in the order scripts number them. Media Foundation must
// be started while the list is made and used.
class DeviceList {
public:
    DeviceList();
    ~DeviceList();
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    size_t count() const { return (virtual_ ? 1 : 0) + devices_.size(); }
    // Device `index` as a media source, with its symbolic link.
    HRESULT activate(size_t index, ComPtr<IMFMediaSource>& source, std::wstring& link) const;

private:
    std::optional<PixelFormat> virtual_;
    std::vector<ComPtr<IMFActivate>> devices_;
};

}  // namespace kav::camera
