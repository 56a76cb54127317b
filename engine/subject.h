// The subject buffer: the name shown in the next error message.
#pragma once
#include <cstddef>
#include <cstring>
#include <string_view>

namespace kav {

class Subject {
public:
    static constexpr size_t kCapacity = 1024;

    Subject() = default;
    Subject(const Subject&) = delete;
    Subject& operator=(const Subject&) = delete;

    // Copies the text, cut to the capacity.
    void set(std::string_view s) {
        size_t n = s.size() < kCapacity ? s.size() : kCapacity;
        std::memmove(own_, s.data(), n);
        view_ = {own_, n};
    }
    // Refers to text that lives as long as the program (names held by compiled
    // statements): setting the subject for every statement must cost nothing.
    void setStable(std::string_view s) { view_ = s; }
    void append(std::string_view s) {
        if (view_.data() != own_) set(view_);
        size_t room = kCapacity - view_.size();
        size_t n = s.size() < room ? s.size() : room;
        std::memcpy(own_ + view_.size(), s.data(), n);
        view_ = {own_, view_.size() + n};
    }
    void clear() { view_ = {}; }
    std::string_view view() const { return view_; }

private:
    char own_[kCapacity] = {};
    std::string_view view_;
};

}  // namespace kav
