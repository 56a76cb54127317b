// COM for the families that need it (the picture loader, the media session,
// the camera): the apartment of a thread and an owning interface pointer.
#pragma once
#include <objbase.h>

#include <utility>

namespace kav {

// COM on this thread for the owner's lifetime. Only an initialisation that
// succeeded is balanced: S_FALSE (already initialised here) counts, while
// RPC_E_CHANGED_MODE (another apartment kind) must not be uninitialised.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) : hr_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // COM can be used on this thread (in whichever apartment it already had).
    bool usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

// Holds one reference to an interface and releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // The out-parameter of a creating call: the old reference is released first.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // Another interface of the same object, or an empty pointer.
    template <class U>
    ComPtr<U> as() const {
        ComPtr<U> other;
        if (p_) p_->QueryInterface(__uuidof(U), other.putVoid());
        return other;
    }

private:
    T* p_ = nullptr;
};

}  // namespace kav
