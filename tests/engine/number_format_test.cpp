#include "engine/number_format.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(NumberFormat, DecimalsAsTheRulesGiveThem) {
    EXPECT_EQ(formatDecimals(3.14159, 2), "3.14");
    EXPECT_EQ(formatDecimals(-0.5, 3), "-0.500");
    EXPECT_EQ(formatDecimals(0.05, 2), "0.05");
    EXPECT_EQ(formatDecimals(0.004, 2), "0.00");
    EXPECT_EQ(formatDecimals(7.9, 0), "7");
    EXPECT_EQ(formatDecimals(-0.25, 2), "-0.25");
    EXPECT_EQ(formatDecimals(-0.25, 0), "-0");
    EXPECT_EQ(formatDecimals(-7.9, 0), "-7");
    EXPECT_EQ(formatDecimals(12, 3), "12.000");
    EXPECT_EQ(formatDecimals(-0.0, 1), "0.0");
}

TEST(NumberFormat, SignificantDigitsThenCut) {
    // The fraction is rounded to n significant digits, then cut to n places.
    EXPECT_EQ(formatDecimals(0.0096, 2), "0.00");
    EXPECT_EQ(formatDecimals(0.096, 2), "0.09");
    EXPECT_EQ(formatDecimals(0.0996, 3), "0.099");
    EXPECT_EQ(formatDecimals(1.5e-10, 4), "0.0000");
}

TEST(NumberFormat, HalvesRoundUpOnTheExactValue) {
    EXPECT_EQ(formatDecimals(0.125, 2), "0.13");
    EXPECT_EQ(formatDecimals(0.375, 2), "0.38");
    // 0.145 is stored a little below the half.
    EXPECT_EQ(formatDecimals(0.145, 2), "0.14");
}

TEST(NumberFormat, CarryIntoTheUnits) {
    EXPECT_EQ(formatDecimals(0.999, 2), "1.00");
    EXPECT_EQ(formatDecimals(3.999, 2), "4.00");
    EXPECT_EQ(formatDecimals(-0.999, 2), "-1.00");
    EXPECT_EQ(formatDecimals(2147483647.9999, 2), "2147483648.00");
}

TEST(NumberFormat, OutOfTheOrdinaryArguments) {
    EXPECT_EQ(formatDecimals(2.75, -3), "2");
    EXPECT_EQ(formatDecimals(4294967296.5, 1), "4294967296.5");
    EXPECT_EQ(formatDecimals(-3e9, 0), "-3000000000");
    EXPECT_EQ(formatDecimals(1e300, 0).size(), 301u);
    const std::string wide = formatDecimals(1.0 / 3, 100000);
    EXPECT_EQ(wide.size(), 511u);
    EXPECT_EQ(wide.substr(0, 6), "0.3333");
    EXPECT_EQ(formatDecimals(-1e300, 2, 31).size(), 31u);
    EXPECT_EQ(formatDecimals(1.0 / 3, 5, 4), "0.33");
}

}  // namespace
}  // namespace kav
