// scenery.cfg line by line, as every reader of its lines takes them: a line ends at a line feed,
// a CR LF or a lone CR, and the bytes after the last line end make one more line when there are
// any. Each line is told with its place in the file, so a caller can copy every other byte as it
// stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_env.h"
#include "core/status.h"

namespace orlith {

struct ConfigLine {
  std::int64_t number = 0;   // from 1
  std::uint64_t offset = 0;  // of its first byte in the file
  std::uint64_t size = 0;    // its bytes, its line end included
  std::string text;          // without its line end, at most the reader's keep bytes
  bool cut = false;          // the line is longer than text
};

// "Title=Navigational Updates" in any letter case, trailing blanks (spaces, tabs) ignored: the
// line that marks Orlith's updates area block.
bool IsUpdatesBlockTitle(std::string_view text);

class ConfigLineReader {
 public:
  // Keeps the first keep bytes of each line: memory does not grow with the lines. file is not
  // owned, not closed, and must stand at its start.
  explicit ConfigLineReader(ReadableFile& file, std::size_t keep = 1024)
      : file_(file), keep_(keep) {}

  // The next line in *line: true. False after the last line, and on a failure to read (status()).
  bool Next(ConfigLine* line);
  const Status& status() const { return status_; }

 private:
  bool Fill();

  ReadableFile& file_;
  std::size_t keep_;
  char buffer_[64 * 1024];
  std::size_t at_ = 0, end_ = 0;
  bool eof_ = false;
  std::uint64_t offset_ = 0;
  std::int64_t number_ = 0;
  Status status_;
};

}  // namespace orlith
