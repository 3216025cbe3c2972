// The one record of what the user typed for an operation: twelve texts, each exactly as typed.
// Nothing is converted, trimmed or validated when a text is stored; only the consumers read
// numbers from them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlith {

struct NavAidEntry {
  std::string latitude;            // coordinate text, e.g. "N42 34.6"
  std::string longitude;           // coordinate text, e.g. "W12 24.5"
  std::string navAidType;          // "VOR", "ILS", "NDB", or empty while no type was ever chosen
  std::string frequency;           // NDB: kHz; VOR and ILS: MHz
  std::string range;               // nautical miles
  std::string altitude;            // metres
  std::string magneticDeviation;   // degrees
  std::string dme;                 // VOR: 0 or 1; ILS: the DME code
  std::string localizerDirection;  // degrees
  std::string glideslopeAngle;     // degrees
  std::string id;
  std::string name;

  bool operator==(const NavAidEntry&) const = default;
};

// The fields in entry order, for code that addresses them by position (dialog controls, CSV).
enum class EntryField {
  kLatitude,
  kLongitude,
  kNavAidType,
  kFrequency,
  kRange,
  kAltitude,
  kMagneticDeviation,
  kDme,
  kLocalizerDirection,
  kGlideslopeAngle,
  kId,
  kName,
};
inline constexpr int kEntryFieldCount = 12;

std::string& FieldOf(NavAidEntry& entry, EntryField field);
const std::string& FieldOf(const NavAidEntry& entry, EntryField field);

// "VOR", "ILS" or "NDB" for a type text matched without regard to case; none for any other.
std::optional<std::string> NormaliseType(std::string_view text);

}  // namespace orlith
