#include "engine/dialog_setup.h"
#include "engine_fixture.h"

namespace kav::test {
namespace {

class Dialog : public EngineTest {
protected:
    // Runs the dialog's creation section as DlgBox does.
    uint8_t create(std::string_view id) {
        e.dialog = defaultDialog(e, std::string(id), 3);
        int32_t brace = e.compiled().section(std::string(id) + "CREATE", e.fault);
        if (e.fault.ok()) executeSection(e, window, brace, kDialogCreate);
        return e.fault.status;
    }
};

TEST_F(Dialog, DefaultsFollowTheRunWindow) {
    ASSERT_TRUE(load("CREATE{SetWinPos(100,70,0);}"));
    const DialogSetup d = defaultDialog(e, std::string(300, 'x'), 7);
    EXPECT_EQ(d.id.size(), 255u);
    EXPECT_EQ(d.x, 150);
    EXPECT_EQ(d.y, 120);
    EXPECT_EQ(d.width, 300);
    EXPECT_EQ(d.height, 400);
    EXPECT_EQ(d.caption, "ダイアログ");
    EXPECT_EQ(d.style, 0x80C80000u);
    EXPECT_EQ(d.firstControl, 7u);
    EXPECT_EQ(d.timerInterval, 0);
}

TEST_F(Dialog, CreationSectionSetsTheDialog) {
    // Fake metrics: borders 1, caption 19.
    ASSERT_TRUE(load("ID_dCREATE{SetWinSize(200,100);SetWinPos(5,6,1);SetWinColor(-1);SetCaption(\"色\");"
                     "n=2;loop(n){if(n>0){SetTimer(250);}}}"));
    ASSERT_EQ(create("ID_d"), 0);
    EXPECT_EQ(e.dialog.width, 202);
    EXPECT_EQ(e.dialog.height, 120);
    EXPECT_EQ(e.dialog.x, 5);
    EXPECT_EQ(e.dialog.y, 6);
    EXPECT_TRUE(e.dialog.topmost);
    EXPECT_EQ(e.dialog.colour, -1);
    EXPECT_EQ(e.dialog.caption, "色");
    EXPECT_EQ(e.dialog.timerInterval, 250);
    // The run window's settings are untouched.
    EXPECT_EQ(e.setup.caption, "実行中");
    EXPECT_EQ(e.setup.timerInterval, 0);
}

TEST_F(Dialog, CreationSectionRefusals) {
    ASSERT_TRUE(load("ID_aCREATE{SetWinColor(17);} ID_bCREATE{SetTimer(0);} ID_cCREATE{Beep(0);}"
                     "ID_eCREATE{SetWinStyle(1);}"));
    EXPECT_EQ(create("ID_a"), 1);
    e.fault.clear();
    EXPECT_EQ(create("ID_b"), 21);
    e.fault.clear();
    EXPECT_EQ(create("ID_c"), 6);
    e.fault.clear();
    EXPECT_EQ(create("ID_e"), 6);
}

TEST_F(Dialog, EventsRunPrefixedSections) {
    ASSERT_TRUE(load("ID_dINIT{a=1;} ID_dTIMER{b=c;}"));
    e.dialog = defaultDialog(e, "ID_d", 0);
    e.dialogState = DialogState::Open;
    runEvent(e, window, "INIT", EventSource::Dialog);
    EXPECT_EQ(var("a"), 1);
    runEvent(e, window, "PAINT", EventSource::Dialog);  // no such section: nothing happens
    EXPECT_EQ(e.fault.status, 0);
    EXPECT_TRUE(e.dialogOpen());
    runEvent(e, window, "CLOSE", EventSource::Dialog);  // no CLOSE section: the dialog may close
    EXPECT_FALSE(e.dialogOpen());
    EXPECT_TRUE(e.running());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Dialog, AnErrorInTheDialogEndsTheProgram) {
    ASSERT_TRUE(load("ID_dTIMER{b=c;}"));
    e.dialog = defaultDialog(e, "ID_d", 0);
    e.dialogState = DialogState::Open;
    runEvent(e, window, "TIMER", EventSource::Dialog);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("ID_dTIMER"), std::string::npos);
    EXPECT_FALSE(e.dialogOpen());
    EXPECT_FALSE(e.running());
    ASSERT_EQ(host.closes.size(), 1u);
    EXPECT_EQ(host.closes[0], window);
    EXPECT_EQ(failures(), 1);
}

}  // namespace
}  // namespace kav::test
