// Windows that own the C++ object behind them.
#pragma once
#include <windows.h>

#include <memory>

namespace kav {

// At WM_NCCREATE: takes the object over from the std::unique_ptr<T> whose
// address was the creation parameter. Until then the creator still owns it, so
// a creation that fails before this message leaks nothing.
template <typename T>
T* adopt(LPARAM createStruct) {
    auto* holder = static_cast<std::unique_ptr<T>*>(reinterpret_cast<CREATESTRUCTA*>(createStruct)->lpCreateParams);
    return holder->release();
}

// The procedure of a window whose object T is adopted at WM_NCCREATE (and told
// its handle by T::attach), handles every message after that (T::handle) and is
// deleted at WM_NCDESTROY.
template <typename T>
LRESULT CALLBACK objectProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = adopt<T>(lParam);
        self->attach(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else if (message == WM_NCDESTROY && self) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self ? self->handle(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace kav
