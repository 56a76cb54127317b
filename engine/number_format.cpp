#include "engine/number_format.h"

#include <cmath>
#include <cstdio>

namespace kav {

namespace {

// The first `count` significant decimal digits of 0 < v < 1, rounded half up on
// the exact value, and the position of the point before them: 0.05 with 2
// digits gives "50" at -1. A carry out of the first digit gives position 1.
void significantDigits(double v, int count, std::string& digits, int& point) {
    // Every double below 1 has at most 1074 significant decimal digits, so this
    // expansion is exact and the digit after the last kept one decides alone.
    static constexpr int kExact = 1100;
    char text[kExact + 16];
    std::snprintf(text, sizeof text, "%.*e", kExact, v);
    std::string all(1, text[0]);
    all.append(text + 2, kExact);
    point = std::atoi(text + 2 + kExact + 1) + 1;
    digits.assign(all, 0, static_cast<size_t>(count));
    if (all[static_cast<size_t>(count)] < '5') return;
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++point;
}

std::string wholeNumber(double magnitude) {
    char text[400];
    if (magnitude < 2147483648.0) std::snprintf(text, sizeof text, "%ld", static_cast<long>(magnitude));
    else std::snprintf(text, sizeof text, "%.0f", magnitude);
    return text;
}

}  // namespace

std::string formatDecimals(double data, int32_t decimals, size_t limit) {
    if (std::isnan(data)) return std::string("nan").substr(0, limit);
    if (std::isinf(data)) return std::string(data < 0 ? "-inf" : "inf").substr(0, limit);
    const bool negative = data < 0;
    double whole = std::trunc(std::fabs(data));
    const double fraction = std::fabs(data) - whole;
    // More decimals than the text can hold never show.
    const int n = decimals < 0 ? 0 : decimals > static_cast<int32_t>(limit) ? static_cast<int>(limit) : decimals;

    std::string digits;
    int point = 0;
    if (n > 0) {
        if (fraction > 0) significantDigits(fraction, n, digits, point);
        else digits.assign(static_cast<size_t>(n), '0');
        if (point > 0) {  // the fraction rounded up to a whole one
            whole += 1;
            digits.assign(static_cast<size_t>(n), '0');
            point = 0;
        }
    }
    std::string text = negative ? "-" : "";
    text += wholeNumber(whole);
    if (n > 0) {
        text += '.';
        const size_t start = text.size();
        if (point < 0) text.append(static_cast<size_t>(-point) < static_cast<size_t>(n) ? static_cast<size_t>(-point) : static_cast<size_t>(n), '0');
        text += digits;
        text.resize(start + static_cast<size_t>(n));
    }
    if (text.size() > limit) text.resize(limit);
    return text;
}

}  // namespace kav
