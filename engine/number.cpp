#include "engine/number.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace kav {

double leadingNumber(std::string_view t) {
    if (t.empty()) return 0;
    const bool digit0 = t[0] >= '0' && t[0] <= '9';
    const bool point0 = t[0] == '.' && t.size() > 1 && t[1] >= '0' && t[1] <= '9';
    if (!digit0 && !point0) return 0;
    double v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as strtod answers.
        std::string prefix(t.data(), static_cast<size_t>(r.ptr - t.data()));
        return std::strtod(prefix.c_str(), nullptr);
    }
    return r.ec == std::errc() ? v : 0;
}

}  // namespace kav
