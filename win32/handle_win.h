// An owner of kernel handles (files, threads, events): closed when it goes.
#pragma once
#include <windows.h>

#include <utility>

namespace kav {

class UniqueHandle {
public:
    UniqueHandle() = default;
    // The system returns INVALID_HANDLE_VALUE from some calls and nullptr from
    // others for a failure: both are held as nullptr.
    explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueHandle() { close(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) close(), h_ = std::exchange(o.h_, nullptr);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Closes now; false when the system reports a failure (a late write error).
    bool close() { return !h_ || CloseHandle(std::exchange(h_, nullptr)); }

private:
    HANDLE h_ = nullptr;
};

}  // namespace kav
