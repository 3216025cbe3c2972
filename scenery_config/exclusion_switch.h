// Exclusion switches: an "Exclude=" line appended to scenery.cfg that hides the simulator's own
// NavAids of one kind in a rectangle of 0.0002 degrees half-size around a position.
#pragma once

#include <string>
#include <string_view>

#include "core/file_env.h"
#include "core/status.h"
#include "core/work_folder.h"

namespace orlith {

// Half the side of the excluded rectangle, in degrees (0.012 minutes of arc).
inline constexpr double kSwitchHalfSize = 0.0002;

// "Exclude=" + north, west, south and east edges as coordinate texts + the word "all", "vors"
// or "ndbs" chosen by navAidType (empty, "VOR"/"ILS", "NDB"), separated by ", ".
// Precondition: both coordinate texts parse (the input error ends the program otherwise).
std::string ExclusionSwitchLine(const std::string& latitude, const std::string& longitude,
                                const std::string& navAidType);

// A switch line of Orlith's form, read back.
struct OrlithSwitch {
  double latitude = 0;  // the centre, signed degrees
  double longitude = 0;
  std::string word;  // "all", "vors" or "ndbs"
};

// True when line (without its line end) is a switch as ExclusionSwitchLine writes one: the four
// edges exactly as FormatCoordinate writes them, 2 * kSwitchHalfSize apart within the edges'
// rounding to 0.01 minutes, and one of the three words; *found gets its centre and word.
bool ParseOrlithSwitch(std::string_view line, OrlithSwitch* found);

// What the caller knows of the end of scenery.cfg.
enum class ConfigEnd {
  kUnknown,   // its last byte is read before the switch is appended
  kLineFeed,  // the caller's own last append to it ended with CR LF, so nothing is read
};

// Appends the switch line (on a line of its own, ended by CR LF) to scenery.cfg, then the
// exclusion entry to the log. When scenery.cfg is not empty and its last byte is not a line feed,
// CR LF is written first so the old last line stays whole. Returns the failure to read the end of
// scenery.cfg or to append to it; then scenery.cfg holds exactly its old bytes and no log entry
// is written. A failure to write the log goes
// to *log_status (kept when it already holds one; log_status may be null) and does not fail the
// operation. Every call adds a line, also one identical to an earlier one. With
// ConfigEnd::kLineFeed the end is taken as told: a file that does not end so gets the switch
// joined to its last line.
Status AddExclusionSwitch(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          Status* log_status, ConfigEnd end = ConfigEnd::kUnknown);

}  // namespace orlith
