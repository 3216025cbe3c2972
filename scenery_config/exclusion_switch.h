// Exclusion switches: an "Exclude=" line appended to scenery.cfg that hides the simulator's own
// NavAids of one kind in a rectangle of 0.0002 degrees half-size around a position.
#pragma once

#include <string>

#include "core/file_env.h"
#include "core/status.h"

namespace orlith {

// "Exclude=" + north, west, south and east edges as coordinate texts + the word "all", "vors"
// or "ndbs" chosen by navAidType (empty, "VOR"/"ILS", "NDB"), separated by ", ".
// Precondition: both coordinate texts parse (the input error ends the program otherwise).
std::string ExclusionSwitchLine(const std::string& latitude, const std::string& longitude,
                                const std::string& navAidType);

// Appends the switch line (on a line of its own, ended by CR LF) to scenery.cfg, then the
// exclusion entry to the log. When scenery.cfg is not empty and its last byte is not a line feed,
// CR LF is written first so the old last line stays whole. Returns the failure to read the end of
// scenery.cfg or to append to it; then no log entry is written. A failure to write the log goes
// to *log_status (kept when it already holds one; log_status may be null) and does not fail the
// operation. Every call adds a line, also one identical to an earlier one.
Status AddExclusionSwitch(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          Status* log_status);

}  // namespace orlith
