// The one board of a program: its opened link, the remembered output and input
// states, and the exchanges the script commands and the run window make.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "usbio/usb_link.h"
#include "usbio/usb_report.h"

namespace kav::usb {

// How long one exchange may take, from sending the command to the reply.
constexpr uint32_t kReplyWaitMs = 1000;
// A second bound on the reports dropped while waiting, for a clock too coarse
// to see a board that floods its input reports.
constexpr int kMaxDroppedReports = 4096;

// Outputs and the opened link live as long as the program; only the open flag
// starts afresh with every run. Sections run one at a time (TIMER is handed to
// the window's thread), so no two exchanges share the report buffers at once.
class UsbDevice {
public:
    UsbDevice(UsbConnector& connector, UsbClock& clock);

    // A new run starts closed.
    void beginRun() { openFlag_ = 0; }
    int32_t openFlag() const { return openFlag_; }
    // The data commands do nothing but answer -1 while this is false.
    bool isOpen() const { return openFlag_ > 0; }

    // OpenUsbIO: false when no board could be opened.
    [[nodiscard]] bool open();
    // ReOpenUsbIO: 1 when the board was opened and the handshake's port exchange
    // succeeded, else -1.
    int32_t reopen();
    // UsbSetData: output n := value, then one port exchange whose outcome is not used.
    void setOutput(int n, int32_t value);
    // UsbGetData: input n from a fresh port exchange, or -1 when it failed
    // (which closes the device until the next successful opening).
    int32_t readInput(int n);
    // UsbSet4Get1: output i := 1 when values[i] > 0, else 0; then as readInput.
    int32_t writeAllReadInput(const LineStates& values, int n);

    // The run window's creation: the handshake when the device was opened.
    void startUp();
    // The run window's destruction: one port exchange with every output off;
    // the remembered outputs stay as they are.
    void shutDown();

    const LineStates& outputs() const { return outputs_; }
    const LineStates& inputs() const { return inputs_; }

    // One command out and its reply back; false on a short write, a read error,
    // a report of another length or no matching reply within kReplyWaitMs.
    [[nodiscard]] bool exchange(const Payload& command, Payload& reply);

private:
    // Replaces the link with the first board found; keeps it when none is found.
    Opening::Outcome openFirst();
    [[nodiscard]] bool handshake();
    [[nodiscard]] bool portExchange(uint8_t outputByte, Payload& reply);
    [[nodiscard]] bool exchangeOutputs();

    UsbConnector& connector_;
    UsbClock& clock_;
    std::unique_ptr<UsbLink> link_;
    std::vector<uint8_t> output_;  // the output report, outputReportLength bytes
    std::vector<uint8_t> input_;   // the input report, inputReportLength bytes
    int32_t openFlag_ = 0;
    LineStates outputs_{};
    LineStates inputs_{};
};

}  // namespace kav::usb
