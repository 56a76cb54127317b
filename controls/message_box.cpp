#include "controls/message_box.h"

namespace kav {

namespace {

// The system's values, kept here so the mapping builds and is tested without <windows.h>.
constexpr unsigned kOk = 0x0, kOkCancel = 0x1, kYesNoCancel = 0x3, kYesNo = 0x4;
constexpr unsigned kIconStop = 0x10, kIconQuestion = 0x20, kIconExclamation = 0x30, kIconInformation = 0x40;
constexpr int kIdOk = 1, kIdYes = 6, kIdNo = 7;

}  // namespace

unsigned messageBoxButtons(int code) {
    switch (code) {
    case 2: return kOkCancel;
    case 3: return kYesNo;
    case 4: return kYesNoCancel;
    default: return kOk;
    }
}

unsigned messageBoxIcon(int code) {
    switch (code) {
    case 1: return kIconExclamation;
    case 2: return kIconInformation;
    case 3: return kIconQuestion;
    case 4: return kIconStop;
    default: return 0;
    }
}

int messageBoxResult(int answer) {
    if (answer == kIdOk || answer == kIdYes) return 1;
    if (answer == kIdNo) return 0;
    return -1;
}

}  // namespace kav
