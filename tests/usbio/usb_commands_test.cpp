#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "fake_board.h"
#include "usbio/usb_part.h"

namespace kav {

extern const CommandFamily kUsbCommands;

namespace {

using usb::Opening;
using usb::test::FakeBoard;
using usb::test::FakeClock;
using usb::test::FakeConnector;
using Bytes = std::vector<uint8_t>;

// The program's board for the engine of the test being run: parts are made
// without arguments, so they find it here.
struct BoardRig {
    BoardRig() { current = &device; }
    FakeClock clock;
    FakeBoard board{clock};
    FakeConnector connector{board};
    usb::UsbDevice device{connector, clock};
    static inline usb::UsbDevice* current = nullptr;
};

std::unique_ptr<Part> makeTestPart() { return std::make_unique<UsbPart>(*BoardRig::current); }
constexpr const CommandFamily* kFamilies[] = {&kUsbCommands};
constinit const Subsystem kTestUsbSubsystem{"usbio", kFamilies, partKey<UsbPart>(), makeTestPart};

class UsbCommands : public BoardRig, public test::EngineTest {
protected:
    UsbCommands() : EngineTest({&kTestUsbSubsystem}) {}

    // Loads a script whose CREATE opens the board, and forgets what that sent.
    void loadOpen(const std::string& sections) {
        ASSERT_TRUE(load("CREATE{OpenUsbIO(0);}" + sections));
        board.written.clear();
    }
    Bytes outputBytes() const { return board.commandBytes(2); }
    void windowCreated() { e.part<UsbPart>().windowCreated(e, window); }
    void windowDestroyed() { e.part<UsbPart>().windowDestroyed(e); }
};

TEST_F(UsbCommands, SetDataSendsTheOutputsSoFar) {
    loadOpen("INIT{a=7;UsbSetData(2,1);UsbSetData(0,1);}");
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(outputBytes(), (Bytes{0x04, 0x05}));
    EXPECT_EQ(board.commandBytes(0), (Bytes{0x20, 0x20}));
    EXPECT_EQ(e.sys.answer, 0);  // UsbSetData leaves the result alone
}

TEST_F(UsbCommands, Set4Get1SetsEveryOutputAndReadsOneInput) {
    board.inputs = 0x08;
    loadOpen("INIT{a=UsbSet4Get1(5,0,-1,1,3);b=UsbSet4Get1(0,0,0,0,0);UsbGetData(3);}");
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(var("a"), 1);
    EXPECT_EQ(var("b"), 0);
    EXPECT_EQ(e.sys.answer, 1);
    EXPECT_EQ(outputBytes(), (Bytes{0x09, 0x00, 0x00}));
}

TEST_F(UsbCommands, WrongArgumentsWhileOpen) {
    loadOpen("A{UsbGetData(4);}B{UsbSetData(0,2);}C{UsbSetData(-1,0);}D{UsbSet4Get1(1,1,1,1,4);}"
             "E{UsbGetData;}F{UsbGetData(1,2);}G{UsbSetData(1);}H{UsbSet4Get1(1,2,3,4);}I{UsbSet4Get1(,1,1,1,1);}");
    const std::pair<const char*, uint8_t> cases[] = {{"A", 16}, {"B", 16}, {"C", 16}, {"D", 16}, {"E", 23},
                                                     {"F", 23}, {"G", 8},  {"H", 8},  {"I", 8}};
    for (auto [section, code] : cases) {
        e.fault.clear();
        EXPECT_EQ(exec(section), code) << section;
    }
    EXPECT_TRUE(board.written.empty());
}

TEST_F(UsbCommands, ClosedBoardAnswersMinusOneAndChecksNothing) {
    ASSERT_TRUE(load("INIT{a=UsbGetData(0);b=UsbSet4Get1(1,1,1,1,9);UsbSetData(7,7);c=ANSWER;UsbGetData;}"));
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(var("a"), -1);
    EXPECT_EQ(var("b"), -1);
    EXPECT_EQ(var("c"), -1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(board.written.empty());
    EXPECT_EQ(connector.calls, 0);
}

TEST_F(UsbCommands, FailedReadClosesTheBoardUntilReopened) {
    loadOpen("A{a=UsbGetData(0);}B{UsbSetData(1,1);b=ANSWER;}C{r=ReOpenUsbIO(0);}D{UsbSetData(1,1);}");
    board.script = {{usb::test::Step::Error, {}}};
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("a"), -1);
    EXPECT_EQ(exec("B"), 0);
    EXPECT_EQ(var("b"), -1);
    EXPECT_EQ(board.written.size(), 1u);
    EXPECT_EQ(exec("C"), 0);
    EXPECT_EQ(var("r"), 1);
    board.written.clear();
    EXPECT_EQ(exec("D"), 0);
    EXPECT_EQ(outputBytes(), Bytes{0x02});
}

TEST_F(UsbCommands, OpenUsbIOWithoutABoardStopsTheCreatePhase) {
    connector.outcomes = {Opening::NoDevice};
    EXPECT_FALSE(load("CREATE{OpenUsbIO(0);}"));
    EXPECT_EQ(e.fault.status, 31);
    connector.outcomes = {Opening::OpenFailed};
    EXPECT_FALSE(load("CREATE{OpenUsbIO(1+1);}"));
    EXPECT_EQ(e.fault.status, 31);
    EXPECT_FALSE(load("CREATE{OpenUsbIO;}"));
    EXPECT_EQ(e.fault.status, 23);
    EXPECT_FALSE(load("CREATE{OpenUsbIO(y);}"));
    EXPECT_EQ(e.fault.status, 4);  // the argument is evaluated
    EXPECT_EQ(connector.calls, 2);
}

TEST_F(UsbCommands, ReOpenCountsItsArgumentOnly) {
    ASSERT_TRUE(load("A{r=ReOpenUsbIO(undefined);}B{ReOpenUsbIO;}C{ReOpenUsbIO(1,2);}"));
    connector.outcomes = {Opening::NoDevice};
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("r"), -1);
    EXPECT_EQ(e.sys.answer, -1);
    EXPECT_EQ(exec("B"), 23);
    e.fault.clear();
    EXPECT_EQ(exec("C"), 23);
}

TEST_F(UsbCommands, RunWindowGreetsAndTurnsOffTheBoard) {
    loadOpen("INIT{UsbSetData(3,1);}");
    windowCreated();
    EXPECT_EQ(board.commandBytes(0), (Bytes{0xF8, 0x20}));
    EXPECT_EQ(run("INIT"), 0);
    board.written.clear();
    windowDestroyed();
    EXPECT_EQ(board.commandBytes(0), Bytes{0x20});
    EXPECT_EQ(outputBytes(), Bytes{0x00});
    // The outputs are remembered into the next run, which starts closed.
    ASSERT_TRUE(load("INIT{a=UsbGetData(0);}"));
    board.written.clear();
    windowCreated();
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(var("a"), -1);
    windowDestroyed();
    EXPECT_TRUE(board.written.empty());
    EXPECT_EQ(device.outputs(), (usb::LineStates{0, 0, 0, 1}));
}

}  // namespace
}  // namespace kav
