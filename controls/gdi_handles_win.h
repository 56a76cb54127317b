// Owners of the GDI objects the controls subsystem creates.
#pragma once
#include <windows.h>

#include <utility>

namespace kav {

// A font deleted when its owner goes.
class UniqueFont {
public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT f) : font_(f) {}
    ~UniqueFont() { reset(); }
    UniqueFont(UniqueFont&& o) noexcept : font_(std::exchange(o.font_, nullptr)) {}
    UniqueFont& operator=(UniqueFont&& o) noexcept {
        if (this != &o) reset(std::exchange(o.font_, nullptr));
        return *this;
    }
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;

    HFONT get() const { return font_; }
    void reset(HFONT f = nullptr) {
        if (font_) DeleteObject(font_);
        font_ = f;
    }

private:
    HFONT font_ = nullptr;
};

}  // namespace kav
