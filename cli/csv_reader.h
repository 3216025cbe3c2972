// Comma-separated values with the quoting of RFC 4180: a field in double quotes may hold commas,
// line breaks and doubled quotes. Records end at CR LF or LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orlith {

struct CsvRecord {
  int line = 0;  // the line on which the record starts, from 1
  std::vector<std::string> fields;
};

// Splits text into records; fields are kept exactly (no trimming). Empty lines are skipped. A
// quote inside an unquoted field, text after a closing quote, or an unclosed quote is an error:
// false with "line N: ..." in *error.
bool ParseCsv(std::string_view text, std::vector<CsvRecord>* records, std::string* error);

}  // namespace orlith
