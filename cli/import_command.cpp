#include "cli/import_command.h"

#include <filesystem>
#include <functional>
#include <memory>

#include "cli/batch.h"
#include "cli/cli.h"
#include "cli/cli_front_end.h"
#include "cli/csv_reader.h"
#include "scenery_config/operations_log.h"

namespace orlith {
namespace {

using RowSink = std::function<bool(const NavAidEntry&)>;

std::string InFolder(const WorkFolder& folder, const std::string& path) {
  if (std::filesystem::path(path).is_absolute()) return path;
  return folder.File(path);
}

Status ReadAll(FileEnv& env, const std::string& path, std::string* bytes) {
  bytes->clear();
  std::unique_ptr<ReadableFile> file;
  Status s = env.OpenForReading(path, &file);
  if (!s.ok()) return s;
  char buf[65536];
  for (;;) {
    std::size_t got = 0;
    s = file->Read(sizeof buf, buf, &got);
    if (!s.ok() || got == 0) break;
    bytes->append(buf, got);
  }
  s.Update(file->Close());
  return s;
}

// One pass over the source: every row through the mapping, the filters and the position rule.
// With a sink, each selected entry goes to it (a false return stops the pass). False with
// "line N: ..." in *error for a malformed file.
bool ScanNavaids(std::string_view csv, const ImportOptions& options, const RowSink& sink,
                 ImportCounts* counts, std::string* error) {
  *counts = ImportCounts{};
  if (csv.starts_with("\xEF\xBB\xBF")) csv.remove_prefix(3);
  std::vector<CsvRecord> records;
  if (!ParseCsv(csv, &records, error)) return false;
  if (records.empty()) {
    *error = "line 1: no header row";
    return false;
  }
  NavaidColumns columns;
  if (!FindNavaidColumns(records[0].fields, &columns, error)) {
    *error = "line " + std::to_string(records[0].line) + ": " + *error;
    return false;
  }
  const std::size_t width = records[0].fields.size();
  PositionSet positions;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const CsvRecord& record = records[r];
    if (record.fields.size() != width) {
      *error = "line " + std::to_string(record.line) + ": " + std::to_string(record.fields.size()) +
               " fields, the header has " + std::to_string(width);
      return false;
    }
    ++counts->read;
    NavAidEntry entry;
    ImportSkip skip = MapNavaidRow(record.fields, columns, options, &entry);
    if (skip == ImportSkip::kSelected && !positions.Insert(entry)) skip = ImportSkip::kSamePosition;
    ++counts->by[static_cast<int>(skip)];
    if (skip == ImportSkip::kSelected && sink && !sink(entry)) return true;
  }
  return true;
}

// Writes the batch rows to path under a temporary name, renamed over path when whole.
Status WriteBatchFile(FileEnv& env, const std::string& path, std::string_view csv,
                      const ImportOptions& options, ImportCounts* counts) {
  const std::string temporary = path + ".tmp";
  std::unique_ptr<WritableFile> file;
  Status s = env.OpenForWriting(temporary, &file);
  if (!s.ok()) return s;
  std::string buffer = BatchHeaderLine();
  auto sink = [&](const NavAidEntry& entry) {
    buffer += BatchRowLine(options.command, entry);
    if (buffer.size() < 65536) return true;
    s.Update(file->Append(buffer));
    buffer.clear();
    return s.ok();
  };
  std::string unused;
  ScanNavaids(csv, options, sink, counts, &unused);
  if (s.ok()) s.Update(file->Append(buffer));
  s.Update(file->Close());
  if (s.ok()) s.Update(env.Rename(temporary, path));
  if (!s.ok()) env.Remove(temporary);
  return s;
}

int ApplyRows(std::string_view csv, const ImportOptions& options, const WorkFolder& folder,
              std::ostream& out, std::ostream& err, ImportCounts* counts) {
  std::vector<BatchRow> rows;
  std::string unused;
  ScanNavaids(
      csv, options,
      [&](const NavAidEntry& entry) {
        rows.push_back(BatchRow{
            0, options.command == "modify" ? CliCommand::kModify : CliCommand::kCreate, entry});
        return true;
      },
      counts, &unused);
  CliFrontEnd front_end(NavAidEntry{}, out, err);
  CommandSession session{front_end, folder, LocalDateNow, Status::Ok()};
  switch (RunBatch(session, rows)) {
    case CommandOutcome::kDone:
    case CommandOutcome::kCancelled:
      return kCliDone;
    case CommandOutcome::kEnded:
      return front_end.fatal_status();
    case CommandOutcome::kFileError:
      break;
  }
  return kCliFileError;
}

}  // namespace

int RunImport(const ImportOptions& options, const WorkFolder& folder, std::ostream& out,
              std::ostream& err) {
  std::string csv;
  Status s = ReadAll(*folder.env, InFolder(folder, options.file), &csv);
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << options.file << ": " << s.reason() << '\n';
    return kCliFileError;
  }
  ImportCounts counts;
  std::string error;
  if (!ScanNavaids(csv, options, nullptr, &counts, &error)) {
    err << "orlith-cli: " << options.file << ", " << error << '\n';
    return kCliUsage;
  }
  int status = kCliDone;
  if (options.apply) {
    status = ApplyRows(csv, options, folder, out, err, &counts);
  } else if (!options.output.empty()) {
    s = WriteBatchFile(*folder.env, InFolder(folder, options.output), csv, options, &counts);
    if (!s.ok()) {
      err << "orlith-cli: cannot write " << options.output << ": " << s.reason() << '\n';
      return kCliFileError;
    }
  } else {
    out << BatchHeaderLine();
    ScanNavaids(
        csv, options,
        [&](const NavAidEntry& entry) {
          out << BatchRowLine(options.command, entry);
          return true;
        },
        &counts, &error);
    if (!out.flush()) {
      err << "orlith-cli: cannot write the batch rows to standard output\n";
      return kCliFileError;
    }
  }
  // A batch that stopped has reported where; its rows are not all applied.
  if (status == kCliDone) err << ImportSummary(counts, options.apply);
  return status;
}

}  // namespace orlith
