// "orlith-cli list": what Orlith has put in effect in a simulator folder, as text or JSON.
#pragma once

#include <ostream>

#include "core/file_env.h"
#include "core/work_folder.h"

namespace orlith {

// Lists the switches of folder's scenery.cfg and the Orlith scenery files of folder and of its
// scenery folder (when it has one), as text or one JSON object. Reads only. Returns the exit
// status: kExitMissingConfig without scenery.cfg, kExitFileError when a file cannot be read.
int RunList(const WorkFolder& folder, bool json, std::ostream& out, std::ostream& err);

}  // namespace orlith
