// The virtual board without its window and pipe: how it answers a report, its
// lamps and switches, and the record of the last reports it received.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "usbio/usb_report.h"

namespace kav::usb {

struct BoardEvent {
    enum Kind : uint8_t { Configuration, Port, Unknown, BadReport };
    Kind kind = Unknown;
    uint64_t number = 0;  // counts every report received, from 1
    Payload command{};    // for BadReport: the bytes that came, cut to 64
    size_t length = 0;    // the report's length, report id included
    uint8_t outputs = 0;  // output bits after a port exchange
    uint8_t inputs = 0;   // input bits sent back by a port exchange
};

class VirtualBoard {
public:
    // How many reports the record keeps.
    static constexpr size_t kRecordSize = 12;

    // Takes one output report (report id first) and fills reply with the input
    // report to send back; returns its length, or 0 for a report it cannot take
    // (wrong length or report id), which gets no answer.
    size_t answer(std::span<const uint8_t> report, std::span<uint8_t> reply);

    uint8_t outputBits() const { return outputs_; }
    uint8_t inputBits() const { return inputs_; }
    bool input(int n) const { return (inputs_ >> n) & 1; }
    void setInput(int n, bool on);
    void setInputBits(uint8_t bits) { inputs_ = bits & 0x0F; }

    // The last kRecordSize reports, oldest first.
    const std::deque<BoardEvent>& record() const { return record_; }
    uint64_t received() const { return received_; }

private:
    void remember(const BoardEvent& e);

    uint8_t outputs_ = 0;
    uint8_t inputs_ = 0;
    uint64_t received_ = 0;
    std::deque<BoardEvent> record_;
};

// The virtual board's command line: --inputs BITS sets the switches at start,
// --log FILE records each received report's first five command bytes.
struct BoardOptions {
    uint8_t inputs = 0;
    std::string log;
};
[[nodiscard]] bool parseBoardOptions(const std::vector<std::string>& args, BoardOptions& options, std::string& error);

// "1001": input 0 first, exactly four digits 0 or 1.
[[nodiscard]] bool parseSwitchBits(std::string_view text, uint8_t& bits);

// The first count bytes in upper-case hex, separated by blanks: "20 01 05 02 0F".
std::string hexBytes(std::span<const uint8_t> bytes, size_t count);

// Line states as digits, line 0 first: "1001".
std::string bitDigits(uint8_t bits);

// One line of the board's window about a received report.
std::string describe(const BoardEvent& e);

}  // namespace kav::usb
