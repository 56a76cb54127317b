#include "fake_board.h"

#include <algorithm>

namespace kav::usb::test {

std::vector<uint8_t> inputReport(uint8_t match, uint8_t byte2, size_t length) {
    std::vector<uint8_t> r(length, 0);
    if (length > 1 + kInputByte) r[1 + kInputByte] = byte2;
    if (length > 1 + kMatchByte) r[1 + kMatchByte] = match;
    return r;
}

std::vector<uint8_t> FakeBoard::commandBytes(size_t k) const {
    std::vector<uint8_t> bytes;
    for (const auto& r : written) bytes.push_back(r.at(1 + k));
    return bytes;
}

size_t FakeLink::write(std::span<const uint8_t> report, uint32_t) {
    board_.written.emplace_back(report.begin(), report.end());
    const size_t n = std::min(report.size(), board_.writeLimit);
    if (n == report.size() && board_.answers) {
        std::vector<uint8_t> reply(board_.inputLength, 0);
        std::copy_n(report.begin(), std::min(report.size(), reply.size()), reply.begin());
        if (report.size() > 1 && report[1] == kPortExchange) reply[1 + kInputByte] = board_.inputs;
        board_.replies.push_back(std::move(reply));
    }
    return n;
}

ReadOutcome FakeLink::deliver(const std::vector<uint8_t>& bytes, uint32_t takesMs, std::span<uint8_t> buffer) {
    board_.clock.now += takesMs;
    const size_t n = std::min(bytes.size(), buffer.size());
    std::copy_n(bytes.begin(), n, buffer.begin());
    return {ReadResult::Report, n};
}

ReadOutcome FakeLink::read(std::span<uint8_t> buffer, uint32_t waitMs) {
    ++board_.reads;
    if (!board_.script.empty()) {
        const Step step = board_.script.front();
        board_.script.pop_front();
        switch (step.kind) {
        case Step::Silence:
            board_.clock.now += waitMs;
            return {ReadResult::TimedOut, 0};
        case Step::Error:
            return {ReadResult::Failed, 0};
        case Step::Report:
            return deliver(step.bytes, std::min(step.takesMs, waitMs), buffer);
        }
    }
    if (board_.floodMs >= 0)
        return deliver(inputReport(0x77, 0, board_.inputLength), static_cast<uint32_t>(board_.floodMs), buffer);
    if (!board_.replies.empty()) {
        const std::vector<uint8_t> reply = std::move(board_.replies.front());
        board_.replies.pop_front();
        return deliver(reply, 1, buffer);
    }
    board_.clock.now += waitMs;
    return {ReadResult::TimedOut, 0};
}

Opening FakeConnector::openFirst() {
    ++calls;
    Opening o;
    o.outcome = Opening::Opened;
    if (!outcomes.empty()) {
        o.outcome = outcomes.front();
        outcomes.pop_front();
    }
    if (o.outcome == Opening::Opened) o.link = std::make_unique<FakeLink>(board);
    return o;
}

}  // namespace kav::usb::test
