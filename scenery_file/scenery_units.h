// The simulator's units: conversions from the degrees, MHz, kHz, nautical miles and metres that
// the user enters to the integers that the scenery file stores. Every step is a double operation
// in the order written, so the results match the simulator's own files to the last bit.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orlith {

// A double as a 64-bit integer, rounded toward zero; values beyond the 64-bit range give the
// nearest limit and NaN gives 0. Callers keep the low bits that their field holds.
std::int64_t Truncate(double value);

// 90 degrees = 10,001,750 units.
std::int64_t LatitudeToUnits32(double degrees);
// Half the resolution of the 32-bit latitude: 90 degrees = 5,000,875 steps.
std::int64_t LatitudeToUnits24(double degrees);
// 360 degrees = 2^32 units.
std::int64_t LongitudeToUnits32(double degrees);
// 360 degrees = 2^24 steps, computed from the degrees (not a shift of the 32-bit form, which
// would round negative values down instead of toward zero).
std::int64_t LongitudeToUnits24(double degrees);
// 360 degrees = 2^16 steps; also headings.
std::int64_t DegreesToAngle16(double degrees);

// The VOR or ILS channel: 50 kHz steps from 108.00 MHz, from the text read as a decimal number
// in MHz. Adding 0.5 before truncating makes 108.05 give 1 although (108.05 - 108) * 20 falls just
// short of it in double arithmetic.
std::int64_t FrequencyToChannel(std::string_view text);

// An NDB frequency in binary-coded decimal: the word holds the hundreds, tens and units digits
// in bits 8-11, 4-7 and 0-3; the extension byte holds the thousands digit in its high four bits
// and the 100 Hz digit in its low four bits. The whole kilohertz are the text read as an integer;
// the 100 Hz digit is the digit right after a "." that directly follows those digits, else 0.
// 350 gives 0x0350 / 0x00, 382.5 gives 0x0382 / 0x05, 1750.5 gives 0x0750 / 0x15, and 350.57
// keeps only the 5. A negative frequency or one above 9999 kHz gives 0 / 0.
struct BcdFrequency {
  std::uint16_t word = 0;
  std::uint8_t extension = 0;
};
BcdFrequency KilohertzToBcd(std::string_view text);

// The range in units of 2048 m from the text read as whole nautical miles (1852 / 2048 each).
std::int64_t NauticalMilesToRange(std::string_view text);
// The range as its one-byte field stores it: NauticalMilesToRange clamped to 0..255, so 284 nm
// and more give the longest range and a negative one none, instead of wrapping.
std::uint8_t RangeByte(std::string_view text);
// The altitude in metres as its signed 16-bit field stores it: the text read as an integer,
// clamped to -32768..32767.
std::int16_t AltitudeWord(std::string_view text);
// The magnetic deviation as a 16-bit angle, from the text read as whole degrees.
std::int64_t DeviationToAngle16(std::string_view text);
// sin(angle) * 2^17, from the text read as decimal degrees.
std::int64_t GlideslopeToSine(std::string_view text);

// A latitude band bound: v / 512, truncated toward zero (-1000 gives -1, not -2).
std::int32_t BandBound(std::int32_t units32);

// The low 24 bits of v: bits 0-15 little-endian, then bits 16-23. A negative value is stored as
// its 24-bit two's complement.
std::array<std::uint8_t, 3> Pack24(std::int64_t v);

}  // namespace orlith
