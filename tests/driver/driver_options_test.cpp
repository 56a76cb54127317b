// The driver's command line is a contract with the scripts that call it: a
// wrong parse would drive the app differently from what a test asked for, and
// a bad argument must stop the driver before the app starts.
#include "tools/kav3drv/driver_options.h"

#include <gtest/gtest.h>

namespace kavdrv {
namespace {

Options parsed(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    EXPECT_TRUE(parseOptions(args, o, error)) << error;
    return o;
}

std::string rejection(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    EXPECT_FALSE(parseOptions(args, o, error));
    EXPECT_FALSE(error.empty());
    return error;
}

std::vector<Action> actions(std::string_view text) {
    std::vector<Action> list;
    std::string error;
    EXPECT_TRUE(parseActions(text, list, error)) << error;
    return list;
}

bool actionsRejected(std::string_view text) {
    std::vector<Action> list;
    std::string error;
    return !parseActions(text, list, error) && !error.empty();
}

TEST(Options, DefaultsWithOnlyTheApp) {
    const Options o = parsed({"/tmp/x/app.exe"});
    EXPECT_EQ(o.app, "/tmp/x/app.exe");
    EXPECT_EQ(o.commandLine, "\"%s\"");
    EXPECT_EQ(o.timeoutSeconds, 10);
    EXPECT_TRUE(o.answers.empty());
    EXPECT_TRUE(o.actions.empty());
    EXPECT_TRUE(o.finalShot.empty());
    EXPECT_FALSE(o.verbose);
}

TEST(Options, EveryOptionIsTakenInAnyOrder) {
    const Options o = parsed({"--timeout", "2.5", "--answer", "yes", "Z:\\a b\\app.exe", "--answer", "no", "--answer",
                              "cancel", "--answer", "ok", "--cmdline", "\"%s\" ", "--final-shot", "/tmp/f.png",
                              "--verbose", "--do", "click 1 2", "--box-wait", "250"});
    EXPECT_EQ(o.app, "Z:\\a b\\app.exe");
    EXPECT_DOUBLE_EQ(o.timeoutSeconds, 2.5);
    EXPECT_EQ(o.answers, (std::vector<int>{6, 7, 2, 1}));
    EXPECT_EQ(o.commandLine, "\"%s\" ");
    EXPECT_EQ(o.finalShot, "/tmp/f.png");
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.boxWaitMs, 250);
    ASSERT_EQ(o.actions.size(), 1u);
    EXPECT_EQ(o.actions[0].kind, ActionKind::Click);
}

TEST(Options, SeveralDoOptionsAppendInOrder) {
    const Options o = parsed({"--do", "move 1 2", "--do", "info", "app.exe"});
    ASSERT_EQ(o.actions.size(), 2u);
    EXPECT_EQ(o.actions[0].kind, ActionKind::Move);
    EXPECT_EQ(o.actions[1].kind, ActionKind::Info);
}

TEST(Options, UsageFaultsAreRejected) {
    rejection({});
    rejection({"--verbose"});
    rejection({"a.exe", "b.exe"});
    rejection({"--bogus", "a.exe"});
    rejection({"a.exe", "--timeout"});
    rejection({"--timeout", "soon", "a.exe"});
    rejection({"--timeout", "-1", "a.exe"});
    rejection({"--timeout", "1s", "a.exe"});
    rejection({"--timeout", "inf", "a.exe"});
    rejection({"--answer", "OK", "a.exe"});
    rejection({"--answer", "retry", "a.exe"});
    rejection({"--final-shot", "", "a.exe"});
    rejection({"--box-wait", "-5", "a.exe"});
    rejection({"--box-wait", "soon", "a.exe"});
    EXPECT_NE(rejection({"--do", "jump 1 2", "a.exe"}).find("jump"), std::string::npos);
}

TEST(Actions, PointerActionsKeepTheirCoordinates) {
    const std::vector<Action> list = actions("move 10 20; click 0 -5;rclick 32767 -32768 ;dblclick 0x10 7;pixel 3 4");
    ASSERT_EQ(list.size(), 5u);
    const ActionKind kinds[] = {ActionKind::Move, ActionKind::Click, ActionKind::RightClick, ActionKind::DoubleClick,
                                ActionKind::Pixel};
    const int xs[] = {10, 0, 32767, 16, 3}, ys[] = {20, -5, -32768, 7, 4};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i].kind, kinds[i]) << i;
        EXPECT_EQ(list[i].a, xs[i]) << i;
        EXPECT_EQ(list[i].b, ys[i]) << i;
    }
}

TEST(Actions, KeyboardWheelWaitAndScroll) {
    const std::vector<Action> list =
        actions("key 0x0D;key 65; char 0x41; wheel -2; wait 250; hscroll 4 30; vscroll 1; close; info; boxes 2");
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0].kind, ActionKind::Key);
    EXPECT_EQ(list[0].a, 13);
    EXPECT_EQ(list[1].a, 65);
    EXPECT_EQ(list[2].kind, ActionKind::Char);
    EXPECT_EQ(list[2].a, 0x41);
    EXPECT_EQ(list[3].kind, ActionKind::Wheel);
    EXPECT_EQ(list[3].a, -2);
    EXPECT_EQ(list[4].kind, ActionKind::Wait);
    EXPECT_EQ(list[4].a, 250);
    EXPECT_EQ(list[5].kind, ActionKind::HScroll);
    EXPECT_EQ(list[5].a, 4);
    EXPECT_EQ(list[5].b, 30);
    EXPECT_EQ(list[6].kind, ActionKind::VScroll);
    EXPECT_EQ(list[6].b, 0) << "position defaults to 0";
    EXPECT_EQ(list[7].kind, ActionKind::Close);
    EXPECT_EQ(list[8].kind, ActionKind::Info);
    EXPECT_EQ(list[9].kind, ActionKind::Boxes);
    EXPECT_EQ(list[9].a, 2);
}

TEST(Actions, APressMayHoldASecondKeyDown) {
    const std::vector<Action> list = actions("press 9; press 9 16; press 0x41 17");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, ActionKind::Press);
    EXPECT_EQ(list[0].a, 9);
    EXPECT_EQ(list[0].b, 0) << "no key held";
    EXPECT_EQ(list[1].b, 16);
    EXPECT_EQ(list[2].a, 0x41);
    EXPECT_EQ(list[2].b, 17);
    for (const char* bad : {"press", "press 9 16 17", "press 0", "press 9 0", "press 9 255", "press shift"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

TEST(Actions, PressReleaseAndDragTakeTheirPoints) {
    const std::vector<Action> list = actions("down 5 -6; up 7 8; drag 1 2 -3 32767");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, ActionKind::Down);
    EXPECT_EQ(list[0].b, -6);
    EXPECT_EQ(list[1].kind, ActionKind::Up);
    EXPECT_EQ(list[1].a, 7);
    EXPECT_EQ(list[2].kind, ActionKind::Drag);
    EXPECT_EQ((std::vector<int>{list[2].a, list[2].b, list[2].c, list[2].d}), (std::vector<int>{1, 2, -3, 32767}));
    for (const char* bad : {"down 1", "up 1 2 3", "drag 1 2 3", "drag 1 2 3 4 5", "drag 1 2 3 40000"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

TEST(Actions, ShotTakesTheRestOfTheItemAsItsFile) {
    const std::vector<Action> list = actions("shot  C:\\my pictures\\a.png ;shot /tmp/b.bmp");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, ActionKind::Shot);
    EXPECT_EQ(list[0].text, "C:\\my pictures\\a.png");
    EXPECT_EQ(list[1].text, "/tmp/b.bmp");
}

TEST(Actions, EmptyItemsAreSkipped) {
    EXPECT_TRUE(actions("").empty());
    EXPECT_TRUE(actions(" ; ;").empty());
    EXPECT_EQ(actions(";info;;info;").size(), 2u);
}

TEST(Actions, MalformedActionsAreRejected) {
    for (const char* bad : {"click 10", "click a b", "click 1 2 3", "move 1 2x", "wheel", "wheel 274", "wheel --1",
                            "key 0", "key 255", "key 0x", "key 1.5", "char 0x10000", "wait -1", "boxes", "boxes -1", "hscroll",
                            "vscroll 1 2 3 4", "vscroll 1 -1", "info now", "close 1", "shot", "shot   ", "Click 1 2",
                            "move 1 2; tap 3 4", "move 99999 1"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

TEST(Actions, ControlActionsTakeAnIdAndTheirText) {
    const std::vector<Action> list = actions(
        "menu 101; button 0x3E8; type 7  hello world ; settext 8; settext 9 a  b;text 65535; focus 1; pick 4 2;"
        "menustate 3; type 5 \xe6\x97\xa5\xe6\x9c\xac");
    ASSERT_EQ(list.size(), 10u);
    const ActionKind kinds[] = {ActionKind::Menu,    ActionKind::Button, ActionKind::Type,  ActionKind::SetText,
                                ActionKind::SetText, ActionKind::Text,   ActionKind::Focus, ActionKind::Pick,
                                ActionKind::MenuState, ActionKind::Type};
    const int ids[] = {101, 1000, 7, 8, 9, 65535, 1, 4, 3, 5};
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].kind, kinds[i]) << i;
        EXPECT_EQ(list[i].a, ids[i]) << i;
    }
    EXPECT_EQ(list[2].text, "hello world") << "inner blanks stay, outer ones go";
    EXPECT_EQ(list[3].text, "") << "settext without a text empties the control";
    EXPECT_EQ(list[4].text, "a  b");
    EXPECT_EQ(list[7].b, 2);
    EXPECT_EQ(list[9].text, "\xe6\x97\xa5\xe6\x9c\xac") << "bytes pass through untouched";
}

TEST(Actions, ClipboardTakesNothingAndScrollPosAnId) {
    const std::vector<Action> list = actions("clipboard; scrollpos 103");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, ActionKind::Clipboard);
    EXPECT_EQ(list[1].kind, ActionKind::ScrollPos);
    EXPECT_EQ(list[1].a, 103);
    for (const char* bad : {"clipboard 1", "scrollpos", "scrollpos x", "scrollpos 1 2", "scrollpos 65536"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

TEST(Actions, EscapedSemicolonsStayInTheText) {
    const std::vector<Action> list = actions("type 5 a\\;b\\; c;shot x\\;y.bmp;text 5");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].text, "a;b; c");
    EXPECT_EQ(list[1].text, "x;y.bmp");
    EXPECT_EQ(list[2].kind, ActionKind::Text);
    // A backslash elsewhere is an ordinary character (Windows paths).
    EXPECT_EQ(actions("type 5 C:\\new\\t.txt")[0].text, "C:\\new\\t.txt");
}

TEST(Actions, ScrollTakesAnOptionalControl) {
    const std::vector<Action> list = actions("hscroll 5 40 1002; vscroll 0; vscroll 4 7");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].a, 5);
    EXPECT_EQ(list[0].b, 40);
    EXPECT_EQ(list[0].c, 1002);
    EXPECT_EQ(list[1].c, -1) << "no id: the window's own bar";
    EXPECT_EQ(list[2].c, -1);
}

TEST(Actions, WindowNamesAClassAndMaybeATitle) {
    const std::vector<Action> list = actions("window DLG; window #32770:Save as: final ; window RUN:");
    ASSERT_EQ(list.size(), 3u);
    WindowSpec spec = parseWindowSpec(list[0].text);
    EXPECT_EQ(spec.className, "DLG");
    EXPECT_TRUE(spec.anyTitle);
    spec = parseWindowSpec(list[1].text);
    EXPECT_EQ(spec.className, "#32770");
    EXPECT_FALSE(spec.anyTitle);
    EXPECT_EQ(spec.title, "Save as: final") << "only the first colon splits";
    spec = parseWindowSpec(list[2].text);
    EXPECT_FALSE(spec.anyTitle) << "an empty title asks for an untitled window";
    EXPECT_EQ(spec.title, "");
}

TEST(Actions, MalformedControlActionsAreRejected) {
    for (const char* bad : {"menu", "menu 65536", "menu -1", "menu 1 2", "button", "button x", "type 5", "type 5   ",
                            "type", "type x hello", "settext", "text", "text 1 2", "focus", "pick 1", "pick 1 -1",
                            "pick 1 2 3", "menustate", "window", "window   ", "window :title", "hscroll 1 2 3 4",
                            "vscroll 1 2 70000"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

TEST(Options, WindowAndFileAnswers) {
    Options o = parsed({"app.exe"});
    EXPECT_EQ(o.windowClass, "RUN");
    EXPECT_TRUE(o.files.empty());
    o = parsed({"--window", "KAV3", "--file", "/tmp/a b.txt", "--file", "-", "--file", "C:\\x.txt", "app.exe"});
    EXPECT_EQ(o.windowClass, "KAV3");
    EXPECT_EQ(o.files, (std::vector<std::string>{"/tmp/a b.txt", "-", "C:\\x.txt"}));
    rejection({"--window", "", "a.exe"});
    rejection({"--file", "", "a.exe"});
    rejection({"a.exe", "--file"});
}

TEST(Integers, DecimalSignedAndHex) {
    long long v = 0;
    EXPECT_TRUE(parseInteger("0", v) && v == 0);
    EXPECT_TRUE(parseInteger("-12", v) && v == -12);
    EXPECT_TRUE(parseInteger("+7", v) && v == 7);
    EXPECT_TRUE(parseInteger("0x1B", v) && v == 27);
    EXPECT_TRUE(parseInteger("0Xff", v) && v == 255);
    for (const char* bad :
         {"", "-", "0x", "x1", "12a", " 1", "1 ", "--1", "+-1", "-0x1", "0x-1", "99999999999999999999"})
        EXPECT_FALSE(parseInteger(bad, v)) << '"' << bad << '"';
}

TEST(CommandLine, EveryPlaceholderBecomesThePath) {
    EXPECT_EQ(expandCommandLine("\"%s\"", "Z:\\t\\a.exe"), "\"Z:\\t\\a.exe\"");
    EXPECT_EQ(expandCommandLine("\"%s\" ", "a"), "\"a\" ");
    EXPECT_EQ(expandCommandLine("%s %s", "a"), "a a");
    EXPECT_EQ(expandCommandLine("%%s%", "p"), "%p%");
    EXPECT_EQ(expandCommandLine("plain", "p"), "plain");
    // A path holding "%s" is not expanded again.
    EXPECT_EQ(expandCommandLine("%s", "a%sb"), "a%sb");
}

TEST(Text, LineBreaksAreWrittenAsEscapes) {
    EXPECT_EQ(escapeLineBreaks("a\r\nb\n\rc"), "a\\r\\nb\\n\\rc");
    EXPECT_EQ(escapeLineBreaks("plain \\ text"), "plain \\ text");
    EXPECT_EQ(escapeLineBreaks(""), "");
}

TEST(Paths, UnixPathsGoOntoDriveZ) {
    EXPECT_TRUE(isUnixPath("/tmp/x"));
    EXPECT_FALSE(isUnixPath("Z:\\tmp"));
    EXPECT_FALSE(isUnixPath("app.exe"));
    EXPECT_FALSE(isUnixPath(""));
    EXPECT_EQ(driveZPath("/tmp/x/app.exe"), "Z:\\tmp\\x\\app.exe");
    EXPECT_EQ(driveZPath("/"), "Z:\\");
}

TEST(Paths, PngOnlyByTheEndOfTheName) {
    EXPECT_TRUE(wantsPng("a.png"));
    EXPECT_TRUE(wantsPng("C:\\X\\SHOT.PNG"));
    EXPECT_FALSE(wantsPng("a.png.bmp"));
    EXPECT_FALSE(wantsPng("a.bmp"));
    EXPECT_FALSE(wantsPng("png"));
    EXPECT_FALSE(wantsPng("apng"));
}

TEST(Options, BoardSwitchesAndTheirActions) {
    EXPECT_TRUE(parsed({"app.exe"}).board.empty());
    EXPECT_EQ(parsed({"--board", "1001", "app.exe"}).board, "1001");
    for (const char* bad : {"", "101", "10010", "2001", "on"}) rejection({"--board", bad, "a.exe"});
    const std::vector<Action> list = actions("switch 3 1; switch 0 0");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, ActionKind::Switch);
    EXPECT_EQ(list[0].a, 3);
    EXPECT_EQ(list[0].b, 1);
    EXPECT_EQ(list[1].b, 0);
    for (const char* bad : {"switch", "switch 1", "switch 4 1", "switch -1 0", "switch 1 2", "switch 1 1 1"})
        EXPECT_TRUE(actionsRejected(bad)) << bad;
}

}  // namespace
}  // namespace kavdrv
