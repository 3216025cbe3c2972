// Comma-separated values with the quoting of RFC 4180: a field in double quotes may hold commas,
// line breaks and doubled quotes. Records end at CR LF or LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_env.h"
#include "core/status.h"

namespace orlith {

struct CsvRecord {
  int line = 0;  // the line on which the record starts, from 1
  std::vector<std::string> fields;
};

// No record of a batch file comes near this size; a longer one is refused, so that a file with
// no line end (or no end at all) cannot take all memory.
inline constexpr std::size_t kMaxCsvRecord = 64 * 1024;

// The UTF-8 byte order mark, which some editors put before the first record.
inline constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Reads records one at a time from an open file: memory is bounded by one record, whatever the
// size of the file. Fields are kept exactly (no trimming); empty lines are skipped.
class CsvReader {
 public:
  enum class Next {
    kRecord,     // *record holds the next record
    kEnd,        // no record is left
    kBadText,    // a quote inside an unquoted field, text after a closing quote, an unclosed
                 // quote or a record over max_record bytes: "line N: ..." in *error
    kReadError,  // the file could not be read: read_status() says why
  };

  // file is not owned, is not closed, and must outlive the reader.
  explicit CsvReader(ReadableFile& file, std::size_t max_record = kMaxCsvRecord);

  // After kBadText or kReadError every later call gives the same result.
  Next Read(CsvRecord* record, std::string* error);
  const Status& read_status() const { return read_status_; }
  // Skips prefix when the text goes on with it (a byte order mark before the first record).
  void SkipPrefix(std::string_view prefix);

 private:
  // The byte k places ahead, or -1 at the end of the file (or after a read failure).
  int At(std::size_t k);
  void Skip(std::size_t n) { pos_ += n; }
  // How many buffered bytes from the reading position on (at least one is buffered) are text of
  // the field, the first counted whatever it is: up to a quote or line feed, and in an unquoted
  // field also a comma or CR.
  std::size_t Run(bool quoted) const;
  bool AtLineEnd() { return At(0) == '\n' || (At(0) == '\r' && At(1) == '\n'); }

  ReadableFile& file_;
  std::size_t max_record_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  int line_ = 1;
  Next failed_ = Next::kRecord;  // the failure every later call repeats
  std::string error_;
  Status read_status_;
};

}  // namespace orlith
