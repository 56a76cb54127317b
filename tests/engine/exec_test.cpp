#include "engine_fixture.h"

namespace kav::test {
namespace {

using Statements = EngineTest;

TEST_F(Statements, LoopsRunTheirCountTakenOnce) {
    ASSERT_TRUE(load("A{x=0;loop(3){x=x+1;}}B{n=2;c=0;loop(n){n=n+1;c=c+1;}}"
                     "C{c=0;loop(0){c=1;}loop(-1){c=2;}loop(2.9){c=c+10;}}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("x"), 3);
    EXPECT_EQ(exec("B"), 0);
    EXPECT_EQ(var("c"), 2);
    EXPECT_EQ(exec("C"), 0);
    EXPECT_EQ(var("c"), 20);
}

TEST_F(Statements, NestedAndEmptyBlocks) {
    ASSERT_TRUE(load("A{s=0;loop(4){loop(5){s=s+1;}}loop(3){}loop(2){loop(2){}}t=1;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("s"), 20);
    EXPECT_EQ(var("t"), 1);
}

TEST_F(Statements, IfComparisons) {
    ASSERT_TRUE(load("A{a=2;b=3;r=0;if(a<b){r=r+1;}if(a>b){r=r+10;}if(a>=2){r=r+100;}if(a<=1){r=r+1000;}"
                     "if(a==2){r=r+10000;}if(a!=2){r=r+100000;}if(a+1==b){r=r+1000000;}}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("r"), 1010101);
}

// Sides that are a lone constant or variable are read without the evaluator:
// single precision, an unknown name and a name created later behave the same.
TEST_F(Statements, IfSidesReadDirectly) {
    ASSERT_TRUE(load("A{r=0;if(y<1){r=1;}}B{y=0.1;}C{r=0;if(0.1==y){r=r+1;}if(y==0.1){r=r+2;}if(16777217>16777216){r=9;}}"));
    EXPECT_EQ(exec("A"), 4);
    EXPECT_EQ(subject(), "y");
    e.fault.clear();
    ASSERT_EQ(exec("B"), 0);
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("r"), 1);
    EXPECT_EQ(exec("C"), 0);
    EXPECT_EQ(var("r"), 3);
    EXPECT_EQ(exec("C"), 0);
    EXPECT_EQ(var("r"), 3);
}

TEST_F(Statements, IfWithNotANumber) {
    ASSERT_TRUE(load("A{n=1%0;r=0;if(n!=n){r=r+1;}if(n==n){r=r+2;}if(n<1){r=r+4;}if(n>=1){r=r+8;}}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("r"), 1);
}

TEST_F(Statements, MalformedConditions) {
    ASSERT_TRUE(load("A{if(a=b){x=1;}}B{if(<1){}}C{if(1>){}}D{a=1;if(a=<2){x=1;}}"));
    EXPECT_EQ(exec("A"), 13);
    EXPECT_EQ(subject(), "if(a=b)");
    e.fault.clear();
    EXPECT_EQ(exec("B"), 13);
    e.fault.clear();
    EXPECT_EQ(exec("C"), 13);
    e.fault.clear();
    // "a=" is the left side: a single '=' is an ordinary character.
    EXPECT_EQ(exec("D"), 4);
    EXPECT_EQ(subject(), "a=");
}

TEST_F(Statements, CallAndReturn) {
    ASSERT_TRUE(load("A{x=0;call(\"Sub\");x=x+100;}Sub{loop(5){loop(5){x=x+1;if(x==7){return;}}}x=999;}"
                     "B{y=1;return;y=2;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("x"), 107);
    EXPECT_EQ(exec("B"), 0);
    EXPECT_EQ(var("y"), 1);
}

TEST_F(Statements, CallErrors) {
    ASSERT_TRUE(load("A{call(\"Missing\");}B{call(Sub);}C{return(1);}D{call(\"A\",\"B\");}"));
    EXPECT_EQ(exec("A"), 18);
    EXPECT_EQ(subject(), "Missing");
    e.fault.clear();
    EXPECT_EQ(exec("B"), 9);
    e.fault.clear();
    EXPECT_EQ(exec("C"), 23);
    e.fault.clear();
    EXPECT_EQ(exec("D"), 23);
}

TEST_F(Statements, NestingLimit) {
    auto nest = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += "loop(1){";
        s += "x=1;";
        for (int i = 0; i < n; ++i) s += "}";
        return s;
    };
    ASSERT_TRUE(load("A{" + nest(127) + "}B{" + nest(128) + "}R{d=d+1;call(\"R\");}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(exec("B"), 19);
    e.fault.clear();
    ASSERT_TRUE(e.names.add("d", 1, 1, e.fault) >= 0);
    EXPECT_EQ(exec("R"), 19);
    EXPECT_EQ(var("d"), 128);
}

TEST_F(Statements, EndClosesTheWindowItRunsFor) {
    ASSERT_TRUE(load("A{x=1;end;x=2;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("x"), 1);
    EXPECT_FALSE(e.running());
    ASSERT_EQ(host.closes.size(), 1u);
    EXPECT_EQ(host.closes[0], window);
    // Inside a dialog, end closes the dialog only.
    e.run = RunState::Running;
    e.dialogState = DialogState::Open;
    EXPECT_EQ(exec("A"), 0);
    EXPECT_TRUE(e.running());
    EXPECT_FALSE(e.dialogOpen());
}

TEST_F(Statements, Assignments) {
    ASSERT_TRUE(load("CREATE{Data(\"a\",3,3);}A{a(2,1)=4;v=a(2,1)*2;w=x=3;}"
                     "B{1x=2;}C{0=1;}D{-1=1;}E{b(0,0)=1;}F{a(3,0)=1;}G{=5;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("v"), 8);
    // The last '=' divides: "w=x" is the name.
    EXPECT_EQ(var("w=x"), 3);
    for (auto [section, left] : {std::pair{"B", "1x=2"}, {"C", "0=1"}, {"D", "-1=1"}, {"G", "=5"}}) {
        e.fault.clear();
        EXPECT_EQ(exec(section), 10) << section;
        EXPECT_EQ(subject(), left);
    }
    e.fault.clear();
    EXPECT_EQ(exec("E"), 12);
    EXPECT_EQ(subject(), "b");
    e.fault.clear();
    EXPECT_EQ(exec("F"), 7);
    EXPECT_EQ(subject(), "a");
}

TEST_F(Statements, AssignmentLengthIsBounded) {
    std::string sum = "1";
    for (int i = 0; i < 126; ++i) sum += "+1";
    std::string ok = "x=" + sum + ";";  // 255 bytes before the ';'
    std::string tooLong = "x=1" + sum + ";";
    ASSERT_TRUE(load("A{" + ok + "}B{" + tooLong + "}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("x"), 127);
    EXPECT_EQ(exec("B"), 3);
    EXPECT_EQ(subject(), tooLong.substr(0, 31));
}

TEST_F(Statements, UnknownNamesAndTables) {
    ASSERT_TRUE(load("A{Foo(1);}B{sin(30);}C{Data(\"q\",1,1);}D{Box(0,1,2,3,4,5,6);}"));
    EXPECT_EQ(exec("A"), 6);
    EXPECT_EQ(subject(), "Foo");
    e.fault.clear();
    EXPECT_EQ(exec("B"), 6);
    e.fault.clear();
    EXPECT_EQ(exec("C"), 6);  // Data belongs to CREATE only
    e.fault.clear();
    EXPECT_EQ(exec("D"), 6);  // a family not built yet
}

TEST_F(Statements, ArgumentCounts) {
    ASSERT_TRUE(load("CREATE{Data(\"a\",2,2);}A{DataInit(\"a\");}B{DataInit(\"a\",1,2);}C{DataInit;}"
                     "D{DataInit();}E{DataInit(\"a,b\",3);}F{DataInit(,3);}"));
    EXPECT_EQ(exec("A"), 8);
    e.fault.clear();
    EXPECT_EQ(exec("B"), 23);
    e.fault.clear();
    EXPECT_EQ(exec("C"), 23);
    e.fault.clear();
    EXPECT_EQ(exec("D"), 23);
    e.fault.clear();
    // The comma inside the literal does not separate: the name is "a,b".
    EXPECT_EQ(exec("E"), 12);
    EXPECT_EQ(subject(), "a,b");
    e.fault.clear();
    EXPECT_EQ(exec("F"), 9);
}

TEST_F(Statements, MissingSemicolonRunsIntoTheNextText) {
    // "x=x+1}y=2" is one statement: the variable "x=x+1}y" gets 2 three times.
    ASSERT_TRUE(load("A{x=0;loop(3){x=x+1}y=2;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("x=x+1}y"), 2);
    EXPECT_EQ(var("x"), 0);
}

TEST_F(Statements, OverlongStatement) {
    ASSERT_TRUE(load("A{x=1;Beep(" + std::string(600, '1') + ");}"));
    EXPECT_EQ(exec("A"), 3);
    EXPECT_EQ(subject(), "Beep(" + std::string(26, '1'));
}

// Compiled statements remember the statements that follow them, the sections
// they call and the slots they read: later runs must take the same paths.
TEST_F(Statements, RepeatedRunsFollowTheSamePaths) {
    ASSERT_TRUE(load("CREATE{Data(\"q\",2,2);}"
                     "A{k=k+1;loop(3){if(k>1){t=t+1;}if(k<2){u=u+1;}call(\"S\");}v=v+1;}"
                     "S{loop(2){w=w+1;if(w>4){return;}}w=w+100;}"
                     "B{call(\"Missing\");}I{k=0;t=0;u=0;v=0;w=0;z=0;}"
                     "C{z=z+1;DataInit(\"q\",z){}}\""));
    ASSERT_EQ(exec("I"), 0);
    for (int run = 1; run <= 3; ++run) {
        ASSERT_EQ(exec("A"), 0) << run;
        EXPECT_EQ(var("k"), run);
        EXPECT_EQ(var("t"), (run - 1) * 3);
        EXPECT_EQ(var("u"), 3);
        EXPECT_EQ(var("v"), run);
    }
    // The first call leaves w at 102; every later one returns at its first pass.
    EXPECT_EQ(var("w"), 102 + 8);
    for (int run = 0; run < 2; ++run) {
        e.fault.clear();
        EXPECT_EQ(exec("B"), 18);
        EXPECT_EQ(subject(), "Missing");
        // The command runs, then the unclosed literal after it stops the run.
        e.fault.clear();
        EXPECT_EQ(exec("C"), 2);
        EXPECT_EQ(var("q"), run + 1);
    }
}

TEST_F(Statements, ClearedNamesAreNotReadThroughOldSlots) {
    ASSERT_TRUE(load("A{y=x;}B{x=5;}"));
    ASSERT_EQ(exec("B"), 0);
    ASSERT_EQ(exec("A"), 0);
    EXPECT_EQ(var("y"), 5);
    // A new preparation empties the table: x is unknown again.
    ASSERT_TRUE(prepareProgram(e));
    EXPECT_EQ(exec("A"), 4);
    EXPECT_EQ(subject(), "x");
    e.fault.clear();
    ASSERT_EQ(exec("B"), 0);
    ASSERT_EQ(exec("A"), 0);
    EXPECT_EQ(var("y"), 5);
}

}  // namespace
}  // namespace kav::test
