#include "cli/csv_reader.h"

namespace orlith {

bool ParseCsv(std::string_view text, std::vector<CsvRecord>* records, std::string* error) {
  records->clear();
  int line = 1;
  std::size_t i = 0;
  auto fail = [&](int at, const std::string& why) {
    *error = "line " + std::to_string(at) + ": " + why;
    return false;
  };
  while (i < text.size()) {
    // An empty line holds no record.
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      i += text[i] == '\r' ? 2 : 1;
      ++line;
      continue;
    }
    CsvRecord record;
    record.line = line;
    for (;;) {
      std::string field;
      if (i < text.size() && text[i] == '"') {
        int opened = line;
        ++i;
        for (;;) {
          if (i >= text.size()) return fail(opened, "a quoted field is not closed");
          char c = text[i++];
          if (c == '"') {
            if (i < text.size() && text[i] == '"') {
              field += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
        if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
            !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
          return fail(line, "text after the closing quote of a field");
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\n' &&
               !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
          if (text[i] == '"') return fail(line, "a quote inside an unquoted field");
          field += text[i++];
        }
      }
      record.fields.push_back(std::move(field));
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      if (i < text.size()) {
        i += text[i] == '\r' ? 2 : 1;
        ++line;
      }
      break;
    }
    records->push_back(std::move(record));
  }
  return true;
}

}  // namespace orlith
