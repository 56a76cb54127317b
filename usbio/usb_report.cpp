#include "usbio/usb_report.h"

namespace kav::usb {

Payload configurationQuery() {
    Payload p{};
    p[0] = kConfigurationQuery;
    return p;
}

Payload portExchange(uint8_t outputByte) {
    Payload p{};
    p[0] = kPortExchange;
    p[1] = kPort1;
    p[2] = outputByte;
    p[3] = kPort2;
    p[4] = kPort2Value;
    return p;
}

uint8_t outputByte(const LineStates& outputs) {
    uint8_t b = 0;
    for (int i = 0; i < kLines; ++i)
        if (outputs[i] != 0) b |= static_cast<uint8_t>(1u << i);
    return b;
}

LineStates inputStates(const Payload& reply) {
    LineStates in{};
    for (int i = 0; i < kLines; ++i) in[i] = (reply[kInputByte] >> i) & 1;
    return in;
}

}  // namespace kav::usb
