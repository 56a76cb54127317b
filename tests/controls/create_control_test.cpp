#include "controls/control_table.h"
#include "engine_fixture.h"

namespace kav {
extern const CommandEntry kCreateControlCommands[1];
}

namespace kav::test {
namespace {

class CreateControlTest : public EngineTest {
protected:
    CreateControlTest() { registry.add(kCreateControlCommands); }
    bool loadFresh(std::string script) {
        controlTable().clear();
        return load(std::move(script));
    }
    ~CreateControlTest() override { controlTable().clear(); }
};

TEST_F(CreateControlTest, DeclaresEntriesWithoutWindows) {
    ASSERT_TRUE(loadFresh("CREATE{CreateControl(70,\"a,b\",\"ID_r\",10,20,255,16);"
                          "CreateControl(100+1,\"\",\"ID_e\",1,2,3,4);}"));
    const ControlTable& t = controlTable();
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
    std::string script = "CREATE{loop(256){CreateControl(0,\"\",\"ID_b\",0,0,9,9);}"
                         "CreateControl(0,\"\",\"ID_c\",0,0,9,9);}";
    EXPECT_FALSE(loadFresh(script));
    EXPECT_EQ(e.fault.status, 25);
    // Even a faulty argument list meets the full table first.
    controlTable().clear();
    for (int i = 0; i < kControlMax; ++i) ASSERT_TRUE(controlTable().append(0, "", "ID_x", 0, 0, 0, 0));
    EXPECT_FALSE(load("CREATE{CreateControl(1);}"));
    EXPECT_EQ(e.fault.status, 25);
}

TEST_F(CreateControlTest, ArgumentFaults) {
    EXPECT_FALSE(loadFresh("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9);}"));
    EXPECT_EQ(e.fault.status, 8);
    EXPECT_FALSE(loadFresh("CREATE{CreateControl(0,\"\",\"ID_a\",0,0,9,9,9);}"));
    EXPECT_EQ(e.fault.status, 23);
    EXPECT_FALSE(loadFresh("CREATE{CreateControl(0,\"\",ID_a,0,0,9,9);}"));
    EXPECT_EQ(e.fault.status, 9);
    EXPECT_EQ(controlTable().count(), 0);
}

TEST_F(CreateControlTest, OnlyInCreate) {
    ASSERT_TRUE(loadFresh("INIT{CreateControl(0,\"\",\"ID_a\",0,0,9,9);}"));
    EXPECT_EQ(run("INIT"), 6);
    EXPECT_EQ(controlTable().count(), 0);
}

}  // namespace
}  // namespace kav::test
