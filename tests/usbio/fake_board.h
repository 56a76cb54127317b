// A scripted board for the exchange tests: it records every report written to
// it, serves scripted input reports first (stale reports, silence, errors,
// reports of another length), and otherwise answers each command the way the
// board does. Time passes only on a fake clock.
#pragma once
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

#include "usbio/usb_link.h"
#include "usbio/usb_report.h"

namespace kav::usb::test {

struct FakeClock : UsbClock {
    uint64_t now = 50'000;
    uint64_t nowMs() override { return now; }
};

struct Step {
    enum Kind { Report, Silence, Error } kind = Report;
    std::vector<uint8_t> bytes;  // Report: the input report, report id first
    uint32_t takesMs = 1;
};

// An input report of the board's size whose reply byte 63 is `match`.
std::vector<uint8_t> inputReport(uint8_t match, uint8_t byte2 = 0, size_t length = kReportBytes);

struct FakeBoard {
    explicit FakeBoard(FakeClock& c) : clock(c) {}

    FakeClock& clock;
    size_t inputLength = kReportBytes;
    size_t outputLength = kReportBytes;
    size_t writeLimit = std::numeric_limits<size_t>::max();  // bytes a write accepts
    bool answers = true;   // reply to each command once the script is used up
    int floodMs = -1;      // >= 0: after the script, endless non-matching reports this far apart
    uint8_t inputs = 0;    // the switches a port exchange reports
    std::deque<Step> script;
    std::deque<std::vector<uint8_t>> replies;  // answers owed, in order
    std::vector<std::vector<uint8_t>> written;
    int reads = 0;
    int linksClosed = 0;

    // Command byte k of each report written so far (byte 0 is the command's first).
    std::vector<uint8_t> commandBytes(size_t k) const;
};

class FakeLink : public UsbLink {
public:
    explicit FakeLink(FakeBoard& board) : board_(board) {}
    ~FakeLink() override { ++board_.linksClosed; }
    size_t inputReportLength() const override { return board_.inputLength; }
    size_t outputReportLength() const override { return board_.outputLength; }
    size_t write(std::span<const uint8_t> report, uint32_t waitMs) override;
    ReadOutcome read(std::span<uint8_t> buffer, uint32_t waitMs) override;

private:
    ReadOutcome deliver(const std::vector<uint8_t>& bytes, uint32_t takesMs, std::span<uint8_t> buffer);
    FakeBoard& board_;
};

struct FakeConnector : UsbConnector {
    explicit FakeConnector(FakeBoard& b) : board(b) {}
    FakeBoard& board;
    std::deque<Opening::Outcome> outcomes;  // Opened once these are used up
    int calls = 0;
    Opening openFirst() override;
};

}  // namespace kav::usb::test
