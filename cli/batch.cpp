#include "cli/batch.h"

#include <map>

#include "cli/csv_reader.h"
#include "cli/field_names.h"
#include "core/coordinate_text.h"
#include "core/fatal.h"
#include "ui/messages.h"

namespace orlith {
namespace {

constexpr int kUsageStatus = 2;

constexpr int kCommandColumn = -1;

}  // namespace

int ReadBatch(std::string_view csv, std::vector<BatchRow>* rows, std::string* error) {
  rows->clear();
  if (csv.starts_with("\xEF\xBB\xBF")) csv.remove_prefix(3);  // a byte order mark some editors add
  std::vector<CsvRecord> records;
  if (!ParseCsv(csv, &records, error)) return kUsageStatus;
  if (records.empty()) {
    *error = "the batch file has no header row";
    return kUsageStatus;
  }
  // Column index to entry field (or the command).
  std::vector<int> roles;
  std::map<std::string, bool> seen;
  for (const std::string& name : records[0].fields) {
    int role = -2;
    if (name == "command") role = kCommandColumn;
    for (const FieldNames& c : kFieldNames) {
      if (name == c.column) role = static_cast<int>(c.field);
    }
    if (role == -2) {
      *error = "line " + std::to_string(records[0].line) + ": unknown column \"" + name + "\"";
      return kUsageStatus;
    }
    if (seen[name]) {
      *error = "line " + std::to_string(records[0].line) + ": column \"" + name + "\" twice";
      return kUsageStatus;
    }
    seen[name] = true;
    roles.push_back(role);
  }
  if (!seen["command"]) {
    *error = "line " + std::to_string(records[0].line) + ": no \"command\" column";
    return kUsageStatus;
  }
  // One allocation for all rows: growing by doubling would touch twice the memory.
  rows->reserve(records.size() - 1);
  for (std::size_t r = 1; r < records.size(); ++r) {
    CsvRecord& record = records[r];
    std::string where = "line " + std::to_string(record.line) + ": ";
    if (record.fields.size() != roles.size()) {
      *error = where + std::to_string(record.fields.size()) + " fields, the header has " +
               std::to_string(roles.size());
      return kUsageStatus;
    }
    BatchRow row;
    row.line = record.line;
    std::string command;
    for (std::size_t c = 0; c < roles.size(); ++c) {
      if (roles[c] == kCommandColumn) {
        command = record.fields[c];
      } else {
        FieldOf(row.entry, static_cast<EntryField>(roles[c])) = std::move(record.fields[c]);
      }
    }
    if (command == "create") {
      row.command = CliCommand::kCreate;
    } else if (command == "modify") {
      row.command = CliCommand::kModify;
    } else if (command == "delete") {
      row.command = CliCommand::kDelete;
    } else {
      *error = where + "command must be create, delete or modify, not \"" + command + "\"";
      return kUsageStatus;
    }
    if (!row.entry.navAidType.empty()) {
      std::optional<std::string> type = NormaliseType(row.entry.navAidType);
      if (!type) {
        *error = where + "type must be NDB, VOR or ILS, not \"" + row.entry.navAidType + "\"";
        return kUsageStatus;
      }
      row.entry.navAidType = *type;
    } else if (row.command != CliCommand::kDelete) {
      *error = where + command + " needs a type";
      return kUsageStatus;
    }
    if (!IsValidCoordinate(row.entry.latitude, CoordinateKind::kLatitude)) {
      *error = where + "latitude \"" + row.entry.latitude + "\": " + kInputErrorMessage;
      return kInputErrorStatus;
    }
    if (!IsValidCoordinate(row.entry.longitude, CoordinateKind::kLongitude)) {
      *error = where + "longitude \"" + row.entry.longitude + "\": " + kInputErrorMessage;
      return kInputErrorStatus;
    }
    rows->push_back(std::move(row));
  }
  return 0;
}

CommandOutcome RunBatch(CommandSession& session, const std::vector<BatchRow>& rows) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  if (!RegisterArea(session)) return CommandOutcome::kFileError;
  // After the batch's own switch scenery.cfg ends with CR LF: only the first switch reads its end.
  ConfigEnd end = ConfigEnd::kUnknown;
  for (const BatchRow& row : rows) {
    bool excludes = row.command != CliCommand::kCreate;
    bool writes = row.command != CliCommand::kDelete;
    if (excludes) {
      if (!AddExclusion(session, row.entry, end)) return CommandOutcome::kFileError;
      end = ConfigEnd::kLineFeed;
    }
    if (writes && !WriteSceneryFile(session, row.entry, SceneryWrite::kOneOpen)) {
      return CommandOutcome::kFileError;
    }
    ReportDone(session, row.command == CliCommand::kDelete   ? DeletedMessage(row.entry)
                        : row.command == CliCommand::kCreate ? CreatedMessage(row.entry)
                                                             : ModifiedMessage(row.entry));
  }
  return CommandOutcome::kDone;
}

}  // namespace orlith
