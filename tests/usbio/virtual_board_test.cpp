#include "usbio/virtual_board.h"

#include "usbio/board/board_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kav::usb {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes report(Payload p) {
    Bytes r(kReportBytes, 0x00);
    std::copy(p.begin(), p.end(), r.begin() + 1);
    return r;
}

TEST(VirtualBoard, AnswersThePortExchangeWithItsSwitches) {
    VirtualBoard b;
    b.setInput(0, true);
    b.setInput(3, true);
    Bytes reply(kReportBytes, 0xEE);
    ASSERT_EQ(b.answer(report(portExchange(0x05)), reply), kReportBytes);
    EXPECT_EQ(b.outputBits(), 0x05);
    EXPECT_EQ(reply[0], 0x00);
    EXPECT_EQ(reply[1], 0x20);
    EXPECT_EQ(reply[1 + kInputByte], 0x09);
    EXPECT_EQ(reply[1 + kMatchByte], 0x00);

    b.setInput(0, false);
    b.setInput(7, true);  // no such switch
    ASSERT_EQ(b.answer(report(portExchange(0x0F)), reply), kReportBytes);
    Payload got;
    std::copy_n(reply.begin() + 1, kPayloadBytes, got.begin());
    EXPECT_EQ(inputStates(got), (LineStates{0, 0, 0, 1}));
    EXPECT_EQ(b.outputBits(), 0x0F);
}

TEST(VirtualBoard, AnswersTheConfigurationQueryWithoutTouchingTheLamps) {
    VirtualBoard b;
    Bytes reply(kReportBytes);
    b.answer(report(portExchange(0x03)), reply);
    ASSERT_EQ(b.answer(report(configurationQuery()), reply), kReportBytes);
    EXPECT_EQ(reply[1], 0xF8);
    EXPECT_EQ(reply[1 + kMatchByte], 0x00);
    EXPECT_EQ(b.outputBits(), 0x03);
    EXPECT_EQ(b.record().back().kind, BoardEvent::Configuration);
}

TEST(VirtualBoard, ReportsOfAnotherShapeGetNoAnswer) {
    VirtualBoard b;
    Bytes reply(kReportBytes);
    EXPECT_EQ(b.answer(Bytes(64, 0), reply), 0u);
    EXPECT_EQ(b.answer(Bytes(66, 0), reply), 0u);
    EXPECT_EQ(b.answer(Bytes{}, reply), 0u);
    Bytes wrongId = report(portExchange(0x0F));
    wrongId[0] = 0x01;
    EXPECT_EQ(b.answer(wrongId, reply), 0u);
    Bytes small(10);
    EXPECT_EQ(b.answer(report(portExchange(0x0F)), small), 0u);
    EXPECT_EQ(b.outputBits(), 0x00);
    EXPECT_EQ(b.received(), 5u);
    EXPECT_EQ(b.record().back().kind, BoardEvent::BadReport);
}

TEST(VirtualBoard, RecordKeepsTheLastReports) {
    VirtualBoard b;
    Bytes reply(kReportBytes);
    for (int i = 0; i < 20; ++i) b.answer(report(portExchange(static_cast<uint8_t>(i & 0x0F))), reply);
    ASSERT_EQ(b.record().size(), VirtualBoard::kRecordSize);
    EXPECT_EQ(b.record().front().number, 20 - VirtualBoard::kRecordSize + 1);
    EXPECT_EQ(b.record().back().number, 20u);
    EXPECT_EQ(b.record().back().outputs, 19 & 0x0F);
}

TEST(VirtualBoard, SwitchBitsAreWrittenInputZeroFirst) {
    uint8_t bits = 0xAA;
    ASSERT_TRUE(parseSwitchBits("1001", bits));
    EXPECT_EQ(bits, 0x09);
    ASSERT_TRUE(parseSwitchBits("0100", bits));
    EXPECT_EQ(bits, 0x02);
    for (const char* bad : {"", "100", "10010", "1021", "abcd", "1 01"}) EXPECT_FALSE(parseSwitchBits(bad, bits)) << bad;
    EXPECT_EQ(bits, 0x02);
    EXPECT_EQ(bitDigits(0x09), "1001");
}

TEST(VirtualBoard, LogLinesShowTheFirstCommandBytes) {
    EXPECT_EQ(hexBytes(configurationQuery(), 5), "F8 00 00 00 00");
    EXPECT_EQ(hexBytes(portExchange(0x05), 5), "20 01 05 02 0F");
    EXPECT_EQ(hexBytes(Bytes{0xAB}, 5), "AB");

    VirtualBoard b;
    b.setInputBits(0x09);
    Bytes reply(kReportBytes);
    b.answer(report(portExchange(0x0A)), reply);
    EXPECT_EQ(describe(b.record().back()), "1: 20 01 0A 02 0F  出力 0101 → 入力 1001 を返答");
    b.answer(Bytes(3, 0x20), reply);
    EXPECT_EQ(describe(b.record().back()), "2: 長さ 3 バイトのレポート (返答なし)");
}

TEST(VirtualBoard, CommandLine) {
    BoardOptions o;
    std::string error;
    ASSERT_TRUE(parseBoardOptions({"--inputs", "0011", "--log", "C:\\t\\usb.txt"}, o, error));
    EXPECT_EQ(o.inputs, 0x0C);
    EXPECT_EQ(o.log, "C:\\t\\usb.txt");
    BoardOptions none;
    ASSERT_TRUE(parseBoardOptions({}, none, error));
    EXPECT_EQ(none.inputs, 0);
    EXPECT_TRUE(none.log.empty());
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--inputs"}, {"--inputs", "12"}, {"--log"}, {"x"}})
        EXPECT_FALSE(parseBoardOptions(bad, o, error)) << bad[0];
}

TEST(VirtualBoard, ClicksFindTheirSwitch) {
    using namespace board;
    for (int i = 0; i < kLines; ++i) {
        const Box t = switchTrack(i);
        EXPECT_EQ(switchAt(t.centreX(), t.centreY()), i);
        EXPECT_EQ(switchAt(t.centreX(), kSwitchLabelY + 5), i);  // the label below counts too
        EXPECT_EQ(switchAt(t.centreX(), kLampCentreY), -1);      // the lamps do not
        EXPECT_LT(t.right, i + 1 < kLines ? switchTrack(i + 1).left : kCircuitBoard.right);
    }
    EXPECT_EQ(switchAt(kCircuitBoard.left + 2, switchTrack(0).centreY()), -1);
    EXPECT_EQ(switchAt(switchTrack(0).centreX(), kLogBox.top + 5), -1);
    EXPECT_LE(kLogBox.bottom, kClientHeight);
}

}  // namespace
}  // namespace kav::usb
