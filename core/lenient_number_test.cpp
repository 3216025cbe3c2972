#include "core/lenient_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orlith {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct IntegerCase {
  const char* text;
  std::int64_t value;
};

TEST(LenientNumber, IntegerRule) {
  const IntegerCase cases[] = {
      {"", 0},
      {"abc", 0},
      {"350", 350},
      {"3.5", 3},
      {"12abc", 12},
      {"  \t\n42", 42},
      {"+7", 7},
      {"-3", -3},
      {"- 3", 0},
      {"+-3", 0},
      {"0012", 12},
      {"1e3", 1},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"-9223372036854775808", kMin},
      {"-9223372036854775809", kMin},
      {"99999999999999999999999999", kMax},
      {"-99999999999999999999999999", kMin},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadLenientInteger(c.text), c.value) << '"' << c.text << '"';
}

struct DecimalCase {
  const char* text;
  double value;
};

TEST(LenientNumber, DecimalRule) {
  const DecimalCase cases[] = {
      {"", 0.0},         {"abc", 0.0},
      {"112.30", 112.3}, {"113.90MHz", 113.9},
      {" -3.5", -3.5},   {"+.5", 0.5},
      {"5.", 5.0},       {".", 0.0},
      {"-.", 0.0},       {"1e2", 100.0},
      {"1E+2x", 100.0},  {"2.5e-1", 0.25},
      {"1e", 1.0},       {"1e+", 1.0},
      {"1.5.3", 1.5},    {"3,5", 3.0},
      {"1e-400", 0.0},   {"0.0000000001e-400", 0.0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadLenientDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(LenientNumber, DecimalRuleReadsNoSpecialFormsF10) {
  for (const char* text : {"inf", "-INF", "infinity", "nan", "NAN(1)", "0x1p3", "0x10"}) {
    double value = ReadLenientDecimal(text);
    EXPECT_TRUE(std::isfinite(value)) << text;
    EXPECT_EQ(value, 0.0) << text;
  }
}

TEST(LenientNumber, DecimalOverflowIsInfiniteWithItsSign) {
  EXPECT_EQ(ReadLenientDecimal("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenientDecimal("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenientDecimal("0.001e312"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenientDecimal("1e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadLenientDecimal("1e-99999999999999999999"), 0.0);
}

}  // namespace
}  // namespace orlith
