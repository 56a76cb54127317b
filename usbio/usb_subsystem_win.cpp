// The USB subsystem of the Windows programs: the one board of the program,
// reached through a real HID device or the virtual board.
#include "engine/subsystem.h"
#include "usbio/usb_connector_win.h"
#include "usbio/usb_link_win.h"
#include "usbio/usb_part.h"

namespace kav {

namespace {

// Made at a program's first run and kept to its end.
usb::UsbDevice& programBoard() {
    static usb::SystemConnector connector;
    static usb::TickClock clock;
    static usb::UsbDevice device(connector, clock);
    return device;
}

std::unique_ptr<Part> makeUsbPart() { return std::make_unique<UsbPart>(programBoard()); }

}  // namespace

extern const CommandFamily kUsbCommands;
constexpr const CommandFamily* kUsbFamilies[] = {&kUsbCommands};
extern constinit const Subsystem kUsbSubsystem{"usbio", kUsbFamilies, partKey<UsbPart>(), makeUsbPart};

}  // namespace kav
