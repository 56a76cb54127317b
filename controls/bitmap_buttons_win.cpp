#include "controls/bitmap_buttons_win.h"

#include <windowsx.h>

#include "controls/control_windows_win.h"
#include "win32/tip_window_win.h"
#include "win32/window_object_win.h"

namespace kav {

namespace {

constexpr char kButtonClass[] = "BB_class";
constexpr char kTipClass[] = "BS_class";
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverDelayMs = 1000;

constexpr COLORREF kFaceGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255), kLight = RGB(224, 224, 224), kShadow = RGB(128, 128, 128),
                   kBlack = RGB(0, 0, 0);

}  // namespace

std::unique_ptr<ButtonFace> ButtonFace::make(HWND button, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    WindowDC screen(button);
    HDC memory = screen ? CreateCompatibleDC(screen.get()) : nullptr;
    if (!memory) return nullptr;
    HBITMAP bits = CreateCompatibleBitmap(screen.get(), width, height);
    if (!bits) {
        DeleteDC(memory);
        return nullptr;
    }
    auto face = std::make_unique<ButtonFace>(memory, bits, width, height);
    Pen pen(CreatePen(PS_SOLID, 1, kFaceGrey));
    Brush brush(CreateSolidBrush(kFaceGrey));
    SelectGuard penSelected(memory, pen.get()), brushSelected(memory, brush.get());
    Rectangle(memory, 0, 0, width, height);
    return face;
}

void ButtonFace::frame(bool pressed, HDC target) {
    const int a = width_ - 1, b = height_ - 1;
    struct Line {
        POINT from, to;  // the end point is not drawn
        COLORREF raised, pressed;
    };
    const Line lines[] = {
        {{0, 0}, {a, 0}, kWhite, kBlack},            // top
        {{1, 1}, {a - 1, 1}, kLight, kShadow},       // inner top
        {{0, 0}, {0, b}, kWhite, kBlack},            // left
        {{1, 1}, {1, b - 1}, kLight, kShadow},       // inner left
        {{a, 0}, {a, b + 1}, kBlack, kWhite},        // right
        {{a - 1, 1}, {a - 1, b}, kShadow, kLight},   // inner right
        {{0, b}, {a + 1, b}, kBlack, kWhite},        // bottom
        {{1, b - 1}, {a, b - 1}, kShadow, kLight},   // inner bottom
    };
    // The pair drawn last owns the corners it shares: raised, the bottom
    // (the shadow's lower left end); pressed, the right (the light's upper end).
    constexpr int kRaisedOrder[] = {0, 1, 2, 3, 4, 5, 6, 7};
    constexpr int kPressedOrder[] = {0, 1, 2, 3, 6, 7, 4, 5};
    for (int k : pressed ? kPressedOrder : kRaisedOrder) {
        const Line& l = lines[k];
        Pen pen(CreatePen(PS_SOLID, 1, pressed ? l.pressed : l.raised));
        SelectGuard selected(dc(), pen.get());
        MoveToEx(dc(), l.from.x, l.from.y, nullptr);
        LineTo(dc(), l.to.x, l.to.y);
    }
    BitBlt(target, 0, 0, a + 1, b + 1, dc(), 0, 0, SRCCOPY);
}

// The window of one bitmap button: its messages go to the run's buttons with
// the button's entry.
class ButtonWindow {
public:
    ButtonWindow(BitmapButtons& buttons, int index) : buttons_(buttons), i_(index) {}

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_PAINT: buttons_.paint(i_, hwnd_); return 0;
        case WM_MOUSEMOVE: buttons_.moved(i_, hwnd_, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_TIMER:
            if (wParam == kHoverTimer) buttons_.hoverTimer(i_, hwnd_);
            return 0;
        case WM_LBUTTONDOWN: buttons_.pressed(i_, hwnd_); return 0;
        case WM_LBUTTONUP: buttons_.released(i_, hwnd_); return 0;
        case WM_CAPTURECHANGED: buttons_.captureLost(i_, hwnd_, reinterpret_cast<HWND>(lParam)); return 0;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

    BitmapButtons& buttons_;
    const int i_;
    HWND hwnd_ = nullptr;
};

namespace {

// The classes are the process's: registered with the first button.
bool registerClasses(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kButtonClass, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.hInstance = instance;
        wc.lpfnWndProc = &objectProcedure<ButtonWindow>;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kButtonClass;
        if (!RegisterClassExA(&wc)) return false;
    }
    return registerTipClass(instance, kTipClass);
}

HINSTANCE instanceOf(HWND w) { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(w, GWLP_HINSTANCE)); }

}  // namespace

HWND BitmapButtons::create(int i, HWND runWindow) {
    HINSTANCE instance = instanceOf(runWindow);
    if (!registerClasses(instance)) return nullptr;
    ControlEntry& c = table_[i];
    auto object = std::make_unique<ButtonWindow>(*this, i);
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    HWND w = CreateWindowExA(0, kButtonClass, "", WS_CHILD | WS_VISIBLE, c.x, c.y, c.width, c.height, runWindow,
                             nullptr, instance, &object);
    if (!w) return nullptr;
    faces_[static_cast<size_t>(i)] = ButtonFace::make(w, c.width, c.height);
    c.commandId = kControlIdBase + i;
    c.pressed = 0;
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    return w;
}

void BitmapButtons::showRaised(int i) {
    if (HWND w = static_cast<HWND>(table_[i].window)) drawFrame(i, w, false);
}

void BitmapButtons::fontReplaced(int i) {
    if (tip_ && tipButton_ == i) DestroyWindow(tip_);
}

void BitmapButtons::release() {
    if (tip_) DestroyWindow(tip_);
    tipButton_ = -1;
    hovering_ = -1;
    for (auto& f : faces_) f.reset();
}

void BitmapButtons::drawFrame(int i, HWND button, bool pressed) {
    ButtonFace* f = face(i);
    if (!f) return;
    WindowDC dc(button);
    if (dc) f->frame(pressed, dc.get());
}

// While a tip is up, a repaint request is taken without drawing.
void BitmapButtons::paint(int i, HWND button) {
    PaintDC dc(button);
    ButtonFace* f = face(i);
    if (f && !tip_) f->frame(table_[i].pressed != 0, dc.get());
}

bool BitmapButtons::focusIsOurs(HWND runWindow) const {
    HWND focus = GetFocus();
    if (!focus) return false;
    if (focus == runWindow) return true;
    // An editable combo box has its focus in an edit of its own.
    const int n = table_.count();
    return table_.findWindow(focus, 0, n) >= 0 || table_.findWindow(GetParent(focus), 0, n) >= 0;
}

void BitmapButtons::moved(int i, HWND button, POINT at) {
    HWND runWindow = GetParent(button);
    if (!focusIsOurs(runWindow)) return;
    hoverAt_ = at;
    POINT inRun = at;
    MapWindowPoints(button, runWindow, &inRun, 1);
    RECT client{};
    GetClientRect(runWindow, &client);
    const ControlEntry& c = table_[i];
    // Strictly inside: the capture makes the button see the pointer leave,
    // also past the run window's edge.
    const bool inside = at.x > 0 && at.x < c.width && at.y > 0 && at.y < c.height && inRun.x > client.left &&
                        inRun.x < client.right && inRun.y > client.top && inRun.y < client.bottom;
    if (inside) {
        if (hovering_ >= 0) return;
        hovering_ = i;
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        SetCapture(button);
        SetTimer(button, kHoverTimer, kHoverDelayMs, nullptr);
        return;
    }
    if (hovering_ >= 0) leave(i, button);
}

void BitmapButtons::leave(int i, HWND button) {
    // Cleared first: releasing the capture tells the button at once.
    hovering_ = -1;
    if (GetCapture() == button) ReleaseCapture();
    closeTip(button);
    table_[i].pressed = 0;
    drawFrame(i, button, false);
}

// Another window took the capture (a box opened meanwhile): the pointer may
// leave unseen, and a hover left standing would keep every button's tip away.
void BitmapButtons::captureLost(int i, HWND button, HWND to) {
    if (hovering_ == i && to != button) leave(i, button);
}

void BitmapButtons::hoverTimer(int i, HWND button) {
    KillTimer(button, kHoverTimer);
    const ControlEntry& c = table_[i];
    if (c.text[0] == '\0') return;
    if (tip_) DestroyWindow(tip_);
    POINT at = hoverAt_;
    ClientToScreen(button, &at);
    const TipLook look{static_cast<HFONT>(c.font), {c.fontW, c.fontH}};
    if (openTip(instanceOf(button), kTipClass, button, at, c.text, look, &tip_)) tipButton_ = i;
}

void BitmapButtons::closeTip(HWND button) {
    if (tip_) DestroyWindow(tip_);
    tipButton_ = -1;
    KillTimer(button, kHoverTimer);
}

void BitmapButtons::pressed(int i, HWND button) {
    table_[i].pressed = 1;
    closeTip(button);
    drawFrame(i, button, true);
}

void BitmapButtons::released(int i, HWND button) {
    ControlEntry& c = table_[i];
    if (c.pressed != 1) return;
    c.pressed = 0;
    closeTip(button);
    drawFrame(i, button, false);
    hovering_ = -1;
    if (GetCapture() == button) ReleaseCapture();
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(c.commandId, 0), reinterpret_cast<LPARAM>(button));
}

}  // namespace kav
