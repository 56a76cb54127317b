// Numbers written as text with a fixed count of decimals, for the commands that
// print or insert a number.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kav {

// `data` with `decimals` characters after the point (none and no point for 0):
// the integer part in full, "-0" for a negative number whose integer part is 0,
// then the fraction rounded to `decimals` significant digits (halves up) and cut
// to `decimals` places, so 0.0096 with 2 decimals gives "0.00". A fraction that
// rounds up to 1 carries into the integer part (3.999 with 2 gives "4.00").
// Negative decimals count as 0; the text is cut to `limit` bytes.
std::string formatDecimals(double data, int32_t decimals, size_t limit = 511);

}  // namespace kav
