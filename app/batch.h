// A batch of commands from a CSV file, run like one session of the program: one scenery.cfg
// check, one backup with its log header and area registration, then each row's exclusion switch
// and scenery file in order, with one message per row.
//
// A batch is run in two passes over its rows, so that its memory does not grow with their number:
// the first reads and checks every row (BatchReader, then CheckBatchRow) and writes nothing; only
// when all passed does the second read them again and run them (BatchRun). Rows from elsewhere
// (an import) go through the same two steps: CheckBatchRow for every row, then Begin, Row for
// each, End. The caller holds the folder's lock over both passes (WithFolderLock).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "app/command_steps.h"
#include "app/csv_reader.h"
#include "core/exit_status.h"
#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/work_folder.h"

namespace orlith {

struct BatchRow {
  int line = 0;                                    // where the row starts in the file
  NavAidCommand command = NavAidCommand::kCreate;  // kCreate, kDelete or kModify
  NavAidEntry entry;
};

// Reads a batch file's rows one at a time. The header row names the columns (command, latitude,
// longitude, type, frequency, range, altitude, magnetic_deviation, dme, localizer_direction,
// glideslope_angle, id, name) in any order; a column left out gives empty texts. A byte order
// mark before the header is skipped. Each row is checked as it is read: a known command, a type
// of NDB, VOR or ILS (matched without regard to case, stored in capitals; none only for delete),
// acceptable coordinate texts.
class BatchReader {
 public:
  // file is not owned, is not closed, and must outlive the reader.
  explicit BatchReader(ReadableFile& file) : csv_(file) {}

  // kExitDone with the next row in *row and *end false; kExitDone with *end true after the last
  // row. Otherwise the exit status with a message naming the line in *error: kExitInputError for
  // a coordinate text that is not acceptable, kExitFileError when the file could not be read
  // (read_status() says why; *error holds its reason), kExitUsage for everything else. After a
  // failure every later call fails the same way.
  int Next(BatchRow* row, bool* end, std::string* error);
  const Status& read_status() const { return csv_.read_status(); }

 private:
  int ReadHeader(std::string* error);

  CsvReader csv_;
  bool header_read_ = false;
  std::vector<int> roles_;  // per column: an EntryField, or the command column
  int failed_ = 0;          // the status every later call repeats
  std::string error_;
};

// The checks of a row that look at the folder: the file system can hold the name of the scenery
// file it writes. kExitDone, or kExitUsage with "line N: " and the reason in *error. Nothing is
// written.
int CheckBatchRow(const WorkFolder& folder, const BatchRow& row, std::string* error);

// The batch file's header row and one row, each ended by CR LF; fields with a comma, quote or
// line break are quoted.
std::string BatchHeaderLine();
std::string BatchRowLine(const std::string& command, const NavAidEntry& entry);

// The second pass: runs checked rows through the command steps, each failure shown through the
// session's front end. Use: Begin once; if kDone, Row for each row in order while it gives kDone;
// then End (also after a failed row). Rows must hold what BatchReader checks (a known command, a
// type of NDB, VOR or ILS or none for delete, acceptable coordinate texts) and have passed
// CheckBatchRow, all of them before Begin.
class BatchRun {
 public:
  // session must outlive the run.
  explicit BatchRun(CommandSession& session) : session_(session) { session_.batchSync = true; }

  // An import's re-run: a modify row appends no switch that is already in effect in the updates
  // area block (read once by Begin), so running the same import twice adds nothing twice.
  void SkipSwitchesInEffect() { skip_in_effect_ = true; }

  // Checks that scenery.cfg is there (kEnded through FrontEnd::Fatal otherwise), backs it up and
  // registers the updates area (kFileError on a failure).
  CommandOutcome Begin();
  // The row's exclusion switch and scenery file, then its message: kDone or kFileError.
  CommandOutcome Row(const BatchRow& row);
  // Ends the batch: hands scenery.cfg to stable storage once for all rows, and returns how it went
  // (the first failure of Begin, Row or the sync, else kDone).
  CommandOutcome End();

 private:
  CommandSession& session_;
  // After the batch's own switch scenery.cfg ends with CR LF: only the first switch reads its end.
  ConfigEnd end_ = ConfigEnd::kUnknown;
  bool skip_in_effect_ = false;
  std::unordered_set<std::string> in_effect_;  // the switch lines of the updates block
  CommandOutcome outcome_ = CommandOutcome::kDone;
};

// Begin, Row for each row until one fails, End.
CommandOutcome RunBatch(CommandSession& session, const std::vector<BatchRow>& rows);

// One pass over a batch's rows, from wherever they come: each(row) for every row in order until
// it returns false. kExitDone, or the exit status of a failure to read them with its message in
// *error (kExitFileError with the reason when they cannot be read, else "line N: ...").
using BatchPass =
    std::function<int(const std::function<bool(const BatchRow&)>& each, std::string* error)>;

// The BatchPass of a batch file: each row that BatchReader reads from the file at path (taken
// inside folder unless absolute), in order, until each returns false. kExitDone, or the status and
// message of the failure to open or read the file or of its first bad row.
int ForEachBatchRow(const WorkFolder& folder, const std::string& path,
                    const std::function<bool(const BatchRow&)>& each, std::string* error);

// What a desktop program follows of a batch run (an import's): onRow after each row is done,
// with the rows done and the rows checked; cancelled before each later row, where a true answer
// stops the run between two rows (each row's switch and scenery file are whole) and sets stopped.
struct ImportProgress {
  std::function<void(std::int64_t done, std::int64_t total)> onRow;
  std::function<bool()> cancelled;
  bool stopped = false;
};

// A whole batch under the folder's lock, its rows read twice by pass: every row is checked
// (CheckBatchRow) before anything is written, then all are run as one BatchRun through front_end.
// A failed pass or a refused row goes to err naming file, as the user gave it. The exit status;
// kExitDone also for a run that progress stopped, or a lock wait the user cancelled (nothing
// written; progress->stopped set too). skip_in_effect: see BatchRun::SkipSwitchesInEffect.
int RunBatchPasses(FrontEnd& front_end, const WorkFolder& folder, const std::string& file,
                   const BatchPass& pass, std::ostream& err, bool skip_in_effect = false,
                   ImportProgress* progress = nullptr);

}  // namespace orlith
