#include "core/lenient_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace orlith {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The pinned edges of both rules; the fuzz target checks the readers on arbitrary texts.
TEST(LenientNumber, IntegerAndDecimalRules) {
  const struct {
    const char* text;
    std::int64_t integer;
    double decimal;
  } cases[] = {
      // clang-format off
      {"", 0, 0.0}, {"abc", 0, 0.0}, {"3.5", 3, 3.5}, {"113.90MHz", 113, 113.9},
      {"  \t\n42", 42, 42.0}, {"- 3", 0, 0.0}, {"+-3", 0, 0.0}, {"+.5", 0, 0.5}, {"-.", 0, 0.0},
      {"1E+2x", 1, 100.0}, {"1e+", 1, 1.0}, {"1.5.3", 1, 1.5}, {"3,5", 3, 3.0},
      {"9223372036854775808", kMax, 9223372036854775808.0},
      {"-99999999999999999999999999", kMin, -1e26},
      {"1e-400", 1, 0.0}, {"-1e400", -1, -kInf},  // an overflowing decimal is infinite
      {"1e99999999999999999999", 1, kInf}, {"1e-99999999999999999999", 1, 0.0},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadLenientInteger(c.text), c.integer) << '"' << c.text << '"';
    EXPECT_EQ(ReadLenientDecimal(c.text), c.decimal) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace orlith
