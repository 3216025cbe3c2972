#include "core/coordinate_text.h"

#include <charconv>
#include <cmath>

#include "core/ascii_case.h"
#include "core/fatal.h"
#include "core/lenient_number.h"

namespace orlith {
namespace {

constexpr char kWhiteSpace[] = " \t\n\v\f\r";
// The double nearest to 1/60; the minutes are multiplied by it, not divided by 60, so the last
// bit of every position matches the files written before.
constexpr double kPerMinute = 0.016666666666666666;

// Trims the text and removes a blank that directly follows the first character (once). The
// position of the first blank of the result, or npos when it holds none.
std::size_t Normalise(std::string& text) {
  std::size_t from = text.find_first_not_of(kWhiteSpace);
  if (from == std::string::npos) {
    text.clear();
    return std::string::npos;
  }
  std::size_t to = text.find_last_not_of(kWhiteSpace);
  text = text.substr(from, to - from + 1);
  if (text.find(' ') == 1) text.erase(1, 1);
  return text.find(' ');
}

}  // namespace

std::optional<double> TryParseCoordinate(std::string_view text) {
  std::string copy(text);
  std::size_t blank = Normalise(copy);
  if (blank == std::string::npos) return std::nullopt;
  char letter = copy[0];
  double sign = letter == 'S' || letter == 's' || letter == 'W' || letter == 'w' ? -1.0 : 1.0;
  // The degrees text ends with the separating blank; the minutes text starts with it.
  auto degrees = static_cast<double>(ReadLenientInteger(std::string_view(copy).substr(1, blank)));
  double minutes = ReadLenientDecimal(std::string_view(copy).substr(blank));
  return (minutes * kPerMinute + degrees) * sign;
}

double ParseCoordinate(std::string text) {
  std::optional<double> degrees = TryParseCoordinate(text);
  if (!degrees) FailInput();
  return *degrees;
}

bool IsValidCoordinate(std::string_view text, CoordinateKind kind) {
  std::string copy(text);
  if (Normalise(copy) == std::string::npos) return false;
  char letter = AsciiUpper(copy[0]);
  if (kind == CoordinateKind::kLatitude) return letter == 'N' || letter == 'S';
  return letter == 'E' || letter == 'W';
}

void ValidateLatitude(std::string text) {
  if (!IsValidCoordinate(text, CoordinateKind::kLatitude)) FailInput();
}

void ValidateLongitude(std::string text) {
  if (!IsValidCoordinate(text, CoordinateKind::kLongitude)) FailInput();
}

std::string FormatCoordinate(double degrees, CoordinateKind kind) {
  if (std::isnan(degrees)) degrees = 0.0;
  bool positive = degrees >= 0;
  std::string text(
      1, kind == CoordinateKind::kLatitude ? (positive ? 'N' : 'S') : (positive ? 'E' : 'W'));
  double value = positive ? degrees : -degrees;
  // Whole degrees kept as a double, so any magnitude prints in full; + 0.0 turns -0 into 0.
  double whole = std::trunc(value) + 0.0;
  double minutes = std::isinf(value) ? 0.0 : (value - whole) * 60.0 + 0.0;

  // Printed without the C library, whose decimal point follows the locale.
  char buf[400];
  auto printed = std::to_chars(buf, buf + sizeof buf, whole, std::chars_format::fixed, 0);
  text.append(buf, printed.ptr);
  text += ' ';
  printed = std::to_chars(buf, buf + sizeof buf, minutes, std::chars_format::fixed, 2);
  std::size_t width = static_cast<std::size_t>(printed.ptr - buf);
  if (width < 7) text.append(7 - width, ' ');
  text.append(buf, printed.ptr);
  return text;
}

}  // namespace orlith
