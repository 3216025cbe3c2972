#include "core/lenient_number.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace orlith {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index of the first character after the leading white space.
std::size_t SkipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

}  // namespace

std::int64_t ReadLenientInteger(std::string_view text) {
  std::size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number, whose range is one wider, so INT64_MIN itself fits.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  bool saturated = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    int digit = text[i] - '0';
    if (value < (kMin + digit) / 10) {
      saturated = true;
      continue;
    }
    value = value * 10 - digit;
  }
  if (saturated) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

double ReadLenientDecimal(std::string_view text) {
  std::size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The unsigned number is collected and handed to from_chars, which knows no locale.
  std::string number;
  std::size_t intDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++intDigits) number += text[i];
  std::size_t fracDigits = 0;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++fracDigits) {
    }
    if (intDigits + fracDigits > 0) {
      number.append(text.substr(i, j - i));
      i = j;
    }
  }
  if (intDigits + fracDigits == 0) return 0.0;
  // An exponent counts only when at least one digit follows its letter and sign.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t digitsFrom = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > digitsFrom) number.append(text.substr(i, j - i));
  }

  double value = 0.0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                   std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too large reads as infinity and too small as zero, as the C library reads them. The
    // magnitude is told by where the first non-zero digit stands, shifted by the exponent.
    std::size_t e = number.find_first_of("eE");
    std::string_view mantissa(number.data(), e == std::string::npos ? number.size() : e);
    std::int64_t exponent = e == std::string::npos ? 0 : ReadLenientInteger(number.substr(e + 1));
    std::size_t point = mantissa.find('.');
    if (point == std::string_view::npos) point = mantissa.size();
    std::size_t first = mantissa.find_first_of("123456789");
    std::int64_t magnitude = first < point ? static_cast<std::int64_t>(point - first)
                                           : -static_cast<std::int64_t>(first - point - 1);
    value = first != std::string_view::npos && exponent > -magnitude
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  }
  (void)end;
  return negative ? -value : value;
}

}  // namespace orlith
