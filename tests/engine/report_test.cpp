#include "engine/report.h"

#include "engine/status.h"
#include "engine_fixture.h"

namespace kav::test {
namespace {

TEST(ErrorMessages, LayoutPerSubjectLine) {
    EXPECT_EQ(errorMessage(4, "INIT", "y"), "サブルーチン : INIT\r\n\r\n 変数 : y\r\n\r\n変数の値が未定です");
    EXPECT_EQ(errorMessage(18, "Main", "Missing"),
              "サブルーチン : Main\r\n\r\n コマンド : Missing\r\n\r\nサブルーチンが見つかりません");
    EXPECT_EQ(errorMessage(12, "A", "b"), "サブルーチン : A\r\n\r\n 配列変数 : b\r\n\r\n配列変数が準備されていません");
    EXPECT_EQ(errorMessage(6, "A", "Foo"), "サブルーチン : A\r\n\r\n Foo\r\n\r\nこのコマンドは存在しません");
    EXPECT_EQ(errorMessage(19, "A", "loop"), "サブルーチン : Aネストが深すぎます");
    EXPECT_EQ(errorMessage(20, "A", "x"), "サブルーチン : Aメモリーの確保に失敗しました");
    EXPECT_EQ(errorMessage(21, "A", "x"), "サブルーチン : A\r\n\r\n コマンド : SetTimer\r\n\r\nタイマーの設定ができません");
    EXPECT_EQ(errorMessage(25, "A", "x"),
              "サブルーチン : A\r\n\r\n コマンド : CreateControl\r\n\r\nコントロールの作成に失敗しました");
    EXPECT_EQ(errorMessage(29, "A", "x"), "サブルーチン : A");
}

TEST(ErrorMessages, EveryCodeHasItsText) {
    const std::pair<int, const char*> table[] = {
        {1, "色指定の値が無効です"}, {2, "カッコの対応エラー"}, {3, "文が長すぎます"},
        {5, "ファイルが開いていません"}, {7, "配列変数のサイズを越えています"}, {8, "パラメータの数が違います"},
        {9, "文字列パラメータが見つかりません"}, {14, "裏画面が準備されていません"}, {15, "ファイルを開けません"},
        {16, "パラメータの値が無効です"}, {17, "既にファイルが開いています"}, {22, "ゼロでの除算はできません"},
        {23, "パラメータの数が違います"}, {24, "コントロールが定義されていません"},
        {26, "コントロールの種類が不一致です"}, {27, "ファイルの拡張子が無効です"},
        {28, "配列変数名が重複しています"}, {30, "このコマンドは値を返しません"},
        {31, "ＵＳＢ-ＩＯ２が接続されていません"}, {32, "カメラが接続されていません"},
        {40, "３Ｄパックのパック番号が無効です"}, {41, "すでに３Ｄパックが設定されています"},
        {42, "３Ｄパックへの登録データ数が多すぎます"}, {43, "３Ｄパック描画用の内部メモリー確保に失敗しました"},
        {44, "メニューが無効です"}, {50, "このＩＤにはサウンドファイルが登録されています"},
        {51, "サウンドファイルが登録されていません"}, {52, "ＷＡＶＥファイルの登録に失敗しました"},
        {53, "ＭＩＤＩファイルの登録に失敗しました"}, {54, "ＷＡＶＥバッファの使用数が多すぎます"},
        {55, "ＷＡＶＥバッファのサイズが大きすぎます"}, {56, "ＷＡＶＥバッファが準備されていません"},
        {57, "ＷＡＶＥバッファのサイズを超えています"},
    };
    for (auto [code, text] : table)
        EXPECT_EQ(errorMessage(static_cast<uint8_t>(code), "S", "c"),
                  std::string("サブルーチン : S\r\n\r\n コマンド : c\r\n\r\n") + text)
            << code;
    EXPECT_EQ(errorMessage(11, "S", "v"), "サブルーチン : S\r\n\r\n 変数 : v\r\n\r\n変数の使用数が多すぎます");
    EXPECT_EQ(errorMessage(10, "S", "x=1+*2"), "サブルーチン : S\r\n\r\n x=1+*2\r\n\r\n演算式に問題があります");
    EXPECT_EQ(errorMessage(13, "S", "if(a)"), "サブルーチン : S\r\n\r\n if(a)\r\n\r\nｉｆ文に誤りがあります");
    // Shift-JIS, not UTF-8: "変" is 0x95 0xCF.
    EXPECT_EQ(std::string(errorText(4).message).substr(0, 2), "\x95\xcf");
}

using EventRuns = EngineTest;

TEST_F(EventRuns, ErrorIsReportedOnceAndClosesTheWindow) {
    ASSERT_TRUE(load("INIT{loop(3){x=y;}}"));
    EXPECT_EQ(run("INIT"), 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, window);
    EXPECT_EQ(boxes[0].title, "KAV Error");
    EXPECT_EQ(boxes[0].text, "サブルーチン : INIT\r\n\r\n 変数 : y\r\n\r\n変数の値が未定です");
    EXPECT_FALSE(e.running());
    EXPECT_EQ(host.closes, std::vector<WindowRef>{window});
    EXPECT_EQ(failures(), 1);
}

TEST_F(EventRuns, ErrorInACalledSectionNamesIt) {
    ASSERT_TRUE(load("INIT{call(\"Sub\");}Sub{x=1/0;}"));
    EXPECT_EQ(run("INIT"), 22);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "サブルーチン : Sub\r\n\r\n コマンド : 1/0\r\n\r\nゼロでの除算はできません");
}

TEST_F(EventRuns, MissingSectionsAreNoError) {
    ASSERT_TRUE(load("INIT{x=1;}"));
    EXPECT_EQ(run("PAINT"), 0);
    EXPECT_TRUE(e.running());
    EXPECT_TRUE(boxes.empty());
    // A missing CLOSE lets the window close.
    run("CLOSE");
    EXPECT_FALSE(e.running());
    EXPECT_TRUE(host.closes.empty());
}

TEST_F(EventRuns, PendingErrorTakesTheErrorPath) {
    ASSERT_TRUE(load("PAINT{x=1;}"));
    e.fault.status = 16;
    e.fault.subject.set("DlgBox");
    run("PAINT");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "サブルーチン : PAINT\r\n\r\n コマンド : DlgBox\r\n\r\nパラメータの値が無効です");
    EXPECT_EQ(e.names.find("x"), -1);
}

TEST_F(EventRuns, EmptyProgramRunsNothing) {
    ASSERT_TRUE(load(""));
    for (const char* event : {"INIT", "PAINT", "TIMER", "LBUTTONDOWN"}) EXPECT_EQ(run(event), 0);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace kav::test

namespace kav::test {
namespace {

TEST_F(EventRuns, NothingRunsOnceTheProgramIsClosing) {
    ASSERT_TRUE(load("LBUTTONDOWN{end;}PAINT{x=y;}"));
    EXPECT_EQ(run("LBUTTONDOWN"), 0);
    EXPECT_FALSE(e.running());
    // Queued events before the close request arrives do not run (nor fail).
    EXPECT_EQ(run("PAINT"), 0);
    EXPECT_TRUE(boxes.empty());
}

// A reporter whose box lets another event run meanwhile, as a modal box does.
struct NestingReporter {
    Engine* engine = nullptr;
    std::vector<std::string> texts;
    static void show(void* self, WindowRef w, const std::string& text, const char*) {
        auto* r = static_cast<NestingReporter*>(self);
        r->texts.push_back(text);
        runEvent(*r->engine, w, "PAINT");
        runEvent(*r->engine, w, "TIMER");
    }
};

class NestedEvents : public EngineTest {
protected:
    NestingReporter sink;
    CKavMes nestingReporter{"KAV Error", &NestingReporter::show, &sink};
    Engine nested{subsystems, registry, host, nestingReporter};
};

TEST_F(NestedEvents, OneErrorGivesOneBox) {
    sink.engine = &nested;
    resetRunState(nested, 1280, 1024);
    nested.load("TIMER{x=nothing;}PAINT{p=1;}");
    ASSERT_TRUE(prepareProgram(nested));
    runEvent(nested, window, "TIMER");
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(nested.names.find("p"), -1);  // PAINT did not run while the box was up
    EXPECT_FALSE(nested.running());
}

int releases = 0;

// Stands for a command whose modal loop saw the window destroyed.
void destroyMeanwhile(Call& c) {
    c.e.run = RunState::Gone;
    c.e.releaseWhenIdle = [] { ++releases; };
}

const CommandEntry kModal[] = {{"Modal", 0, kStatement, destroyMeanwhile}};
const CommandFamily kModalFamily{kModal};
const CommandFamily* const kModalFamilies[] = {&kModalFamily};
const Subsystem kModalSubsystem{"modal", kModalFamilies};

class Destruction : public EngineTest {
protected:
    Destruction() : EngineTest({&kModalSubsystem}) {}
};

TEST_F(Destruction, WaitsForTheSectionsStillRunning) {
    resetRunState(e, 1280, 1024);
    e.load("INIT{a=1;Modal;b=2;}");
    ASSERT_TRUE(prepareProgram(e));
    releases = 0;
    runEvent(e, nullptr, "INIT");
    // The run stopped at the statement after the command, then the release came.
    EXPECT_EQ(e.names.find("b"), -1);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(e.activeRuns, 0);
}

}  // namespace
}  // namespace kav::test

namespace kav::test {
namespace {

// Notes each report's statement as the script was written, and whether its
// box was up yet.
struct PlaceLog : ReportListener {
    const std::vector<Box>* boxes = nullptr;
    std::vector<std::string> lines;
    void note(const char* when, const ProgramText& text, int32_t statement) {
        const SourcePlace p = text.sourcePlace(statement);
        const std::string_view s = text.view().substr(static_cast<size_t>(statement));
        lines.push_back(std::string(when) + " " + std::to_string(boxes->size()) + " " + std::to_string(p.line) + ":" +
                        std::to_string(p.column) + " " + std::string(s.substr(0, s.find(';'))));
    }
    void boxShowing(const ProgramText& t, int32_t s) override { note("showing", t, s); }
    void boxClosed(const ProgramText& t, int32_t s) override { note("closed", t, s); }
};

class ReportPlaces : public EngineTest {
protected:
    ReportPlaces() {
        log.boxes = &boxes;
        reporter.listen(&log);
    }
    PlaceLog log;
};

TEST_F(ReportPlaces, TheListenerHearsTheFailingStatementAroundTheBox) {
    ASSERT_TRUE(load("// timer\r\nCREATE{ SetTimer(50); }\r\nINIT{ n = 0; }\r\nTIMER{\r\n    n = n + 1;\r\n"
                     "    if(n == 1){\r\n        x = nothing;   // line 7\r\n    }\r\n}\r\n"));
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(run("TIMER"), 4);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"showing 0 7:9 x=nothing", "closed 1 7:9 x=nothing"}));
    // The box says what it always said.
    EXPECT_EQ(boxes[0].text, "サブルーチン : TIMER\r\n\r\n 変数 : nothing\r\n\r\n変数の値が未定です");
}

TEST_F(ReportPlaces, CallsAndCreateErrorsPointAtTheirStatements) {
    ASSERT_TRUE(load("INIT{\r\n call(\"Sub\");\r\n}\r\nSub{ a = 1;\r\n  b = 1/0; }"));
    run("INIT");
    EXPECT_EQ(log.lines.at(0), "showing 0 5:3 b=1/0");
    // A failed CREATE phase keeps where it stopped; its box names CREATE alone.
    EXPECT_FALSE(load("CREATE{\r\n SetWinSize(1,2);\r\n loop(1){ SetTimer(0); }\r\n}"));
    ASSERT_GE(e.createFailedAt, 0);
    EXPECT_EQ(e.program.sourcePlace(e.createFailedAt).line, 3);
    reporter.report(window, e.fault.status, e.program, -1, e.fault.subject.view(), e.createFailedAt);
    EXPECT_EQ(log.lines.back(), "closed 2 3:11 SetTimer(0)");
    EXPECT_EQ(boxes.back().text, "サブルーチン : CREATE\r\n\r\n コマンド : SetTimer\r\n\r\nタイマーの設定ができません");
    EXPECT_TRUE(load("INIT{}"));
    EXPECT_EQ(e.createFailedAt, -1);
}

}  // namespace
}  // namespace kav::test
