// The report of "orlith-cli inspect": a decoded scenery file as lines of text or as one JSON
// object.
#pragma once

#include <string>

#include "core/coordinate_text.h"
#include "scenery_file/navaid_reader.h"

namespace orlith {

// One "Label: value" line per field, each ended by a line feed. Fields that the NavAid's type
// does not store are left out.
std::string InspectText(const DecodedNavAid& navaid);

// The same fields as one JSON object on one line, ended by a line feed. Text bytes of 0x80 and
// above are read as Latin-1.
std::string InspectJson(const DecodedNavAid& navaid);

// text as a JSON string in quotes; bytes of 0x80 and above are read as Latin-1.
std::string JsonString(const std::string& text);

// A position as the report shows it: FormatCoordinate, with minutes that round up to 60.00
// carried into the degrees.
std::string ReportCoordinate(double degrees, CoordinateKind kind);

// v with the given number of decimals, as the report shows numbers: 24.33.
std::string ReportDecimal(double v, int decimals);

// An NDB's frequency as the report shows it, without the unit: 350, or 382.5 with its 100 Hz digit.
std::string ReportKilohertz(const DecodedNavAid& navaid);

}  // namespace orlith
