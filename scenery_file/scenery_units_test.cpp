#include "scenery_file/scenery_units.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace orlith {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// One row per conversion: its inputs and the results they must give.
template <typename In>
struct Row {
  const char* name;
  std::function<std::int64_t(In)> convert;
  std::vector<std::pair<In, std::int64_t>> cases;
};

template <typename In>
void ExpectRows(const std::vector<Row<In>>& rows) {
  for (const auto& row : rows) {
    for (const auto& [in, out] : row.cases)
      EXPECT_EQ(row.convert(in), out) << row.name << " " << in;
  }
}

TEST(SceneryUnits, PositionsAndAngles) {
  ExpectRows<double>({
      {"LatitudeToUnits32", LatitudeToUnits32, {{1.0, 111130}, {-1.0, -111130}, {90.0, 10001750}}},
      {"LatitudeToUnits24", LatitudeToUnits24, {{1.0, 55565}, {90.0, 5000875}, {-90.0, -5000875}}},
      {"LongitudeToUnits32",
       LongitudeToUnits32,
       {{1.0, 11930464}, {180.0, 2147483648}, {-1.0, -11930464}}},
      // -1.0 truncates toward zero, where a shift of the 32-bit form would give -46604.
      {"LongitudeToUnits24",
       LongitudeToUnits24,
       {{1.0, 46603}, {-1.0, -46603}, {180.0, 8388608}, {-180.0, -8388608}}},
      {"DegreesToAngle16",
       DegreesToAngle16,
       {{90.0, 16384}, {163.0, 29673}, {360.0, 65536}, {-10.0, -1820}}},
  });
}

TEST(SceneryUnits, EntryTexts) {
  ExpectRows<std::string_view>({
      {"FrequencyToChannel",
       FrequencyToChannel,
       {{"108.00", 0},
        {"108.05", 1},
        {"110.30", 46},
        {"113.90", 118},
        {"117.95", 199},
        {"", -2159}}},
      {"NauticalMilesToRange",
       NauticalMilesToRange,
       {{"25", 22},
        {"50", 45},
        {"281", 254},
        {"282", 255},
        {"283", 255},
        {"284", 256},
        {"12.5", 10}}},
      {"DeviationToAngle16",
       DeviationToAngle16,
       {{"1", 182}, {"-3", -546}, {"3.5", 546}, {"12", 2184}, {"180", 32768}, {"360", 65536}}},
      // The sine of an infinite angle is NaN, which stores 0.
      {"GlideslopeToSine",
       GlideslopeToSine,
       {{"3", 6859}, {"2.5", 5717}, {"3.5", 8001}, {"0", 0}, {"1e400", 0}}},
  });
}

TEST(SceneryUnits, HugeValuesSaturateF10) {
  ExpectRows<std::string_view>({
      {"FrequencyToChannel", FrequencyToChannel, {{"1e300", kMax}, {"-1e400", kMin}}},
      {"NauticalMilesToRange",
       NauticalMilesToRange,
       {{"99999999999999999999", 8340666509890158592}}},
      {"DeviationToAngle16",
       DeviationToAngle16,
       {{"9223372036854775807", kMax}, {"-9223372036854775808", kMin}}},
  });
  EXPECT_EQ(Truncate(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Truncate(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(Truncate(-std::numeric_limits<double>::infinity()), kMin);
  EXPECT_EQ(Truncate(9223372036854775808.0), kMax);
  EXPECT_EQ(Truncate(-9223372036854775808.0), kMin);
  EXPECT_EQ(Truncate(-0.9), 0);
  EXPECT_EQ(Truncate(-1.9), -1);
  EXPECT_EQ(LatitudeToUnits32(1e300), kMax);
  EXPECT_EQ(LongitudeToUnits24(-1e300), kMin);
}

TEST(SceneryUnits, KilohertzToBcd) {
  const struct {
    const char* text;
    unsigned word;
    unsigned extension;
  } cases[] = {
      {"350", 0x0350, 0},
      {"190", 0x0190, 0},
      {"35", 0x0035, 0},
      {"999", 0x0999, 0},
      {"0", 0, 0},
      {"", 0, 0},
      {"350.9", 0x0350, 0},
      {"1000", 0x0000, 0x10},
      {"1750", 0x0750, 0x10},
      {"2182", 0x0182, 0x20},
      {"9999", 0x0999, 0x90},
      {"10000", 0, 0},
      {"-1", 0, 0},
      {"-350", 0, 0},
      {"99999999999999999999", 0, 0},
  };
  for (const auto& c : cases) {
    BcdFrequency bcd = KilohertzToBcd(c.text);
    EXPECT_EQ(bcd.word, c.word) << c.text;
    EXPECT_EQ(bcd.extension, c.extension) << c.text;
  }
}

TEST(SceneryUnits, BandBoundTruncatesTowardZero) {
  const struct {
    std::int32_t units;
    std::int32_t bound;
  } cases[] = {{4953829, 9675},   {4509307, 8807},
               {-3994217, -7801}, {-1000, -1},
               {-511, 0},         {std::numeric_limits<std::int32_t>::min(), -4194304}};
  for (const auto& c : cases) EXPECT_EQ(BandBound(c.units), c.bound) << c.units;
}

TEST(SceneryUnits, Pack24KeepsTheLow24Bits) {
  using Bytes = std::array<std::uint8_t, 3>;
  EXPECT_EQ(Pack24(-5000875), (Bytes{0x55, 0xB1, 0xB3}));
  EXPECT_EQ(Pack24(8388608), (Bytes{0x00, 0x00, 0x80}));
  EXPECT_EQ(Pack24(-8388608), (Bytes{0x00, 0x00, 0x80}));
  EXPECT_EQ(Pack24(-1885978), (Bytes{0xE6, 0x38, 0xE3}));
  EXPECT_EQ(Pack24(0x12345678), (Bytes{0x78, 0x56, 0x34}));
  EXPECT_EQ(Pack24(kMin), (Bytes{0x00, 0x00, 0x00}));
}

}  // namespace
}  // namespace orlith
