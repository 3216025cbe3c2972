#include "scenery_config/config_lines.h"

#include <cstring>

#include "core/ascii_case.h"

namespace orlith {

bool IsUpdatesBlockTitle(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return EqualsAsciiUpper(text, "TITLE=NAVIGATIONAL UPDATES");
}

bool ConfigLineReader::Fill() {
  if (eof_ || !status_.ok()) return false;
  std::size_t got = 0;
  status_ = file_.Read(sizeof buffer_, buffer_, &got);
  at_ = 0;
  end_ = status_.ok() ? got : 0;
  eof_ = end_ == 0;
  return end_ != 0;
}

namespace {

// Where the first CR or LF of bytes[0, n) is, or n: memchr finds the LF, then the CR before it,
// each many bytes at a time.
std::size_t LineEndIn(const char* bytes, std::size_t n) {
  const void* lf = std::memchr(bytes, '\n', n);
  const std::size_t before_lf = lf == nullptr ? n : static_cast<const char*>(lf) - bytes;
  const void* cr = std::memchr(bytes, '\r', before_lf);
  return cr == nullptr ? before_lf : static_cast<std::size_t>(static_cast<const char*>(cr) - bytes);
}

}  // namespace

bool ConfigLineReader::Next(ConfigLine* line) {
  line->text.clear();
  line->cut = false;
  line->offset = offset_;
  line->size = 0;
  bool after_cr = false;
  for (;;) {
    if (at_ == end_ && !Fill()) {
      if (!status_.ok() || line->size == 0) return false;
      break;
    }
    if (after_cr) {
      if (buffer_[at_] == '\n') {
        ++at_;
        ++line->size;
      }
      break;
    }
    // The run up to the next line end, kept as far as there is room.
    const std::size_t stop = at_ + LineEndIn(buffer_ + at_, end_ - at_);
    const std::size_t room = keep_ - line->text.size();
    const std::size_t run = stop - at_;
    line->text.append(buffer_ + at_, run < room ? run : room);
    if (run > room) line->cut = true;
    line->size += run;
    at_ = stop;
    if (at_ == end_) continue;
    const char ending = buffer_[at_++];
    ++line->size;
    if (ending == '\n') break;
    after_cr = true;  // a lone CR, or the CR of a CR LF
  }
  offset_ += line->size;
  line->number = ++number_;
  return true;
}

}  // namespace orlith
