#include "engine/window_setup.h"
#include "engine_fixture.h"

namespace kav::test {
namespace {

using Create = EngineTest;

TEST_F(Create, DefaultsWithoutCreate) {
    ASSERT_TRUE(load("INIT{}"));
    EXPECT_EQ(e.sys.winW, 1200);
    EXPECT_EQ(e.sys.winH, 944);
    EXPECT_EQ(e.sys.winL, 40);
    EXPECT_EQ(e.sys.winT, 40);
    EXPECT_EQ(e.setup.style, 0x80CF0000u);
    EXPECT_EQ(e.setup.caption, "実行中");
    EXPECT_EQ(e.setup.timerInterval, 0);
    EXPECT_TRUE(e.running());
}

TEST_F(Create, WindowStyles) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"0", 0x80CF0000u}, {"1", 0x80840000u}, {"2", 0x80CA0000u}, {"3", 0x80800000u},
        {"4", 0x80000000u}, {"7", 0x80CF0000u}, {"-1", 0x80CF0000u},
    };
    for (auto [code, bits] : cases) {
        ASSERT_TRUE(load(std::string("CREATE{SetWinStyle(") + code + ");}"));
        EXPECT_EQ(e.setup.style, bits) << code;
    }
}

TEST_F(Create, SizeIsTheClientAreaWhateverTheFrame) {
    // Metrics of the fake host: borders 1, caption 19, menu 19, thumbs 16.
    ASSERT_TRUE(load("CREATE{SetWinStyle(2);SetWinSize(800,660);}"));
    EXPECT_EQ(e.sys.winW, 802);
    EXPECT_EQ(e.sys.winH, 680);
    ASSERT_TRUE(load("CREATE{SetWinStyle(4);SetWinSize(800,660);}"));
    EXPECT_EQ(e.sys.winH, 660);
    ASSERT_TRUE(load("CREATE{SetScrollBar(0,100);SetWinSize(800,660);}"));
    EXPECT_EQ(e.sys.winW, 818);
    EXPECT_EQ(e.sys.winH, 680);
    EXPECT_EQ(e.setup.style & (style::HScroll | style::VScroll), style::VScroll);
    EXPECT_EQ(e.setup.scrollRangeV, 100);
    ASSERT_TRUE(load("CREATE{SetScrollBar(50,0);SetWinSize(100,100);}"));
    EXPECT_EQ(e.sys.winH, 136);
}

// A host that knows the real frame of each style.
struct FramedHost : FakeHost {
    void outerSize(int, uint32_t style, bool menu, int32_t& w, int32_t& h) override {
        lastStyle = style;
        w += 6;
        h += (menu ? 40 : 20);
    }
    uint32_t lastStyle = 0;
};

TEST(CreateFrame, TheHostsFrameFitsTheClientSize) {
    FramedHost host;
    const Subsystem* const core[] = {&kCoreSubsystem};
    const CommandRegistry registry = registryOf(core);
    CKavMes reporter("KAV Error", [](void*, WindowRef, const std::string&, const char*) {});
    Engine e(core, registry, host, reporter);
    resetRunState(e, 1280, 1024);
    e.load("CREATE{SetWinSize(400,300);a=WIN_W;SetScrollBar(10,0);SetWinStyle(2);}");
    ASSERT_TRUE(prepareProgram(e));
    // During CREATE, WIN_W reads the size the metrics give.
    EXPECT_EQ(e.names.value(e.names.find("a")), 402);
    EXPECT_EQ(e.sys.winW, 406);
    EXPECT_EQ(e.sys.winH, 320 + 16);
    // The style as finally declared, without its scroll-bar bits.
    EXPECT_EQ(host.lastStyle, 0x80CA0000u);
}

TEST_F(Create, PositionColourCaptionShape) {
    ASSERT_TRUE(load("CREATE{SetWinPos(5,6,1);SetWinColor(7);SetCaption(\"題名\");SetWinStyleOption(2,10,20);}"));
    EXPECT_EQ(e.sys.winL, 5);
    EXPECT_EQ(e.sys.winT, 6);
    EXPECT_TRUE(e.setup.topmost);
    EXPECT_EQ(e.setup.colour, 7);
    EXPECT_EQ(e.setup.caption, "題名");
    EXPECT_EQ(e.setup.shape, 2);
    EXPECT_EQ(e.setup.cornerW, 10);
    ASSERT_TRUE(load("CREATE{SetWinPos(5,6,2);SetWinStyleOption(3,1,1);}"));
    EXPECT_FALSE(e.setup.topmost);
    EXPECT_EQ(e.setup.shape, 0);
    ASSERT_TRUE(load("CREATE{SetCaption(\"" + std::string(300, 'c') + "\");}"));
    EXPECT_EQ(e.setup.caption, std::string(255, 'c'));
}

TEST_F(Create, Failures) {
    for (auto [script, status] : std::initializer_list<std::pair<const char*, int>>{
             {"CREATE{SetWinColor(17);}", 1},
             {"CREATE{SetWinColor(-2);}", 1},
             {"CREATE{SetTimer(0);}", 21},
             {"CREATE{call(\"X\");}X{}", 6},
             {"CREATE{Box(0,0,0,9,9,0,1);}", 6},
             {"CREATE{end;}", 6},
             {"CREATE{SetCaption(x);}", 9},
             {"CREATE{SetWinSize(1);}", 8},
             {"CREATE{loop(1){loop(1){SetTimer(-5);}}}", 21},
         }) {
        EXPECT_FALSE(load(script)) << script;
        EXPECT_EQ(e.fault.status, status) << script;
        EXPECT_EQ(e.names.count(), 0) << script;
    }
}

TEST_F(Create, LoopsIfsAndAssignments) {
    ASSERT_TRUE(load("CREATE{n=0;loop(4){n=n+1;}if(n==4){SetTimer(50);}if(n>4){SetTimer(99);}Data(\"a\",n,2);}"));
    EXPECT_EQ(e.setup.timerInterval, 50);
    EXPECT_EQ(e.names.entry(e.names.find("a")).rows, 4);
}

TEST_F(Create, ErrorsNameCreate) {
    EXPECT_FALSE(load("CREATE{x=y;}"));
    EXPECT_EQ(errorMessage(e.fault.status, e.program.sectionOf(-1), e.fault.subject.view()),
              "サブルーチン : CREATE\r\n\r\n 変数 : y\r\n\r\n変数の値が未定です");
}

}  // namespace
}  // namespace kav::test
