#include "editor/toolbar_win.h"

#include <cstring>
#include <memory>
#include <string>

#include "win32/gdi_win.h"
#include "win32/tip_window_win.h"
#include "win32/window_object_win.h"

namespace kav::editor {

namespace {

constexpr char kButtonClass[] = "BBtn_class";
constexpr char kTipClass[] = "BStr_class";
constexpr int kButtonSize = 22;
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverMs = 1000;
constexpr size_t kTipMax = 63;

class Button {
public:
    Button(HINSTANCE instance, HWND editControl, int command, const char* tip, HFONT tipFont)
        : instance_(instance), edit_(editControl), command_(command), tip_(tip, strnlen(tip, kTipMax)),
          tipFont_(tipFont) {}

private:
    template <typename T>
    friend LRESULT CALLBACK ::kav::objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CREATE: return onCreate();
        case WM_PAINT: return onPaint();
        case WM_MOUSEMOVE: return onMouseMove(lParam);
        case WM_TIMER: return onTimer(wParam);
        case WM_LBUTTONDOWN: return onButtonDown();
        case WM_LBUTTONUP: return onButtonUp();
        case BM_CLICK:  // a click made by a program: pressed and released
            onButtonDown();
            return onButtonUp();
        case WM_DESTROY: closeTip(); return 0;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

    // The picture: the icon on silver, kept for every paint.
    LRESULT onCreate() {
        WindowDC screen(hwnd_);
        MemoryDC dc(CreateCompatibleDC(screen.get()));
        picture_ = Bitmap(CreateCompatibleBitmap(screen.get(), kButtonSize, kButtonSize));
        if (!dc || !picture_) return -1;
        SelectGuard keep(dc.get(), picture_.get());
        Brush silver(CreateSolidBrush(RGB(192, 192, 192)));
        RECT all{0, 0, kButtonSize, kButtonSize};
        FillRect(dc.get(), &all, silver.get());
        if (HICON icon = static_cast<HICON>(
                LoadImageA(instance_, MAKEINTRESOURCEA(command_), IMAGE_ICON, kButtonSize, kButtonSize, LR_SHARED)))
            DrawIconEx(dc.get(), 0, 0, icon, kButtonSize, kButtonSize, 0, nullptr, DI_NORMAL);
        return 0;
    }

    LRESULT onPaint() {
        PaintDC dc(hwnd_);
        MemoryDC source(CreateCompatibleDC(dc.get()));
        if (source) {
            SelectGuard keep(source.get(), picture_.get());
            BitBlt(dc.get(), 0, 0, kButtonSize, kButtonSize, source.get(), 0, 0, SRCCOPY);
        }
        // The frame: raised, or sunken while pressed.
        Pen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255))), black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        const int e = kButtonSize - 1;
        {
            SelectGuard pen(dc.get(), pressed_ ? black.get() : white.get());
            MoveToEx(dc.get(), 0, e, nullptr);
            LineTo(dc.get(), 0, 0);
            LineTo(dc.get(), e, 0);
        }
        SelectGuard pen(dc.get(), pressed_ ? white.get() : black.get());
        MoveToEx(dc.get(), e, 0, nullptr);
        LineTo(dc.get(), e, e);
        LineTo(dc.get(), -1, e);
        return 0;
    }

    // Hovering counts only while the script text has the focus, and only
    // strictly inside the button and inside the editor's client area.
    LRESULT onMouseMove(LPARAM lParam) {
        if (GetFocus() != edit_) return 0;
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        bool inside = at.x > 0 && at.y > 0 && at.x < kButtonSize - 1 && at.y < kButtonSize - 1;
        if (inside) {
            HWND parent = GetParent(hwnd_);
            RECT client;
            GetClientRect(parent, &client);
            POINT inParent = at;
            MapWindowPoints(hwnd_, parent, &inParent, 1);
            inside = PtInRect(&client, inParent);
        }
        if (inside) {
            if (GetCapture() != hwnd_) {
                SetCapture(hwnd_);
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
                SetTimer(hwnd_, kHoverTimer, kHoverMs, nullptr);
            }
            return 0;
        }
        if (GetCapture() == hwnd_) ReleaseCapture();
        KillTimer(hwnd_, kHoverTimer);
        closeTip();
        setPressed(false);
        return 0;
    }

    LRESULT onTimer(WPARAM id) {
        if (id != kHoverTimer) return 0;
        KillTimer(hwnd_, kHoverTimer);
        if (tip_.empty() || tipWindow_) return 0;
        POINT at;
        GetCursorPos(&at);
        openTip(instance_, kTipClass, hwnd_, at, tip_, {tipFont_, {6, 12}}, &tipWindow_);
        return 0;
    }

    LRESULT onButtonDown() {
        closeTip();
        setPressed(true);
        return 0;
    }

    LRESULT onButtonUp() {
        if (!pressed_) return 0;
        closeTip();
        setPressed(false);
        KillTimer(hwnd_, kHoverTimer);
        if (GetCapture() == hwnd_) ReleaseCapture();
        SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(command_, 0), 0);
        return 0;
    }

    void setPressed(bool pressed) {
        if (pressed_ == pressed) return;
        pressed_ = pressed;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }

    // The tip forgets its handle here when it goes, also by itself after its time.
    void closeTip() {
        if (tipWindow_) DestroyWindow(tipWindow_);
    }

    HINSTANCE instance_;
    HWND edit_;
    const int command_;
    const std::string tip_;
    const HFONT tipFont_;
    HWND hwnd_ = nullptr;
    HWND tipWindow_ = nullptr;
    Bitmap picture_;
    bool pressed_ = false;
};

// The classes are the process's: registered with the first button.
bool registerClasses(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, kButtonClass, &wc)) return true;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = instance;
    wc.lpfnWndProc = &objectProcedure<Button>;
    wc.lpszClassName = kButtonClass;
    return RegisterClassExA(&wc) && registerTipClass(instance, kTipClass);
}

}  // namespace

HWND createToolbarButton(HINSTANCE instance, HWND parent, HWND editControl, int x, int command, const char* tip,
                         HFONT tipFont) {
    if (!registerClasses(instance)) return nullptr;
    auto button = std::make_unique<Button>(instance, editControl, command, tip, tipFont);
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    // Its control id is its command, so the button can be found like any control.
    return CreateWindowExA(0, kButtonClass, "", WS_CHILD | WS_VISIBLE, x, 4, kButtonSize, kButtonSize, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(command)), instance, &button);
}

}  // namespace kav::editor
