#include "scenery_file/scenery_units.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace orlith {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A conversion and the results its inputs must give.
template <typename In>
struct Conversion {
  const char* name;
  std::int64_t (*convert)(In);
  std::vector<std::pair<In, std::int64_t>> cases;
};

template <typename In>
void Expect(const std::vector<Conversion<In>>& rows) {
  for (const auto& row : rows) {
    for (const auto& [in, out] : row.cases)
      EXPECT_EQ(row.convert(in), out) << row.name << " " << in;
  }
}

// The extension byte above the word.
std::int64_t Bcd(std::string_view text) {
  BcdFrequency bcd = KilohertzToBcd(text);
  return bcd.extension << 16 | bcd.word;
}
std::int64_t Band(std::int32_t units) { return BandBound(units); }

// The worked examples prove the usual values; these rows pin signs, rounding and the limits.
TEST(SceneryUnits, PositionsAndAngles) {
  // clang-format off
  Expect<double>({
      {"Lat32", LatitudeToUnits32, {{-1.0, -111130}, {90.0, 10001750}}},
      {"Lat24", LatitudeToUnits24, {{1.0, 55565}, {-90.0, -5000875}}},
      {"Lon32", LongitudeToUnits32, {{180.0, 2147483648}, {-1.0, -11930464}}},
      // -1.0 truncates toward zero, where a shift of the 32-bit form would give -46604.
      {"Lon24", LongitudeToUnits24, {{-1.0, -46603}, {180.0, 8388608}, {-180.0, -8388608}}},
      {"A16", DegreesToAngle16, {{163.0, 29673}, {360.0, 65536}, {-10.0, -1820}}},
  });
  Expect<std::int32_t>({
      {"Band", Band, {{4953829, 9675}, {-3994217, -7801}, {-1000, -1}, {-511, 0}}},
      {"Band", Band, {{std::numeric_limits<std::int32_t>::min(), -4194304}}},
  });
  // clang-format on
}

TEST(SceneryUnits, EntryTexts) {
  // clang-format off
  Expect<std::string_view>({
      {"Channel", FrequencyToChannel, {{"108.00", 0}, {"108.05", 1}, {"", -2159}, {"117.95", 199}}},
      {"Range", NauticalMilesToRange, {{"281", 254}, {"282", 255}, {"284", 256}, {"12.5", 10}}},
      {"Deviation", DeviationToAngle16, {{"-3", -546}, {"3.5", 546}, {"360", 65536}}},
      // The sine of an infinite angle is NaN, which stores 0.
      {"Sine", GlideslopeToSine, {{"3", 6859}, {"2.5", 5717}, {"0", 0}, {"1e400", 0}}},
      {"Bcd", Bcd, {{"35", 0x35}, {"999", 0x999}, {"", 0}, {"350.9", 0x350}, {"1000", 0x100000}}},
      {"Bcd", Bcd, {{"2182", 0x200182}, {"9999", 0x900999}, {"10000", 0}, {"-1", 0}}},
      {"Bcd", Bcd, {{"99999999999999999999", 0}}},
  });
  // clang-format on
}

TEST(SceneryUnits, HugeValuesSaturateF10) {
  // clang-format off
  Expect<double>({
      {"Lat32", LatitudeToUnits32, {{1e300, kMax}}},
      {"Lon24", LongitudeToUnits24, {{-1e300, kMin}}},
      {"Truncate", Truncate, {{-0.9, 0}, {-1.9, -1}, {kInf, kMax}, {-kInf, kMin}}},
      {"Truncate", Truncate, {{std::numeric_limits<double>::quiet_NaN(), 0}}},
      {"Truncate", Truncate, {{9223372036854775808.0, kMax}, {-9223372036854775808.0, kMin}}},
  });
  Expect<std::string_view>({
      {"Channel", FrequencyToChannel, {{"1e300", kMax}, {"-1e400", kMin}}},
      {"Range", NauticalMilesToRange, {{"99999999999999999999", 8340666509890158592}}},
      {"Deviation", DeviationToAngle16, {{"9223372036854775807", kMax}}},
      {"Deviation", DeviationToAngle16, {{"-9223372036854775808", kMin}}},
  });
  // clang-format on
}

TEST(SceneryUnits, Pack24KeepsTheLow24Bits) {
  using Bytes = std::array<std::uint8_t, 3>;
  EXPECT_EQ(Pack24(-5000875), (Bytes{0x55, 0xB1, 0xB3}));
  EXPECT_EQ(Pack24(8388608), (Bytes{0x00, 0x00, 0x80}));
  EXPECT_EQ(Pack24(0x12345678), (Bytes{0x78, 0x56, 0x34}));
  EXPECT_EQ(Pack24(kMin), (Bytes{0x00, 0x00, 0x00}));
}

}  // namespace
}  // namespace orlith
