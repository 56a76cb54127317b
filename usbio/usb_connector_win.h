// Finding and opening the board: a HID device with the board's ids, or else a
// running virtual board.
#pragma once
#include <string>
#include <vector>

#include "usbio/usb_link.h"

namespace kav::usb {

constexpr unsigned short kBoardVendorId = 0x1352;
constexpr unsigned short kBoardProductIds[] = {0x0120, 0x0121};

// The device paths of the present HID devices with the board's ids, in the
// order the system lists them.
std::vector<std::string> findBoards();

class SystemConnector final : public UsbConnector {
public:
    // The first real board; only when none is present, the virtual board.
    Opening openFirst() override;
};

}  // namespace kav::usb
