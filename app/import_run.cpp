#include "app/import_run.h"

#include <functional>
#include <memory>

#include "app/batch.h"
#include "app/command_steps.h"
#include "app/csv_reader.h"
#include "app/position_set.h"
#include "core/exit_status.h"
#include "core/operations_log.h"

namespace orlith {
namespace {

using RowSink = std::function<bool(NavAidEntry&, int line)>;

// One pass over the source file: every row through the mapping, the filters and the position
// rule, one record in memory at a time, each selected entry to sink (which may take it over; a
// false return stops the pass). Without a sink the pass only checks the file's form. 0; 2 with
// "line N: ..." in *error for a malformed file; 3 with the reason in *error when it cannot be read.
int ScanNavaids(const WorkFolder& folder, const ImportOptions& options, const RowSink& sink,
                ImportCounts* counts, std::string* error) {
  *counts = ImportCounts{};
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(folder.Given(options.file), &file);
  if (!s.ok()) {
    *error = s.reason();
    return kExitFileError;
  }
  CsvReader csv(*file);
  csv.SkipPrefix(kByteOrderMark);
  NavaidColumns columns;
  std::size_t width = 0;
  PositionSet positions;
  int status = 0;
  for (bool header = true;; header = false) {
    CsvRecord record;
    CsvReader::Next next = csv.Read(&record, error);
    if (next == CsvReader::Next::kReadError) {
      *error = csv.read_status().reason();
      status = kExitFileError;
    } else if (next == CsvReader::Next::kBadText) {
      status = kExitUsage;
    } else if (next == CsvReader::Next::kEnd) {
      if (header) {
        *error = "line 1: no header row";
        status = kExitUsage;
      }
    } else if (header) {
      width = record.fields.size();
      if (!FindNavaidColumns(record.fields, &columns, error)) {
        *error = "line " + std::to_string(record.line) + ": " + *error;
        status = kExitUsage;
      }
      continue;
    } else if (record.fields.size() != width) {
      *error = "line " + std::to_string(record.line) + ": " + std::to_string(record.fields.size()) +
               " fields, the header has " + std::to_string(width);
      status = kExitUsage;
    } else {
      ++counts->read;
      if (!sink) continue;
      NavAidEntry entry;
      ImportSkip skip = MapNavaidRow(record.fields, columns, options, &entry);
      if (skip == ImportSkip::kSelected && !positions.Insert(entry)) {
        skip = ImportSkip::kSamePosition;
      }
      ++counts->by[static_cast<int>(skip)];
      if (skip != ImportSkip::kSelected || sink(entry, record.line)) continue;
    }
    break;
  }
  file->Close();
  return status;
}

// Writes the batch rows to a new temporary file beside path, renamed over path when whole, so
// path holds its old bytes or all the rows. The exit status: that of the second pass over the
// source when it failed (its message in *error), kExitFileError with the failure to write in
// *write_failure, else kExitDone. On a failure path keeps its old bytes.
int WriteBatchFile(const WorkFolder& folder, const std::string& path, const ImportOptions& options,
                   ImportCounts* counts, Status* write_failure, std::string* error) {
  int scan_status = kExitDone;
  Status written;  // the writes' own outcome, told apart from a failed pass over the source
  Status s = ReplaceWith(
      *folder.env, path,
      [&](WritableFile& file) {
        std::string buffer = BatchHeaderLine();
        auto sink = [&](NavAidEntry& entry, int) {
          buffer += BatchRowLine(options.command, entry);
          if (buffer.size() < 65536) return true;
          written = file.Append(buffer);
          buffer.clear();
          return written.ok();
        };
        scan_status = ScanNavaids(folder, options, sink, counts, error);
        if (written.ok()) written = file.Append(buffer);
        if (!written.ok() || scan_status == kExitDone) return written;
        return Status::IoError(options.file, *error);  // stops the rename
      },
      /*sync=*/false);
  if (written.ok() && scan_status != kExitDone) return scan_status;
  if (s.ok()) return kExitDone;
  *write_failure = s;
  return kExitFileError;
}

// Both passes under the folder's lock: the first checks the file and the scenery file name of
// every row, the second runs the rows as one batch. The exit status; with 0, *counts is set.
int ApplyRows(const ImportOptions& options, const WorkFolder& folder, FrontEnd& front_end,
              std::ostream& err, ImportCounts* counts, ImportProgress* progress) {
  const NavAidCommand command =
      options.command == "modify" ? NavAidCommand::kModify : NavAidCommand::kCreate;
  return RunBatchPasses(
      front_end, folder, options.file,
      [&](const std::function<bool(const BatchRow&)>& each, std::string* error) {
        return ScanNavaids(
            folder, options,
            [&](NavAidEntry& entry, int line) {
              return each(BatchRow{line, command, std::move(entry)});
            },
            counts, error);
      },
      err, command == NavAidCommand::kModify, progress);
}

// Tells err how a pass over the source ended: the failure, or the summary. Returns status.
int ReportScan(const ImportOptions& options, int status, const std::string& error,
               const ImportCounts& counts, std::ostream& err) {
  if (status == kExitFileError) {
    err << "orlith-cli: cannot read " << options.file << ": " << error << '\n';
  } else if (status != kExitDone) {
    err << "orlith-cli: " << options.file << ", " << error << '\n';
  } else {
    err << ImportSummary(counts, false);
  }
  return status;
}

}  // namespace

std::string ImportSummary(const ImportCounts& n, bool applied) {
  auto count = [&](ImportSkip skip) { return std::to_string(n.by[static_cast<int>(skip)]); };
  std::int64_t skipped = 0;
  for (int k = static_cast<int>(ImportSkip::kNoRecord); k < kImportSkipCount; ++k)
    skipped += n.by[k];
  return std::to_string(n.read) + " rows read: " + count(ImportSkip::kSelected) +
         (applied ? " applied, " : " written, ") + count(ImportSkip::kFiltered) +
         " left out by the filters, " + std::to_string(skipped) + " skipped.\n" +
         "Skipped: " + count(ImportSkip::kNoRecord) + " type without a record (DME, TACAN), " +
         count(ImportSkip::kNoFrequency) + " no usable frequency, " +
         count(ImportSkip::kBadPosition) + " position not a number, " +
         count(ImportSkip::kSamePosition) + " same position.\n";
}

int CountImport(const ImportOptions& options, const WorkFolder& folder, ImportCounts* counts,
                std::string* error) {
  return ScanNavaids(
      folder, options, [](NavAidEntry&, int) { return true; }, counts, error);
}

int RunImport(const ImportOptions& options, const WorkFolder& folder, FrontEnd& front_end,
              std::ostream& out, std::ostream& err, ImportProgress* progress) {
  ImportCounts counts;
  if (options.apply) {
    // A batch that stopped has shown why; its rows are not all applied, so no summary.
    int status = ApplyRows(options, folder, front_end, err, &counts, progress);
    if (status == kExitDone && (progress == nullptr || !progress->stopped))
      err << ImportSummary(counts, true);
    return status;
  }
  // The first pass checks the whole file's form and writes nothing.
  std::string error;
  int status = ScanNavaids(folder, options, nullptr, &counts, &error);
  if (status == kExitDone && !options.output.empty()) {
    Status write_failure;
    status = WriteBatchFile(folder, folder.Given(options.output), options, &counts, &write_failure,
                            &error);
    if (!write_failure.ok()) {
      err << "orlith-cli: cannot write " << options.output << ": " << write_failure.reason()
          << '\n';
      return kExitFileError;
    }
  } else if (status == kExitDone) {
    out << BatchHeaderLine();
    status = ScanNavaids(
        folder, options,
        [&](NavAidEntry& entry, int) {
          out << BatchRowLine(options.command, entry);
          return static_cast<bool>(out);
        },
        &counts, &error);
    if (status == kExitDone && !out.flush()) {
      err << "orlith-cli: cannot write the batch rows to standard output\n";
      return kExitFileError;
    }
  }
  return ReportScan(options, status, error, counts, err);
}

}  // namespace orlith
