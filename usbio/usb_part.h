// The USB board as a run sees it. The board itself lives as long as the
// program (its link and its outputs outlast a run in the editor); each run
// starts with it closed, greets it when the run window appears and turns its
// outputs off when the window goes.
#pragma once
#include "engine/part.h"
#include "usbio/usb_device.h"

namespace kav {

class UsbPart final : public Part {
public:
    explicit UsbPart(usb::UsbDevice& device) : device_(device) { device_.beginRun(); }

    usb::UsbDevice& device() { return device_; }

    void windowCreated(Engine&, WindowRef) override { device_.startUp(); }
    void windowDestroyed(Engine&) override { device_.shutDown(); }

private:
    usb::UsbDevice& device_;
};

}  // namespace kav
