#include "core/file_env.h"

#include <vector>

namespace orlith {

std::string WorkFolder::File(std::string_view name) const {
  if (path.empty()) return std::string(name);
  std::string joined = path;
  if (joined.back() != '/' && joined.back() != '\\') joined += '/';
  joined += name;
  return joined;
}

Status ReadLines(FileEnv& env, const std::string& path,
                 const std::function<void(std::string_view line)>& on_line) {
  std::unique_ptr<ReadableFile> file;
  Status s = env.OpenForReading(path, &file);
  if (!s.ok()) return s;

  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<char> chunk(kChunk);
  std::string pending;  // the start of a line that continues in the next chunk
  for (;;) {
    std::size_t got = 0;
    s = file->Read(kChunk, chunk.data(), &got);
    if (!s.ok()) {
      file->Close();
      return s;
    }
    if (got == 0) break;
    std::string_view data(chunk.data(), got);
    std::size_t start = 0;
    for (std::size_t lf = data.find('\n'); lf != std::string_view::npos;
         lf = data.find('\n', start)) {
      std::string_view piece = data.substr(start, lf - start);
      std::string_view line;
      if (pending.empty()) {
        line = piece;
      } else {
        pending.append(piece);
        line = pending;
      }
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      on_line(line);
      pending.clear();
      start = lf + 1;
    }
    pending.append(data.substr(start));
  }
  on_line(pending);
  return file->Close();
}

}  // namespace orlith
