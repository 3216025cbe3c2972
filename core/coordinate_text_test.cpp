#include "core/coordinate_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/fatal.h"

namespace orlith {
namespace {

struct ParseCase {
  const char* text;
  double degrees;
  const char* formatted;  // FormatCoordinate of the result with the kind of the letter
  CoordinateKind kind;
};

TEST(CoordinateText, ParsesAndFormatsTheWorkedExamples) {
  const ParseCase cases[] = {
      {"N42 34.6", 42.57666666666667, "N42   34.60", CoordinateKind::kLatitude},
      {"W12 24.5", -12.408333333333333, "W12   24.50", CoordinateKind::kLongitude},
      {"n 42 34.6", 42.57666666666667, "N42   34.60", CoordinateKind::kLatitude},
      {" S 33 52.25 ", -33.87083333333333, "S33   52.25", CoordinateKind::kLatitude},
      {"E151 12.5", 151.20833333333334, "E151   12.50", CoordinateKind::kLongitude},
      {"S0 30", -0.5, "S0   30.00", CoordinateKind::kLatitude},
      {"N42 34", 42.56666666666667, "N42   34.00", CoordinateKind::kLatitude},
      {"\tN42 34.6\r\n", 42.57666666666667, "N42   34.60", CoordinateKind::kLatitude},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    double degrees = ParseCoordinate(text);
    EXPECT_EQ(degrees, c.degrees) << c.text;
    EXPECT_EQ(text, c.text) << "the caller's text changed";
    EXPECT_EQ(FormatCoordinate(degrees, c.kind), c.formatted) << c.text;
  }
}

TEST(CoordinateText, ParsesTheEdgeCases) {
  const struct {
    const char* text;
    double degrees;
  } cases[] = {
      {"N  42 34.6", 0.7},  // only the first blank goes; the degrees text is a blank
      {"s42 34.6", -42.57666666666667},
      {"w12 24.5", -12.408333333333333},
      {"X42 34.6", 42.57666666666667},  // the letter is not checked
      {"N95 75", 96.25},
      {"N42.5 30", 42.5},
      {"42 34.6", 2.5766666666666667},
      {"N42   34.6", 42.57666666666667},
      {"N42\t1 30", 42.5},  // a tab is no blank: "42\t1 " reads as 42
      {"N-5 30", -4.5},
      {"N x y", 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCoordinate(c.text), c.degrees) << c.text;
}

TEST(CoordinateText, TextsWithoutBlankAreRejected) {
  for (const char* text : {"", "   ", "N42", "N 42", "N42 ", " N42\t", "N\t42"}) {
    EXPECT_FALSE(TryParseCoordinate(text).has_value()) << '"' << text << '"';
    EXPECT_FALSE(IsValidCoordinate(text, CoordinateKind::kLatitude)) << '"' << text << '"';
  }
}

TEST(CoordinateText, ValidatesTheLetterPair) {
  const struct {
    const char* text;
    bool latitude;
    bool longitude;
  } cases[] = {
      {"N42 34.6", true, false},   {"n42 34.6", true, false}, {"s42 34.6", true, false},
      {"S 33 52.25", true, false}, {"E12 24.5", false, true}, {"w12 24.5", false, true},
      {"X42 34.6", false, false},  {"42 34.6", false, false}, {"N  42 34.6", true, false},
      {"N95 75", true, false},     {"Nxx yy", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidCoordinate(c.text, CoordinateKind::kLatitude), c.latitude) << c.text;
    EXPECT_EQ(IsValidCoordinate(c.text, CoordinateKind::kLongitude), c.longitude) << c.text;
  }
}

TEST(CoordinateText, FormatsShiftedAndRoundedMinutes) {
  const struct {
    double degrees;
    CoordinateKind kind;
    const char* text;
  } cases[] = {
      {42.57686666666667, CoordinateKind::kLatitude, "N42   34.61"},
      {-12.408133333333334, CoordinateKind::kLongitude, "W12   24.49"},
      {0.0, CoordinateKind::kLatitude, "N0    0.00"},
      {-0.0, CoordinateKind::kLatitude, "N0    0.00"},
      {-0.5, CoordinateKind::kLongitude, "W0   30.00"},
      {42.99999, CoordinateKind::kLatitude, "N42   60.00"},
      {180.0, CoordinateKind::kLongitude, "E180    0.00"},
      {-180.0, CoordinateKind::kLongitude, "W180    0.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCoordinate(c.degrees, c.kind), c.text) << c.degrees;
}

TEST(CoordinateText, FormatsDegreesOfAnySizeF10) {
  EXPECT_EQ(FormatCoordinate(ParseCoordinate("N99999 0"), CoordinateKind::kLatitude),
            "N99999    0.00");
  EXPECT_EQ(FormatCoordinate(40000.5, CoordinateKind::kLongitude), "E40000   30.00");
  EXPECT_EQ(FormatCoordinate(-1e20, CoordinateKind::kLatitude), "S100000000000000000000    0.00");
  EXPECT_EQ(
      FormatCoordinate(ParseCoordinate("N99999999999999999999999 0"), CoordinateKind::kLatitude),
      "N9223372036854775808    0.00");
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatCoordinate(inf, CoordinateKind::kLatitude), "Ninf    0.00");
  EXPECT_EQ(FormatCoordinate(-inf, CoordinateKind::kLongitude), "Winf    0.00");
  EXPECT_EQ(FormatCoordinate(std::numeric_limits<double>::quiet_NaN(), CoordinateKind::kLatitude),
            "N0    0.00");
}

using CoordinateTextDeathTest = ::testing::Test;

TEST(CoordinateTextDeathTest, RejectedTextsEndWithTheInputError) {
  const auto kInputError = ::testing::ExitedWithCode(kInputErrorStatus);
  EXPECT_EXIT(ParseCoordinate("N42"), kInputError, "Input Error - Program terminates!");
  EXPECT_EXIT(ParseCoordinate(""), kInputError, "Input Error - Program terminates!");
  EXPECT_EXIT(ValidateLatitude("E12 24.5"), kInputError, "Input Error - Program terminates!");
  EXPECT_EXIT(ValidateLatitude("N42 "), kInputError, "Input Error - Program terminates!");
  EXPECT_EXIT(ValidateLongitude("N12 24.5"), kInputError, "Input Error - Program terminates!");
  EXPECT_EXIT(ValidateLongitude("42 34.6"), kInputError, "Input Error - Program terminates!");
}

}  // namespace
}  // namespace orlith
