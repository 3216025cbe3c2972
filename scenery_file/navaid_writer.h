// Writes the scenery file of one NavAid into the simulator folder and reports it in the
// operations log. The byte layout is built by scenery_file/navaid_format.h.
#pragma once

#include <string>

#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/status.h"
#include "core/work_folder.h"

namespace orlith {

// latitude + "__" + longitude as typed, the first two "." replaced by "_", then ".bgl". Each of
// \ / : * ? " < > | and every control character becomes "_", so the file always lands in the
// folder itself: "N42 34.6" and "W12 24.5" give "N42 34_6__W12 24_5.bgl".
std::string SceneryFileName(const std::string& latitude, const std::string& longitude);

// Where the scenery file of a position goes (the scenery folder's, see WorkFolder::SceneryFile):
// the one place that names its path, for the writer and for the check before a command changes
// anything.
std::string SceneryFilePath(const WorkFolder& folder, const std::string& latitude,
                            const std::string& longitude);

// OK when the file system can hold the scenery file of the position (its name and whole path not
// too long); otherwise the reason, naming the file. Nothing is written.
Status CheckSceneryFilePath(const WorkFolder& folder, const std::string& latitude,
                            const std::string& longitude);

// Writes the NavAid's scenery file (its 176-byte header, then its section) into the scenery
// folder, which is created when missing, then appends the creation report, which names the file
// relative to the simulator folder, to the log. The file is written whole to a temporary file
// beside it and renamed over the name, so a failure or a kill leaves the old file or the new one,
// never a part, and a symlink at the name is replaced, not followed. Precondition: both coordinate
// texts parse (the input error ends the program otherwise, before any file is touched). Returns the
// failure to create the folder or to write the file, naming it; then no report is written and the
// old file stays. A failure to write the log goes to *log_status (kept when it already holds one;
// may be null) and does not fail the operation.
Status WriteNavAidFile(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status);

}  // namespace orlith
