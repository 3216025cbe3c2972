#include "core/lenient_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace orlith {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LenientNumber, IntegerAndDecimalRules) {
  const struct {
    const char* text;
    std::int64_t integer;
    double decimal;
  } cases[] = {
      {"", 0, 0.0},
      {"abc", 0, 0.0},
      {"350", 350, 350.0},
      {"3.5", 3, 3.5},
      {"12abc", 12, 12.0},
      {"  \t\n42", 42, 42.0},
      {"+7", 7, 7.0},
      {"-3", -3, -3.0},
      {"- 3", 0, 0.0},
      {"+-3", 0, 0.0},
      {"0012", 12, 12.0},
      {"1e3", 1, 1000.0},
      {"9223372036854775807", kMax, 9223372036854775807.0},
      {"9223372036854775808", kMax, 9223372036854775808.0},
      {"-9223372036854775808", kMin, -9223372036854775808.0},
      {"-9223372036854775809", kMin, -9223372036854775809.0},
      {"99999999999999999999999999", kMax, 1e26},
      {"-99999999999999999999999999", kMin, -1e26},
      {"112.30", 112, 112.3},
      {"113.90MHz", 113, 113.9},
      {" -3.5", -3, -3.5},
      {"+.5", 0, 0.5},
      {"5.", 5, 5.0},
      {".", 0, 0.0},
      {"-.", 0, 0.0},
      {"1E+2x", 1, 100.0},
      {"2.5e-1", 2, 0.25},
      {"1e", 1, 1.0},
      {"1e+", 1, 1.0},
      {"1.5.3", 1, 1.5},
      {"3,5", 3, 3.0},
      {"1e-400", 1, 0.0},
      {"0.0000000001e-400", 0, 0.0},
      {"1e400", 1, kInf},  // an overflowing decimal is infinite with its sign
      {"-1e400", -1, -kInf},
      {"0.001e312", 0, kInf},
      {"1e99999999999999999999", 1, kInf},
      {"1e-99999999999999999999", 1, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadLenientInteger(c.text), c.integer) << '"' << c.text << '"';
    EXPECT_EQ(ReadLenientDecimal(c.text), c.decimal) << '"' << c.text << '"';
  }
}

TEST(LenientNumber, DecimalRuleReadsNoSpecialFormsF10) {
  for (const char* text : {"inf", "-INF", "infinity", "nan", "NAN(1)", "0x1p3", "0x10"})
    EXPECT_EQ(ReadLenientDecimal(text), 0.0) << text;
}

}  // namespace
}  // namespace orlith
