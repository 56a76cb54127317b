// The board's two commands and its reply, as bytes.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace kav::usb {

// A command and a reply are 64 data bytes; on the wire each travels as a report
// whose first byte is the report id (always 0 here).
constexpr size_t kPayloadBytes = 64;
constexpr size_t kReportBytes = kPayloadBytes + 1;
constexpr uint8_t kReportId = 0x00;

// The byte a reply repeats from its command: how a reply is told from stale input.
constexpr size_t kMatchByte = 63;

constexpr uint8_t kConfigurationQuery = 0xF8;
constexpr uint8_t kPortExchange = 0x20;

// Bytes 1 to 4 of a port exchange.
constexpr uint8_t kPort1 = 0x01;
constexpr uint8_t kPort2 = 0x02;
constexpr uint8_t kPort2Value = 0x0F;
// The reply byte whose low four bits are inputs 0 to 3.
constexpr size_t kInputByte = 2;

constexpr int kLines = 4;  // outputs 0-3 and inputs 0-3

using Payload = std::array<uint8_t, kPayloadBytes>;
using LineStates = std::array<int32_t, kLines>;

Payload configurationQuery();
Payload portExchange(uint8_t outputByte);

// Bit i set when output i is on; bits 4 to 7 stay clear.
uint8_t outputByte(const LineStates& outputs);

// Inputs 0 to 3 from the low bits of a port exchange's reply.
LineStates inputStates(const Payload& reply);

}  // namespace kav::usb
