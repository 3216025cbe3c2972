#include "core/file_env.h"

#include <memory>
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

Status AppendWholeOrNothing(FileEnv& env, const std::string& path, std::string_view text) {
  std::uint64_t old_size = 0;
  Status s = env.FileSize(path, &old_size);
  if (s.kind() == Status::Kind::kNotFound) {
    s = Status::Ok();  // the append creates it; a failure leaves it empty
  } else if (!s.ok()) {
    return s;
  }
  std::unique_ptr<WritableFile> file;
  s = env.OpenForAppending(path, &file);
  if (!s.ok()) return s;
  s = file->Append(text);
  if (s.ok()) s = file->Flush();
  s.Update(file->Close());
  if (s.ok()) return s;

  // A full disk may have taken part of the text before failing: that part is cut off again.
  Status restored = env.Truncate(path, old_size);
  if (restored.ok()) return s;
  const std::string reason =
      s.reason() + "; its old size could not be restored: " + restored.reason();
  return s.kind() == Status::Kind::kNotFound ? Status::NotFound(s.file(), reason)
                                             : Status::IoError(s.file(), reason);
}

}  // namespace orlith
