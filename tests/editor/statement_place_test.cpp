#include "editor/statement_place.h"

#include <gtest/gtest.h>

namespace kav::editor {
namespace {

int32_t positionOf(const ProgramText& t, std::string_view what) { return static_cast<int32_t>(t.view().find(what)); }

TEST(StatementSpan, CoversTheStatementAsWritten) {
    const std::string text = "// 漢字\r\nINIT{\r\n  x = y ; // z\r\n  loop(2) {\r\n  }\r\n}\r\n";
    const ProgramText t(text);
    // Characters: "// 漢字\r\n" is 7, "INIT{\r\n" 7, then two blanks.
    const auto x = statementSpan(t, positionOf(t, "x=y"), text);
    ASSERT_TRUE(x);
    EXPECT_EQ(x->start, 16);
    EXPECT_EQ(x->end, 23);  // "x = y ;"
    const auto loop = statementSpan(t, positionOf(t, "loop"), text);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->end - loop->start, 9);  // "loop(2) {"
}

TEST(StatementSpan, NothingOnceTheTextHasChanged) {
    const std::string text = "INIT{ x = y; }";
    const ProgramText t(text);
    EXPECT_TRUE(statementSpan(t, 5, text));
    EXPECT_FALSE(statementSpan(t, 5, "INIT{ x = y; } "));
    EXPECT_FALSE(statementSpan(t, -1, text));
    EXPECT_FALSE(statementSpan(t, t.size(), text));
}

TEST(StatementSpan, StatementsOnALineOfTheirOwnOrSharingOne) {
    const std::string text = "TIMER{\r\n\tn=n+1; m = q;\r\n}";
    const ProgramText t(text);
    const auto m = statementSpan(t, positionOf(t, "m=q"), text);
    ASSERT_TRUE(m);
    EXPECT_EQ(text.substr(static_cast<size_t>(m->start), static_cast<size_t>(m->end - m->start)), "m = q;");
}

}  // namespace
}  // namespace kav::editor
