// scenery.cfg, the simulator's scenery library configuration: the presence check, the backup to
// scenery.org, and the registration of Orlith's updates area block. scenery.cfg is only ever
// appended to; nothing done here changes a byte of what it held.
#pragma once

#include <ctime>
#include <string>

#include "core/file_env.h"
#include "core/status.h"
#include "core/work_folder.h"

namespace orlith {

inline constexpr char kSceneryConfigName[] = "scenery.cfg";
inline constexpr char kSceneryBackupName[] = "scenery.org";

// OK when the named file of the folder can be opened and read; otherwise a kNotFound status
// naming the file, with the system's reason. Nothing is written. The caller shows
// "File " + name + " not found!" and ends with status 1.
Status EnsureFileExists(const WorkFolder& folder, const std::string& name);

// Copies scenery.cfg line by line to scenery.org (each line ended by CR LF), replacing scenery.org
// in one step so a failed copy leaves the previous backup whole (the new one is on stable storage
// before it replaces the old one), then appends the dated header
// entry to the log. Returns the failure to read scenery.cfg or write scenery.org; then no header
// entry is written. A failure to write the log goes to *log_status (kept when it already holds
// one; log_status may be null) and does not fail the operation.
Status BackupSceneryConfig(const WorkFolder& folder, const std::tm& date, Status* log_status);

// Backs scenery.cfg up and appends the updates area block ("Title=Navigational Updates",
// "Local=Addon Scenery\Updates") with the next area number when it is missing, reporting it in
// the log. The block counts as present when a line, without its line end (LF, CR LF or a lone
// CR) and trailing blanks, is "Title=Navigational Updates" in any letter case. The new block's
// number, which is also its layer, is one more than the highest number of an area header
// ("[Area.123]") or a "Layer=" line, 1 when there is none. scenery.cfg is read once, after a look
// at its last bytes (kConfigTailLook), where the block usually stands. A failed
// backup leaves scenery.cfg untouched. Failures as for BackupSceneryConfig, plus the failure to
// append to scenery.cfg (then scenery.cfg is cut back to its old bytes and no area block entry is
// logged).
Status RegisterUpdatesArea(const WorkFolder& folder, const std::tm& date, Status* log_status);

}  // namespace orlith
