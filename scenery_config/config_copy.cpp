#include "scenery_config/config_copy.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace orlith {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
// The copy goes to the file in writes of at least this size (the last one excepted).
constexpr std::size_t kWriteBlock = 64 * 1024;

// Whether a line feed in [from, to) follows a byte other than CR; `before` is the byte before
// from ('\n' at the start of the file). Written as one pass without early exit so that the
// compiler can run it on many bytes at once.
bool HasBareLineFeed(const char* from, const char* to, char before) {
  if (from == to) return false;
  unsigned bare = (*from == '\n') & (before != '\r');
  const std::size_t n = static_cast<std::size_t>(to - from);
  for (std::size_t i = 1; i < n; ++i) bare |= (from[i] == '\n') & (from[i - 1] != '\r');
  return bare != 0;
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

  char before = '\n';  // the byte before the block: a line feed at the start of the file
  for (;;) {
    std::size_t got = 0;
    Status s = in.Read(kReadBlock, buffer.data(), &got);
    if (!s.ok()) return s;
    if (got == 0) break;
    const char* const begin = buffer.data();
    const char* const end = begin + got;
    ScanConfigBytes(std::string_view(begin, got), scan);
    const char* copied_to = begin;  // the block's bytes before this are written
    if (HasBareLineFeed(begin, end, before)) {
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
    before = end[-1];
  }
  // The read that met the end of the file yields what follows the last line feed as a line,
  // a CR at its end included.
  EndConfigScan(scan);
  write("\r\n");
  if (written.ok() && !pending.empty()) written = out.Append(pending);
  return written;
}

}  // namespace orlith
