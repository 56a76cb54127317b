// The menu bar as the run window really has it, read in the window's own
// process: under Wine no other process (the UI driver) can read a menu's items.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/exec.h"
#include "runwin/run_window_win.h"
#include "runwin/win_host_win.h"

namespace kav {
namespace {

class MenuBar : public ::testing::Test {
protected:
    // Prepares the script and creates its run window (INIT runs); false on a CREATE error.
    bool start(std::string script) {
        Engine& e = in_.engine;
        resetRunState(e, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        e.load(std::move(script));
        if (!prepareProgram(e)) return false;
        HINSTANCE instance = GetModuleHandleA(nullptr);
        UnregisterClassA("RUN", instance);
        if (!RunWindow::registerClass(instance, e.setup)) return false;
        window_ = RunWindow::create(e, instance, nullptr, false);
        return window_ != nullptr;
    }
    ~MenuBar() override {
        if (window_) DestroyWindow(window_);
    }
    // Runs a section directly: an error stays in the status, no box is shown.
    uint8_t exec(std::string_view section) {
        Engine& e = in_.engine;
        e.fault.clear();
        const int32_t brace = e.compiled().section(section, e.fault);
        if (e.fault.ok()) executeSection(e, window_, brace);
        return e.fault.status;
    }
    double var(std::string_view name) {
        const int i = in_.engine.names.find(name);
        return i < 0 ? -999 : in_.engine.names.value(i);
    }
    std::string text(HMENU menu, UINT position) {
        char buffer[64] = {};
        GetMenuStringA(menu, position, buffer, sizeof buffer, MF_BYPOSITION);
        return buffer;
    }
    UINT state(UINT id) { return GetMenuState(GetMenu(window_), id, MF_BYCOMMAND); }

    Interpreter in_{"KAV Error"};
    HWND window_ = nullptr;
};

constexpr char kMenus[] =
    "CREATE{SetWinSize(300,200);Menu(\"ファイル\");PopupMenuEX(\"開く\",\"ID_open\");PopupMenu(\"---\");"
    "PopupMenu(\"Quit\");Menu(\"空\");Menu(\"Edit\");PopupMenuEX(\"Copy\",\"ID_copy\");}"
    "INIT{SetMenuStyle(\"ID_open\",1,0);SetMenuStyle(\"Quit\",0,1);SetMenuStyle(\"ID_copy\",1,1);}"
    "ID_open{opened=1;}Quit{quit=1;}ID_copy{SetMenuStyle(\"ID_copy\",0,0);}ID_bad{SetMenuStyle(\"ID_none\",1,1);}";

TEST_F(MenuBar, DeclaredMenusWithItemsAppearInOrder) {
    ASSERT_TRUE(start(kMenus));
    HMENU bar = GetMenu(window_);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2) << "the menu without items is left out";
    EXPECT_EQ(text(bar, 0), "ファイル");
    EXPECT_EQ(text(bar, 1), "Edit");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 1u);
    EXPECT_EQ(text(file, 0), "開く");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 2), 3u) << "the separator took identifier 2";
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 4u);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200) << "the window grew by the menu bar";
}

TEST_F(MenuBar, ChosenItemsRunTheirSections) {
    ASSERT_TRUE(start(kMenus));
    SendMessageA(window_, WM_COMMAND, 1, 0);
    SendMessageA(window_, WM_COMMAND, 2, 0);  // the separator: nothing to run
    SendMessageA(window_, WM_COMMAND, 3, 0);
    EXPECT_EQ(var("opened"), 1);
    EXPECT_EQ(var("quit"), 1);
    EXPECT_EQ(in_.engine.fault.status, 0);
}

TEST_F(MenuBar, SetMenuStyleChecksAndGreysTheRealItems) {
    ASSERT_TRUE(start(kMenus));
    EXPECT_EQ(state(1) & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(state(3) & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(state(4) & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_CHECKED | MF_GRAYED));
    // Both cleared: back to a normal item.
    EXPECT_EQ(exec("ID_copy"), 0);
    EXPECT_EQ(state(4) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_EQ(exec("ID_bad"), static_cast<uint8_t>(Status::MenuInvalid));
}

TEST_F(MenuBar, NoMenusNoBar) {
    ASSERT_TRUE(start("CREATE{SetWinSize(300,200);}"));
    EXPECT_EQ(GetMenu(window_), nullptr);
    SendMessageA(window_, WM_COMMAND, 1, 0);
    EXPECT_EQ(in_.engine.fault.status, 0) << "an identifier without an item runs nothing";
}

TEST_F(MenuBar, AMenuWithoutItemsStillGrowsTheWindow) {
    // Declaring a menu adds the bar's height; an empty bar keeps the client size.
    ASSERT_TRUE(start("CREATE{SetWinSize(300,200);Menu(\"空\");}"));
    ASSERT_NE(GetMenu(window_), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetMenu(window_)), 0);
}

TEST_F(MenuBar, ANewRunForgetsTheLastRunsMenus) {
    ASSERT_TRUE(start(kMenus));
    DestroyWindow(window_);
    window_ = nullptr;
    ASSERT_TRUE(start("CREATE{Menu(\"B\");PopupMenu(\"Only\");}Only{only=1;}"));
    HMENU bar = GetMenu(window_);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), 1u) << "identifiers start at 1 again";
    SendMessageA(window_, WM_COMMAND, 1, 0);
    EXPECT_EQ(var("only"), 1);
}

TEST_F(MenuBar, LimitsFailTheCreatePhase) {
    EXPECT_FALSE(start("CREATE{PopupMenu(\"Open\");}"));
    EXPECT_EQ(in_.engine.fault.status, static_cast<uint8_t>(Status::MenuInvalid));
    EXPECT_FALSE(start("CREATE{loop(17){Menu(\"m\");}}"));
    EXPECT_EQ(in_.engine.fault.status, static_cast<uint8_t>(Status::MenuInvalid));
    EXPECT_FALSE(start("CREATE{Menu(\"m\");loop(256){PopupMenu(\"i\");}}"));
    EXPECT_EQ(in_.engine.fault.status, static_cast<uint8_t>(Status::MenuInvalid));
    EXPECT_TRUE(start("CREATE{Menu(\"m\");loop(255){PopupMenu(\"i\");}}"));
}

}  // namespace
}  // namespace kav
