#include <map>
#include <set>

#include "engine_fixture.h"
#include "registration_check.h"

namespace kav::test {
namespace {

TEST(CommandTable, KnowsAll182Names) {
    std::set<std::string> names;
    for (const KnownCommand& k : knownCommands()) EXPECT_TRUE(names.insert(k.name).second) << k.name;
    EXPECT_EQ(names.size(), 182u);
}

TEST(CommandTable, CoreFamiliesAreConsistent) {
    const Subsystem* const core[] = {&kCoreSubsystem};
    const CommandRegistry r = registryOf(core);
    expectRegisteredAsKnown(r, false);
    EXPECT_NE(r.find(kValue, "sin"), nullptr);
    EXPECT_EQ(r.find(kStatement, "sin"), nullptr);
    EXPECT_NE(r.find(kCreate, "Data"), nullptr);
    EXPECT_EQ(r.find(kStatement, "Data"), nullptr);
    EXPECT_EQ(r.find(kStatement, "data"), nullptr);
}

TEST(CommandTable, ANameTwiceInOneTableIsRecordedAndTheFirstStays) {
    const CommandEntry first[] = {{"Twice", 0, kStatement, nullptr}};
    const CommandEntry second[] = {{"Twice", 1, kStatement | kValue, nullptr}};
    CommandRegistry r;
    r.add(first);
    r.add(second);
    ASSERT_EQ(r.duplicates().size(), 1u);
    EXPECT_EQ(r.duplicates()[0], "Twice");
    EXPECT_EQ(r.find(kStatement, "Twice"), &first[0]);
    EXPECT_EQ(r.find(kValue, "Twice"), &second[0]);  // a table it did not stand in yet takes it
}

TEST(CommandTable, ArgumentCountConvention) {
    EXPECT_EQ(checkArgCount(ArgList(""), 0), Status::Ok);
    EXPECT_EQ(checkArgCount(ArgList("1"), 0), Status::TooManyParams);
    EXPECT_EQ(checkArgCount(ArgList(""), 7), Status::TooManyParams);
    EXPECT_EQ(checkArgCount(ArgList("0,10,10,50,50,0"), 7), Status::TooFewParams);
    EXPECT_EQ(checkArgCount(ArgList("0,10,10,50,50,0,1,2"), 7), Status::TooManyParams);
    EXPECT_EQ(checkArgCount(ArgList("0,10,10,0,6,12,0,\"a,b\""), 8), Status::Ok);
    EXPECT_EQ(checkArgCount(ArgList("0,f(1,2),1"), 3), Status::Ok);
    EXPECT_EQ(checkArgCount(ArgList("\"ID_a\",\"x,y\""), 2), Status::Ok);
}

class Arguments : public EngineTest {
protected:
    void SetUp() override { ASSERT_TRUE(load("CREATE{v=7;}")); }
};

TEST_F(Arguments, SplitEvaluateAndStrings) {
    ArgList a("1+1,\"a,(b\",v*2,,sin(0)");
    EXPECT_EQ(a.count(), 5);
    EXPECT_EQ(a.raw(1), "\"a,(b\"");
    EXPECT_EQ(a.raw(3), "");
    EXPECT_EQ(a.raw(9), "");
    double d = 0;
    ASSERT_TRUE(a.number(e, window, 2, d));
    EXPECT_EQ(d, 14);
    ASSERT_TRUE(a.number(e, window, 3, d));
    EXPECT_EQ(d, 0);
    std::string_view s;
    ASSERT_TRUE(a.string(e, 1, s));
    EXPECT_EQ(s, "a,(b");
    EXPECT_FALSE(a.string(e, 0, s));
    EXPECT_EQ(e.fault.status, 9);
}

TEST_F(Arguments, TextOutsideQuotesIsIgnored) {
    ArgList a("x\"in\"y");
    std::string_view s;
    ASSERT_TRUE(a.string(e, 0, s));
    EXPECT_EQ(s, "in");
}

TEST_F(Arguments, IntegersTruncateAndStopAtTheFirstError) {
    ArgList a("2.9,-2.9,3000000000,y,5");
    int32_t v[5] = {0, 0, 0, 0, 99};
    EXPECT_FALSE(a.integers(e, window, 0, 4, v));
    EXPECT_EQ(v[0], 2);
    EXPECT_EQ(v[1], -2);
    EXPECT_EQ(v[2], INT32_MIN);
    EXPECT_EQ(v[4], 99);
    EXPECT_EQ(e.fault.status, 4);
}

TEST_F(Arguments, LeadingCommaAndLongArguments) {
    int32_t v[2];
    EXPECT_FALSE(ArgList(",1").integers(e, window, 0, 1, v));
    EXPECT_EQ(e.fault.status, 8);
    e.fault.clear();
    double d;
    EXPECT_FALSE(ArgList(std::string(129, '1')).number(e, window, 0, d));
    EXPECT_EQ(e.fault.status, 3);
    e.fault.clear();
    std::string longest = "12";
    for (int i = 0; i < 63; ++i) longest += "+1";
    EXPECT_TRUE(ArgList(longest).number(e, window, 0, d));
    EXPECT_EQ(d, 75);
}

}  // namespace
}  // namespace kav::test
