// Coordinate texts: a latitude or longitude as the user types it, a hemisphere letter, whole
// degrees, a blank and decimal minutes, e.g. "N42 34.6". Every operation works on its own copy;
// the caller's text is never changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlith {

enum class CoordinateKind { kLatitude = 0, kLongitude = 1 };

// Signed decimal degrees (north and east positive) of a coordinate text. The letter is not
// checked: S, s, W and w give a negative value, anything else a positive one. A text without a
// blank ends the program with the input error (see core/fatal.h).
double ParseCoordinate(std::string text);

// Return only when text is an acceptable latitude (first letter N or S, in either case) or
// longitude (E or W), with a blank; otherwise end the program with the input error. Nothing else
// is examined: not the digits, not the ranges.
void ValidateLatitude(std::string text);
void ValidateLongitude(std::string text);

// The letter from the sign, the whole degrees, a blank, then the minutes as "%7.2f":
// 42.57666666666667 as a latitude gives "N42   34.60". The minutes are rounded by the print
// alone ("N42   60.00" for 42.99999). Whole degrees of any size print in full; an infinite value
// prints its degrees as "inf" with minutes 0.00, and NaN formats as 0.
std::string FormatCoordinate(double degrees, CoordinateKind kind);

// The same rules without ending the program, for callers that check before they act.
std::optional<double> TryParseCoordinate(std::string_view text);
bool IsValidCoordinate(std::string_view text, CoordinateKind kind);

}  // namespace orlith
