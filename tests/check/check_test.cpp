#include "check/script_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kav {
namespace {

// "LINE:COLUMN: message (subject)" for each finding of a script as written.
std::vector<std::string> check(const std::string& script) {
    const ProgramText text = ProgramText::fromScript(script);
    std::vector<std::string> lines;
    for (const Finding& f : checkScript(text)) {
        const SourcePlace at = text.sourcePlace(f.position);
        lines.push_back(std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + describeFinding(f));
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(Check, CorrectScriptsSayNothing) {
    EXPECT_EQ(check(""), Lines{});
    EXPECT_EQ(check("// 何もない\r\n"), Lines{});
    EXPECT_EQ(check("CREATE{\r\n  SetCaption(\"a,b\"); SetWinSize(100,100);\r\n  Data(\"d\",2,2);\r\n}\r\n"
                    "INIT{ x = 1; d(1,1) = sin(30) * (2 + 3); loop(3){ if(x >= 1){ x = x + 1; } } call(\"Sub\"); }\r\n"
                    "Sub{ MessBox(\"a\",\"b\",0,0); return; }\r\nCLOSE{ end; }\r\n"),
              Lines{});
    // Commas and parentheses inside literals count for nothing.
    EXPECT_EQ(check("A{ Print(0,1,2,0,6,12,0,\"(,))\"); x = \"=\"; }"), Lines{});
    // An empty block and empty statements.
    EXPECT_EQ(check("A{ ; loop(2){} ;; }B{}"), Lines{});
}

// Scripts saved with LF alone: harmless until a comment swallows the lines
// after it, which the interpreter then never sees.
TEST(Check, LineEndsThatLetACommentSwallowStatements) {
    EXPECT_EQ(swallowingLineEnd("CREATE{\r\n SetTimer(5); // 5 ms\r\n}\r\n"), -1);
    EXPECT_EQ(swallowingLineEnd("CREATE{\n SetTimer(5);\n}\n"), -1);
    EXPECT_EQ(swallowingLineEnd("A{ x = 1; }\r\nB{\n y = \"a\nb\";\n}\n"), -1);  // a literal over two lines
    EXPECT_EQ(swallowingLineEnd("// 題名\nCREATE{\n SetTimer(5);\n}\n"), 7);
    // The line end after the comment, not the harmless one before it.
    EXPECT_EQ(swallowingLineEnd("A{ x = 1; }\r\n\nB{ y = 1; // y\n z = 2; }\r\n"), 28);
    EXPECT_EQ(swallowingLineEnd("A{ x = \"//\"; }\nB{}\n"), -1);  // no comment: a literal
}

TEST(Check, UnknownNamesAndNamesOfOtherTables) {
    EXPECT_EQ(check("INIT{\r\n  Boxx(0,1,2,3,4,5,6);\r\n}"), Lines{"2:3: このコマンドは存在しません (Boxx)"});
    // A value function alone, a CREATE command in TIMER, a statement in CREATE.
    EXPECT_EQ(check("TIMER{ sin(30); SetTimer(10); }\r\nCREATE{ Box(0,1,2,3,4,5,6); }"),
              (Lines{"1:8: このコマンドは存在しません (sin)", "1:17: このコマンドは存在しません (SetTimer)",
                     "2:9: このコマンドは存在しません (Box)"}));
    // A section reached by call runs with the statement table, even CREATE.
    EXPECT_EQ(check("CREATE{ SetTimer(5); }INIT{ call(\"CREATE\"); }"),
              Lines{"1:9: このコマンドは存在しません (SetTimer)"});
}

TEST(Check, ArgumentCounts) {
    EXPECT_EQ(check("A{\r\n Box(0,10,10,50,50,0);\r\n Box(0,10,10,50,50,0,1,2);\r\n Box;\r\n CloseFile(1);\r\n}"),
              (Lines{"2:2: パラメータの数が違います (コマンド : Box)", "3:2: パラメータの数が違います (コマンド : Box)",
                     "4:2: パラメータの数が違います (コマンド : Box)",
                     "5:2: パラメータの数が違います (コマンド : CloseFile)"}));
    // Fixed counts of the flow statements; StopWaveBuf takes anything.
    EXPECT_EQ(check("A{ return(1); end(); StopWaveBuf(1,2); loop(1,2){} }"),
              (Lines{"1:4: パラメータの数が違います (コマンド : return)", "1:40: パラメータの数が違います (コマンド : loop)"}));
    // A comma inside parentheses does not count.
    EXPECT_EQ(check("A{ Line(0,f(1,2),0,0,0,0); }"), Lines{});
}

TEST(Check, BracesParenthesesAndQuotes) {
    // A '}' too many, a section that is never closed.
    EXPECT_EQ(check("A{ x=1; }\r\n}\r\nB{ y=2;\r\n"),
              (Lines{"2:1: カッコの対応エラー (コマンド : })", "3:2: カッコの対応エラー (コマンド : B)"}));
    EXPECT_EQ(check("A{\r\n  x = (1 + 2;\r\n  Box(0,1,2,3,4,5,6;\r\n  y = 1 + 2);\r\n}"),
              (Lines{"2:3: カッコの対応エラー (コマンド : x=(1+2)", "3:3: カッコの対応エラー (コマンド : Box(0,1,2,3,4,5,6)",
                     "4:3: カッコの対応エラー (コマンド : y=1+2))"}));
    // A literal that is never closed is reported once, where it opens, with
    // the rest of its line.
    EXPECT_EQ(check("A{ x=1; }\r\nB{\r\n  SetCaption(\"abc);\r\n}\r\n"),
              Lines{"3:14: カッコの対応エラー (コマンド : \"abc);)"});
    // The last statement of a block without its ';', a block after no loop or if,
    // and loop or if without a block.
    EXPECT_EQ(check("A{ x=1 }\r\nB{ Sub{ y=2; } }\r\nC{ if(a>b) x=1; loop(2); }"),
              (Lines{"1:4: カッコの対応エラー (コマンド : x=1)", "2:4: カッコの対応エラー (コマンド : Sub)",
                     "3:4: カッコの対応エラー (コマンド : if)", "3:17: カッコの対応エラー (コマンド : loop)"}));
}

TEST(Check, CallOfAMissingSection) {
    EXPECT_EQ(check("INIT{\r\n\tcall(\"Helper\");\r\n}\r\nHelper{ call(\"Missing\"); call(\"Help\"); }"),
              (Lines{"4:9: サブルーチンが見つかりません (コマンド : Missing)",
                     "4:26: サブルーチンが見つかりません (コマンド : Help)"}));
    // As the interpreter looks: a section after a nested block's '}' is found,
    // though as a block inside A it is itself a fault.
    EXPECT_EQ(check("A{ loop(1){ x=1; }B{ y=1; } call(\"B\"); }"), Lines{"1:19: カッコの対応エラー (コマンド : B)"});
    EXPECT_EQ(check("A{ call(Helper); }Helper{}"), Lines{"1:4: 文字列パラメータが見つかりません (コマンド : call)"});
}

TEST(Check, StringArgumentsWithoutQuotes) {
    EXPECT_EQ(check("CREATE{ SetCaption(title); CreateControl(101,\"a\",ID_x,0,0,10,10); }"),
              (Lines{"1:9: 文字列パラメータが見つかりません (コマンド : SetCaption)",
                     "1:28: 文字列パラメータが見つかりません (コマンド : CreateControl)"}));
    EXPECT_EQ(check("A{ Print(0,0,0,0,6,12,0,text); QRcode(0,1,1,4,0,1,\"x\"); Print(0,0,0,0,6,12,0,\"\"); }"),
              Lines{"1:4: 文字列パラメータが見つかりません (コマンド : Print)"});
}

TEST(Check, TablesOfDialogCreationSections) {
    // The dialog's creation section has the dialog's table; its other sections
    // and a section of the same name no DlgBox opens have the statement table.
    const std::string dialog = "INIT{ DlgBox(\"ID_d\"); }\r\nID_dCREATE{ SetTimer(100); CreateControl(0,\"b\",\"ID_b\",0,0,9,9); }\r\n"
                               "ID_dTIMER{ Beep(0); }\r\n";
    EXPECT_EQ(check(dialog), Lines{});
    EXPECT_EQ(check(dialog + "ID_eCREATE{ SetTimer(100); }"), Lines{"4:13: このコマンドは存在しません (SetTimer)"});
    EXPECT_EQ(check("INIT{ DlgBox(\"ID_d\"); }ID_dCREATE{ Box(0,1,2,3,4,5,6); }"),
              Lines{"1:36: このコマンドは存在しません (Box)"});
}

TEST(Check, ConditionsAndAssignments) {
    EXPECT_EQ(check("A{ if(a=b){} if(a){} if(>b){} if(a>){} if(a!=b){} if(a<=-1){} }"),
              (Lines{"1:4: ｉｆ文に誤りがあります (if(a=b))", "1:14: ｉｆ文に誤りがあります (if(a))",
                     "1:22: ｉｆ文に誤りがあります (if(>b))", "1:31: ｉｆ文に誤りがあります (if(a>))"}));
    EXPECT_EQ(check("A{ 1x = 2; 0 = 1; -2a = 3; a1 = 2; }"),
              (Lines{"1:4: 演算式に問題があります (1x=2)", "1:12: 演算式に問題があります (0=1)",
                     "1:19: 演算式に問題があります (-2a=3)"}));
    const std::string longSum = "x=" + std::string(300, '1') + ";";
    EXPECT_EQ(check("A{" + longSum + "}"), Lines{"1:3: 文が長すぎます (コマンド : x=11111111111111111111111111111)"});
}

TEST(Check, PlacesCountCharactersAndSurviveComments) {
    // Columns count a double-byte character once; comments and blanks go.
    EXPECT_EQ(check("// 漢字のコメント\r\nA{ // 説明\r\n  表示 = 1;  Boxx(1); // 字\r\n}"),
              Lines{"3:12: このコマンドは存在しません (Boxx)"});
    // Tabs are one column.
    EXPECT_EQ(check("A{\r\n\t\tFoo;\r\n}"), Lines{"2:3: このコマンドは存在しません (Foo)"});
}

TEST(Check, LooksOnlyAtTextTheInterpreterRuns) {
    // Text after the last section never runs; a literal there still pairs.
    EXPECT_EQ(check("A{ x=1; } trailing words"), Lines{});
    // A literal's braces are text.
    EXPECT_EQ(check("A{ SetCaption(\"}{\"); }"), Lines{});
}

}  // namespace
}  // namespace kav
