#include "scenery_config/config_copy.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace orlith {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
// The copy goes to the file in writes of at least this size (the last one excepted).
constexpr std::size_t kWriteBlock = 64 * 1024;
// The marker test looks no further than character 20.
constexpr std::size_t kHeadSize = 20;
// The area number is read from characters 7 to 9.
constexpr std::size_t kNumberEnd = 9;

// The start of a line that continues in the next block.
struct LineSoFar {
  std::size_t length = 0;
  char head[kHeadSize] = {};  // its first characters, up to kHeadSize
  char last = '\n';           // its last byte so far
  bool dot = false;           // it holds the last "." of a block
};

void Extend(LineSoFar& line, std::string_view piece, bool dot) {
  if (line.length < kHeadSize) {
    std::size_t take = std::min(kHeadSize - line.length, piece.size());
    std::copy_n(piece.data(), take, line.head + line.length);
  }
  line.length += piece.size();
  if (!piece.empty()) line.last = piece.back();
  line.dot = line.dot || dot;
}

bool IsBlockMarker(const char* line, std::size_t length) {
  return length >= kHeadSize && line[6] == 'N' && line[19] == 'U';
}

// Whether a line feed in [from, to) follows a byte other than CR; from is the start of a line.
// Written as one pass without early exit so that the compiler can run it on many bytes at once.
bool HasBareLineFeed(const char* from, const char* to) {
  if (from == to) return false;
  unsigned bare = *from == '\n';
  const std::size_t n = static_cast<std::size_t>(to - from);
  for (std::size_t i = 1; i < n; ++i) bare |= (from[i] == '\n') & (from[i - 1] != '\r');
  return bare != 0;
}

// Whether one of the lines in [from, to) is a block marker; from is the start of a line and to
// follows a line feed. Looks only at the N's, which are rare.
bool HasBlockMarker(const char* from, const char* to) {
  for (const char* n = from + 6; n < to; ++n) {
    n = static_cast<const char*>(std::memchr(n, 'N', static_cast<std::size_t>(to - n)));
    if (n == nullptr) return false;
    const char* line = n - 6;
    if (to - line <= static_cast<std::ptrdiff_t>(kHeadSize)) return false;  // ends too soon
    if ((line == from || line[-1] == '\n') && line[19] == 'U' &&
        std::memchr(line, '\n', kHeadSize) == nullptr) {
      return true;
    }
  }
  return false;
}

// Remembers the line at `line`, of the given length, as the last one holding a ".".
void NoteDotLine(const char* line, std::size_t length, ConfigScan* scan) {
  scan->dotLineSeen = true;
  scan->lastDotLineHead.assign(line, std::min(length, kNumberEnd));
}

// A line that began in an earlier block has ended after `length` characters.
void EndCarriedLine(const LineSoFar& line, std::size_t length, ConfigScan* scan) {
  if (IsBlockMarker(line.head, length)) scan->blockPresent = true;
  if (line.dot) NoteDotLine(line.head, length, scan);
}

}  // namespace

Status CopyConfigLines(ReadableFile& in, WritableFile& out, ConfigScan* scan) {
  std::vector<char> buffer(kReadBlock);
  std::string pending;
  Status written;
  auto write = [&](std::string_view bytes) {
    if (!written.ok()) return;
    if (pending.empty() && bytes.size() >= kWriteBlock) {
      written = out.Append(bytes);
      return;
    }
    pending.append(bytes);
    if (pending.size() >= kWriteBlock) {
      written = out.Append(pending);
      pending.clear();
    }
  };

  LineSoFar line;
  for (;;) {
    std::size_t got = 0;
    Status s = in.Read(kReadBlock, buffer.data(), &got);
    if (!s.ok()) return s;
    if (got == 0) break;
    const char* const begin = buffer.data();
    const char* const end = begin + got;
    // Of the lines in this block only the one holding its last "." can be the last "."-line.
    const std::size_t dot_at = std::string_view(begin, got).rfind('.');
    const char* const last_dot = dot_at == std::string_view::npos ? nullptr : begin + dot_at;
    const char* start = begin;      // of the current line
    const char* copied_to = begin;  // the block's bytes before this are written
    auto end_of_line = [&](const char* from) {
      return static_cast<const char*>(
          std::memchr(from, '\n', static_cast<std::size_t>(end - from)));
    };
    auto copy_with_cr = [&](const char* lf) {
      write(std::string_view(copied_to, static_cast<std::size_t>(lf - copied_to)));
      write("\r");
      copied_to = lf;
    };

    if (line.length > 0) {  // the line carried from the block before ends first
      const char* lf = end_of_line(begin);
      const char* stop = lf != nullptr ? lf : end;
      Extend(line, std::string_view(begin, static_cast<std::size_t>(stop - begin)),
             last_dot != nullptr && last_dot < stop);
      if (lf != nullptr) {
        const bool cr = line.last == '\r';
        if (!cr) copy_with_cr(lf);
        EndCarriedLine(line, line.length - (cr ? 1 : 0), scan);
        line = LineSoFar();
        start = lf + 1;
      } else {
        start = end;
      }
    }
    // The lines that lie whole in this block: from whole_lines to whole_end, just past its last
    // line feed.
    const char* const whole_lines = start;
    const char* whole_end = end;
    while (whole_end > whole_lines && whole_end[-1] != '\n') --whole_end;
    start = whole_end;  // now the start of the line that goes on in the next block
    if (HasBareLineFeed(whole_lines, whole_end)) {
      for (const char* lf = whole_lines; (lf = end_of_line(lf)) != nullptr && lf < whole_end;
           ++lf) {
        if ((lf > whole_lines ? lf[-1] : '\n') != '\r') copy_with_cr(lf);
      }
    }
    if (!scan->blockPresent && HasBlockMarker(whole_lines, whole_end)) scan->blockPresent = true;
    if (last_dot != nullptr && last_dot >= whole_lines && last_dot < whole_end) {
      const char* from = last_dot;
      while (from > whole_lines && from[-1] != '\n') --from;
      const char* lf = end_of_line(last_dot);
      const std::size_t length = static_cast<std::size_t>(lf - from) - (lf[-1] == '\r' ? 1 : 0);
      NoteDotLine(from, length, scan);
    }
    // The start of a line that goes on in the next block.
    if (start < end) {
      Extend(line, std::string_view(start, static_cast<std::size_t>(end - start)),
             last_dot != nullptr && last_dot >= start);
    }
    write(std::string_view(copied_to, static_cast<std::size_t>(end - copied_to)));
    if (!written.ok()) return written;
  }
  // The read that met the end of the file yields what follows the last line feed as a line,
  // a CR at its end included.
  EndCarriedLine(line, line.length, scan);
  write("\r\n");
  if (written.ok() && !pending.empty()) written = out.Append(pending);
  return written;
}

}  // namespace orlith
