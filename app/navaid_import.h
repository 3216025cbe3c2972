// Rows of OurAirports' navaids.csv turned into batch rows. The mapping is pure: one source row
// gives one entry or the reason it is skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/coordinate_text.h"
#include "core/navaid_entry.h"

namespace orlith {

// A rectangle of signed degrees; west > east crosses 180 degrees.
struct ImportArea {
  double north = 0, west = 0, south = 0, east = 0;
};

// The position lies in the rectangle, edges included; a west edge east of the east edge crosses
// 180 degrees.
bool InArea(const ImportArea& area, double latitude, double longitude);

struct ImportOptions {
  std::string file;                    // the navaids.csv file
  std::string output;                  // -o FILE; empty: standard output
  bool apply = false;                  // run the rows as one batch instead of writing them
  std::vector<std::string> countries;  // --country, upper case; empty: every country
  std::vector<std::string> idents;     // --ident, upper case; empty: every ident
  std::optional<ImportArea> within;    // --within
  std::string type;                    // --type: "NDB", "VOR" or empty for both
  std::string command = "create";      // --command: "create" or "modify"
  std::string range;                   // --range NM; empty: from the power column
};

// Why a source row gives no batch row. kSelected: it gives one.
enum class ImportSkip {
  kSelected,
  kFiltered,      // left out by the filters
  kNoRecord,      // DME, TACAN or another type the scenery file has no record for
  kNoFrequency,   // frequency -1, missing, not a number or outside the format's band
  kBadPosition,   // latitude or longitude missing, not a number or out of range
  kSamePosition,  // an earlier row has the same position texts
};
inline constexpr int kImportSkipCount = 6;

// Column indexes of the source file, found by name in its header row.
struct NavaidColumns {
  int ident = -1, name = -1, type = -1, frequency = -1, latitude = -1, longitude = -1,
      elevation = -1, country = -1, slaved = -1, variation = -1, power = -1;
};

// Finds every column the import uses. False with the reason (naming the first missing column)
// when the header is not that of a navaids.csv file.
bool FindNavaidColumns(const std::vector<std::string>& header, NavaidColumns* columns,
                       std::string* error);

// Maps one source row (fields as the header names them) to an entry, applying the filters.
// Returns kSelected with *entry set, or why the row is left out. Does not know other rows, so
// never returns kSamePosition.
ImportSkip MapNavaidRow(const std::vector<std::string>& fields, const NavaidColumns& columns,
                        const ImportOptions& options, NavAidEntry* entry);

// Signed degrees as a coordinate text with minutes to three decimals: "N52 33.534". The minutes
// are rounded to the thousandth and carry into the degrees, so they never read 60.000.
std::string ImportCoordinate(double degrees, CoordinateKind kind);

// UTF-8 text as one byte per character: Latin-1 stays, everything else (and every byte that is
// not valid UTF-8) becomes "?".
std::string Utf8ToLatin1(std::string_view text);

// The whole field as a finite number; none for an empty field or any other text.
std::optional<double> FieldNumber(std::string_view field);

}  // namespace orlith
