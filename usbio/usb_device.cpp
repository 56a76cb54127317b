#include "usbio/usb_device.h"

#include <algorithm>

namespace kav::usb {

namespace {

bool validLine(int n) { return n >= 0 && n < kLines; }

}  // namespace

UsbDevice::UsbDevice(UsbConnector& connector, UsbClock& clock) : connector_(connector), clock_(clock) {}

Opening::Outcome UsbDevice::openFirst() {
    Opening found = connector_.openFirst();
    if (found.outcome == Opening::NoDevice) return Opening::NoDevice;
    link_.reset();
    output_.clear();
    input_.clear();
    if (found.outcome != Opening::Opened || !found.link) return Opening::OpenFailed;
    // Shorter reports could carry neither the whole command nor the whole reply.
    if (found.link->outputReportLength() < kReportBytes || found.link->inputReportLength() < kReportBytes)
        return Opening::OpenFailed;
    output_.assign(found.link->outputReportLength(), 0);
    input_.assign(found.link->inputReportLength(), 0);
    link_ = std::move(found.link);
    return Opening::Opened;
}

bool UsbDevice::open() {
    if (openFirst() != Opening::Opened) return false;
    openFlag_ = 1;
    return true;
}

int32_t UsbDevice::reopen() {
    const Opening::Outcome outcome = openFirst();
    if (outcome == Opening::NoDevice) return -1;
    // A link that is gone or does not answer leaves nothing to talk to.
    openFlag_ = outcome == Opening::Opened && handshake() ? 1 : 0;
    return openFlag_ == 1 ? 1 : -1;
}

bool UsbDevice::exchange(const Payload& command, Payload& reply) {
    if (!link_) return false;
    const uint64_t deadline = clock_.nowMs() + kReplyWaitMs;
    std::fill(output_.begin(), output_.end(), 0);
    output_[0] = kReportId;
    std::copy(command.begin(), command.end(), output_.begin() + 1);
    if (link_->write(output_, kReplyWaitMs) < output_.size()) return false;
    // Input reports queued before this command are stale: drop them until the reply.
    for (int dropped = 0; dropped <= kMaxDroppedReports; ++dropped) {
        const uint64_t now = clock_.nowMs();
        if (now >= deadline) return false;
        const ReadOutcome got = link_->read(input_, static_cast<uint32_t>(deadline - now));
        if (got.result != ReadResult::Report || got.length != input_.size()) return false;
        if (input_[1 + kMatchByte] == command[kMatchByte]) {
            std::copy_n(input_.begin() + 1, kPayloadBytes, reply.begin());
            return true;
        }
    }
    return false;
}

bool UsbDevice::portExchange(uint8_t outputByte, Payload& reply) {
    return exchange(usb::portExchange(outputByte), reply);
}

bool UsbDevice::handshake() {
    Payload reply;
    (void)exchange(configurationQuery(), reply);
    return portExchange(0x00, reply);
}

bool UsbDevice::exchangeOutputs() {
    Payload reply;
    if (!portExchange(outputByte(outputs_), reply)) return false;
    inputs_ = inputStates(reply);
    return true;
}

void UsbDevice::setOutput(int n, int32_t value) {
    if (!validLine(n)) return;
    outputs_[n] = value;
    Payload reply;
    (void)portExchange(outputByte(outputs_), reply);
}

int32_t UsbDevice::readInput(int n) {
    if (!validLine(n)) return -1;
    if (!exchangeOutputs()) {
        openFlag_ = 0;
        return -1;
    }
    return inputs_[n];
}

int32_t UsbDevice::writeAllReadInput(const LineStates& values, int n) {
    for (int i = 0; i < kLines; ++i) outputs_[i] = values[i] > 0 ? 1 : 0;
    return readInput(n);
}

void UsbDevice::startUp() {
    if (openFlag_ >= 1) (void)handshake();
}

void UsbDevice::shutDown() {
    Payload reply;
    if (openFlag_ != 0) (void)portExchange(0x00, reply);
}

}  // namespace kav::usb
