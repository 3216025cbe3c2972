#include "cli/import_command.h"

#include <functional>
#include <memory>

#include "cli/batch.h"
#include "cli/cli.h"
#include "cli/cli_front_end.h"
#include "cli/csv_reader.h"
#include "scenery_config/operations_log.h"
#include "ui/command_steps.h"

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
    return kCliFileError;
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
      status = kCliFileError;
    } else if (next == CsvReader::Next::kBadText) {
      status = kCliUsage;
    } else if (next == CsvReader::Next::kEnd) {
      if (header) {
        *error = "line 1: no header row";
        status = kCliUsage;
      }
    } else if (header) {
      width = record.fields.size();
      if (!FindNavaidColumns(record.fields, &columns, error)) {
        *error = "line " + std::to_string(record.line) + ": " + *error;
        status = kCliUsage;
      }
      continue;
    } else if (record.fields.size() != width) {
      *error = "line " + std::to_string(record.line) + ": " + std::to_string(record.fields.size()) +
               " fields, the header has " + std::to_string(width);
      status = kCliUsage;
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
// path holds its old bytes or all the rows. A failure to read the source again is *scan_status
// with its message in *error.
Status WriteBatchFile(const WorkFolder& folder, const std::string& path,
                      const ImportOptions& options, ImportCounts* counts, int* scan_status,
                      std::string* error) {
  Status written;  // the writes' own outcome: a failed scan stops the rename but is no write error
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
        *scan_status = ScanNavaids(folder, options, sink, counts, error);
        if (written.ok()) written = file.Append(buffer);
        if (!written.ok() || *scan_status == 0) return written;
        return Status::IoError(options.file, *error);
      },
      /*sync=*/false);
  return written.ok() && *scan_status != 0 ? Status::Ok() : s;
}

// Both passes under the folder's lock: the first checks the file and the scenery file name of
// every row, the second runs the rows as one batch. The exit status; with 0, *counts is set.
int ApplyRows(const ImportOptions& options, const WorkFolder& folder, std::ostream& out,
              std::ostream& err, ImportCounts* counts) {
  const CliCommand command =
      options.command == "modify" ? CliCommand::kModify : CliCommand::kCreate;
  CliFrontEnd front_end(NavAidEntry{}, out, err);
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
      err);
}

}  // namespace

int RunImport(const ImportOptions& options, const WorkFolder& folder, std::ostream& out,
              std::ostream& err) {
  ImportCounts counts;
  if (options.apply) {
    // A batch that stopped has shown why; its rows are not all applied, so no summary.
    int status = ApplyRows(options, folder, out, err, &counts);
    if (status == kCliDone) err << ImportSummary(counts, true);
    return status;
  }
  // The first pass checks the whole file's form and writes nothing.
  std::string error;
  int status = ScanNavaids(folder, options, nullptr, &counts, &error);
  if (status == 0 && !options.output.empty()) {
    Status s =
        WriteBatchFile(folder, folder.Given(options.output), options, &counts, &status, &error);
    if (!s.ok()) {
      err << "orlith-cli: cannot write " << options.output << ": " << s.reason() << '\n';
      return kCliFileError;
    }
  } else if (status == 0) {
    out << BatchHeaderLine();
    status = ScanNavaids(
        folder, options,
        [&](NavAidEntry& entry, int) {
          out << BatchRowLine(options.command, entry);
          return static_cast<bool>(out);
        },
        &counts, &error);
    if (status == 0 && !out.flush()) {
      err << "orlith-cli: cannot write the batch rows to standard output\n";
      return kCliFileError;
    }
  }
  if (status == kCliFileError) {
    err << "orlith-cli: cannot read " << options.file << ": " << error << '\n';
  } else if (status != 0) {
    err << "orlith-cli: " << options.file << ", " << error << '\n';
  } else {
    err << ImportSummary(counts, false);
  }
  return status;
}

}  // namespace orlith
