#include "usbio/usb_connector_win.h"

#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "usbio/board_protocol.h"
#include "usbio/usb_link_win.h"
#include "usbio/usb_report.h"

namespace kav::usb {

namespace {

struct DeviceInfoList {
    HDEVINFO set;
    ~DeviceInfoList() { SetupDiDestroyDeviceInfoList(set); }
};

struct PreparsedData {
    PHIDP_PREPARSED_DATA data = nullptr;
    ~PreparsedData() {
        if (data) HidD_FreePreparsedData(data);
    }
};

bool isBoard(const HIDD_ATTRIBUTES& a) {
    return a.VendorID == kBoardVendorId && std::ranges::find(kBoardProductIds, a.ProductID) != std::end(kBoardProductIds);
}

// The detail's path, or an empty string when the system would not give it.
std::string interfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& iface) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &iface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return {};
    // DWORD elements keep the structure aligned.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(set, &iface, detail, size, nullptr, nullptr)) return {};
    const char* path = detail->DevicePath;
    const size_t room = storage.size() * sizeof(DWORD) - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    return std::string(path, strnlen(path, room));
}

bool pathIsBoard(const std::string& path) {
    const UniqueHandle h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    HIDD_ATTRIBUTES a{};
    a.Size = sizeof a;
    return h && HidD_GetAttributes(h.get(), &a) && isBoard(a);
}

Opening openHid(const std::string& path) {
    Opening o;
    o.outcome = Opening::OpenFailed;
    UniqueHandle h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!h) return o;
    PreparsedData pre;
    HIDP_CAPS caps{};
    if (!HidD_GetPreparsedData(h.get(), &pre.data) || HidP_GetCaps(pre.data, &caps) != HIDP_STATUS_SUCCESS) return o;
    o.outcome = Opening::Opened;
    o.link = std::make_unique<HandleLink>(std::move(h), caps.InputReportByteLength, caps.OutputReportByteLength);
    return o;
}

// The virtual board speaks in pipe messages of one report each.
Opening openVirtualBoard() {
    Opening o;
    for (int attempt = 0; attempt < 2; ++attempt) {
        // Identification only: whoever serves the pipe gets no right to act as us.
        UniqueHandle h(CreateFileA(kBoardPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (h) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            o.outcome = Opening::OpenFailed;
            if (!SetNamedPipeHandleState(h.get(), &mode, nullptr, nullptr)) return o;
            o.outcome = Opening::Opened;
            o.link = std::make_unique<HandleLink>(std::move(h), kReportBytes, kReportBytes);
            return o;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return o;  // no board running
        o.outcome = Opening::OpenFailed;
        // Every instance busy: the board makes a new one as each client arrives.
        if (error != ERROR_PIPE_BUSY || !WaitNamedPipeA(kBoardPipeName, 1000)) return o;
    }
    return o;
}

}  // namespace

std::vector<std::string> findBoards() {
    std::vector<std::string> found;
    GUID hid;
    HidD_GetHidGuid(&hid);
    const HDEVINFO set = SetupDiGetClassDevsA(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return found;
    const DeviceInfoList owner{set};
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hid, i, &iface); ++i) {
        std::string path = interfacePath(set, iface);
        if (!path.empty() && pathIsBoard(path)) found.push_back(std::move(path));
    }
    return found;
}

Opening SystemConnector::openFirst() {
    const std::vector<std::string> boards = findBoards();
    if (!boards.empty()) return openHid(boards.front());
    return openVirtualBoard();
}

}  // namespace kav::usb
