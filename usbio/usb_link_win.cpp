#include "usbio/usb_link_win.h"

#include <algorithm>
#include <utility>

namespace kav::usb {

HandleLink::HandleLink(UniqueHandle handle, size_t inputLength, size_t outputLength)
    : handle_(std::move(handle)),
      event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      inputLength_(inputLength),
      outputLength_(outputLength) {}

HandleLink::Transfer HandleLink::transfer(bool writing, void* data, DWORD size, DWORD waitMs, DWORD& moved) {
    moved = 0;
    if (!handle_ || !event_) return Transfer::Failed;
    const HANDLE h = handle_.get();
    OVERLAPPED ov{};
    ov.hEvent = event_.get();
    ResetEvent(ov.hEvent);
    const BOOL started = writing ? WriteFile(h, data, size, nullptr, &ov) : ReadFile(h, data, size, nullptr, &ov);
    if (!started && GetLastError() != ERROR_IO_PENDING) return Transfer::Failed;
    if (WaitForSingleObject(ov.hEvent, waitMs) != WAIT_OBJECT_0) {
        CancelIo(h);
        // The transfer must be over before its OVERLAPPED and buffer go away;
        // it may also have completed just before the cancel.
        return GetOverlappedResult(h, &ov, &moved, TRUE) ? Transfer::Done : Transfer::TimedOut;
    }
    // A pipe message longer than the buffer ends here too (ERROR_MORE_DATA).
    return GetOverlappedResult(h, &ov, &moved, FALSE) ? Transfer::Done : Transfer::Failed;
}

size_t HandleLink::write(std::span<const uint8_t> report, uint32_t waitMs) {
    DWORD moved = 0;
    if (transfer(true, const_cast<uint8_t*>(report.data()), static_cast<DWORD>(report.size()), waitMs, moved) !=
        Transfer::Done)
        return 0;
    return moved;
}

ReadOutcome HandleLink::read(std::span<uint8_t> buffer, uint32_t waitMs) {
    DWORD moved = 0;
    switch (transfer(false, buffer.data(), static_cast<DWORD>(buffer.size()), waitMs, moved)) {
    case Transfer::Done:
        return {ReadResult::Report, std::min<size_t>(moved, buffer.size())};
    case Transfer::TimedOut:
        return {ReadResult::TimedOut, 0};
    case Transfer::Failed:
        break;
    }
    return {ReadResult::Failed, 0};
}

}  // namespace kav::usb
