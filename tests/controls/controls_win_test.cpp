// The control windows, their events and the control commands on a real run
// window under Wine.
#include <string>

#include "win32/control_messages_win.h"
#include "run_fixture_win.h"

namespace kav::test {
namespace {

using Controls = RunWindowTest;

std::string className(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

DWORD styleOf(HWND w) { return static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE)); }

TEST_F(Controls, EveryTypeGetsItsClassAndStyle) {
    ASSERT_TRUE(start("CREATE{SetWinSize(640,480);"
                      "CreateControl(0,\"p\",\"ID_p\",0,0,50,20);CreateControl(1,\"\",\"ID_bb\",0,20,50,20);"
                      "CreateControl(10,\"r\",\"ID_r\",0,40,50,20);CreateControl(20,\"c\",\"ID_c\",0,60,50,20);"
                      "CreateControl(30,\"\",\"ID_c30\",60,0,80,90);CreateControl(33,\"\",\"ID_c33\",60,30,80,90);"
                      "CreateControl(34,\"\",\"ID_c34\",60,60,80,90);CreateControl(40,\"\",\"ID_l40\",150,0,80,60);"
                      "CreateControl(41,\"\",\"ID_l41\",150,70,80,60);CreateControl(45,\"\",\"ID_l45\",150,140,80,20);"
                      "CreateControl(51,\"g\",\"ID_g\",250,0,80,60);CreateControl(60,\"s\",\"ID_s\",250,70,80,20);"
                      "CreateControl(70,\"\",\"ID_h\",250,100,255,16);CreateControl(71,\"\",\"ID_v\",600,0,16,120);"
                      "CreateControl(100,\"\",\"ID_m\",0,200,200,100);CreateControl(101,\"one\",\"ID_e\",0,310,200,20);"
                      "CreateControl(-3,\"\",\"ID_neg\",0,340,50,20);}"));
    EXPECT_EQ(className(control("ID_p")), "Button");
    EXPECT_EQ(className(control("ID_bb")), "BB_class");
    EXPECT_EQ(styleOf(control("ID_r")) & BS_TYPEMASK, static_cast<DWORD>(BS_RADIOBUTTON));
    EXPECT_EQ(styleOf(control("ID_c")) & BS_TYPEMASK, static_cast<DWORD>(BS_CHECKBOX));
    EXPECT_EQ(className(control("ID_c30")), "ComboBox");
    EXPECT_EQ(styleOf(control("ID_c30")) & (CBS_DROPDOWNLIST | CBS_SORT), static_cast<DWORD>(CBS_DROPDOWN | CBS_SORT));
    EXPECT_EQ(styleOf(control("ID_c33")) & (CBS_DROPDOWNLIST | CBS_SORT), static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_EQ(styleOf(control("ID_c34")) & CBS_DROPDOWNLIST, 0u);
    EXPECT_EQ(className(control("ID_l40")), "ListBox");
    EXPECT_TRUE(styleOf(control("ID_l40")) & LBS_SORT);
    EXPECT_FALSE(styleOf(control("ID_l41")) & LBS_SORT);
    EXPECT_EQ(className(control("ID_l45")), "Button");
    EXPECT_EQ(styleOf(control("ID_g")) & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
    EXPECT_EQ(className(control("ID_s")), "Static");
    EXPECT_EQ(className(control("ID_v")), "ScrollBar");
    EXPECT_TRUE(styleOf(control("ID_v")) & SBS_VERT);
    EXPECT_EQ(className(control("ID_neg")), "Button");
    EXPECT_EQ(text("ID_e"), "one");
    EXPECT_EQ(GetDlgCtrlID(control("ID_e")), 615);
    EXPECT_EQ(SendMessageA(control("ID_m"), EM_GETLIMITTEXT, 0, 0), 65535);
    int low = -1, high = -1;
    GetScrollRange(control("ID_h"), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 255);
    GetScrollRange(control("ID_v"), SB_CTL, &low, &high);
    EXPECT_EQ(high, 120);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control("ID_p"), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, 12);
    EXPECT_EQ(lf.lfWidth, 6);
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
}

TEST_F(Controls, APushButtonRunsItsSectionOncePerClick) {
    ASSERT_TRUE(start("CREATE{CreateControl(0,\"p\",\"ID_p\",10,10,80,24);}INIT{n=0;}ID_p{n=n+1;}"));
    SendMessageA(control("ID_p"), BM_CLICK, 0, 0);
    EXPECT_EQ(var("n"), 1);
    SendMessageA(control("ID_p"), BM_CLICK, 0, 0);
    EXPECT_EQ(var("n"), 2);
}

TEST_F(Controls, CombosAndTheSortedListRunOnlyForASelectionChange) {
    ASSERT_TRUE(start("CREATE{CreateControl(33,\"\",\"ID_c\",10,10,80,90);CreateControl(40,\"\",\"ID_l\",100,10,80,90);}"
                      "INIT{c=0;l=0;}ID_c{c=c+1;}ID_l{l=l+1;}"));
    for (auto [id, w] : {std::pair{600, control("ID_c")}, std::pair{601, control("ID_l")}}) {
        for (WORD code : {3, 4, 5, 0})  // focus, drop-down and other notifications
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(w));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 1), reinterpret_cast<LPARAM>(w));
    }
    EXPECT_EQ(var("c"), 1);
    EXPECT_EQ(var("l"), 1);
}

TEST_F(Controls, AnUnsortedListReportsAPickedItem) {
    ASSERT_TRUE(start("CREATE{CreateControl(41,\"\",\"ID_l\",10,10,80,90);}"
                      "INIT{SetListText(\"ID_l\",\"a\");SetListText(\"ID_l\",\"b\");n=0;}ID_l{n=n+1;p=GetListPos(\"ID_l\");}"));
    HWND list = control("ID_l");
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    SetFocus(list);
    const double before = var("n");
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 2, item.top + 2));
    EXPECT_GT(var("n"), before);
    EXPECT_EQ(var("p"), 1);
}

TEST_F(Controls, EditsRunOnChangeAndFocus) {
    ASSERT_TRUE(start("CREATE{CreateControl(101,\"start\",\"ID_e\",10,10,80,20);}INIT{n=0;}ID_e{n=n+1;}"));
    EXPECT_EQ(var("n"), 0);  // creation notifies nothing
    SetFocus(control("ID_e"));
    const double focused = var("n");
    EXPECT_GE(focused, 1);
    SetWindowTextA(control("ID_e"), "x");
    EXPECT_GT(var("n"), focused);
}

TEST_F(Controls, ASectionThatChangesItsOwnEditDoesNotRunInsideItself) {
    ASSERT_TRUE(start("CREATE{CreateControl(101,\"\",\"ID_e\",10,10,80,20);}"
                      "INIT{n=0;SetEditText(\"ID_e\",\"a\");}ID_e{n=n+1;SetEditText(\"ID_e\",\"b\");}"));
    EXPECT_GE(var("n"), 1);
    EXPECT_LE(var("n"), 2);  // update and change, each once
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Controls, ScrollBarArrowsAndThumbReleaseRunTheSection) {
    ASSERT_TRUE(start("CREATE{CreateControl(70,\"\",\"ID_h\",10,10,255,16);}INIT{n=0;}ID_h{n=n+1;p=GetScrollPos(\"ID_h\");}"));
    HWND bar = control("ID_h");
    auto scroll = [&](WORD code, WORD pos = 0) {
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
    };
    scroll(SB_LINEUP);  // already at 0: nothing changes, nothing runs
    EXPECT_EQ(var("n"), 0);
    scroll(SB_LINEDOWN);
    EXPECT_EQ(var("n"), 1);
    EXPECT_EQ(var("p"), 1);
    scroll(SB_PAGEDOWN);
    scroll(SB_THUMBTRACK, 50);
    scroll(SB_ENDSCROLL);
    EXPECT_EQ(var("n"), 1);
    scroll(SB_THUMBPOSITION, 300);  // clamped to the range
    EXPECT_EQ(var("n"), 2);
    EXPECT_EQ(var("p"), 255);
    EXPECT_EQ(table()[0].scrollPos, 255);
}

TEST_F(Controls, AStoredPositionBeyondTheRangeIsWhatTheArrowComparesWith) {
    ASSERT_TRUE(start("CREATE{CreateControl(70,\"\",\"ID_h\",10,10,100,16);}INIT{n=0;SetScrollPos(\"ID_h\",500);}ID_h{n=n+1;}"));
    EXPECT_EQ(table()[0].scrollPos, 500);
    EXPECT_EQ(GetScrollPos(control("ID_h"), SB_CTL), 100);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(control("ID_h")));
    EXPECT_EQ(var("n"), 1);
    EXPECT_EQ(table()[0].scrollPos, 100);
}

TEST_F(Controls, EditCommandsCountSearchAndFormat) {
    ASSERT_TRUE(start("CREATE{CreateControl(101,\"あいう\",\"ID_j\",0,0,90,20);CreateControl(101,\"\",\"ID_o\",0,30,300,20);"
                      "CreateControl(101,\"12.5abc\",\"ID_n\",0,60,90,20);CreateControl(100,\"abc\",\"ID_t\",0,90,90,60);}"
                      "T{len=GetEditLength(\"ID_j\");lenb=GetEditLengthB(\"ID_j\");code=GetEditCode(\"ID_j\",0);"
                      "SetEditData16(\"ID_o\",-1);SetEditText(\"ID_o\",\",\");SetEditData16(\"ID_o\",255);"
                      "SetEditText(\"ID_o\",\",\");SetEditData(\"ID_o\",3.14159,2);SetEditText(\"ID_o\",\",\");"
                      "SetEditData(\"ID_o\",-0.25,2);SetEditText(\"ID_o\",\",\");SetEditData(\"ID_o\",-7.5,0);"
                      "SetEditCodeRet(\"ID_o\");SetEditCode(\"ID_o\",321);"
                      "d=GetEditData(\"ID_n\");s0=SearchEditText(\"ID_j\",0,\"う\");s1=SearchEditText(\"ID_t\",1,\"a\");"
                      "c1=CmpEditText(\"ID_j\",1,\"いう\");c2=CmpEditText(\"ID_j\",6,\"う\");"
                      "SetEditText(\"ID_t\",\"X\");SetEditCursol(\"ID_t\",-1,0);SetEditText(\"ID_t\",\"Y\");"
                      "GetEditText(\"ID_j\",1,9,\"ID_t\");ch=GetEditChange(\"ID_t\");SetEditNoChange(\"ID_t\");"
                      "nc=GetEditChange(\"ID_t\");}"));
    ASSERT_EQ(exec("T"), 0);
    EXPECT_EQ(var("len"), 3);
    EXPECT_EQ(var("lenb"), 6);
    EXPECT_LT(var("code"), 0);
    EXPECT_EQ(text("ID_o"), "ffffffff,ff,3.14,-0.25,-7\r\nA");
    EXPECT_FLOAT_EQ(var("d"), 12.5f);
    EXPECT_EQ(var("s0"), 2);
    EXPECT_EQ(var("s1"), -1);
    EXPECT_EQ(var("c1"), 1);
    EXPECT_EQ(var("c2"), 0);
    EXPECT_EQ(text("ID_t"), "XabcYいう");
    EXPECT_EQ(var("nc"), 0);
}

TEST_F(Controls, ClearingAndReplacingTheWholeText) {
    ASSERT_TRUE(start("CREATE{CreateControl(100,\"old text\",\"ID_t\",0,0,90,60);CreateControl(0,\"p\",\"ID_p\",0,70,50,20);}"
                      "T{AllClearEdit(\"ID_t\");SetEditText(\"ID_t\",\"new\");ClipEdit(\"ID_p\");AllSelectEdit(\"ID_p\");}"));
    ASSERT_EQ(exec("T"), 0);
    EXPECT_EQ(text("ID_t"), "new");
}

TEST_F(Controls, WrongTypesUnknownNamesAndFileName) {
    ASSERT_TRUE(start("CREATE{CreateControl(0,\"p\",\"ID_p\",0,0,50,20);CreateControl(101,\"\",\"ID_e\",0,30,90,20);}"
                      "A{SetEditText(\"ID_p\",\"x\");}B{SetEditText(\"ID_none\",\"x\");}C{SetControlFocus(\"FILE_NAME\");}"
                      "D{x=GetEditCode(\"ID_e\",0);}E{GetEditText(\"ID_e\",2,1,\"ID_e\");}F{SetButtonCheck(\"ID_p\",1);}"
                      "G{KillControlFocus(1);}H{KillControlFocus();}I{GetListPos(\"ID_e\");}"));
    EXPECT_EQ(exec("A"), 26);
    EXPECT_EQ(exec("B"), 24);
    EXPECT_EQ(exec("C"), 24);
    EXPECT_EQ(exec("D"), 16);
    EXPECT_EQ(exec("E"), 16);
    EXPECT_EQ(exec("F"), 26);
    EXPECT_EQ(exec("G"), 23);
    EXPECT_EQ(exec("H"), 0);
    EXPECT_EQ(exec("I"), 26);
}

TEST_F(Controls, ListComboScrollAndButtonCommands) {
    ASSERT_TRUE(start("CREATE{CreateControl(32,\"\",\"ID_c\",0,0,90,90);CreateControl(41,\"\",\"ID_l\",100,0,90,90);"
                      "CreateControl(101,\"\",\"ID_e\",0,100,200,20);CreateControl(70,\"\",\"ID_s\",0,130,100,16);"
                      "CreateControl(20,\"c\",\"ID_k\",0,150,50,20);}"
                      "T{SetListText(\"ID_c\",\"b\");SetListText(\"ID_c\",\"a\");SetListPos(\"ID_c\",1);"
                      "cp=GetListPos(\"ID_c\");GetComboText(\"ID_c\",\"ID_e\");"
                      "SetListText(\"ID_l\",\"z\");SetListText(\"ID_l\",\"y\");lp=GetListPos(\"ID_l\");"
                      "GetListText(\"ID_l\",\"ID_e\");SetListPos(\"ID_l\",0);GetListText(\"ID_l\",\"ID_e\");"
                      "SetScrollPos(\"ID_s\",80);SetScrollRange(\"ID_s\",50);sp=GetScrollPos(\"ID_s\");"
                      "SetButtonCheck(\"ID_k\",1);SetButtonCheck(\"ID_k\",2);k=GetButtonCheck(\"ID_k\");"
                      "SetButtonText(\"ID_k\",\"ID_e\");ClearList(\"ID_c\");ce=GetListPos(\"ID_c\");}"));
    ASSERT_EQ(exec("T"), 0);
    EXPECT_EQ(var("cp"), 1);
    EXPECT_EQ(var("lp"), -1);
    EXPECT_EQ(text("ID_e"), "bz");  // sorted combo: a, b; nothing inserted without a list selection
    EXPECT_EQ(var("sp"), 50);
    EXPECT_EQ(table()[3].scrollPos, 50);
    EXPECT_EQ(var("k"), 1);
    EXPECT_EQ(text("ID_k"), "bz");
    EXPECT_EQ(var("ce"), -1);
}

TEST_F(Controls, FontsAndTextArguments) {
    ASSERT_TRUE(start("CREATE{CreateControl(0,\"p\",\"ID_p\",0,0,50,20);CreateControl(101,\"Title\",\"ID_e\",0,30,90,20);}"
                      "A{SetControlFont(\"ID_p\",\"Arial\",8,16,2);SetCaption(\"ID_e\");}B{SetControlFont(\"ID_p\",\"Arial\",8,16,7);}"
                      "C{SetControlSize(\"ID_p\",5,6,70,30);}"));
    auto weight = [&] {
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control("ID_p"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfWeight;
    };
    ASSERT_EQ(exec("A"), 0);
    EXPECT_EQ(weight(), 900);
    EXPECT_EQ(table()[0].fontH, 16);
    EXPECT_EQ(ctl::windowText(window), "Title");
    ASSERT_EQ(exec("B"), 0);
    EXPECT_EQ(weight(), FW_DONTCARE);
    ASSERT_EQ(exec("C"), 0);
    RECT r;
    GetWindowRect(control("ID_p"), &r);
    EXPECT_EQ(r.right - r.left, 70);
    EXPECT_EQ(table()[0].width, 50);  // the declared rectangle stays
}

}  // namespace
}  // namespace kav::test
