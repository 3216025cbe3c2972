// The names under which the command line takes the entry texts: as an option ("--magnetic-
// deviation") and as a batch column ("magnetic_deviation"). One table, so the two never drift.
#pragma once

#include "core/navaid_entry.h"

namespace orlith {

struct FieldNames {
  EntryField field;
  const char* option;
  const char* column;
};

inline constexpr FieldNames kFieldNames[] = {
    {EntryField::kLatitude, "--lat", "latitude"},
    {EntryField::kLongitude, "--lon", "longitude"},
    {EntryField::kNavAidType, "--type", "type"},
    {EntryField::kFrequency, "--frequency", "frequency"},
    {EntryField::kRange, "--range", "range"},
    {EntryField::kAltitude, "--altitude", "altitude"},
    {EntryField::kMagneticDeviation, "--magnetic-deviation", "magnetic_deviation"},
    {EntryField::kDme, "--dme", "dme"},
    {EntryField::kLocalizerDirection, "--localizer-direction", "localizer_direction"},
    {EntryField::kGlideslopeAngle, "--glideslope-angle", "glideslope_angle"},
    {EntryField::kId, "--id", "id"},
    {EntryField::kName, "--name", "name"},
};

}  // namespace orlith
