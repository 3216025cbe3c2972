#include "app/csv_reader.h"

#include <cstring>

namespace orlith {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

}  // namespace

CsvReader::CsvReader(ReadableFile& file, std::size_t max_record)
    : file_(file), max_record_(max_record), buffer_(kReadBlock) {}

int CsvReader::At(std::size_t k) {
  while (end_ - pos_ <= k && !eof_) {
    // Keep the bytes not yet taken at the front; there are at most k of them.
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    std::size_t got = 0;
    Status s = file_.Read(buffer_.size() - end_, buffer_.data() + end_, &got);
    if (!s.ok()) read_status_ = s;
    if (!s.ok() || got == 0) eof_ = true;
    end_ += got;
  }
  return end_ - pos_ > k ? static_cast<unsigned char>(buffer_[pos_ + k]) : -1;
}

std::size_t CsvReader::Run(bool quoted) const {
  std::size_t n = 1;
  for (; pos_ + n < end_; ++n) {
    const char c = buffer_[pos_ + n];
    if (c == '"' || c == '\n' || (!quoted && (c == ',' || c == '\r'))) break;
  }
  return n;
}

CsvReader::Next CsvReader::Read(CsvRecord* record, std::string* error) {
  record->fields.clear();
  auto fail = [&](Next why, int at, const std::string& text) {
    failed_ = why;
    if (why == Next::kBadText) error_ = "line " + std::to_string(at) + ": " + text;
    *error = error_;
    return why;
  };
  if (failed_ != Next::kRecord) return fail(failed_, 0, "");
  // An empty line holds no record.
  while (AtLineEnd()) {
    Skip(At(0) == '\r' ? 2 : 1);
    ++line_;
  }
  if (At(0) < 0) return read_status_.ok() ? Next::kEnd : fail(Next::kReadError, 0, "");
  record->line = line_;
  std::size_t size = 0;
  const auto too_long = [&] {
    return "a record longer than " + std::to_string(max_record_) + " bytes";
  };
  for (;;) {
    std::string field;
    if (At(0) == '"') {
      const int opened = line_;
      Skip(1);
      for (;;) {
        int c = At(0);
        if (c < 0) {
          if (!read_status_.ok()) return fail(Next::kReadError, 0, "");
          return fail(Next::kBadText, opened, "a quoted field is not closed");
        }
        // Text up to the next quote or line feed is taken a run at a time.
        std::size_t n = 1;
        if (c != '"' && c != '\n') {
          n = Run(/*quoted=*/true);
          field.append(buffer_.data() + pos_, n);
        } else if (c == '"') {
          if (At(1) != '"') {
            Skip(1);
            break;
          }
          field += '"';
          Skip(1);  // the first of the two; the second below
        } else {
          ++line_;
          field += '\n';
        }
        Skip(n);
        if ((size += n) > max_record_) return fail(Next::kBadText, record->line, too_long());
      }
      if (At(0) >= 0 && At(0) != ',' && !AtLineEnd()) {
        return fail(Next::kBadText, line_, "text after the closing quote of a field");
      }
    } else {
      // The plain characters are taken a run at a time, as far as the buffer holds them.
      for (int c; (c = At(0)) >= 0 && c != ',' && !AtLineEnd();) {
        if (c == '"') return fail(Next::kBadText, line_, "a quote inside an unquoted field");
        const std::size_t n = Run(/*quoted=*/false);  // c itself may be a CR without its LF
        if ((size += n) > max_record_) return fail(Next::kBadText, record->line, too_long());
        field.append(buffer_.data() + pos_, n);
        Skip(n);
      }
    }
    if (!read_status_.ok()) return fail(Next::kReadError, 0, "");
    record->fields.push_back(std::move(field));
    if (At(0) == ',') {
      Skip(1);
      continue;
    }
    if (At(0) >= 0) {
      Skip(At(0) == '\r' ? 2 : 1);
      ++line_;
    }
    return Next::kRecord;
  }
}

void CsvReader::SkipPrefix(std::string_view prefix) {
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (At(i) != static_cast<unsigned char>(prefix[i])) return;
  }
  Skip(prefix.size());
}

}  // namespace orlith
