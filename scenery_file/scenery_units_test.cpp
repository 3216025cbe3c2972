#include "scenery_file/scenery_units.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace orlith {
namespace {

// The extension byte above the word.
std::int64_t Bcd(std::string_view text) {
  BcdFrequency bcd = KilohertzToBcd(text);
  return bcd.extension << 16 | bcd.word;
}

struct Conversion {
  const char* call;
  std::int64_t got, want;
};
// A row that names its own call.
#define ROW(call, want) \
  { #call, call, want }

// The worked examples prove the usual values; these rows pin signs, rounding and the limits.
TEST(SceneryUnits, PositionsAnglesAndEntryTexts) {
  const Conversion rows[] = {
      // clang-format off
      ROW(LatitudeToUnits32(-1.0), -111130), ROW(LatitudeToUnits32(90.0), 10001750),
      ROW(LatitudeToUnits24(1.0), 55565), ROW(LatitudeToUnits24(-90.0), -5000875),
      ROW(LongitudeToUnits32(180.0), 2147483648), ROW(LongitudeToUnits32(-1.0), -11930464),
      // -1.0 truncates toward zero, where a shift of the 32-bit form would give -46604.
      ROW(LongitudeToUnits24(-1.0), -46603), ROW(LongitudeToUnits24(180.0), 8388608),
      ROW(LongitudeToUnits24(-180.0), -8388608), ROW(DegreesToAngle16(163.0), 29673),
      ROW(DegreesToAngle16(360.0), 65536), ROW(DegreesToAngle16(-10.0), -1820),
      ROW(BandBound(4953829), 9675), ROW(BandBound(-3994217), -7801), ROW(BandBound(-1000), -1),
      ROW(BandBound(-511), 0), ROW(BandBound(std::numeric_limits<std::int32_t>::min()), -4194304),
      ROW(FrequencyToChannel("108.00"), 0), ROW(FrequencyToChannel("108.05"), 1),
      ROW(FrequencyToChannel(""), -2159), ROW(FrequencyToChannel("117.95"), 199),
      ROW(NauticalMilesToRange("281"), 254), ROW(NauticalMilesToRange("282"), 255),
      ROW(NauticalMilesToRange("284"), 256), ROW(NauticalMilesToRange("12.5"), 10),
      ROW(DeviationToAngle16("3.5"), 546), ROW(DeviationToAngle16("360"), 65536),
      ROW(GlideslopeToSine("2.5"), 5717), ROW(GlideslopeToSine("0"), 0),
      ROW(GlideslopeToSine("1e400"), 0),  // the sine of an infinite angle is NaN, which stores 0
      ROW(Bcd("35"), 0x35), ROW(Bcd("999"), 0x999), ROW(Bcd(""), 0), ROW(Bcd("350.9"), 0x090350),
      ROW(Bcd("1000"), 0x100000), ROW(Bcd("2182"), 0x200182), ROW(Bcd("9999"), 0x900999),
      ROW(Bcd("10000"), 0), ROW(Bcd("-1"), 0), ROW(Bcd("99999999999999999999"), 0),
      // F16: the digit after a "." right behind the whole kilohertz is the 100 Hz nibble.
      ROW(Bcd("382.5"), 0x050382), ROW(Bcd("1750.5"), 0x150750), ROW(Bcd(" +350.57"), 0x050350),
      ROW(Bcd("350."), 0x350), ROW(Bcd("1e3"), 0x1), ROW(Bcd("350 .5"), 0x350), ROW(Bcd(".5"), 0),
      ROW(Bcd("-382.5"), 0), ROW(Bcd("10000.5"), 0),
      // F15: range and altitude saturate in their fields instead of wrapping.
      ROW(RangeByte("283"), 255), ROW(RangeByte("284"), 255), ROW(RangeByte("-5"), 0),
      ROW(RangeByte("99999999999999999999"), 255), ROW(AltitudeWord("40000"), 32767),
      ROW(AltitudeWord("-40000"), -32768), ROW(AltitudeWord("-32768"), -32768),
      // clang-format on
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.want) << row.call;
}

#undef ROW

}  // namespace
}  // namespace orlith
