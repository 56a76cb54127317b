// Number conversions shared by the evaluator and the commands.
#pragma once
#include <cstdint>
#include <string_view>

namespace kav {

// Truncation toward zero into a signed 32-bit integer as the processor's
// conversion does it: NaN and values outside the range give INT32_MIN.
inline int32_t toInt32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// The leading decimal number of a token, as the C library's strtod reads it
// (digits, a point, an exponent; no sign, no hexadecimal, no inf or nan, which
// cannot stand in a token); 0 when the token does not start with one.
double leadingNumber(std::string_view token);

}  // namespace kav
