#include "win32/tip_window_win.h"

#include <memory>
#include <utility>

#include "win32/gdi_win.h"
#include "win32/window_object_win.h"

namespace kav {

namespace {

constexpr UINT_PTR kLifeTimer = 1;
constexpr UINT kLifetimeMs = 8000;
constexpr int kCorner = 14;  // width and height of the rounded corners' ellipses
constexpr POINT kOffset{8, 24};
constexpr POINT kTextAt{7, 2};

class Tip {
public:
    Tip(std::string text, HFONT font, HWND* slot) : text_(std::move(text)), font_(font), handle_(slot) {}

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CREATE:
            SetTimer(hwnd_, kLifeTimer, kLifetimeMs, nullptr);
            return 0;
        case WM_TIMER:
            if (wParam == kLifeTimer) DestroyWindow(hwnd_);
            return 0;
        case WM_SETFOCUS:
            giveFocusBack(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd_, kLifeTimer);
            if (handle_ && *handle_ == hwnd_) *handle_ = nullptr;
            return 0;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

    // Straight back to the window that lost it, or to the owner's top window.
    void giveFocusBack(HWND lost) {
        if (lost && IsWindow(lost)) SetFocus(lost);
        else if (HWND top = GetAncestor(GetWindow(hwnd_, GW_OWNER), GA_ROOT)) SetFocus(top);
    }

    void paint() {
        PaintDC dc(hwnd_);
        RECT r;
        GetClientRect(hwnd_, &r);
        Pen black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        Brush white(CreateSolidBrush(RGB(255, 255, 255)));
        SelectGuard font(dc.get(), font_);
        SelectGuard pen(dc.get(), black.get());
        SelectGuard brush(dc.get(), white.get());
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), RGB(0, 0, 0));
        RoundRect(dc.get(), 0, 0, r.right, r.bottom, kCorner, kCorner);
        TextOutA(dc.get(), kTextAt.x, kTextAt.y, text_.c_str(), static_cast<int>(text_.size()));
    }

    std::string text_;
    HFONT font_;
    HWND* handle_;
    HWND hwnd_ = nullptr;
};

}  // namespace

bool registerTipClass(HINSTANCE instance, const char* className) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, className, &wc)) return true;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = instance;
    wc.lpfnWndProc = &objectProcedure<Tip>;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

HWND openTip(HINSTANCE instance, const char* className, HWND owner, POINT pointer, const std::string& text,
             TipLook look, HWND* handle) {
    const int w = static_cast<int>(text.size()) * look.character.cx + 12, h = look.character.cy + 4;
    auto tip = std::make_unique<Tip>(text, look.font, handle);
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    HWND hwnd = CreateWindowExA(0, className, "", WS_POPUP, pointer.x + kOffset.x, pointer.y + kOffset.y, w, h, owner,
                                nullptr, instance, &tip);
    if (!hwnd) return nullptr;
    if (handle) *handle = hwnd;
    // Outside its rounded frame the tip is see-through; the window owns the region once set.
    if (HRGN shape = CreateRoundRectRgn(0, 0, w + 1, h + 1, kCorner, kCorner))
        if (!SetWindowRgn(hwnd, shape, FALSE)) DeleteObject(shape);
    // Shown without activation: the window under the pointer keeps its caption
    // and focus, and hears no focus change from the tip.
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

}  // namespace kav
