#include "scenery_config/config_copy.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orlith {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
// The copy goes to the file in writes of at least this size (the last one excepted).
constexpr std::size_t kWriteBlock = 64 * 1024;
// The pass of a file in CR LF form takes larger blocks: each mapping and each call has a cost of
// its own, and a block of 1 MiB still stays in a core's cache until it is written. A multiple of
// the page size, so that a mapped file is mapped window by window.
constexpr std::size_t kScanBlock = 1024 * 1024;

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

  for (;;) {
    std::size_t got = 0;
    Status s = in.Read(kReadBlock, buffer.data(), &got);
    if (!s.ok()) return s;
    if (got == 0) break;
    const char* const begin = buffer.data();
    const char* const end = begin + got;
    // The scan tells whether this block has a line feed without its CR.
    const bool bare_before = scan->bareLineFeed;
    const char before = scan->lastByte;
    scan->bareLineFeed = false;
    ScanConfigBytes(std::string_view(begin, got), scan);
    const bool bare = scan->bareLineFeed;
    scan->bareLineFeed = bare || bare_before;
    const char* copied_to = begin;  // the block's bytes before this are written
    if (bare) {
      for (const char* lf = begin; (lf = static_cast<const char*>(std::memchr(
                                        lf, '\n', static_cast<std::size_t>(end - lf)))) != nullptr;
           ++lf) {
        if ((lf > begin ? lf[-1] : before) == '\r') continue;
        write(std::string_view(copied_to, static_cast<std::size_t>(lf - copied_to)));
        write("\r");
        copied_to = lf;
      }
    }
    write(std::string_view(copied_to, static_cast<std::size_t>(end - copied_to)));
    if (!written.ok()) return written;
  }
  // The read that met the end of the file yields what follows the last line feed as a line,
  // a CR at its end included.
  EndConfigScan(scan);
  write("\r\n");
  if (written.ok() && !pending.empty()) written = out.Append(pending);
  return written;
}

Status CopyConfigFile(ReadableFile& in, WritableFile& out, ConfigScan* scan) {
  // Left untouched (so taking no memory) where the file is mapped rather than read.
  const std::unique_ptr<char[]> scratch(new char[kScanBlock]);
  ConfigScan found = *scan;
  for (;;) {
    std::string_view block;
    Status s = in.ReadInPlace(kScanBlock, scratch.get(), &block);
    if (!s.ok()) return s;
    if (block.empty()) break;
    ScanConfigBytes(block, &found);
    if (found.bareLineFeed) {
      // The converting copy starts again from the first line.
      s = out.Truncate(0);
      if (s.ok()) s = in.Rewind();
      return s.ok() ? CopyConfigLines(in, out, scan) : s;
    }
    // Written while the block is still in the processor's caches: cheaper than a second read of
    // the file, even by the system's own copy.
    s = out.Append(block);
    if (!s.ok()) return s;
  }
  EndConfigScan(&found);
  Status s = out.Append("\r\n");
  if (s.ok()) *scan = found;
  return s;
}

}  // namespace orlith
