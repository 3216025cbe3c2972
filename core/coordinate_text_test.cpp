#include "core/coordinate_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace orlith {
namespace {

constexpr auto kLat = CoordinateKind::kLatitude;
constexpr auto kLon = CoordinateKind::kLongitude;

// The pinned edges; that checking, parsing and formatting agree on any text is the fuzz target's.
TEST(CoordinateText, ParsesValidatesAndFormats) {
  const struct {
    const char* text;
    double degrees;
    bool latitude, longitude;  // IsValidCoordinate for each kind
    const char* formatted;     // of the result, as the letter's kind; "" not checked
  } cases[] = {
      {"N42 34.6", 42.57666666666667, true, false, "N42   34.60"},
      {"W12 24.5", -12.408333333333333, false, true, "W12   24.50"},
      {" S 33 52.25 ", -33.87083333333333, true, false, "S33   52.25"},
      {"E151 12.5", 151.20833333333334, false, true, "E151   12.50"},
      {"S0 30", -0.5, true, false, "S0   30.00"},
      {"\tN42 34.6\r\n", 42.57666666666667, true, false, "N42   34.60"},
      {"N99999 0", 99999.0, true, false, "N99999    0.00"},  // F10: degrees of any size
      {"N  42 34.6", 0.7, true, false, ""},  // only the first blank goes; degrees read a blank
      {"w12 24.5", -12.408333333333333, false, true, ""},
      {"X42 34.6", 42.57666666666667, false, false, ""},  // the letter is not checked
      {"N95 75", 96.25, true, false, ""},
      {"42 34.6", 2.5766666666666667, false, false, ""},
      {"N42\t1 30", 42.5, true, false, ""},  // a tab is no blank: "42\t1 " reads as 42
      {"N-5 30", -4.5, true, false, ""},
      {"N x y", 0.0, true, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE('"' + std::string(c.text) + '"');
    EXPECT_EQ(TryParseCoordinate(c.text), c.degrees);
    EXPECT_EQ(IsValidCoordinate(c.text, kLat), c.latitude);
    EXPECT_EQ(IsValidCoordinate(c.text, kLon), c.longitude);
    if (*c.formatted == '\0') continue;
    EXPECT_EQ(FormatCoordinate(ParseCoordinate(c.text), c.longitude ? kLon : kLat), c.formatted);
  }
  for (const char* text : {"", "   ", "N42", "N 42", " N42\t", "N\t42"}) {
    EXPECT_FALSE(TryParseCoordinate(text).has_value()) << '"' << text << '"';
    EXPECT_FALSE(IsValidCoordinate(text, kLat) || IsValidCoordinate(text, kLon)) << text;
  }
}

TEST(CoordinateText, FormatsRoundedMinutesAndDegreesOfAnySizeF10) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double degrees;
    CoordinateKind kind;
    const char* text;
  } cases[] = {
      // clang-format off
      {42.57686666666667, kLat, "N42   34.61"}, {-12.408133333333334, kLon, "W12   24.49"},
      {-0.0, kLat, "N0    0.00"}, {42.99999, kLat, "N42   60.00"}, {-180.0, kLon, "W180    0.00"},
      {-1e20, kLat, "S100000000000000000000    0.00"}, {-kInf, kLon, "Winf    0.00"},
      {std::numeric_limits<double>::quiet_NaN(), kLat, "N0    0.00"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCoordinate(c.degrees, c.kind), c.text) << c.degrees;
}

}  // namespace
}  // namespace orlith
