// A board reached through a file handle: a HID device or the virtual board's
// pipe. Transfers are overlapped so that a board that stops answering cannot
// hold the exchange longer than its wait.
#pragma once
#include <windows.h>

#include "usbio/usb_link.h"
#include "win32/handle_win.h"

namespace kav::usb {

class HandleLink final : public UsbLink {
public:
    // handle must be open for overlapped I/O.
    HandleLink(UniqueHandle handle, size_t inputLength, size_t outputLength);

    size_t inputReportLength() const override { return inputLength_; }
    size_t outputReportLength() const override { return outputLength_; }
    size_t write(std::span<const uint8_t> report, uint32_t waitMs) override;
    ReadOutcome read(std::span<uint8_t> buffer, uint32_t waitMs) override;

private:
    enum class Transfer { Done, TimedOut, Failed };
    Transfer transfer(bool writing, void* data, DWORD size, DWORD waitMs, DWORD& moved);

    UniqueHandle handle_;
    UniqueHandle event_;  // signals the end of each transfer
    const size_t inputLength_;
    const size_t outputLength_;
};

class TickClock final : public UsbClock {
public:
    uint64_t nowMs() override { return GetTickCount64(); }
};

}  // namespace kav::usb
