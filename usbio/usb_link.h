// What the exchange needs from the platform: one opened board that moves whole
// reports, a millisecond clock, and a way to find and open the first board.
// The Windows versions talk to a HID device or to the virtual board's pipe;
// the tests script them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace kav::usb {

enum class ReadResult : uint8_t {
    Report,    // one report arrived; length says how long it was
    TimedOut,  // nothing arrived within the wait
    Failed,    // the device is gone or refused the read
};

struct ReadOutcome {
    ReadResult result = ReadResult::Failed;
    size_t length = 0;  // bytes placed in the buffer, never more than its size
};

class UsbLink {
public:
    virtual ~UsbLink() = default;
    // Report lengths from the device's capabilities, report id included.
    virtual size_t inputReportLength() const = 0;
    virtual size_t outputReportLength() const = 0;
    // Sends one whole report, waiting at most waitMs; the bytes written.
    virtual size_t write(std::span<const uint8_t> report, uint32_t waitMs) = 0;
    // Receives one report into buffer, waiting at most waitMs.
    virtual ReadOutcome read(std::span<uint8_t> buffer, uint32_t waitMs) = 0;
};

class UsbClock {
public:
    virtual ~UsbClock() = default;
    // Milliseconds from any fixed start; never goes back.
    virtual uint64_t nowMs() = 0;
};

struct Opening {
    enum Outcome : uint8_t {
        NoDevice,    // nothing answering to the board's ids was found
        OpenFailed,  // found, but it could not be opened
        Opened,
    };
    Outcome outcome = NoDevice;
    std::unique_ptr<UsbLink> link;  // set only when Opened
};

class UsbConnector {
public:
    virtual ~UsbConnector() = default;
    // Looks for boards afresh and opens the first one found.
    virtual Opening openFirst() = 0;
};

}  // namespace kav::usb
