// Coordinate texts of any bytes: the checking and the parsing agree, a parsed position formats
// into a text that is accepted again and parses back to the same position within the rounding
// of the two printed decimals, and ParseCoordinate never ends the program for a text that
// TryParseCoordinate accepts.
#include <cmath>
#include <string>

#include "core/ascii_case.h"
#include "core/coordinate_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using orlith::CoordinateKind;

bool HasSeparatingBlank(std::string text) {
  const char* space = " \t\n\v\f\r";
  text.erase(text.find_last_not_of(space) + 1);
  text.erase(0, text.find_first_not_of(space));
  // A blank right after the letter is dropped once: "N 42" holds no blank that separates.
  if (text.find(' ') == 1) text.erase(1, 1);
  return text.find(' ') != std::string::npos;
}

void CheckRoundTrip(double degrees, CoordinateKind kind) {
  const std::string text = orlith::FormatCoordinate(degrees, kind);
  if (std::isnan(degrees)) return;
  FUZZ_CHECK(orlith::IsValidCoordinate(text, kind));
  std::optional<double> back = orlith::TryParseCoordinate(text);
  FUZZ_CHECK(back.has_value());
  if (std::isinf(degrees)) return;
  // Degrees beyond the whole numbers a double holds exactly lose their minutes anyway.
  if (std::fabs(degrees) > 1e12) return;
  // Two printed decimals of minutes: at most 0.005 minutes off, plus the double arithmetic.
  FUZZ_CHECK(std::fabs(*back - degrees) <= 0.005 / 60.0 + std::fabs(degrees) * 1e-12 + 1e-12);
  FUZZ_CHECK((*back < 0) == (degrees < 0) || *back == 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::optional<double> parsed = orlith::TryParseCoordinate(text);
  FUZZ_CHECK(parsed.has_value() == HasSeparatingBlank(text));
  const bool latitude = orlith::IsValidCoordinate(text, CoordinateKind::kLatitude);
  const bool longitude = orlith::IsValidCoordinate(text, CoordinateKind::kLongitude);
  FUZZ_CHECK(!(latitude && longitude));
  if (latitude || longitude) {
    FUZZ_CHECK(parsed.has_value());
    const char letter = orlith::AsciiUpper(text[text.find_first_not_of(" \t\n\v\f\r")]);
    FUZZ_CHECK(latitude ? (letter == 'N' || letter == 'S') : (letter == 'E' || letter == 'W'));
  }
  if (parsed) {
    // The ending variant computes the same value, bit for bit.
    const double again = orlith::ParseCoordinate(text);
    FUZZ_CHECK(again == *parsed || (std::isnan(again) && std::isnan(*parsed)));
    CheckRoundTrip(*parsed, CoordinateKind::kLatitude);
    CheckRoundTrip(*parsed, CoordinateKind::kLongitude);
  }

  // The input's first eight bytes as a double, to reach values no text gives.
  if (size >= sizeof(double)) {
    double raw;
    __builtin_memcpy(&raw, data, sizeof raw);
    CheckRoundTrip(raw, CoordinateKind::kLatitude);
    CheckRoundTrip(raw, CoordinateKind::kLongitude);
  }
  return 0;
}
