#include "scenery_file/scenery_units.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/lenient_number.h"

namespace orlith {
namespace {

constexpr double kLatitudeUnitsPer90 = 10001750.0;
constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoToMinus8 = 0.00390625;
constexpr double kTwoToMinus16 = 0.0000152587890625;
constexpr double kLowestChannelMhz = 108.0;
constexpr double kChannelsPerMhz = 20.0;
// One nautical mile (1852 m) in range units of 2048 m.
constexpr double kRangeUnitsPerMile = 0.904296875;
// 65536 / 360: 16-bit angle steps per degree.
constexpr double kAngleStepsPerDegree = 182.04444444444445;
// Pi to six decimals and 1 / 180: the simulator's own glide slopes were made with these.
constexpr double kPi = 3.141592;
constexpr double kPerHalfTurn = 0.005555555555555556;
constexpr double kSineScale = 131072.0;

double ReadInteger(std::string_view text) { return static_cast<double>(ReadLenientInteger(text)); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digit that follows a "." right after the digits the integer rule reads from text, as a
// number; 0 when there is none.
unsigned TenthDigit(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string_view::npos) return 0;
  if (text[i] == '+' || text[i] == '-') ++i;
  const std::size_t digits = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == digits || i + 1 >= text.size() || text[i] != '.' || !IsDigit(text[i + 1])) return 0;
  return static_cast<unsigned>(text[i + 1] - '0');
}

template <typename T>
T Clamp(std::int64_t v) {
  return static_cast<T>(
      std::clamp<std::int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

std::int64_t Truncate(double value) {
  // 2^63: the first double beyond the 64-bit range; -2^63 itself is in it.
  constexpr double kLimit = 9223372036854775808.0;
  if (std::isnan(value)) return 0;
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value < -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

std::int64_t LatitudeToUnits32(double degrees) {
  return Truncate(degrees / 90.0 * kLatitudeUnitsPer90);
}

std::int64_t LatitudeToUnits24(double degrees) {
  return Truncate(degrees * 0.5 / 90.0 * kLatitudeUnitsPer90);
}

std::int64_t LongitudeToUnits32(double degrees) {
  return Truncate(degrees * 0.25 / 90.0 * kTwoTo32);
}

std::int64_t LongitudeToUnits24(double degrees) {
  return Truncate(degrees * 0.25 / 90.0 * kTwoTo32 * kTwoToMinus8);
}

std::int64_t DegreesToAngle16(double degrees) {
  return Truncate(degrees * 0.25 / 90.0 * kTwoTo32 * kTwoToMinus16);
}

std::int64_t FrequencyToChannel(std::string_view text) {
  return Truncate((ReadLenientDecimal(text) - kLowestChannelMhz) * kChannelsPerMhz + 0.5);
}

BcdFrequency KilohertzToBcd(std::string_view text) {
  std::int64_t khz = ReadLenientInteger(text);
  if (khz < 0 || khz > 9999) return {};
  auto digit = [khz](int place) { return static_cast<unsigned>(khz / place % 10); };
  BcdFrequency bcd;
  bcd.word = static_cast<std::uint16_t>(digit(100) << 8 | digit(10) << 4 | digit(1));
  bcd.extension = static_cast<std::uint8_t>(digit(1000) << 4 | TenthDigit(text));
  return bcd;
}

std::int64_t NauticalMilesToRange(std::string_view text) {
  return Truncate(ReadInteger(text) * kRangeUnitsPerMile);
}

std::uint8_t RangeByte(std::string_view text) {
  return Clamp<std::uint8_t>(NauticalMilesToRange(text));
}

std::int16_t AltitudeWord(std::string_view text) {
  return Clamp<std::int16_t>(ReadLenientInteger(text));
}

std::int64_t DeviationToAngle16(std::string_view text) {
  return Truncate(ReadInteger(text) * kAngleStepsPerDegree);
}

std::int64_t GlideslopeToSine(std::string_view text) {
  return Truncate(std::sin(ReadLenientDecimal(text) * kPi * kPerHalfTurn) * kSineScale);
}

std::int32_t BandBound(std::int32_t units32) { return units32 / 512; }

std::array<std::uint8_t, 3> Pack24(std::int64_t v) {
  auto bits = static_cast<std::uint64_t>(v);
  return {static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>(bits >> 8 & 0xFF),
          static_cast<std::uint8_t>(bits >> 16 & 0xFF)};
}

}  // namespace orlith
