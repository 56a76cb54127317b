// Windows that own the C++ object behind them.
#pragma once
#include <windows.h>

#include <memory>

namespace kav::editor {

// At WM_NCCREATE: takes the object over from the std::unique_ptr<T> whose
// address was the creation parameter. Until then the creator still owns it, so
// a creation that fails before this message leaks nothing.
template <typename T>
T* adopt(LPARAM createStruct) {
    auto* holder = static_cast<std::unique_ptr<T>*>(reinterpret_cast<CREATESTRUCTA*>(createStruct)->lpCreateParams);
    return holder->release();
}

}  // namespace kav::editor
