#include "controls/control_table.h"
#include "engine/subsystem.h"
#include "engine_fixture.h"

namespace kav {
extern const CommandFamily kCreateControlCommands;
}

namespace kav::test {
namespace {

const CommandFamily* const kFamilies[] = {&kCreateControlCommands};
const Subsystem kControls{"controls", kFamilies, partKey<ControlTable>(), makePart<ControlTable>};

class CreateControlTest : public EngineTest {
protected:
    CreateControlTest() : EngineTest({&kControls}) {}
    const ControlTable& table() { return e.part<ControlTable>(); }
};

TEST_F(CreateControlTest, DeclaresEntriesWithoutWindows) {
    ASSERT_TRUE(load("CREATE{CreateControl(70,\"a,b\",\"ID_r\",10,20,255,16);"
                     "CreateControl(100+1,\"\",\"ID_e\",1,2,3,4);}"));
    const ControlTable& t = table();
    ASSERT_EQ(t.count(), 2);
    EXPECT_EQ(t[0].type, 70);
    EXPECT_STREQ(t[0].text, "a,b");
    EXPECT_STREQ(t[0].name, "ID_r");
    EXPECT_EQ(t[0].x, 10);
    EXPECT_EQ(t[0].width, 255);
    EXPECT_EQ(t[0].window, nullptr);
    EXPECT_EQ(t[1].type, 101);
    EXPECT_EQ(t[1].height, 4);
}

TEST_F(CreateControlTest, The257thFailsWithItsOwnSubjectLine) {
    EXPECT_FALSE(load("CREATE{loop(256){CreateControl(0,\"\",\"ID_b\",0,0,9,9);}"
                      "CreateControl(0,\"\",\"ID_c\",0,0,9,9);}"));
    EXPECT_EQ(e.fault.status, 25);
    // Even a faulty argument list meets the full table first.
    EXPECT_FALSE(load("CREATE{loop(256){CreateControl(0,\"\",\"ID_b\",0,0,9,9);}CreateControl(1);}"));
    EXPECT_EQ(e.fault.status, 25);
}

TEST_F(CreateControlTest, ArgumentFaults) {
    EXPECT_FALSE(load("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9);}"));
    EXPECT_EQ(e.fault.status, 8);
    EXPECT_FALSE(load("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9,9,9);}"));
    EXPECT_EQ(e.fault.status, 23);
    EXPECT_FALSE(load("CREATE{CreateControl(0,\"\",ID_a,0,0,9,9);}"));
    EXPECT_EQ(e.fault.status, 9);
}

TEST_F(CreateControlTest, AFailedCreateAndANewRunForgetTheDeclarations) {
    EXPECT_FALSE(load("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9,9);x=y;}"));
    EXPECT_EQ(table().count(), 0);
    ASSERT_TRUE(load("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9,9);}"));
    EXPECT_EQ(table().count(), 1);
    ASSERT_TRUE(load("CREATE{}"));
    EXPECT_EQ(table().count(), 0);
}

TEST_F(CreateControlTest, OnlyInCreate) {
    ASSERT_TRUE(load("INIT{CreateControl(0,\"\",\"ID_a\",0,0,9,9);}"));
    EXPECT_EQ(run("INIT"), 6);
    EXPECT_EQ(table().count(), 0);
}

}  // namespace
}  // namespace kav::test
