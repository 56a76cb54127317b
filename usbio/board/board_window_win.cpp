#include "usbio/board/board_window_win.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "win32/window_object_win.h"
#include "usbio/board/board_layout.h"
#include "usbio/board_protocol.h"

namespace kav::usb {

namespace {

using board::Box;

constexpr char kCaption[] = "KAV3 仮想 I/O ボード";

constexpr COLORREF kBackground = RGB(232, 234, 237);
constexpr COLORREF kHeaderFill = RGB(30, 42, 68);
constexpr COLORREF kBoardFill = RGB(30, 107, 60);
constexpr COLORREF kBoardEdge = RGB(14, 63, 34);
constexpr COLORREF kSilk = RGB(240, 248, 240);
constexpr COLORREF kSilkDim = RGB(165, 214, 167);
constexpr COLORREF kLampOn[kLines] = {RGB(255, 59, 48), RGB(255, 204, 0), RGB(52, 199, 89), RGB(40, 150, 255)};
constexpr COLORREF kInk = RGB(33, 33, 33);

COLORREF dimmed(COLORREF c) {
    return RGB(GetRValue(c) / 4 + 24, GetGValue(c) / 4 + 24, GetBValue(c) / 4 + 24);
}

COLORREF lightened(COLORREF c) {
    return RGB((GetRValue(c) + 255 * 2) / 3, (GetGValue(c) + 255 * 2) / 3, (GetBValue(c) + 255 * 2) / 3);
}

Font makeFont(int height, int weight, const char* face) {
    return Font(CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

void roundBox(HDC dc, const Box& b, int round, COLORREF fill, COLORREF edge) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    SelectGuard b1(dc, brush.get());
    SelectGuard p1(dc, pen.get());
    RoundRect(dc, b.left, b.top, b.right, b.bottom, round, round);
}

void disc(HDC dc, int cx, int cy, int r, COLORREF fill, COLORREF edge) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    SelectGuard b1(dc, brush.get());
    SelectGuard p1(dc, pen.get());
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
}

// align: TA_LEFT, TA_CENTER or TA_RIGHT; y is the text's top.
void text(HDC dc, const Font& font, int x, int y, std::string_view s, COLORREF colour, UINT align = TA_LEFT) {
    SelectGuard f(dc, font.get());
    SetTextAlign(dc, align | TA_TOP);
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, s.data(), static_cast<int>(s.size()));
}

std::string lineName(const char* kind, int i) { return kind + std::to_string(i); }

}  // namespace

HWND BoardWindow::create(HINSTANCE instance, BoardHub& hub, bool placeAtCorner) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = objectProcedure<BoardWindow>;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kBoardWindowClass;
    if (!RegisterClassExA(&wc)) return nullptr;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, board::kClientWidth, board::kClientHeight};
    AdjustWindowRect(&r, style, FALSE);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (placeAtCorner) {
        x = GetSystemMetrics(SM_CXSCREEN) - w;
        y = GetSystemMetrics(SM_CYSCREEN) - h;
    }
    auto object = std::make_unique<BoardWindow>(hub);
    const HWND hwnd = CreateWindowExA(0, kBoardWindowClass, kCaption, style, x, y, w, h, nullptr, nullptr, instance,
                                      &object);
    if (hwnd) hub.setWindow(hwnd);
    return hwnd;
}

BoardWindow::BoardWindow(BoardHub& hub)
    : hub_(hub),
      title_(makeFont(22, FW_BOLD, "ＭＳ Ｐゴシック")),
      label_(makeFont(16, FW_BOLD, "ＭＳ Ｐゴシック")),
      small_(makeFont(13, FW_NORMAL, "ＭＳ Ｐゴシック")),
      log_(makeFont(13, FW_NORMAL, "ＭＳ ゴシック")) {}

LRESULT BoardWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        const int i = board::switchAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (i >= 0) hub_.toggleInput(i);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam >= '1' && wParam < '1' + kLines) hub_.toggleInput(static_cast<int>(wParam - '1'));
        if (wParam >= VK_NUMPAD1 && wParam < VK_NUMPAD1 + kLines) hub_.toggleInput(static_cast<int>(wParam - VK_NUMPAD1));
        return 0;
    case WM_SETCURSOR:
        if (onSetCursor(lParam)) return TRUE;
        break;
    case kBoardSetSwitchMessage:
        return onSetSwitch(wParam, lParam);
    case kBoardChangedMessage:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_DESTROY:
        hub_.setWindow(nullptr);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT BoardWindow::onSetSwitch(WPARAM n, LPARAM on) {
    if (n >= static_cast<WPARAM>(kLines) || (on != 0 && on != 1)) return 0;
    hub_.setInput(static_cast<int>(n), on == 1);
    return 1;
}

bool BoardWindow::onSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(hwnd_, &p) || board::switchAt(p.x, p.y) < 0) return false;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    return true;
}

void BoardWindow::onPaint() {
    PaintDC target(hwnd_);
    const BoardView v = hub_.view();
    MemoryDC memory(CreateCompatibleDC(target.get()));
    Bitmap canvas(CreateCompatibleBitmap(target.get(), board::kClientWidth, board::kClientHeight));
    if (!memory || !canvas) return;
    {
        SelectGuard selected(memory.get(), canvas.get());
        paint(memory.get(), v);
        BitBlt(target.get(), 0, 0, board::kClientWidth, board::kClientHeight, memory.get(), 0, 0, SRCCOPY);
    }
}

void BoardWindow::paint(HDC dc, const BoardView& v) const {
    SetBkMode(dc, TRANSPARENT);
    roundBox(dc, {-1, -1, board::kClientWidth + 1, board::kClientHeight + 1}, 0, kBackground, kBackground);
    paintHeader(dc, v);
    const Box& pcb = board::kCircuitBoard;
    roundBox(dc, pcb, 20, kBoardFill, kBoardEdge);
    for (int cx : {pcb.left + 14, pcb.right - 15})
        for (int cy : {pcb.top + 14, pcb.bottom - 15}) disc(dc, cx, cy, 6, RGB(217, 194, 122), RGB(150, 130, 70));
    paintLamps(dc, v);
    paintSwitches(dc, v);
    paintRecord(dc, v);
}

void BoardWindow::paintHeader(HDC dc, const BoardView& v) const {
    const Box& h = board::kHeader;
    roundBox(dc, {h.left - 1, h.top - 1, h.right + 1, h.bottom}, 0, kHeaderFill, kHeaderFill);
    text(dc, title_, 16, 12, kCaption, RGB(255, 255, 255));
    const bool connected = v.clients > 0;
    const int right = h.right - 16;
    disc(dc, right - 8, 24, 6, connected ? RGB(52, 199, 89) : RGB(120, 120, 120), RGB(20, 20, 20));
    text(dc, small_, right - 22, 17, connected ? "プログラムとつながっています" : "プログラムを待っています",
         connected ? RGB(200, 255, 200) : RGB(200, 200, 200), TA_RIGHT);
}

void BoardWindow::paintLamps(HDC dc, const BoardView& v) const {
    text(dc, label_, 44, board::kOutputsCaptionY, "出力", kSilk);
    text(dc, small_, 90, board::kOutputsCaptionY + 3, "プログラムが点けたり消したりするランプ", kSilkDim);
    for (int i = 0; i < kLines; ++i) {
        const bool on = (v.outputs >> i) & 1;
        const int cx = board::column(i, 0, 0).centreX(), cy = board::kLampCentreY;
        const int r = board::kLampRadius;
        if (on) disc(dc, cx, cy, r + 9, lightened(kLampOn[i]), kBoardFill);
        disc(dc, cx, cy, r + 4, RGB(196, 196, 196), RGB(96, 96, 96));
        disc(dc, cx, cy, r, on ? kLampOn[i] : dimmed(kLampOn[i]), RGB(40, 40, 40));
        disc(dc, cx - r / 3, cy - r / 3, r / 4, on ? lightened(kLampOn[i]) : dimmed(lightened(kLampOn[i])),
             on ? lightened(kLampOn[i]) : dimmed(lightened(kLampOn[i])));
        text(dc, label_, cx, board::kLampLabelY, lineName("出力", i), kSilk, TA_CENTER);
        text(dc, small_, cx, board::kLampLabelY + 19, on ? "点灯" : "消灯", on ? RGB(255, 235, 130) : kSilkDim,
             TA_CENTER);
    }
    Pen silk(CreatePen(PS_SOLID, 1, RGB(76, 154, 106)));
    SelectGuard p(dc, silk.get());
    MoveToEx(dc, board::kCircuitBoard.left + 28, board::kInputsCaptionY - 8, nullptr);
    LineTo(dc, board::kCircuitBoard.right - 28, board::kInputsCaptionY - 8);
}

void BoardWindow::paintSwitches(HDC dc, const BoardView& v) const {
    text(dc, label_, 44, board::kInputsCaptionY, "入力", kSilk);
    text(dc, small_, 90, board::kInputsCaptionY + 3, "クリックで切り替わるスイッチ (キー 1～4 でも切り替え)",
         kSilkDim);
    for (int i = 0; i < kLines; ++i) {
        const bool on = (v.inputs >> i) & 1;
        const Box t = board::switchTrack(i);
        const int height = t.bottom - t.top;
        roundBox(dc, t, height, on ? RGB(255, 179, 0) : RGB(55, 71, 79), RGB(10, 30, 15));
        const int knob = height - 6;
        const int kx = on ? t.right - 3 - knob : t.left + 3;
        roundBox(dc, {kx, t.top + 3, kx + knob, t.top + 3 + knob}, knob, RGB(250, 250, 250), RGB(120, 120, 120));
        text(dc, small_, on ? t.left + 17 : t.right - 17, t.top + 10, on ? "ON" : "OFF",
             on ? RGB(60, 40, 0) : RGB(220, 220, 220), TA_CENTER);
        text(dc, label_, t.centreX(), board::kSwitchLabelY, lineName("入力", i), kSilk, TA_CENTER);
        text(dc, small_, t.centreX(), board::kSwitchLabelY + 19, on ? "オン (1)" : "オフ (0)",
             on ? RGB(255, 235, 130) : kSilkDim, TA_CENTER);
    }
}

void BoardWindow::paintRecord(HDC dc, const BoardView& v) const {
    text(dc, label_, 14, board::kLogCaptionY, "最近の通信", kInk);
    text(dc, small_, 104, board::kLogCaptionY + 3, "(プログラムから届いたコマンド。下が新しい)", RGB(90, 90, 90));
    const Box& b = board::kLogBox;
    roundBox(dc, b, 8, RGB(255, 255, 255), RGB(170, 170, 170));
    const int rows = (b.bottom - b.top - 8) / board::kLogLineHeight;
    if (v.record.empty()) {
        text(dc, log_, b.left + 10, b.top + 6, "まだ何も届いていません", RGB(130, 130, 130));
        return;
    }
    const size_t first = v.record.size() > static_cast<size_t>(rows) ? v.record.size() - rows : 0;
    int y = b.top + 6;
    for (size_t k = first; k < v.record.size(); ++k, y += board::kLogLineHeight)
        text(dc, log_, b.left + 10, y, describe(v.record[k]), k + 1 == v.record.size() ? RGB(0, 0, 0) : RGB(90, 90, 90));
}

}  // namespace kav::usb
