#include "graphics/screen_table.h"

#include "engine/subsystem.h"
#include "engine_fixture.h"

namespace kav::test {
namespace {

const CommandEntry kSubScreenOnly[] = {{"SubScreen", 3, kCreate, subScreenCommand}};
const CommandFamily kFamily{kSubScreenOnly};
const CommandFamily* const kFamilies[] = {&kFamily};
const Subsystem kGraphics{"graphics", kFamilies, partKey<GraphicsState>(), makePart<GraphicsState>};

class SubScreens : public EngineTest {
protected:
    SubScreens() : EngineTest({&kGraphics}) {}
    GraphicsState& graphics() { return e.part<GraphicsState>(); }
};

TEST_F(SubScreens, DeclarationsRecordSizesAndTheLastOneWins) {
    ASSERT_TRUE(load("CREATE{SubScreen(1,SCR_W,SCR_H);SubScreen(8,10,20);SubScreen(8,30,40);}"));
    EXPECT_EQ(graphics().width[1], 1280);
    EXPECT_EQ(graphics().height[1], 1024);
    EXPECT_EQ(graphics().width[8], 30);
    EXPECT_EQ(graphics().height[8], 40);
    EXPECT_EQ(graphics().width[2], 0);
}

TEST_F(SubScreens, BadValuesAreCode16AndCountsTheUsualCodes) {
    for (const char* args : {"0,10,10", "9,10,10", "1,0,10", "1,10,0", "1,-5,10"}) {
        EXPECT_FALSE(load(std::string("CREATE{SubScreen(") + args + ");}")) << args;
        EXPECT_EQ(e.fault.status, 16) << args;
    }
    EXPECT_FALSE(load("CREATE{SubScreen(1,10);}"));
    EXPECT_EQ(e.fault.status, 8);
    EXPECT_FALSE(load("CREATE{SubScreen(1,10,10,10);}"));
    EXPECT_EQ(e.fault.status, 23);
}

TEST_F(SubScreens, AnotherRunForgetsThem) {
    ASSERT_TRUE(load("CREATE{SubScreen(3,10,10);}"));
    ASSERT_TRUE(load("CREATE{}"));
    EXPECT_EQ(graphics().width[3], 0);
}

TEST(ScreenStatus, NumbersDialogAndSubScreens) {
    EXPECT_EQ(screenStatus(-2, true, true), Status::ParamInvalid);
    EXPECT_EQ(screenStatus(9, true, true), Status::ParamInvalid);
    EXPECT_EQ(screenStatus(-1, false, false), Status::ParamInvalid);
    EXPECT_EQ(screenStatus(-1, true, false), Status::Ok);
    EXPECT_EQ(screenStatus(0, false, false), Status::Ok);
    EXPECT_EQ(screenStatus(1, true, false), Status::NoSubScreen);
    EXPECT_EQ(screenStatus(8, false, true), Status::Ok);
}

}  // namespace
}  // namespace kav::test
