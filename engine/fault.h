// The interpreter status and the subject buffer: how every operation reports failure.
#pragma once
#include <cstdint>
#include <string_view>

#include "engine/status.h"
#include "engine/subject.h"

namespace kav {

struct Fault {
    uint8_t status = 0;  // 0, or the code of the first error
    Subject subject;

    bool ok() const { return status == 0; }
    void raise(Status s) { status = static_cast<uint8_t>(s); }
    void raise(Status s, std::string_view subj) {
        subject.set(subj);
        raise(s);
    }
    void clear() {
        status = 0;
        subject.clear();
    }
};

// First n bytes of a text (subjects of over-long statements and bad brackets).
inline std::string_view head(std::string_view s, size_t n = 31) { return s.substr(0, n < s.size() ? n : s.size()); }

}  // namespace kav
