// The two lenient number readers against plain references written from their rules: the
// integer accumulated in 128 bits and saturated, the decimal as the C library's strtod reads the
// longest prefix that fits the decimal form (the form alone is chosen here, so no locale, "inf",
// "nan" or hexadecimal reading can enter).
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/lenient_number.h"
#include "fuzz/fuzz_check.h"

namespace {

bool IsSpace(char c) { return c != 0 && std::strchr(" \t\n\v\f\r", c) != nullptr; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::int64_t ReferenceInteger(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsSpace(t[i])) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  __int128 value = 0;
  const __int128 cap = static_cast<__int128>(std::numeric_limits<std::int64_t>::max()) + 2;
  for (; i < t.size() && IsDigit(t[i]); ++i) {
    value = value * 10 + (t[i] - '0');
    if (value > cap) value = cap;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int64_t>::max())
    return std::numeric_limits<std::int64_t>::max();
  if (value < std::numeric_limits<std::int64_t>::min())
    return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

double ReferenceDecimal(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsSpace(t[i])) ++i;
  std::size_t start = i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    std::size_t j = i + 1;
    std::size_t frac = 0;
    while (j < t.size() && IsDigit(t[j])) ++j, ++frac;
    if (digits + frac > 0) {
      digits += frac;
      i = j;
    }
  }
  if (digits == 0) return 0.0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    std::size_t from = j;
    while (j < t.size() && IsDigit(t[j])) ++j;
    if (j > from) i = j;
  }
  std::string number(t.substr(start, i - start));
  return std::strtod(number.c_str(), nullptr);
}

bool SameDouble(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::setlocale(LC_ALL, "C");
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(orlith::ReadLenientInteger(text) == ReferenceInteger(text));
  const double got = orlith::ReadLenientDecimal(text);
  const double want = ReferenceDecimal(text);
  // A zero read from "-0" may keep its sign or not; any other value must match to the bit.
  FUZZ_CHECK(SameDouble(got, want) || (got == 0.0 && want == 0.0));
  FUZZ_CHECK(!std::isnan(got));
  return 0;
}
