// A board reached through a file handle: a HID device or the virtual board's
// pipe. Transfers are overlapped so that a board that stops answering cannot
// hold the exchange longer than its wait.
#pragma once
#include <windows.h>

#include "usbio/usb_link.h"

namespace kav::usb {

class HandleLink final : public UsbLink {
public:
    // Takes ownership of handle, which must be open for overlapped I/O.
    HandleLink(HANDLE handle, size_t inputLength, size_t outputLength);
    ~HandleLink() override;
    HandleLink(const HandleLink&) = delete;
    HandleLink& operator=(const HandleLink&) = delete;

    size_t inputReportLength() const override { return inputLength_; }
    size_t outputReportLength() const override { return outputLength_; }
    size_t write(std::span<const uint8_t> report, uint32_t waitMs) override;
    ReadOutcome read(std::span<uint8_t> buffer, uint32_t waitMs) override;

private:
    enum class Transfer { Done, TimedOut, Failed };
    Transfer transfer(bool writing, void* data, DWORD size, DWORD waitMs, DWORD& moved);

    const HANDLE handle_;
    const HANDLE event_;
    const size_t inputLength_;
    const size_t outputLength_;
};

class TickClock final : public UsbClock {
public:
    uint64_t nowMs() override { return GetTickCount64(); }
};

}  // namespace kav::usb
