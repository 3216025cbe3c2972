#include "scenery_config/config_copy.h"

#include <algorithm>
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

// A finished line: its first characters (up to kHeadSize), its length, and whether it holds a
// "." that no later line of its block holds.
void EndLine(std::string_view head, std::size_t length, bool dot, ConfigScan* scan) {
  if (length >= kHeadSize && head[6] == 'N' && head[19] == 'U') scan->blockPresent = true;
  if (dot) {
    scan->dotLineSeen = true;
    scan->lastDotLineHead.assign(head.substr(0, kNumberEnd));
  }
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
    const std::string_view block(buffer.data(), got);
    // Of the lines in this block only the one holding its last "." can be the last "."-line.
    const std::size_t last_dot = block.rfind('.');
    std::size_t start = 0;      // of the current line within the block
    std::size_t copied_to = 0;  // the block's bytes before this are written
    for (;;) {
      const std::size_t lf = block.find('\n', start);
      const std::size_t stop = lf == std::string_view::npos ? got : lf;
      const bool dot = last_dot != std::string_view::npos && last_dot >= start && last_dot < stop;
      if (lf == std::string_view::npos) {
        Extend(line, block.substr(start), dot);
        break;
      }
      const char before = lf > start ? block[lf - 1] : line.length > 0 ? line.last : '\n';
      const bool cr = before == '\r';
      if (!cr) {
        write(block.substr(copied_to, lf - copied_to));
        write("\r");
        copied_to = lf;
      }
      if (line.length == 0) {
        const std::size_t length = lf - start - (cr ? 1 : 0);
        EndLine(block.substr(start, std::min(length, kHeadSize)), length, dot, scan);
      } else {
        Extend(line, block.substr(start, lf - start), dot);
        const std::size_t length = line.length - (cr ? 1 : 0);
        EndLine(std::string_view(line.head, std::min(length, kHeadSize)), length, line.dot, scan);
        line = LineSoFar();
      }
      start = lf + 1;
    }
    write(block.substr(copied_to));
    if (!written.ok()) return written;
  }
  // The read that met the end of the file yields what follows the last line feed as a line,
  // a CR at its end included.
  EndLine(std::string_view(line.head, std::min(line.length, kHeadSize)), line.length, line.dot,
          scan);
  write("\r\n");
  if (written.ok() && !pending.empty()) written = out.Append(pending);
  return written;
}

}  // namespace orlith
