// The two lenient number readers against plain references written from their rules: the
// integer accumulated in 128 bits and saturated, the decimal as the C library's strtod reads it in
// the C locale once the text is known to hold a digit or a point after its blanks and sign, and a
// "0x" is cut to its "0" (so no "inf", "nan" or hexadecimal reading can enter).
#include <algorithm>
#include <clocale>
#include <cmath>
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
  using Limits = std::numeric_limits<std::int64_t>;
  __int128 value = 0;
  const __int128 cap = static_cast<__int128>(Limits::max()) + 2;
  for (; i < t.size() && IsDigit(t[i]); ++i) {
    value = value * 10 + (t[i] - '0');
    if (value > cap) value = cap;
  }
  return static_cast<std::int64_t>(
      std::clamp<__int128>(negative ? -value : value, Limits::min(), Limits::max()));
}

double ReferenceDecimal(std::string_view t) {
  std::string text(t);
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size() || !(IsDigit(text[i]) || text[i] == '.')) return 0.0;
  if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] | 0x20) == 'x') text.resize(i + 1);
  return std::strtod(text.c_str(), nullptr);
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
