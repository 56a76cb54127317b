#include <cmath>

#include "engine_fixture.h"

namespace kav::test {
namespace {

class Expressions : public EngineTest {
protected:
    void SetUp() override { ASSERT_TRUE(load("")); }
    // The status an expression leaves behind, from a clean start.
    uint8_t statusOf(std::string_view expression) {
        e.fault.clear();
        eval(expression);
        return e.fault.status;
    }
};

TEST_F(Expressions, PrecedenceAndAssociativity) {
    EXPECT_EQ(eval("1+2*3"), 7);
    EXPECT_EQ(eval("(1+2)*3"), 9);
    EXPECT_EQ(eval("10-3-2"), 5);
    EXPECT_EQ(eval("2*3+4*5"), 26);
    EXPECT_EQ(eval("100/10/5"), 2);
    EXPECT_EQ(eval("2*(3+4)*5"), 70);
    EXPECT_EQ(eval("1-(2-(3-4))"), -2);
    EXPECT_EQ(eval("7%3"), 1);
    EXPECT_EQ(eval("-7%3"), -1);
    EXPECT_EQ(eval("7%(0-3)"), 1);
    EXPECT_EQ(eval("7.5%2"), 1.5);
    EXPECT_TRUE(std::signbit(eval("(0-6)%3")));  // fmod keeps the sign of a zero result
    EXPECT_EQ(eval("3000000000%7"), static_cast<double>(static_cast<float>(std::fmod(3000000000.0, 7.0))));
    EXPECT_EQ(eval("1+7%3*2"), 3);
}

TEST_F(Expressions, EmptyOperandsCountAsZero) {
    EXPECT_EQ(eval("-5"), -5);
    EXPECT_EQ(eval("3*(-2)"), -6);
    EXPECT_EQ(eval(""), 0);
    EXPECT_EQ(eval("2-"), 2);
    EXPECT_EQ(eval("(*3)"), 0);
    EXPECT_TRUE(e.fault.ok());
}

TEST_F(Expressions, TwoOperatorsInARow) {
    EXPECT_EQ(statusOf("3*-2"), 10);
    EXPECT_EQ(statusOf("--5"), 10);
    EXPECT_EQ(statusOf("1+%2"), 10);
    EXPECT_EQ(statusOf("2*(-3)"), 0);
}

TEST_F(Expressions, SinglePrecision) {
    EXPECT_EQ(eval("0.1"), static_cast<double>(0.1f));
    EXPECT_NEAR(eval("0.1"), 0.100000001490116, 1e-15);
    EXPECT_EQ(eval("16777217"), 16777216);
    EXPECT_EQ(eval("16777216+1"), 16777216);
    EXPECT_EQ(eval("1/3"), static_cast<double>(1.0f / 3.0f));
}

TEST_F(Expressions, TokensThatAreNotNumbers) {
    EXPECT_EQ(statusOf("0.0"), 4);
    EXPECT_EQ(subject(), "0.0");
    EXPECT_EQ(statusOf("00"), 4);
    EXPECT_EQ(statusOf("inf"), 4);
    EXPECT_EQ(eval("3abc"), 3);
    EXPECT_EQ(eval("1.5.3"), 1.5);
    EXPECT_EQ(eval(".5"), 0.5);
    // The exponent's sign is an operator: 1e-5 is "1e" minus 5.
    EXPECT_EQ(eval("1e-5"), -4);
    EXPECT_EQ(eval("1e2"), 100);
    EXPECT_TRUE(std::isinf(eval("1e39")));
}

TEST_F(Expressions, DivisionByZeroAndRemainderOfZero) {
    EXPECT_EQ(statusOf("1+1/0"), 22);
    EXPECT_EQ(subject(), "1+1/0");
    EXPECT_EQ(statusOf("1%0"), 0);
    EXPECT_TRUE(std::isnan(eval("1%0")));
    EXPECT_EQ(statusOf("1/(2-2)"), 22);
}

TEST_F(Expressions, UnbalancedParentheses) {
    EXPECT_EQ(statusOf("(1+2"), 2);
    EXPECT_EQ(subject(), "(1+2");
    std::string longer = "(" + std::string(40, '1');
    EXPECT_EQ(statusOf(longer), 2);
    EXPECT_EQ(subject(), longer.substr(0, 31));
    EXPECT_EQ(statusOf("1+2)"), 2);
    EXPECT_EQ(statusOf("sin(1"), 2);
    // Parentheses may close before they open: the weights still sum to zero.
    EXPECT_EQ(eval("1)+(2"), 3);
}

TEST_F(Expressions, ParenthesesDoNotSplitTokens) {
    // "(1+2)(3)": the second group's digit joins the token "2".
    EXPECT_EQ(eval("(1+2)(3)"), 24);
}

TEST_F(Expressions, MathFunctions) {
    EXPECT_NEAR(eval("sin(30)"), 0.5, 1e-7);
    EXPECT_NEAR(eval("cos(60)"), 0.5, 1e-7);
    EXPECT_NEAR(eval("tan(45)"), 1, 1e-6);
    EXPECT_NEAR(eval("atan(1)"), 45, 1e-5);
    EXPECT_NEAR(eval("asin(0.5)"), 30, 1e-5);
    EXPECT_NEAR(eval("acos(0)"), 90, 1e-5);
    EXPECT_EQ(eval("sqrt(16)+1"), 5);
    EXPECT_EQ(eval("abs(-2.7)"), 2);
    EXPECT_EQ(eval("fix(-2.7)"), -2);
    EXPECT_EQ(eval("2*abs(-3)*2"), 12);
    EXPECT_EQ(eval("sqrt(sqrt(16))"), 2);
    for (int i = 0; i < 200; ++i) {
        double r = eval("rand(0)");
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 99);
        ASSERT_EQ(r, std::floor(r));
    }
}

TEST_F(Expressions, FunctionErrors) {
    EXPECT_EQ(statusOf("sqrt(-1)"), 16);
    EXPECT_EQ(subject(), "sqrt");
    EXPECT_EQ(statusOf("asin(2)"), 16);
    EXPECT_EQ(subject(), "asin");
    EXPECT_EQ(statusOf("sin()"), 23);
    EXPECT_EQ(statusOf("sin(1,2)"), 23);
    EXPECT_EQ(subject(), "sin");
    EXPECT_EQ(statusOf("nosuch(1)"), 30);
    EXPECT_EQ(subject(), "nosuch");
    // A call behaves as one operand even when text follows it.
    EXPECT_EQ(statusOf("sin(0)x(2)"), 30);
    EXPECT_EQ(subject(), "1x");
}

TEST_F(Expressions, ArraysAndVariables) {
    ASSERT_TRUE(load("CREATE{Data(\"a\",2,3);a(1,2)=7;a(1,0)=5;}"));
    EXPECT_EQ(eval("a(1,2)"), 7);
    EXPECT_EQ(eval("a(1)"), 5);
    EXPECT_EQ(eval("a"), 0);
    EXPECT_EQ(statusOf("a(2,0)"), 7);
    EXPECT_EQ(subject(), "a");
    EXPECT_EQ(statusOf("a(0,3)"), 7);
    EXPECT_EQ(statusOf("a(-1,0)"), 7);
    EXPECT_EQ(statusOf("a(65536,0)"), 7);
    EXPECT_EQ(eval("a(1.9,2.9)"), 7);
    EXPECT_EQ(statusOf("y+1"), 4);
    EXPECT_EQ(subject(), "y");
}

TEST_F(Expressions, NamesShadowFunctions) {
    // A variable called like a function is an element read.
    ASSERT_TRUE(load("CREATE{sin=5;}"));
    EXPECT_EQ(eval("sin(0)"), 5);
    EXPECT_EQ(statusOf("sin(30)"), 7);
}

TEST_F(Expressions, NamesDefinedLaterAreFound) {
    Expr x("later*2");
    EXPECT_EQ(x.evaluate(e, window), 0);
    EXPECT_EQ(e.fault.status, 4);
    e.fault.clear();
    ASSERT_GE(e.names.add("later", 1, 1, e.fault), 0);
    e.names.value(e.names.find("later")) = 21;
    EXPECT_EQ(x.evaluate(e, window), 42);
}

TEST_F(Expressions, SystemVariables) {
    e.sys.winW = 640;
    e.sys.mouseX = 12;
    EXPECT_EQ(eval("WIN_X"), 640);
    EXPECT_EQ(eval("WIN_W+MOUSE_X"), 652);
    EXPECT_NEAR(eval("PI"), 3.14159265359, 1e-6);
    EXPECT_GE(eval("YEAR"), 2024);
    EXPECT_EQ(statusOf("mouse_x"), 4);
    // The dialog mouse is a system variable only while a dialog is open.
    EXPECT_EQ(statusOf("DLGMS_X"), 4);
    e.dialogState = DialogState::Open;
    e.sys.dialogMouseX = 9;
    EXPECT_EQ(eval("DLGMS_X"), 9);
}

TEST_F(Expressions, FixedBuffersAreNeverOverrun) {
    EXPECT_EQ(statusOf(std::string(127, 'v')), 4);
    EXPECT_EQ(statusOf(std::string(128, 'v')), 3);
    EXPECT_EQ(statusOf("sin(" + std::string(128, '1') + ")"), 3);
    std::string many = "1";
    for (int i = 1; i < 128; ++i) many += "+1";
    EXPECT_EQ(eval(many), 128);
    EXPECT_EQ(statusOf(many + "+1"), 3);
    // Each call counts two operands.
    std::string calls = "abs(1)";
    for (int i = 1; i < 64; ++i) calls += "+abs(1)";
    EXPECT_EQ(eval(calls), 64);
    EXPECT_EQ(statusOf(calls + "+1"), 3);
}

TEST_F(Expressions, FirstErrorWins) {
    // The undefined operand is read before the second operator is seen.
    EXPECT_EQ(statusOf("y+*2"), 4);
    EXPECT_EQ(statusOf("2+*y"), 10);
    EXPECT_EQ(statusOf("y/0"), 4);
    EXPECT_EQ(statusOf("1/0+y"), 4);
}

}  // namespace
}  // namespace kav::test
