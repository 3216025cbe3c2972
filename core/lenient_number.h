// The two lenient ways in which numbers are read from entry texts. A text that is not a number
// reads as 0 and nothing reports it; "." is the decimal point whatever the locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace orlith {

// Leading white space, an optional "+" or "-", then decimal digits up to the first other
// character; no digits give 0. Saturates at the 64-bit limits.
std::int64_t ReadLenientInteger(std::string_view text);

// Leading white space, an optional sign, digits with an optional "." fraction and an optional
// exponent, up to the first character that does not fit; nothing readable gives 0.0. No "inf",
// "nan" or hexadecimal forms are read (they give 0.0).
double ReadLenientDecimal(std::string_view text);

}  // namespace orlith
