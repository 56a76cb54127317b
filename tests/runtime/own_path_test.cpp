#include <gtest/gtest.h>

#include "runtime/own_path.h"

namespace kav {
namespace {

TEST(OwnPath, QuotesGoAndOneTrailingBlank) {
    EXPECT_EQ(ownPathFromCommandLine("\"C:\\My Apps\\a.exe\" "), "C:\\My Apps\\a.exe");
    EXPECT_EQ(ownPathFromCommandLine("C:\\a.exe"), "C:\\a.exe");
    EXPECT_EQ(ownPathFromCommandLine("\"C:\\a.exe\"  "), "C:\\a.exe ");
    // An argument stays part of the path, so that opening it fails.
    EXPECT_EQ(ownPathFromCommandLine("\"C:\\a.exe\" x"), "C:\\a.exe x");
    EXPECT_EQ(ownPathFromCommandLine("\"C:\\a\"b\".exe\""), "C:\\ab.exe");
}

TEST(OwnPath, MustFitThePathBuffer) {
    EXPECT_TRUE(ownPathFromCommandLine(std::string(259, 'p')));
    EXPECT_TRUE(ownPathFromCommandLine("\"" + std::string(259, 'p') + "\" "));
    EXPECT_FALSE(ownPathFromCommandLine(std::string(260, 'p')));
}

}  // namespace
}  // namespace kav
