#include "app/batch.h"

#include <set>

#include "app/csv_reader.h"
#include "app/field_names.h"
#include "app/in_effect.h"
#include "app/messages.h"
#include "core/coordinate_text.h"
#include "core/fatal.h"
#include "core/operations_log.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_file/navaid_writer.h"

namespace orlith {
namespace {

constexpr int kCommandColumn = -1;
constexpr int kUnknownColumn = -2;

// A field as the batch file holds it: quoted when it has a comma, quote or line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

int BatchReader::ReadHeader(std::string* error) {
  csv_.SkipPrefix(kByteOrderMark);
  CsvRecord header;
  switch (csv_.Read(&header, error)) {
    case CsvReader::Next::kRecord:
      break;
    case CsvReader::Next::kEnd:
      *error = "the batch file has no header row";
      return kExitUsage;
    case CsvReader::Next::kBadText:
      return kExitUsage;
    case CsvReader::Next::kReadError:
      *error = csv_.read_status().reason();
      return kExitFileError;
  }
  const std::string where = "line " + std::to_string(header.line) + ": ";
  std::set<std::string> seen;
  for (const std::string& name : header.fields) {
    int role = kUnknownColumn;
    if (name == "command") role = kCommandColumn;
    for (const FieldNames& c : kFieldNames) {
      if (name == c.column) role = static_cast<int>(c.field);
    }
    if (role == kUnknownColumn) {
      *error = where + "unknown column \"" + name + "\"";
      return kExitUsage;
    }
    if (!seen.insert(name).second) {
      *error = where + "column \"" + name + "\" twice";
      return kExitUsage;
    }
    roles_.push_back(role);
  }
  if (!seen.contains("command")) {
    *error = where + "no \"command\" column";
    return kExitUsage;
  }
  return 0;
}

int BatchReader::Next(BatchRow* row, bool* end, std::string* error) {
  *end = false;
  if (failed_ != 0) {
    *error = error_;
    return failed_;
  }
  auto fail = [&](int status) {
    failed_ = status;
    error_ = *error;
    return status;
  };
  if (!header_read_) {
    header_read_ = true;
    if (int status = ReadHeader(error); status != 0) return fail(status);
  }
  CsvRecord record;
  switch (csv_.Read(&record, error)) {
    case CsvReader::Next::kRecord:
      break;
    case CsvReader::Next::kEnd:
      *end = true;
      return 0;
    case CsvReader::Next::kBadText:
      return fail(kExitUsage);
    case CsvReader::Next::kReadError:
      *error = csv_.read_status().reason();
      return fail(kExitFileError);
  }
  const std::string where = "line " + std::to_string(record.line) + ": ";
  if (record.fields.size() != roles_.size()) {
    *error = where + std::to_string(record.fields.size()) + " fields, the header has " +
             std::to_string(roles_.size());
    return fail(kExitUsage);
  }
  *row = BatchRow();
  row->line = record.line;
  std::string command;
  for (std::size_t c = 0; c < roles_.size(); ++c) {
    if (roles_[c] == kCommandColumn) {
      command = record.fields[c];
    } else {
      FieldOf(row->entry, static_cast<EntryField>(roles_[c])) = std::move(record.fields[c]);
    }
  }
  if (command == "create") {
    row->command = NavAidCommand::kCreate;
  } else if (command == "modify") {
    row->command = NavAidCommand::kModify;
  } else if (command == "delete") {
    row->command = NavAidCommand::kDelete;
  } else {
    *error = where + "command must be create, delete or modify, not \"" + command + "\"";
    return fail(kExitUsage);
  }
  if (!row->entry.navAidType.empty()) {
    std::optional<std::string> type = NormaliseType(row->entry.navAidType);
    if (!type) {
      *error = where + "type must be NDB, VOR or ILS, not \"" + row->entry.navAidType + "\"";
      return fail(kExitUsage);
    }
    row->entry.navAidType = *type;
  } else if (row->command != NavAidCommand::kDelete) {
    *error = where + command + " needs a type";
    return fail(kExitUsage);
  }
  if (!IsValidCoordinate(row->entry.latitude, CoordinateKind::kLatitude)) {
    *error = where + "latitude \"" + row->entry.latitude + "\": " + kInputErrorMessage;
    return fail(kExitInputError);
  }
  if (!IsValidCoordinate(row->entry.longitude, CoordinateKind::kLongitude)) {
    *error = where + "longitude \"" + row->entry.longitude + "\": " + kInputErrorMessage;
    return fail(kExitInputError);
  }
  return 0;
}

int CheckBatchRow(const WorkFolder& folder, const BatchRow& row, std::string* error) {
  if (row.command == NavAidCommand::kDelete) return 0;
  Status s = CheckSceneryFilePath(folder, row.entry.latitude, row.entry.longitude);
  if (s.ok()) return 0;
  *error = "line " + std::to_string(row.line) + ": scenery file " + s.file() + ": " + s.reason();
  return kExitUsage;
}

std::string BatchHeaderLine() {
  std::string line = "command";
  for (const FieldNames& f : kFieldNames) line += std::string(",") + f.column;
  return line + "\r\n";
}

std::string BatchRowLine(const std::string& command, const NavAidEntry& entry) {
  std::string line = command;
  for (const FieldNames& f : kFieldNames) {
    line += ',';
    line += CsvField(FieldOf(entry, f.field));
  }
  return line + "\r\n";
}

CommandOutcome BatchRun::Begin() {
  if (!CheckSceneryConfig(session_)) {
    outcome_ = CommandOutcome::kEnded;
  } else if (!RegisterArea(session_)) {
    outcome_ = CommandOutcome::kFileError;
  } else if (skip_in_effect_) {
    std::vector<SwitchInEffect> switches;
    Status s = ReadSwitchesInEffect(session_.folder, &switches);
    if (!s.ok()) {
      session_.frontEnd.ShowError(FileErrorMessage(s));
      outcome_ = CommandOutcome::kFileError;
    }
    for (const SwitchInEffect& w : switches) {
      if (w.updatesBlock) in_effect_.insert(w.line.text);
    }
  }
  return outcome_;
}

CommandOutcome BatchRun::Row(const BatchRow& row) {
  if (outcome_ != CommandOutcome::kDone) return outcome_;
  const bool excludes = row.command != NavAidCommand::kCreate;
  const bool writes = row.command != NavAidCommand::kDelete;
  const bool in_effect = skip_in_effect_ && row.command == NavAidCommand::kModify &&
                         in_effect_.contains(ExclusionSwitchLine(
                             row.entry.latitude, row.entry.longitude, row.entry.navAidType));
  if (excludes && !in_effect) {
    if (!AddExclusion(session_, row.entry, end_)) return outcome_ = CommandOutcome::kFileError;
    end_ = ConfigEnd::kLineFeed;
  }
  if (writes && !WriteSceneryFile(session_, row.entry)) {
    return outcome_ = CommandOutcome::kFileError;
  }
  ReportDone(session_, row.command == NavAidCommand::kDelete   ? DeletedMessage(row.entry)
                       : row.command == NavAidCommand::kCreate ? CreatedMessage(row.entry)
                                                               : ModifiedMessage(row.entry));
  return outcome_;
}

CommandOutcome BatchRun::End() {
  // Also after a failed row: the rows before it were reported done.
  if (!SyncSceneryConfig(session_) && outcome_ == CommandOutcome::kDone) {
    outcome_ = CommandOutcome::kFileError;
  }
  return outcome_;
}

CommandOutcome RunBatch(CommandSession& session, const std::vector<BatchRow>& rows) {
  BatchRun run(session);
  if (run.Begin() == CommandOutcome::kDone) {
    for (const BatchRow& row : rows) {
      if (run.Row(row) != CommandOutcome::kDone) break;
    }
  }
  return run.End();
}

int ForEachBatchRow(const WorkFolder& folder, const std::string& path,
                    const std::function<bool(const BatchRow&)>& each, std::string* error) {
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(folder.Given(path), &file);
  if (!s.ok()) {
    *error = s.reason();
    return kExitFileError;
  }
  BatchReader reader(*file);
  int status = 0;
  for (;;) {
    BatchRow row;
    bool end = false;
    status = reader.Next(&row, &end, error);
    if (status != 0 || end || !each(row)) break;
  }
  file->Close();
  return status;
}

int RunBatchPasses(FrontEnd& front_end, const WorkFolder& folder, const std::string& file,
                   const BatchPass& pass, std::ostream& err, bool skip_in_effect,
                   ImportProgress* progress) {
  int status = 0;
  std::string error;
  CommandSession session{front_end, folder, LocalDateNow, Status::Ok()};
  const CommandOutcome outcome = WithFolderLock(front_end, folder, [&] {
    int refused = 0;
    std::int64_t total = 0;
    status = pass(
        [&](const BatchRow& row) {
          refused = CheckBatchRow(folder, row, &error);
          ++total;
          return refused == 0;
        },
        &error);
    if (status == 0) status = refused;
    if (status != 0) return CommandOutcome::kRefused;
    BatchRun run(session);
    if (skip_in_effect) run.SkipSwitchesInEffect();
    std::int64_t done = 0;
    bool stopped = false;
    if (run.Begin() == CommandOutcome::kDone) {
      status = pass(
          [&](const BatchRow& row) {
            if (progress != nullptr && done > 0 && progress->cancelled && progress->cancelled()) {
              stopped = true;
              return false;
            }
            if (run.Row(row) != CommandOutcome::kDone) return false;
            if (progress != nullptr && progress->onRow) progress->onRow(++done, total);
            return true;
          },
          &error);
    }
    const CommandOutcome ended = run.End();
    return stopped && ended == CommandOutcome::kDone ? CommandOutcome::kCancelled : ended;
  });
  if (progress != nullptr) progress->stopped = outcome == CommandOutcome::kCancelled;
  if (outcome == CommandOutcome::kRefused || (outcome == CommandOutcome::kDone && status != 0)) {
    if (status == kExitFileError) {
      err << "orlith-cli: cannot read " << file << ": " << error << '\n';
    } else {
      err << "orlith-cli: " << file << ", " << error << '\n';
    }
    return status;
  }
  return ExitStatusFor(outcome, session.endedStatus);
}

}  // namespace orlith
