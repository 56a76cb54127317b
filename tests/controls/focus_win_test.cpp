// Keyboard focus on a real run window under Wine: Tab and Shift+Tab between
// the controls, and the focus that INIT gives before the window is shown.
#include <windows.h>

#include "controls/control_windows_win.h"
#include "run_fixture_win.h"
#include "runwin/control_tab_win.h"

namespace kav::test {
namespace {

class Focus : public RunWindowTest {
protected:
    // A Tab key press in the window with the focus, as the message loop gets
    // it; true when it moved the focus.
    bool tab(bool shift = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        const MSG m{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        const bool moved = tabBetweenControls(m);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return moved;
    }
};

constexpr char kForm[] = "CREATE{CreateControl(60,\"name\",\"ID_label\",0,0,50,20);"
                         "CreateControl(101,\"a\",\"ID_a\",60,0,100,20);CreateControl(101,\"b\",\"ID_b\",60,30,100,20);"
                         "CreateControl(50,\"g\",\"ID_g\",0,60,200,100);CreateControl(100,\"\",\"ID_m\",60,70,100,40);"
                         "CreateControl(70,\"\",\"ID_s\",60,120,100,16);CreateControl(0,\"ok\",\"ID_p\",60,140,60,24);}";

TEST_F(Focus, TabFollowsTheDeclarationPastWhatTakesNoInputAndShiftTabGoesBack) {
    ASSERT_TRUE(start(kForm));
    SetFocus(control("ID_a"));
    ASSERT_TRUE(tab());
    EXPECT_EQ(GetFocus(), control("ID_b"));
    ASSERT_TRUE(tab());
    EXPECT_EQ(GetFocus(), control("ID_m"));
    EXPECT_FALSE(tab()) << "a multi-line edit keeps Tab for a tab character";
    SetFocus(control("ID_p"));
    ASSERT_TRUE(tab());
    EXPECT_EQ(GetFocus(), control("ID_a")) << "past the scroll bar, the group box and the static text, round";
    ASSERT_TRUE(tab(true));
    EXPECT_EQ(GetFocus(), control("ID_p"));
    ASSERT_TRUE(tab(true));
    EXPECT_EQ(GetFocus(), control("ID_m"));
    // Tabbed into, an edit has its text selected, as in a dialog.
    SetFocus(control("ID_a"));
    ASSERT_TRUE(tab());
    DWORD from = 9, to = 9;
    SendMessageA(control("ID_b"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 1u);
}

TEST_F(Focus, OnlyATabPressInAControlIsTaken) {
    ASSERT_TRUE(start(std::string(kForm) + "INIT{k=0;}KEYDOWN{k=KEY;}"));
    HWND a = control("ID_a");
    SetFocus(a);
    for (MSG m : {MSG{a, WM_KEYDOWN, VK_RETURN, 1, 0, {}}, MSG{a, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}},
                  MSG{a, WM_CHAR, '\t', 1, 0, {}}, MSG{a, WM_KEYUP, VK_TAB, 1, 0, {}},
                  MSG{window, WM_KEYDOWN, VK_TAB, 1, 0, {}}}) {
        EXPECT_FALSE(tabBetweenControls(m)) << m.message << " " << m.wParam;
        EXPECT_EQ(GetFocus(), a);
    }
    // Not a script's window: the editor's own controls keep their Tab.
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_TABSTOP, 0, 0, 50, 20, other, nullptr, nullptr, nullptr);
    MSG m{child, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_FALSE(tabBetweenControls(m));
    DestroyWindow(other);
}

TEST_F(Focus, FocusGivenInInitReachesTheControlOnceTheWindowIsShown) {
    ASSERT_TRUE(start(std::string(kForm) + "INIT{n=0;SetControlFocus(\"ID_b\");seen=n;}ID_b{n=n+1;}"));
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), control("ID_b"));
    EXPECT_EQ(var("seen"), 0) << "the focus waits for the window to be shown";
    EXPECT_GE(var("n"), 1) << "then the edit reports it";
}

TEST_F(Focus, KillControlFocusInInitLeavesTheFocusWithTheWindow) {
    ASSERT_TRUE(start(std::string(kForm) + "INIT{SetControlFocus(\"ID_b\");KillControlFocus();}"));
    EXPECT_EQ(GetFocus(), window);
    // A hidden window keeps only a control's focus, and forgets it when it goes.
    HWND hidden = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, hidden, nullptr, nullptr, nullptr);
    giveFocus(child);
    EXPECT_EQ(GetFocus(), window) << "nothing is activated unseen";
    ShowWindow(hidden, SW_SHOW);
    giveKeptFocus(hidden);
    EXPECT_EQ(GetFocus(), child);
    forgetKeptFocus(hidden);
    DestroyWindow(hidden);
}

}  // namespace
}  // namespace kav::test
