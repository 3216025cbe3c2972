// A batch of commands from a CSV file, run like one session of the program: one scenery.cfg
// check, one backup with its log header and area registration, then each row's exclusion switch
// and scenery file in order, with one message per row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_args.h"
#include "core/navaid_entry.h"
#include "ui/command_steps.h"

namespace orlith {

struct BatchRow {
  int line = 0;                              // where the row starts in the file
  CliCommand command = CliCommand::kCreate;  // kCreate, kDelete or kModify
  NavAidEntry entry;
};

// Reads and checks every row before anything is run. The header row names the columns (command,
// latitude, longitude, type, frequency, range, altitude, magnetic_deviation, dme,
// localizer_direction, glideslope_angle, id, name) in any order; a column left out gives empty
// texts. Returns 0 with the rows, or the exit status with a message naming the line: 8 for a
// coordinate text that is not acceptable, 2 for everything else.
int ReadBatch(std::string_view csv, std::vector<BatchRow>* rows, std::string* error);

// Runs the rows through the command steps. kDone when every row was done; otherwise how the run
// stopped (the rows before stay done).
CommandOutcome RunBatch(CommandSession& session, const std::vector<BatchRow>& rows);

}  // namespace orlith
