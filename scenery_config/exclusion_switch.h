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
// exclusion entry to the log. Returns the failure to append to scenery.cfg; then no log entry is
// written. A failure to write the log goes to *log_status.
Status AddExclusionSwitch(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          Status* log_status);

}  // namespace orlith
