#include "core/navaid_entry.h"

#include "core/ascii_case.h"

namespace orlith {

std::string& FieldOf(NavAidEntry& entry, EntryField field) {
  switch (field) {
    case EntryField::kLatitude:
      return entry.latitude;
    case EntryField::kLongitude:
      return entry.longitude;
    case EntryField::kNavAidType:
      return entry.navAidType;
    case EntryField::kFrequency:
      return entry.frequency;
    case EntryField::kRange:
      return entry.range;
    case EntryField::kAltitude:
      return entry.altitude;
    case EntryField::kMagneticDeviation:
      return entry.magneticDeviation;
    case EntryField::kDme:
      return entry.dme;
    case EntryField::kLocalizerDirection:
      return entry.localizerDirection;
    case EntryField::kGlideslopeAngle:
      return entry.glideslopeAngle;
    case EntryField::kId:
      return entry.id;
    case EntryField::kName:
      return entry.name;
  }
  return entry.name;  // unreachable: every field is listed above
}

const std::string& FieldOf(const NavAidEntry& entry, EntryField field) {
  return FieldOf(const_cast<NavAidEntry&>(entry), field);
}

std::optional<std::string> NormaliseType(std::string_view text) {
  std::string upper = AsciiUpper(text);
  if (upper == "NDB" || upper == "VOR" || upper == "ILS") return upper;
  return std::nullopt;
}

}  // namespace orlith
