// The batch file readers on arbitrary text. ParseCsv: an accepted text gives records whose lines
// rise, and writing them back fully quoted reads back to the same fields; a refused one names
// its line. ReadBatch: 0 only with rows that a command can run (a known command, a known type or
// none for delete, acceptable coordinate texts), otherwise 2 or 8 with a message.
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/csv_reader.h"
#include "core/coordinate_text.h"
#include "fuzz/fuzz_check.h"
#include "test_support/memory_env.h"

namespace {

// The records written back with every field quoted (none is without fields).
std::string Quoted(const std::vector<orlith::CsvRecord>& records) {
  std::string text;
  for (const orlith::CsvRecord& record : records) {
    for (const std::string& field : record.fields) {
      text += '"';
      for (char c : field) text += c == '"' ? "\"\"" : std::string(1, c);
      text += "\",";
    }
    text.back() = '\r';
    text += '\n';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::vector<orlith::CsvRecord> records;
  std::string error;
  if (orlith::testing::ParseCsv(text, &records, &error)) {
    int last_line = 0;
    for (const orlith::CsvRecord& record : records) {
      FUZZ_CHECK(record.line > last_line);
      FUZZ_CHECK(!record.fields.empty());
      last_line = record.line;
    }
    std::vector<orlith::CsvRecord> again;
    FUZZ_CHECK(orlith::testing::ParseCsv(Quoted(records), &again, &error));
    FUZZ_CHECK(again.size() == records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
      FUZZ_CHECK(again[r].fields == records[r].fields);
    }
  } else {
    FUZZ_CHECK(error.rfind("line ", 0) == 0);
  }

  std::vector<orlith::BatchRow> rows;
  error.clear();
  const int status = orlith::testing::ReadBatch(text, &rows, &error);
  FUZZ_CHECK(status == 0 || status == 2 || status == 8);
  if (status != 0) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  for (const orlith::BatchRow& row : rows) {
    FUZZ_CHECK(row.command == orlith::NavAidCommand::kCreate ||
               row.command == orlith::NavAidCommand::kModify ||
               row.command == orlith::NavAidCommand::kDelete);
    const std::string& type = row.entry.navAidType;
    FUZZ_CHECK(type == "VOR" || type == "ILS" || type == "NDB" ||
               (type.empty() && row.command == orlith::NavAidCommand::kDelete));
    FUZZ_CHECK(orlith::IsValidCoordinate(row.entry.latitude, orlith::CoordinateKind::kLatitude));
    FUZZ_CHECK(orlith::IsValidCoordinate(row.entry.longitude, orlith::CoordinateKind::kLongitude));
  }
  return 0;
}
