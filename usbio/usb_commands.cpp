// OpenUsbIO, ReOpenUsbIO and the three data commands. The data commands answer
// -1, and check nothing, while the board is not open.
#include "engine/args.h"
#include "engine/commands.h"
#include "engine/engine.h"
#include "usbio/usb_part.h"

namespace kav {

namespace {

using usb::kLines;

bool validLine(int32_t n) { return n >= 0 && n < kLines; }

void answer(Call& c, int32_t v) {
    c.result(v);
    c.e.sys.answer = v;
}

// The open board, or nullptr after answering -1. Then the argument count.
usb::UsbDevice* openBoard(Call& c, int8_t args) {
    usb::UsbDevice& device = c.part<UsbPart>().device();
    if (!device.isOpen()) {
        answer(c, -1);
        return nullptr;
    }
    if (Status s = checkArgCount(c.args, args); s != Status::Ok) {
        c.fail(s);
        return nullptr;
    }
    return &device;
}

void openUsbIO(Call& c) {
    double unused = 0;
    if (!c.number(0, unused)) return;
    if (!c.part<UsbPart>().device().open()) c.fail(Status::NoUsb);
}

void reOpenUsbIO(Call& c) { answer(c, c.part<UsbPart>().device().reopen()); }

void usbSetData(Call& c) {
    usb::UsbDevice* device = openBoard(c, 2);
    int32_t v[2];
    if (!device || !c.integers(0, 1, v)) return;
    if (!validLine(v[0]) || (v[1] != 0 && v[1] != 1)) return c.fail(Status::ParamInvalid);
    device->setOutput(v[0], v[1]);
}

void usbGetData(Call& c) {
    usb::UsbDevice* device = openBoard(c, 1);
    int32_t n;
    if (!device || !c.integers(0, 0, &n)) return;
    if (!validLine(n)) return c.fail(Status::ParamInvalid);
    answer(c, device->readInput(n));
}

void usbSet4Get1(Call& c) {
    usb::UsbDevice* device = openBoard(c, 5);
    int32_t v[5];
    if (!device || !c.integers(0, 4, v)) return;
    if (!validLine(v[4])) return c.fail(Status::ParamInvalid);
    answer(c, device->writeAllReadInput({v[0], v[1], v[2], v[3]}, v[4]));
}

constexpr CommandEntry kEntries[] = {
    {"OpenUsbIO", 1, kCreate, openUsbIO},
    {"ReOpenUsbIO", 1, kStatement | kValue, reOpenUsbIO},
    {"UsbSetData", kArgsChecked, kStatement, usbSetData},
    {"UsbGetData", kArgsChecked, kStatement | kValue, usbGetData},
    {"UsbSet4Get1", kArgsChecked, kStatement | kValue, usbSet4Get1},
};

}  // namespace

extern constinit const CommandFamily kUsbCommands{kEntries};

}  // namespace kav
