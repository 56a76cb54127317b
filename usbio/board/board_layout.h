// Where the virtual board's window draws its parts, shared by painting and by
// the clicks that flip the switches.
#pragma once

#include "usbio/usb_report.h"

namespace kav::usb::board {

struct Box {
    int left, top, right, bottom;
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr int centreX() const { return (left + right) / 2; }
    constexpr int centreY() const { return (top + bottom) / 2; }
};

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 480;
constexpr Box kHeader{0, 0, kClientWidth, 48};
constexpr Box kCircuitBoard{12, 60, kClientWidth - 12, 322};

// Lamps and switches stand in four columns, line 0 on the left.
constexpr int kColumnLeft = 24;
constexpr int kColumnWidth = (kCircuitBoard.right - kCircuitBoard.left - 24) / kLines;
constexpr Box column(int i, int top, int bottom) {
    return {kColumnLeft + i * kColumnWidth, top, kColumnLeft + (i + 1) * kColumnWidth, bottom};
}

constexpr int kOutputsCaptionY = 70;
constexpr int kLampCentreY = 126;
constexpr int kLampRadius = 24;
constexpr int kLampLabelY = 158;

constexpr int kInputsCaptionY = 196;
constexpr Box switchTrack(int i) {
    const int cx = column(i, 0, 0).centreX();
    return {cx - 38, 228, cx + 38, 262};
}
constexpr int kSwitchLabelY = 270;

// A click anywhere in a switch's column below the caption flips it.
constexpr Box switchArea(int i) { return column(i, 220, kCircuitBoard.bottom - 4); }

constexpr int kLogCaptionY = 332;
constexpr Box kLogBox{12, 354, kClientWidth - 12, kClientHeight - 10};
constexpr int kLogLineHeight = 15;

// The switch under a point, or -1.
constexpr int switchAt(int x, int y) {
    for (int i = 0; i < kLines; ++i)
        if (switchArea(i).contains(x, y)) return i;
    return -1;
}

}  // namespace kav::usb::board
