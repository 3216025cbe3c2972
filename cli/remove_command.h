// "orlith-cli remove" and "orlith-cli restore": taking a change back.
#pragma once

#include <ostream>

#include "cli/cli_args.h"
#include "core/work_folder.h"

namespace orlith {

// Removes (or with args.dryRun only lists) what args.remove selects, one line per removal and a
// summary on out, under the folder's lock. The exit status: kExitInputError for a position text
// that is not acceptable, kExitMissingConfig without scenery.cfg, kExitNothingSelected when
// nothing is selected (nothing changed), kExitFileError on a file error.
int RunRemove(const CliArgs& args, const WorkFolder& folder, std::ostream& out, std::ostream& err);

// Exchanges scenery.cfg and scenery.org under the folder's lock; the exit status.
int RunRestore(const WorkFolder& folder, std::ostream& out, std::ostream& err);

}  // namespace orlith
