#include "usbio/usb_device.h"

#include <gtest/gtest.h>

#include "fake_board.h"

namespace kav::usb {
namespace {

using test::FakeBoard;
using test::FakeClock;
using test::FakeConnector;
using test::inputReport;
using test::Step;
using Bytes = std::vector<uint8_t>;

TEST(UsbReports, CommandLayouts) {
    Payload q = configurationQuery();
    EXPECT_EQ(q[0], 0xF8);
    EXPECT_TRUE(std::all_of(q.begin() + 1, q.end(), [](uint8_t b) { return b == 0; }));

    Payload p = portExchange(0x09);
    EXPECT_EQ((Bytes{p[0], p[1], p[2], p[3], p[4]}), (Bytes{0x20, 0x01, 0x09, 0x02, 0x0F}));
    EXPECT_TRUE(std::all_of(p.begin() + 5, p.end(), [](uint8_t b) { return b == 0; }));
}

TEST(UsbReports, OutputByteAndInputBits) {
    EXPECT_EQ(outputByte({0, 0, 0, 0}), 0x00);
    EXPECT_EQ(outputByte({0, 0, 1, 0}), 0x04);
    EXPECT_EQ(outputByte({1, 0, 1, 0}), 0x05);
    EXPECT_EQ(outputByte({1, 1, 1, 1}), 0x0F);

    Payload reply{};
    reply[2] = 0xF9;  // the high bits are no inputs
    EXPECT_EQ(inputStates(reply), (LineStates{1, 0, 0, 1}));
    reply[2] = 0x06;
    EXPECT_EQ(inputStates(reply), (LineStates{0, 1, 1, 0}));
}

class UsbDeviceTest : public ::testing::Test {
protected:
    FakeClock clock;
    FakeBoard board{clock};
    FakeConnector connector{board};
    UsbDevice device{connector, clock};

    void openDevice() {
        ASSERT_TRUE(device.open());
        board.written.clear();
    }
    std::vector<uint8_t> outputBytesSent() const { return board.commandBytes(2); }
};

// --- the exchange ---------------------------------------------------------

TEST_F(UsbDeviceTest, ReportOnTheWireIsReportIdThenCommand) {
    board.outputLength = 80;  // a longer output report is filled with zeros
    openDevice();
    Payload cmd = portExchange(0x0A), reply;
    ASSERT_TRUE(device.exchange(cmd, reply));
    ASSERT_EQ(board.written.size(), 1u);
    const Bytes& sent = board.written[0];
    ASSERT_EQ(sent.size(), 80u);
    EXPECT_EQ(sent[0], 0x00);
    EXPECT_TRUE(std::equal(cmd.begin(), cmd.end(), sent.begin() + 1));
    EXPECT_TRUE(std::all_of(sent.begin() + 65, sent.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(UsbDeviceTest, StaleReportsBeforeTheReplyAreDropped) {
    openDevice();
    board.inputs = 0x0B;
    board.script = {{Step::Report, inputReport(0x33, 0x0F)}, {Step::Report, inputReport(0xFF, 0x0F)}};
    Payload reply;
    ASSERT_TRUE(device.exchange(portExchange(0), reply));
    EXPECT_EQ(board.reads, 3);
    EXPECT_EQ(reply[0], 0x20);
    EXPECT_EQ(reply[2], 0x0B);
}

TEST_F(UsbDeviceTest, ExchangeFailures) {
    openDevice();
    Payload reply;
    board.writeLimit = 64;  // one byte short
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    EXPECT_EQ(board.reads, 0);
    board.writeLimit = SIZE_MAX;

    board.script = {{Step::Error, {}}};
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));

    // Matching replies shorter than the device's input reports.
    board.script = {{Step::Report, inputReport(0x00, 0, 40)}};
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    board.replies.clear();  // what the failed exchanges left unread
    board.inputLength = 70;
    ASSERT_EQ(device.reopen(), 1);
    board.inputLength = 65;
    board.script = {{Step::Report, inputReport(0x00, 0, 65)}};
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
}

TEST_F(UsbDeviceTest, SilentBoardFailsAfterTheWait) {
    openDevice();
    board.answers = false;
    const uint64_t start = clock.now;
    Payload reply;
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    EXPECT_EQ(clock.now - start, kReplyWaitMs);
}

TEST_F(UsbDeviceTest, BoardAnsweringOnlyWithOtherRepliesFailsInBoundedTime) {
    openDevice();
    board.floodMs = 7;
    const uint64_t start = clock.now;
    Payload reply;
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    EXPECT_GE(clock.now - start, kReplyWaitMs);
    EXPECT_LT(clock.now - start, kReplyWaitMs + 7);

    // A clock that does not move still cannot keep the exchange waiting for ever.
    board.floodMs = 0;
    board.reads = 0;
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    EXPECT_EQ(board.reads, kMaxDroppedReports + 1);
}

TEST_F(UsbDeviceTest, ReadsWaitOnlyForWhatIsLeftOfTheExchange) {
    openDevice();
    board.answers = false;
    board.script = {{Step::Report, inputReport(0x44), 600}, {Step::Silence, {}}};
    const uint64_t start = clock.now;
    Payload reply;
    EXPECT_FALSE(device.exchange(configurationQuery(), reply));
    EXPECT_EQ(clock.now - start, kReplyWaitMs);
}

// --- opening --------------------------------------------------------------

TEST_F(UsbDeviceTest, ShortReportsAreRefusedAtOpening) {
    for (auto [in, out] : {std::pair<size_t, size_t>{64, 65}, {65, 64}, {9, 9}, {0, 0}}) {
        board.inputLength = in;
        board.outputLength = out;
        EXPECT_FALSE(device.open()) << in << "/" << out;
        EXPECT_EQ(device.reopen(), -1);
        EXPECT_FALSE(device.isOpen());
    }
    EXPECT_TRUE(board.written.empty());
    board.inputLength = board.outputLength = 65;
    EXPECT_TRUE(device.open());
}

TEST_F(UsbDeviceTest, NoBoardFailsOpeningAndKeepsTheEarlierLink) {
    EXPECT_EQ(device.openFlag(), 0);
    connector.outcomes = {Opening::NoDevice, Opening::OpenFailed};
    EXPECT_FALSE(device.open());
    EXPECT_FALSE(device.open());
    EXPECT_EQ(device.openFlag(), 0);

    openDevice();
    connector.outcomes = {Opening::NoDevice};
    EXPECT_EQ(device.reopen(), -1);
    EXPECT_EQ(device.openFlag(), 1);
    EXPECT_EQ(board.linksClosed, 0);
    device.setOutput(1, 1);
    EXPECT_EQ(outputBytesSent(), Bytes{0x02});

    // A board found but not opened leaves no link behind.
    connector.outcomes = {Opening::OpenFailed};
    EXPECT_EQ(device.reopen(), -1);
    EXPECT_EQ(board.linksClosed, 1);
    EXPECT_FALSE(device.isOpen());
}

TEST_F(UsbDeviceTest, OpeningReplacesTheEarlierLink) {
    openDevice();
    openDevice();
    EXPECT_EQ(board.linksClosed, 1);
    EXPECT_EQ(connector.calls, 2);
}

// --- the open flag and the commands -----------------------------------------

TEST_F(UsbDeviceTest, OutputStatesBuildTheOutputByte) {
    openDevice();
    device.setOutput(2, 1);
    device.setOutput(0, 1);
    EXPECT_EQ(outputBytesSent(), (Bytes{0x04, 0x05}));
    EXPECT_EQ(board.commandBytes(0), (Bytes{0x20, 0x20}));

    board.inputs = 0x08;
    EXPECT_EQ(device.writeAllReadInput({5, 0, -1, 1}, 3), 1);
    EXPECT_EQ(device.outputs(), (LineStates{1, 0, 0, 1}));
    EXPECT_EQ(device.readInput(0), 0);
    EXPECT_EQ(outputBytesSent(), (Bytes{0x04, 0x05, 0x09, 0x09}));
    EXPECT_EQ(device.inputs(), (LineStates{0, 0, 0, 1}));
}

TEST_F(UsbDeviceTest, FailedReadClosesUntilReopened) {
    openDevice();
    board.inputs = 0x01;
    EXPECT_EQ(device.readInput(0), 1);
    board.script = {{Step::Error, {}}};
    EXPECT_EQ(device.readInput(0), -1);
    EXPECT_EQ(device.openFlag(), 0);
    EXPECT_FALSE(device.isOpen());
    // The inputs of the last good reply stay.
    EXPECT_EQ(device.inputs(), (LineStates{1, 0, 0, 0}));

    board.written.clear();
    EXPECT_EQ(device.reopen(), 1);
    EXPECT_EQ(board.commandBytes(0), (Bytes{0xF8, 0x20}));
    EXPECT_EQ(outputBytesSent(), (Bytes{0x00, 0x00}));
    EXPECT_TRUE(device.isOpen());
}

TEST_F(UsbDeviceTest, FailedWriteOfSetOutputKeepsTheDeviceOpen) {
    openDevice();
    board.writeLimit = 0;
    device.setOutput(3, 1);
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.outputs(), (LineStates{0, 0, 0, 1}));
    EXPECT_EQ(device.writeAllReadInput({1, 1, 1, 1}, 0), -1);
    EXPECT_FALSE(device.isOpen());
}

TEST_F(UsbDeviceTest, ReopenWithoutAHandshakeReplyIsNoSuccess) {
    openDevice();
    board.answers = false;
    EXPECT_EQ(device.reopen(), -1);
    EXPECT_FALSE(device.isOpen());
    board.answers = true;
    // The configuration query's reply does not count; the port exchange's does.
    board.script = {{Step::Error, {}}};
    EXPECT_EQ(device.reopen(), 1);
}

TEST_F(UsbDeviceTest, NewRunStartsClosedAndKeepsTheOutputs) {
    openDevice();
    device.setOutput(1, 1);
    device.beginRun();
    EXPECT_EQ(device.openFlag(), 0);
    EXPECT_EQ(device.outputs(), (LineStates{0, 1, 0, 0}));
    EXPECT_EQ(device.reopen(), 1);
    EXPECT_EQ(device.outputs(), (LineStates{0, 1, 0, 0}));
    device.setOutput(3, 1);
    EXPECT_EQ(outputBytesSent().back(), 0x0A);
}

// --- the run window's exchanges ---------------------------------------------

TEST_F(UsbDeviceTest, StartUpIsTheHandshakeOfAnOpenDevice) {
    device.startUp();
    EXPECT_TRUE(board.written.empty());
    openDevice();
    device.setOutput(0, 1);
    board.written.clear();
    device.startUp();
    EXPECT_EQ(board.commandBytes(0), (Bytes{0xF8, 0x20}));
    EXPECT_EQ(outputBytesSent(), (Bytes{0x00, 0x00}));
    EXPECT_EQ(device.outputs(), (LineStates{1, 0, 0, 0}));
}

TEST_F(UsbDeviceTest, ShutDownTurnsEveryOutputOffOnce) {
    device.shutDown();
    EXPECT_TRUE(board.written.empty());
    openDevice();
    device.writeAllReadInput({1, 1, 0, 1}, 0);
    board.written.clear();
    device.shutDown();
    EXPECT_EQ(board.commandBytes(0), Bytes{0x20});
    EXPECT_EQ(outputBytesSent(), Bytes{0x00});
    EXPECT_EQ(device.outputs(), (LineStates{1, 1, 0, 1}));
}

TEST_F(UsbDeviceTest, LineNumbersOutsideTheBoardAreIgnored) {
    openDevice();
    device.setOutput(4, 1);
    device.setOutput(-1, 1);
    EXPECT_EQ(device.readInput(4), -1);
    EXPECT_TRUE(board.written.empty());
    EXPECT_TRUE(device.isOpen());
}

}  // namespace
}  // namespace kav::usb
