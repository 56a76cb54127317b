#include <gtest/gtest.h>

#include "engine/payload.h"
#include "engine/program_text.h"

namespace kav {
namespace {

TEST(Compaction, DropsBlanksAndCommentsOutsideLiterals) {
    EXPECT_EQ(compacted("x = 1 ; // note\r\ny\t=\t2;\r\n"), "x=1;y=2;");
    EXPECT_EQ(compacted("Print(0,0,0,0,6,12,0,\"a  b\");"), "Print(0,0,0,0,6,12,0,\"a  b\");");
    EXPECT_EQ(compacted("a=\"x // y\r\n\";"), "a=\"x // y\r\n\";");
    EXPECT_EQ(compacted("a=4/2;"), "a=4/2;");
}

TEST(Compaction, CommentEndsOnlyAtCarriageReturnLineFeed) {
    EXPECT_EQ(compacted("// one\nx=1;\r\ny=2;"), "y=2;");
    EXPECT_EQ(compacted("x=1;// last line"), "x=1;");
    EXPECT_EQ(compacted("x=1;//\r"), "x=1;");
}

TEST(Compaction, UnclosedLiteralRunsToTheEnd) { EXPECT_EQ(compacted("a=\"b c\r\n d"), "a=\"b c\r\n d"); }

TEST(Compaction, StopsAtNul) { EXPECT_EQ(compacted(std::string("a=1;\0b=2;", 9)), "a=1;"); }

TEST(Compaction, CompactTextIsNotCompactedAgain) {
    // The blank kept the slashes apart; a second pass would make them a comment.
    const std::string once = compacted("A{x=8/ /2;y=1;}\r\n");
    EXPECT_EQ(once, "A{x=8//2;y=1;}");
    EXPECT_EQ(ProgramText(once).view(), once);
    EXPECT_EQ(ProgramText("A{ x = \"a b\" ; // c\r\n}").view(), "A{x=\"a b\";}");
    EXPECT_TRUE(isCompact("a=\"b c\";"));
    EXPECT_FALSE(isCompact("a= 1;"));
}

TEST(Compaction, KanjiPassUnchanged) {
    // 表 is 0x95 0x5C and ソ 0x83 0x5C: trail bytes that look like a backslash.
    EXPECT_EQ(compacted("表=1; ソ = \"表 ソ\";"), "表=1;ソ=\"表 ソ\";");
}

TEST(FindSection, FirstMatchWinsAndNeedsTheBrace) {
    ProgramText t("A{x=1;}A{x=2;}DrawAll{}");
    Fault f;
    EXPECT_EQ(t.findSection("A", f), 1);
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(t.findSection("DrawAll", f), 21);
    EXPECT_EQ(t.findSection("Draw", f), 0);
    EXPECT_EQ(f.status, 18);
    EXPECT_EQ(f.subject.view(), "Draw");
}

TEST(FindSection, CandidatesFollowRunsOfClosingBraces) {
    // B follows the '}' of a loop inside A and is found there.
    ProgramText t("A{loop(2){x=1;}B{y=1;}}");
    Fault f;
    EXPECT_EQ(t.findSection("B", f), 16);
    // A name after "}}" is a candidate; one after "x=1;" is not.
    ProgramText u("A{x=1;C{}}");
    EXPECT_EQ(u.findSection("C", f), 0);
    EXPECT_EQ(f.status, 18);
}

TEST(FindSection, EmptyTextFindsNothing) {
    ProgramText t("");
    Fault f;
    t.findSection("INIT", f);
    EXPECT_EQ(f.status, 18);
}

TEST(Blocks, EndSkipsLiteralsAndReportsUnmatched) {
    ProgramText t("A{if(a>b){Print(\"}{\");}x=1;}");
    Fault f;
    EXPECT_EQ(t.blockEnd(1, f), t.size() - 1);
    EXPECT_EQ(t.blockEnd(9, f), 22);
    EXPECT_TRUE(f.ok());
    ProgramText u("A{x=1;");
    u.blockEnd(1, f);
    EXPECT_EQ(f.status, 2);
}

TEST(Blocks, LiteralsStepByCharacter) {
    // 0x81 0x22 is not a character boundary: the quote is a trail byte for CharNextA.
    ProgramText t("A{x=\"\x81\"\";}");
    Fault f;
    EXPECT_EQ(t.blockEnd(1, f), t.size() - 1);
    EXPECT_TRUE(f.ok());
}

TEST(Blocks, StartFindsTheFirstBraceOutsideLiterals) {
    ProgramText t("if(\"{\"==1){x=1;}");
    Fault f;
    EXPECT_EQ(t.blockStart(0, f), 10);
    ProgramText u("loop(3)");
    u.blockStart(0, f);
    EXPECT_EQ(f.status, 2);
}

TEST(StatementScan, NextSkipsLiteralsAndStopsAtTheEnd) {
    ProgramText t("a=\";\";b=1");
    Fault f;
    EXPECT_EQ(t.nextStatement(0, f), 6);
    EXPECT_EQ(t.nextStatement(6, f), t.size());
    EXPECT_TRUE(f.ok());
    ProgramText u("a=\"x;");
    u.nextStatement(0, f);
    EXPECT_EQ(f.status, 2);
}

TEST(StatementScan, CopyStopsAtSemicolonOrBrace) {
    ProgramText t("loop(26){Print(\"a;{\");}");
    Fault f;
    std::string s;
    ASSERT_TRUE(t.copyStatement(0, s, f));
    EXPECT_EQ(s, "loop(26)");
    ASSERT_TRUE(t.copyStatement(9, s, f));
    EXPECT_EQ(s, "Print(\"a;{\")");
}

TEST(StatementScan, CopyIsBoundedAt512Bytes) {
    Fault f;
    std::string s;
    std::string ok = "x=" + std::string(510, '1');
    EXPECT_TRUE(ProgramText(ok + ";").copyStatement(0, s, f));
    EXPECT_EQ(s.size(), 512u);
    EXPECT_FALSE(ProgramText(ok + "1;").copyStatement(0, s, f));
    EXPECT_EQ(f.status, 3);
    EXPECT_EQ(f.subject.view(), ok.substr(0, 31));
    // A long literal counts too.
    f.clear();
    EXPECT_FALSE(ProgramText("Print(\"" + std::string(600, 'a') + "\");").copyStatement(0, s, f));
    EXPECT_EQ(f.status, 3);
}

TEST(StatementScan, CopyOfUnclosedLiteral) {
    Fault f;
    std::string s;
    EXPECT_FALSE(ProgramText("Print(\"abc").copyStatement(0, s, f));
    EXPECT_EQ(f.status, 2);
    EXPECT_EQ(f.subject.view(), "Print(\"abc");
}

TEST(SectionOf, NamesTheSectionNotTheBlock) {
    ProgramText t("Main{loop(3){if(a>b){x=y;}}}Other{z=\"{\";w=1;}");
    EXPECT_EQ(t.sectionOf(21), "Main");  // x=y inside loop and if
    EXPECT_EQ(t.sectionOf(t.size() - 5), "Other");  // after a literal holding '{'
    EXPECT_EQ(t.sectionOf(-1), "CREATE");
    EXPECT_EQ(ProgramText("x=1;").sectionOf(2), "");
}

TEST(SectionOf, NameWithParenthesesStillEndsAtTheBrace) {
    ProgramText t("A{x=1;}B(2){loop(2){y=1;}}");
    EXPECT_EQ(t.sectionOf(t.size() - 5), "B(2)");
}

TEST(Payload, WriterAndReaderAgree) {
    std::string stub = "MZ stub bytes";
    std::string image = stub + scriptPayload("INIT{ x = 1 ; }\r\n");
    auto at = findScript(reinterpret_cast<const unsigned char*>(image.data()), image.size());
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, stub.size() + 6);
    EXPECT_EQ(image.substr(stub.size()), std::string("\0@KAV@INIT{x=1;}\0\0", 18));
}

TEST(Payload, FirstMarkerWinsAndShortImagesHaveNone) {
    std::string image = std::string("ab@KAV@x@KAV@y");
    auto at = findScript(reinterpret_cast<const unsigned char*>(image.data()), image.size());
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, 7u);
    EXPECT_FALSE(findScript(reinterpret_cast<const unsigned char*>("@KAV"), 4));
    EXPECT_FALSE(findScript(nullptr, 0));
}

}  // namespace
}  // namespace kav

namespace kav {
namespace {

// Every byte of the compacted text is the byte it came from.
void expectTracesBack(const ProgramText& t) {
    const std::string_view source = t.source();
    for (int32_t pos = 0; pos < t.size(); ++pos)
        ASSERT_EQ(source[static_cast<size_t>(t.sourceOffset(pos))], t.at(pos)) << pos;
    EXPECT_EQ(t.sourceOffset(t.size()), static_cast<int32_t>(source.size()));
}

TEST(SourceMap, KeptBytesKnowTheirLineAndColumn) {
    const ProgramText t("// note\r\nINIT{\r\n  x = 1 ;\r\n\tif(x>0){ y=\"a b\"; }\r\n}\r\n");
    ASSERT_EQ(t.view(), "INIT{x=1;if(x>0){y=\"a b\";}}");
    expectTracesBack(t);
    EXPECT_EQ(t.source().substr(0, 7), "// note");
    auto place = [&](int32_t pos) { return std::pair(t.sourcePlace(pos).line, t.sourcePlace(pos).column); };
    EXPECT_EQ(place(0), std::pair(2, 1));   // INIT
    EXPECT_EQ(place(5), std::pair(3, 3));   // x
    EXPECT_EQ(place(9), std::pair(4, 2));   // if, after a tab
    EXPECT_EQ(place(17), std::pair(4, 11));  // y
    EXPECT_EQ(place(21), std::pair(4, 15));  // the blank inside the literal stays
}

TEST(SourceMap, ColumnsCountDoubleByteCharactersOnce) {
    // 表 and ソ end in 0x5C; a comment line of kanji before them.
    const ProgramText t("// 漢字の説明\r\nA{\r\n漢=1; 表ソ = \"字 字\";\r\n}");
    expectTracesBack(t);
    const int32_t second = static_cast<int32_t>(t.view().find("表"));
    EXPECT_EQ(t.sourcePlace(second).line, 3);
    EXPECT_EQ(t.sourcePlace(second).column, 6);
    const int32_t literal = static_cast<int32_t>(t.view().find('"'));
    EXPECT_EQ(t.sourcePlace(literal).column, 11);
}

TEST(SourceMap, CompactTextIsItsOwnSource) {
    const ProgramText t("A{x=1;}B{y=2;}");
    EXPECT_EQ(t.source(), t.view());
    EXPECT_EQ(t.sourceOffset(9), 9);
    EXPECT_EQ(t.sourcePlace(9).column, 10);
    EXPECT_EQ(t.sourceOffset(-5), 0);
    EXPECT_EQ(t.sourceOffset(1000), t.size());
    EXPECT_EQ(ProgramText().sourcePlace(0).line, 1);
}

TEST(SourceMap, ScriptsCompactAsTheBuilderDoes) {
    // A text without blanks is loaded as it stands, comment and all; the
    // builder compacts every script, and so does fromScript.
    const std::string raw = "A{x=1;}//c";
    EXPECT_EQ(ProgramText(raw).view(), raw);
    for (const std::string& s : {raw, std::string("A{ x=8/ /2; }\r\n// z\r\n"), std::string("a=\"b c\r\n d"),
                                 std::string("x=1;\0y=2;", 9), std::string()}) {
        const ProgramText t = ProgramText::fromScript(s);
        EXPECT_EQ(t.view(), compacted(s));
        expectTracesBack(t);
    }
}

TEST(StatementEnd, IncludesTheSemicolonOrTheBlockBrace) {
    const ProgramText t("A{x=1;loop(2){y=\"a;{}\";}z=3}");
    EXPECT_EQ(t.statementEnd(2), 6);    // x=1;
    EXPECT_EQ(t.statementEnd(6), 14);   // loop(2){
    EXPECT_EQ(t.statementEnd(14), 23);  // y="a;{}"; - the literal's ';' does not count
    EXPECT_EQ(t.statementEnd(24), 27);  // z=3 stops at the '}' without taking it
    EXPECT_EQ(t.statementEnd(1), 2);    // the section's own brace
    EXPECT_EQ(ProgramText("x=\"ab").statementEnd(0), 5);
    EXPECT_EQ(t.statementEnd(99), t.size());
}

}  // namespace
}  // namespace kav
