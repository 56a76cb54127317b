#include "usbio/virtual_board.h"

#include <algorithm>

namespace kav::usb {

size_t VirtualBoard::answer(std::span<const uint8_t> report, std::span<uint8_t> reply) {
    BoardEvent e;
    e.number = ++received_;
    e.length = report.size();
    if (report.size() != kReportBytes || report[0] != kReportId || reply.size() < kReportBytes) {
        e.kind = BoardEvent::BadReport;
        std::copy_n(report.begin() + std::min<size_t>(report.size(), 1),
                    std::min(kPayloadBytes, report.size() > 0 ? report.size() - 1 : 0), e.command.begin());
        remember(e);
        return 0;
    }
    std::copy_n(report.begin() + 1, kPayloadBytes, e.command.begin());
    // A reply repeats its command, so byte 63 matches; a port exchange carries
    // the switches in byte 2 instead.
    reply[0] = kReportId;
    std::copy_n(e.command.begin(), kPayloadBytes, reply.begin() + 1);
    switch (e.command[0]) {
    case kConfigurationQuery:
        e.kind = BoardEvent::Configuration;
        break;
    case kPortExchange:
        e.kind = BoardEvent::Port;
        if (e.command[1] == kPort1) outputs_ = e.command[2] & 0x0F;
        reply[1 + kInputByte] = inputs_;
        e.outputs = outputs_;
        e.inputs = inputs_;
        break;
    default:
        e.kind = BoardEvent::Unknown;
        break;
    }
    remember(e);
    return kReportBytes;
}

void VirtualBoard::setInput(int n, bool on) {
    if (n < 0 || n >= kLines) return;
    const auto bit = static_cast<uint8_t>(1u << n);
    inputs_ = on ? (inputs_ | bit) : (inputs_ & ~bit);
}

void VirtualBoard::remember(const BoardEvent& e) {
    record_.push_back(e);
    if (record_.size() > kRecordSize) record_.pop_front();
}

bool parseSwitchBits(std::string_view text, uint8_t& bits) {
    if (text.size() != static_cast<size_t>(kLines)) return false;
    uint8_t b = 0;
    for (int i = 0; i < kLines; ++i) {
        if (text[i] != '0' && text[i] != '1') return false;
        if (text[i] == '1') b |= static_cast<uint8_t>(1u << i);
    }
    bits = b;
    return true;
}

bool parseBoardOptions(const std::vector<std::string>& args, BoardOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--inputs" && a != "--log") {
            error = "unknown argument " + a;
            return false;
        }
        if (i + 1 == args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (a == "--log") {
            options.log = value;
        } else if (!parseSwitchBits(value, options.inputs)) {
            error = "--inputs takes four digits 0 or 1, input 0 first";
            return false;
        }
    }
    return true;
}

std::string hexBytes(std::span<const uint8_t> bytes, size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < std::min(count, bytes.size()); ++i) {
        if (i > 0) s += ' ';
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 0x0F];
    }
    return s;
}

std::string bitDigits(uint8_t bits) {
    std::string s;
    for (int i = 0; i < kLines; ++i) s += ((bits >> i) & 1) ? '1' : '0';
    return s;
}

std::string describe(const BoardEvent& e) {
    std::string s = std::to_string(e.number) + ": " + hexBytes(e.command, 5) + "  ";
    switch (e.kind) {
    case BoardEvent::Configuration:
        return s + "設定の問い合わせ";
    case BoardEvent::Port:
        return s + "出力 " + bitDigits(e.outputs) + " → 入力 " + bitDigits(e.inputs) + " を返答";
    case BoardEvent::Unknown:
        return s + "知らないコマンド (そのまま返答)";
    case BoardEvent::BadReport:
        return std::to_string(e.number) + ": 長さ " + std::to_string(e.length) + " バイトのレポート (返答なし)";
    }
    return s;
}

}  // namespace kav::usb
