// Writes the scenery file of one NavAid into the simulator folder and reports it in the
// operations log. The byte layout is built by scenery_file/navaid_format.h.
#pragma once

#include <string>

#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/status.h"

namespace orlith {

// latitude + "__" + longitude as typed, the first two "." replaced by "_", then ".bgl". Each of
// \ / : * ? " < > | and every control character becomes "_", so the file always lands in the
// folder itself: "N42 34.6" and "W12 24.5" give "N42 34_6__W12 24_5.bgl".
std::string SceneryFileName(const std::string& latitude, const std::string& longitude);

// Creates the scenery file (or empties the one of that name) and writes its 176-byte header. The
// file goes into the folder's scenery folder (see WorkFolder::SceneryFile), which is created when
// missing. Precondition: both coordinate texts parse (the input error ends the program otherwise,
// before any file is touched). Returns the failure to create the folder or to create or write the
// file, naming the folder or the file.
Status WriteSceneryHeader(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          const std::string& frequency);

// Appends the NavAid's section to the file that WriteSceneryHeader made, then appends the
// creation report, which names the file relative to the simulator folder, to the log. Returns the
// failure to write the scenery file; then no report is written. A failure to write the log goes to
// *log_status (kept when it already holds one) and does not fail the operation.
Status AppendNavAidSection(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status);

// The same file and report as WriteSceneryHeader followed by AppendNavAidSection, with the file
// created (or emptied) and written in one open. Precondition and failures as for the two.
Status WriteNavAidFile(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status);

}  // namespace orlith
