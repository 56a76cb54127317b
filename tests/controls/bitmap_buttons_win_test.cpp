// Bitmap buttons on a real run window under Wine: the face and its frames,
// hover and capture, the tip, clicks, and the drawing commands.
#include <windows.h>

#include <string>

#include "controls/control_windows_win.h"
#include "run_fixture_win.h"
#include "win32/gdi_win.h"

namespace kav::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kLight = RGB(224, 224, 224), kShadow = RGB(128, 128, 128),
                   kBlack = RGB(0, 0, 0), kGrey = RGB(192, 192, 192);

// A 40 x 30 button at (10,10) with a tip, a push button, a button without a
// tip, and sections that count clicks.
constexpr char kForm[] =
    "CREATE{SetWinSize(300,200);CreateControl(1,\"tip\",\"ID_b\",10,10,40,30);"
    "CreateControl(0,\"p\",\"ID_p\",100,10,60,24);CreateControl(1,\"\",\"ID_quiet\",10,60,32,32);}"
    "INIT{n=0;q=0;}ID_b{n=n+1;}ID_quiet{q=q+1;}";

struct Pixel {
    int x, y;
    COLORREF raised, pressed;
};

// The 40 x 30 button's frame lines, where the lines of its table meet, and the face.
constexpr Pixel kFramePixels[] = {
    {10, 0, kWhite, kBlack},    {10, 1, kLight, kShadow},  {0, 10, kWhite, kBlack},  {1, 10, kLight, kShadow},
    {39, 10, kBlack, kWhite},   {38, 10, kShadow, kLight}, {10, 29, kBlack, kWhite}, {10, 28, kShadow, kLight},
    {0, 0, kWhite, kBlack},     {39, 0, kBlack, kWhite},   {0, 29, kBlack, kWhite},  {39, 29, kBlack, kWhite},
    {1, 1, kLight, kShadow},    {38, 1, kShadow, kLight},  {1, 28, kShadow, kLight}, {38, 28, kShadow, kLight},
    {2, 2, kGrey, kGrey},       {20, 15, kGrey, kGrey},    {37, 27, kGrey, kGrey},
};

class BitmapButtons : public RunWindowTest {
protected:
    int index(const char* name) { return table().find(name); }
    // A pixel of the button's picture.
    COLORREF face(const char* name, int x, int y) {
        const ButtonFace* f = controls(e).buttons().face(index(name));
        return f ? GetPixel(f->dc(), x, y) : CLR_INVALID;
    }
    // A pixel as the button's window shows it.
    COLORREF shown(const char* name, int x, int y) {
        WindowDC dc(control(name));
        return GetPixel(dc.get(), x, y);
    }
    LRESULT mouse(const char* name, UINT message, int x, int y, WPARAM keys = 0) {
        return SendMessageA(control(name), message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // Rests the pointer on the button and lets its second pass.
    void hoverAndWait(const char* name, int x, int y) {
        SetFocus(window);
        mouse(name, WM_MOUSEMOVE, x, y);
        SendMessageA(control(name), WM_TIMER, 1, 0);
    }
    // The tip of this thread's windows, if one is open.
    static HWND tip() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM out) {
                char name[16] = {};
                GetClassNameA(w, name, sizeof name);
                if (std::string(name) != "BS_class") return TRUE;
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    bool pressed(const char* name) { return table()[index(name)].pressed != 0; }
    // ID_b's frame, on its picture and in its window.
    void expectFrame(bool pressedFrame, const char* step) {
        for (const Pixel& p : kFramePixels) {
            const COLORREF want = pressedFrame ? p.pressed : p.raised;
            EXPECT_EQ(face("ID_b", p.x, p.y), want) << step << ": picture at " << p.x << "," << p.y;
            EXPECT_EQ(shown("ID_b", p.x, p.y), want) << step << ": window at " << p.x << "," << p.y;
        }
    }
};

TEST_F(BitmapButtons, ANewButtonIsAGreyFaceInARaisedFrameWithoutTextOrIdentifier) {
    ASSERT_TRUE(start(kForm));
    HWND b = control("ID_b");
    char name[16] = {};
    GetClassNameA(b, name, sizeof name);
    EXPECT_STREQ(name, "BB_class");
    EXPECT_EQ(GetDlgCtrlID(b), 0);
    EXPECT_EQ(GetWindowTextLengthA(b), 0);
    EXPECT_FALSE(GetWindowLongA(b, GWL_STYLE) & WS_TABSTOP) << "it takes no keyboard input";
    EXPECT_EQ(SendMessageA(b, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(table()[index("ID_b")].commandId, 600);
    EXPECT_EQ(table()[index("ID_quiet")].commandId, 602);
    RECT r{};
    GetClientRect(b, &r);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 30);
    UpdateWindow(b);
    expectFrame(false, "new");
}

TEST_F(BitmapButtons, APressSinksTheFrameAndTheReleaseRaisesItAndRunsTheSection) {
    ASSERT_TRUE(start(kForm));
    mouse("ID_b", WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
    EXPECT_TRUE(pressed("ID_b"));
    expectFrame(true, "pressed");
    // A repaint keeps the pressed frame.
    RedrawWindow(control("ID_b"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    expectFrame(true, "repainted");
    EXPECT_EQ(var("n"), 0);
    mouse("ID_b", WM_LBUTTONUP, 20, 15);
    EXPECT_FALSE(pressed("ID_b"));
    EXPECT_EQ(var("n"), 1);
    expectFrame(false, "released");
    // A release without a press on the button sends nothing.
    mouse("ID_b", WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(var("n"), 1);
    mouse("ID_quiet", WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    mouse("ID_quiet", WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(var("q"), 1);
    EXPECT_EQ(var("n"), 1);
}

TEST_F(BitmapButtons, RestingOnAButtonTakesTheCaptureUntilThePointerLeaves) {
    ASSERT_TRUE(start(kForm));
    HWND b = control("ID_b");
    SetFocus(window);
    mouse("ID_b", WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), b);
    // Inside means strictly inside: the left column is already out.
    mouse("ID_b", WM_MOUSEMOVE, 0, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse("ID_b", WM_MOUSEMOVE, 39, 29);
    EXPECT_EQ(GetCapture(), b);
    mouse("ID_b", WM_MOUSEMOVE, 40, 29);
    EXPECT_EQ(GetCapture(), nullptr);
    // Only while the focus is the run window's or one of its controls'.
    SetFocus(nullptr);
    mouse("ID_b", WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    SetFocus(control("ID_p"));
    mouse("ID_b", WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), b);
    ReleaseCapture();
}

TEST_F(BitmapButtons, PressedAndDraggedOffTheButtonComesUpAndTheReleaseRunsNothing) {
    ASSERT_TRUE(start(kForm));
    SetFocus(window);
    mouse("ID_b", WM_MOUSEMOVE, 20, 15);
    mouse("ID_b", WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
    expectFrame(true, "pressed");
    mouse("ID_b", WM_MOUSEMOVE, -10, 15, MK_LBUTTON);
    EXPECT_FALSE(pressed("ID_b"));
    EXPECT_EQ(GetCapture(), nullptr);
    expectFrame(false, "dragged off");
    mouse("ID_b", WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(var("n"), 0);
}

TEST_F(BitmapButtons, ASecondOfRestShowsTheTipWhichAPressCloses) {
    ASSERT_TRUE(start(kForm));
    HWND b = control("ID_b");
    hoverAndWait("ID_b", 5, 6);
    HWND t = tip();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(IsWindowVisible(t));
    EXPECT_EQ(GetWindow(t, GW_OWNER), window);
    EXPECT_EQ(GetFocus(), window) << "the tip never takes the focus";
    RECT r{};
    GetWindowRect(t, &r);
    POINT at{5, 6};
    ClientToScreen(b, &at);
    EXPECT_EQ(r.left, at.x + 8);
    EXPECT_EQ(r.top, at.y + 24);
    EXPECT_EQ(r.right - r.left, 3 * 6 + 12) << "bytes of the text times the font's width, and 12";
    EXPECT_EQ(r.bottom - r.top, 12 + 4);
    // Given the focus, the tip hands it straight back.
    SetFocus(t);
    EXPECT_EQ(GetFocus(), window);
    UpdateWindow(t);
    {
        WindowDC dc(t);
        EXPECT_EQ(GetPixel(dc.get(), 3, 8), kWhite) << "white inside the rounded frame";
        EXPECT_EQ(GetPixel(dc.get(), 0, 8), kBlack) << "the frame";
        int ink = 0;
        for (int y = 2; y < 14; ++y)
            for (int x = 7; x < 25; ++x) ink += GetPixel(dc.get(), x, y) == kBlack;
        EXPECT_GT(ink, 10) << "black text at (7,2)";
    }
    mouse("ID_b", WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
    EXPECT_FALSE(IsWindow(t));
    mouse("ID_b", WM_LBUTTONUP, 5, 6);
    EXPECT_EQ(var("n"), 1);
}

TEST_F(BitmapButtons, TheTipGoesByItselfLeavingTheButtonsFree) {
    ASSERT_TRUE(start(kForm));
    hoverAndWait("ID_b", 5, 6);
    HWND t = tip();
    ASSERT_NE(t, nullptr);
    // Its eight seconds are over.
    SendMessageA(t, WM_TIMER, 1, 0);
    EXPECT_FALSE(IsWindow(t));
    EXPECT_EQ(tip(), nullptr);
    // Repaints draw again once no tip is up.
    BitBlt(controls(e).buttons().face(index("ID_b"))->dc(), 0, 0, 40, 30, nullptr, 0, 0, BLACKNESS);
    RedrawWindow(control("ID_b"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(shown("ID_b", 10, 0), kWhite);
}

TEST_F(BitmapButtons, AButtonWithoutTextShowsNoTipAndSetButtonTextGivesOne) {
    ASSERT_TRUE(start(kForm + std::string("T{SetButtonText(\"ID_quiet\",\"now a tip\");}")));
    hoverAndWait("ID_quiet", 5, 5);
    EXPECT_EQ(tip(), nullptr);
    mouse("ID_quiet", WM_MOUSEMOVE, -1, 5);
    ASSERT_EQ(run("T"), 0);
    hoverAndWait("ID_quiet", 5, 5);
    HWND t = tip();
    ASSERT_NE(t, nullptr);
    RECT r{};
    GetWindowRect(t, &r);
    EXPECT_EQ(r.right - r.left, 9 * 6 + 12);
    mouse("ID_quiet", WM_MOUSEMOVE, -1, 5);
    EXPECT_FALSE(IsWindow(t)) << "leaving closes the tip";
}

// A box opened while the pointer rests on a button takes the capture away;
// the hover must end with it, or no button would ever show a tip again.
TEST_F(BitmapButtons, LosingTheCaptureEndsTheHover) {
    ASSERT_TRUE(start(kForm));
    hoverAndWait("ID_b", 5, 6);
    ASSERT_NE(tip(), nullptr);
    SetCapture(window);
    EXPECT_EQ(tip(), nullptr);
    ReleaseCapture();
    SetFocus(window);
    mouse("ID_quiet", WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), control("ID_quiet"));
    ReleaseCapture();
}

TEST_F(BitmapButtons, DrawingCommandsDrawOnThePictureAndTheFrameComesBackAtOnce) {
    ASSERT_TRUE(start(std::string(kForm) +
                      "D{BmpBtBox(\"ID_b\",4,4,14,14,2,4);BmpBtCircle(\"ID_b\",20,4,36,20,0,-1);"
                      "BmpBtLine(\"ID_b\",4,22,30,22,6);BmpBtPoint(\"ID_b\",0,0,4);BmpBtPoint(\"ID_b\",30,8,1);}"
                      "P{SetPal(1,10,20,30);BmpBtPoint(\"ID_b\",31,8,1);}"));
    ASSERT_EQ(run("D"), 0);
    EXPECT_EQ(face("ID_b", 4, 4), RGB(255, 0, 0)) << "outline";
    EXPECT_EQ(face("ID_b", 9, 9), RGB(0, 255, 0)) << "fill";
    EXPECT_EQ(face("ID_b", 28, 4), RGB(0, 0, 0)) << "the ellipse's top";
    EXPECT_EQ(face("ID_b", 28, 12), kGrey) << "not filled";
    EXPECT_EQ(face("ID_b", 10, 22), RGB(255, 255, 0));
    EXPECT_EQ(face("ID_b", 30, 22), kGrey) << "the end point is not drawn";
    EXPECT_EQ(face("ID_b", 30, 8), RGB(0, 0, 255));
    EXPECT_EQ(shown("ID_b", 9, 9), RGB(0, 255, 0)) << "shown without a repaint";
    // The outer two pixels belong to the frame.
    EXPECT_EQ(face("ID_b", 0, 0), kWhite);
    EXPECT_EQ(shown("ID_b", 0, 0), kWhite);
    ASSERT_EQ(run("P"), 0);
    EXPECT_EQ(face("ID_b", 31, 8), RGB(10, 20, 30)) << "the palette as it is now";
}

TEST_F(BitmapButtons, DrawingCommandsCheckTheControlThenTheColours) {
    ASSERT_TRUE(start(kForm));
    struct Case {
        const char* statement;
        uint8_t status;
    };
    const Case cases[] = {
        {"BmpBtBox(\"ID_b\",1,1,5,5,16,0);", 1},     {"BmpBtBox(\"ID_b\",1,1,5,5,-16,0);", 1},
        {"BmpBtCircle(\"ID_b\",1,1,5,5,0,16);", 1},  {"BmpBtLine(\"ID_b\",1,1,5,5,16);", 1},
        {"BmpBtPoint(\"ID_b\",1,1,-1);", 1},         {"BmpBtPoint(\"ID_b\",1,1,16);", 1},
        {"BmpBtBox(\"ID_x\",1,1,5,5,16,0);", 24},    {"BmpBtPoint(\"FILE_NAME\",1,1,1);", 24},
        {"BmpBtLine(\"ID_p\",1,1,5,5,16);", 26},     {"SetButtonGrp(\"ID_p\",3);", 26},
        {"BmpBtPoint(\"ID_b\",1,1);", 8},            {"BmpBtPoint(\"ID_b\",1,1,1,1);", 23},
        {"BmpBtBox(ID_b,1,1,5,5,1,1);", 9},          {"SetButtonGrp(\"ID_b\");", 8},
        {"BmpBtBox(\"ID_b\",1,1,5,5,-15,-100);", 0}, {"BmpBtLine(\"ID_b\",1,1,5,5,-15);", 0},
    };
    for (const Case& c : cases) {
        e.load(std::string(kForm) + "S{" + c.statement + "}");
        EXPECT_EQ(exec("S"), c.status) << c.statement;
    }
}

TEST_F(BitmapButtons, SetButtonGrpDrawsOneOfTwentyPicturesAndNothingForOtherTypes) {
    ASSERT_TRUE(start("CREATE{CreateControl(1,\"\",\"ID_b\",10,10,32,32);}"
                      "N{SetButtonGrp(\"ID_b\",21);SetButtonGrp(\"ID_b\",0);SetButtonGrp(\"ID_b\",-3);}"
                      "F{SetButtonGrp(\"ID_b\",3);}"));
    BitBlt(controls(e).buttons().face(0)->dc(), 0, 0, 32, 32, nullptr, 0, 0, WHITENESS);
    ASSERT_EQ(run("N"), 0);
    EXPECT_EQ(face("ID_b", 0, 0), kWhite) << "not even the frame is drawn";
    EXPECT_EQ(face("ID_b", 16, 16), kWhite);
    ASSERT_EQ(run("F"), 0);
    // The floppy disk: a navy body, a white label with blue lines, the frame round it.
    EXPECT_EQ(face("ID_b", 6, 20), RGB(0, 0, 128));
    EXPECT_EQ(face("ID_b", 15, 6), kWhite);
    EXPECT_EQ(face("ID_b", 15, 8), RGB(0, 0, 255));
    EXPECT_EQ(face("ID_b", 0, 16), kWhite);
    EXPECT_EQ(face("ID_b", 31, 16), kBlack);
}

}  // namespace
}  // namespace kav::test
