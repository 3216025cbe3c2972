// "orlith-cli import": reads a navaids.csv file in two passes (the first checks the whole file, so
// a malformed one writes nothing) and writes its batch rows, or runs them as one batch.
#pragma once

#include <ostream>

#include "cli/navaid_import.h"
#include "core/file_env.h"

namespace orlith {

// Relative file names are taken inside folder. The batch rows go to out (or to options.output,
// written whole under a temporary name and then renamed); with options.apply they run as one
// batch whose messages go to out. The summary goes to err. Returns the exit status: 2 for a
// malformed file (with its line number on err, nothing written), 3 when a file cannot be read or
// written, else that of the batch.
int RunImport(const ImportOptions& options, const WorkFolder& folder, std::ostream& out,
              std::ostream& err);

}  // namespace orlith
