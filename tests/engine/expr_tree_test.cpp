// The compiled expression trees against the stepwise evaluator: from the same
// state both must give the same value (bit for bit), status, subject and side
// effects, above all where the tree's order of work differs from loading every
// operand first.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <limits>

#include "engine/expr_tree.h"
#include "engine_fixture.h"

namespace kav::test {
namespace {

struct Outcome {
    double value;
    uint8_t status;
    std::string subject;
    int nextRandom;  // the generator's next draw: tells whether rand ran
    double result;   // the function-result register
};

class ExpressionTrees : public EngineTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(load("CREATE{Data(\"a\",3,4);Data(\"one\",1,1);}"
                         "S{x=2.5;n=0-7;big=16777217;a(1,2)=9;a(2,3)=0-4;}"
                         "L{later=4;}Q{q=5;}D{DLGMS_X=3;}"));
        ASSERT_EQ(exec("S"), 0);
    }

    // The outcome of a second evaluation (calls take their quick paths once
    // their function has been found), after checking that the first one gave
    // the same.
    Outcome outcome(std::string_view text, bool stepwise) {
        Expr expr(text);
        EXPECT_TRUE(expr.hasTree()) << text;
        e.stepwiseExpressions = stepwise;
        Outcome first = once(expr), second = once(expr);
        e.stepwiseExpressions = false;
        EXPECT_EQ(std::memcmp(&first.value, &second.value, sizeof(double)), 0) << text;
        EXPECT_EQ(first.status, second.status) << text;
        EXPECT_EQ(first.subject, second.subject) << text;
        EXPECT_EQ(first.result, second.result) << text;
        return second;
    }

    Outcome once(Expr& expr) {
        e.fault.clear();
        e.fault.subject.set("before");
        e.result = -1;
        std::srand(11);
        const double v = expr.evaluate(e, window);
        return {v, e.fault.status, subject(), std::rand(), e.result};
    }

    // Both methods from the same state; returns the tree's outcome.
    Outcome agree(std::string_view text) {
        const Outcome step = outcome(text, true);
        const Outcome tree = outcome(text, false);
        EXPECT_EQ(std::memcmp(&tree.value, &step.value, sizeof(double)), 0)
            << text << ": tree " << tree.value << ", stepwise " << step.value;
        EXPECT_EQ(tree.status, step.status) << text;
        EXPECT_EQ(tree.subject, step.subject) << text;
        EXPECT_EQ(tree.nextRandom, step.nextRandom) << text;
        EXPECT_EQ(tree.result, step.result) << text;
        return tree;
    }
};

TEST_F(ExpressionTrees, ValuesAgreeBitForBit) {
    for (std::string_view text :
         {"1+2*3", "(1+2)*3", "10-3-2", "x*x-x/3", "x%0.7", "n%3", "0-0", "0*(0-1)", "(0-6)%3", "1%0", "(1%0)*1",
          "big+1", "big", "0.1+0.2", "x", "-x", "a(1,2)*a(2,3)", "a(1)+a(2,3)%5", "one(0,0)+one", "a", "PI*x",
          "2*(3+(4-x)*(5/x))%7", "sin(x)+sqrt(x)+abs(n)+fix(n/2)", "cos(a(1,2))*2", "3000000000%7", "1/3*3",
          "((((x))))", "x*1", "1*x", "rand(0)+rand(1)", "WIN_W-SCR_H+KEY", "7-(2)3", "sin(sin(x)+1)",
          "atan(x)+tan(x)-cos(fix(x))", "abs(x)*sin(30)", "sin(30)+sqrt(x)", "x+sin(sqrt(x))"})
        agree(text);
}

TEST_F(ExpressionTrees, TheFirstFailingLoadWins) {
    // A division by zero raised before a later load fails would show status 22.
    EXPECT_EQ(agree("1/0+y").status, 4);
    EXPECT_EQ(agree("y+1/0").status, 4);
    EXPECT_EQ(agree("x/0*(2+y)").subject, "y");
    EXPECT_EQ(agree("a(5,0)+y").status, 7);
    EXPECT_EQ(agree("x+nothing(1)").status, 30);
    EXPECT_EQ(agree("sqrt(0-1)+y").subject, "sqrt");
}

TEST_F(ExpressionTrees, LoadsAfterADivisionByZeroStillRun) {
    const Outcome o = agree("x/0+rand(1)");
    EXPECT_EQ(o.status, 22);
    EXPECT_EQ(o.subject, "x/0+rand(1)");
    std::srand(11);
    std::rand();
    EXPECT_EQ(o.nextRandom, std::rand()) << "rand ran once";
    EXPECT_EQ(agree("1/(x-x)").status, 22);
    EXPECT_EQ(agree("x%(x-x)").status, 0);
}

TEST_F(ExpressionTrees, FunctionsFailInTheirArguments) {
    EXPECT_EQ(agree("sin(y)").subject, "y");
    EXPECT_EQ(agree("abs(1/0)").subject, "1/0");
    EXPECT_EQ(agree("sin(1,2)").status, 23);
    EXPECT_EQ(agree("cos()").status, 23);
    EXPECT_EQ(agree("tan(sqrt(0-1))").subject, "sqrt");
}

TEST_F(ExpressionTrees, NoLoadRunsAfterAFailure) {
    const Outcome o = agree("y+rand(1)");
    std::srand(11);
    EXPECT_EQ(o.nextRandom, std::rand()) << "rand did not run";
    EXPECT_EQ(agree("sin(1)+y").subject, "y");
}

TEST_F(ExpressionTrees, NamesCreatedLaterAreFound) {
    Expr expr("later*2");
    e.fault.clear();
    EXPECT_EQ(expr.evaluate(e, window), 0);
    EXPECT_EQ(e.fault.status, 4);
    e.fault.clear();
    ASSERT_EQ(exec("L"), 0);
    EXPECT_EQ(expr.evaluate(e, window), 8);
    // A name that comes into being turns a call into an element read.
    EXPECT_EQ(agree("q(0)").status, 30);
    e.fault.clear();
    ASSERT_EQ(exec("Q"), 0);
    EXPECT_EQ(agree("q(0)+q").value, 10);
    EXPECT_EQ(agree("q(0,1)").status, 7);
}

TEST_F(ExpressionTrees, DialogMouseNamesDependOnTheDialog) {
    e.sys.dialogMouseX = 17;
    EXPECT_EQ(agree("DLGMS_X+1").status, 4);
    e.fault.clear();
    ASSERT_EQ(exec("D"), 0);
    EXPECT_EQ(agree("DLGMS_X+1").value, 4);
    e.dialogState = DialogState::Open;
    EXPECT_EQ(agree("DLGMS_X+1").value, 18);
}

// The remainder takes an integer path for whole numbers: it must give what the
// double-precision library remainder rounded to single precision gives, bit for
// bit (signs of zero included).
TEST(Remainder, WholeNumbersAgreeWithTheLibrary) {
    const float values[] = {0.0f, -0.0f, 1, -1, 2, -2, 3, -3, 7, -7, 0.5f, -2.5f, 11, 16777215, 16777216,
                            -16777216, 2147483520.0f, -2147483520.0f, 2147483648.0f, -2147483648.0f, 3e9f,
                            -3e9f, 1e30f, std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (float a : values) {
        for (float b : values) {
            const float got = remainderOf(a, b);
            const auto want = static_cast<float>(std::fmod(static_cast<double>(a), static_cast<double>(b)));
            EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << a << " % " << b << ": " << got << ", library " << want;
        }
    }
}

TEST_F(ExpressionTrees, TextsWithAKnownFailureRunStepwise) {
    for (std::string_view text : {"3*-2", "(1+2", "1+2)", "f(\"x)"}) {
        Expr expr(text);
        EXPECT_FALSE(expr.hasTree()) << text;
    }
}

}  // namespace
}  // namespace kav::test
