#include "engine_fixture.h"

namespace kav::test {
namespace {

using Variables = EngineTest;

TEST_F(Variables, DataSizesAndNames) {
    EXPECT_TRUE(load("CREATE{Data(\"a\",255,257);}"));
    for (auto [script, status] : std::initializer_list<std::pair<const char*, int>>{
             {"CREATE{Data(\"a\",256,256);}", 7},
             {"CREATE{Data(\"a\",-1,2);}", 7},
             {"CREATE{Data(\"a\",0,2);}", 16},
             {"CREATE{Data(\"a\",2,0.5);}", 16},
             {"CREATE{Data(a,2,2);}", 9},
             {"CREATE{Data(\"a\",2);}", 8},
             {"CREATE{Data(\"a\",2,2,2);}", 23},
             {"CREATE{x=1;Data(\"x\",2,2);}", 28},
             {"CREATE{Data(\"a\",2,2);Data(\"a\",1,2);}", 28},
             {"CREATE{Data(\"a\",1,1);DataInit(\"a\",5);}", 12},
             {"CREATE{DataInit(\"nothing\",5);}", 12},
         }) {
        EXPECT_FALSE(load(script)) << script;
        EXPECT_EQ(e.fault.status, status) << script;
    }
}

TEST_F(Variables, DataInitFillsEveryElement) {
    ASSERT_TRUE(load("CREATE{Data(\"a\",2,3);DataInit(\"a\",1.5);}A{DataInit(\"a\",a(1,2)+1);}"));
    EXPECT_EQ(exec("A"), 0);
    int a = e.names.find("a");
    for (uint32_t k = 0; k < 6; ++k) EXPECT_EQ(e.names.value(a, k), 2.5);
}

TEST_F(Variables, SystemVariablesAreReadOnly) {
    ASSERT_TRUE(load("A{PI=3;x=PI;}"));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_NEAR(var("x"), 3.14159265359, 1e-6);
    EXPECT_EQ(var("PI"), 3);
}

TEST_F(Variables, At511NamesTheNextIsRefused) {
    std::string script = "A{";
    // Appended piece by piece: "literal" + std::string trips a false -Wrestrict in GCC 12.
    for (int i = 0; i < 511; ++i) script.append("v").append(std::to_string(i)).append("=").append(std::to_string(i)).append(";");
    script += "}B{overflow=1;}";
    ASSERT_TRUE(load(script));
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(e.names.count(), 511);
    EXPECT_EQ(var("v510"), 510);
    EXPECT_EQ(exec("B"), 11);
    EXPECT_EQ(subject(), "overflow");
    EXPECT_EQ(e.names.count(), 511);
}

TEST_F(Variables, ValueSlotsAreBoundedAt65535) {
    ASSERT_TRUE(load("CREATE{Data(\"a\",255,257);}A{x=1;}"));
    EXPECT_EQ(exec("A"), 7);
    EXPECT_EQ(subject(), "x");
    EXPECT_FALSE(load("CREATE{Data(\"a\",255,256);Data(\"b\",1,256);}"));
    EXPECT_EQ(e.fault.status, 7);
}

TEST_F(Variables, FailedGrowthLeavesTheTableAsItWas) {
    ASSERT_TRUE(load("A{x=1;y=2;}"));
    e.names.failNextGrowth();
    EXPECT_EQ(exec("A"), 20);
    EXPECT_EQ(e.names.count(), 0);
    e.fault.clear();
    EXPECT_EQ(exec("A"), 0);
    EXPECT_EQ(var("y"), 2);
}

TEST_F(Variables, NameBufferIsBounded) {
    // 300 names of 250 bytes would need more than the 16-bit name buffer holds.
    std::string script = "A{";
    for (int i = 0; i < 300; ++i) {
        std::string name = std::string("n").append(std::to_string(i));
        name.resize(250, 'x');
        script += name + "=1;";
    }
    script += "}";
    ASSERT_TRUE(load(script));
    EXPECT_EQ(exec("A"), 11);
    EXPECT_LT(e.names.count(), 300);
}

}  // namespace
}  // namespace kav::test
