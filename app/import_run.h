// An import of OurAirports' navaids.csv: read in two passes (the first checks the whole file, so
// a malformed one writes nothing), its batch rows written out or run as one batch.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "app/batch.h"
#include "app/navaid_import.h"
#include "core/work_folder.h"
#include "ui/front_end.h"

namespace orlith {

struct ImportCounts {
  std::int64_t read = 0;
  std::int64_t by[kImportSkipCount] = {};  // indexed by ImportSkip; kSelected: rows written
};

// The summary for standard error, two lines ended by line feeds.
std::string ImportSummary(const ImportCounts& counts, bool applied);

// Relative file names are taken inside folder. The batch rows go to out (or to options.output,
// written whole under a temporary name and then renamed); with options.apply they run as one
// batch whose messages go through front_end. The summary and the reasons of failures go to err.
// Returns the exit status: kExitUsage for a malformed file (with its line number on err, nothing
// written), kExitFileError when a file cannot be read or written (the source included, on either
// pass), else that of the batch.
// With options.apply, progress (may be null) follows the batch run and may stop it between rows;
// a stopped run gives kExitDone and no summary.
int RunImport(const ImportOptions& options, const WorkFolder& folder, FrontEnd& front_end,
              std::ostream& out, std::ostream& err, ImportProgress* progress = nullptr);

// The import's check pass alone, writing nothing: how many rows would be written and skipped for
// each reason. kExitDone with *counts set; kExitUsage with "line N: ..." in *error for a
// malformed file; kExitFileError with the reason in *error when it cannot be read.
int CountImport(const ImportOptions& options, const WorkFolder& folder, ImportCounts* counts,
                std::string* error);

}  // namespace orlith
