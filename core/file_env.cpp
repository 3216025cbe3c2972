#include "core/file_env.h"

#include <memory>

namespace orlith {

std::string WorkFolder::File(std::string_view name) const {
  if (path.empty()) return std::string(name);
  std::string joined = path;
  if (joined.back() != '/' && joined.back() != '\\') joined += '/';
  joined += name;
  return joined;
}

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsAbsolute(std::string_view path) {
  return (!path.empty() && IsSeparator(path[0])) || (path.size() >= 2 && path[1] == ':');
}

// The scenery folder without the separators it ends with (a lone root separator stays).
std::string_view Trimmed(std::string_view folder) {
  while (folder.size() > 1 && IsSeparator(folder.back())) folder.remove_suffix(1);
  return folder;
}

}  // namespace

std::string WorkFolder::SceneryName(std::string_view name) const {
  std::string_view folder = Trimmed(sceneryFolder);
  if (folder.empty()) return std::string(name);
  std::string joined(folder);
  if (!IsSeparator(joined.back())) {
    bool backslashes = folder.find('\\') != folder.npos && folder.find('/') == folder.npos;
    joined += backslashes ? '\\' : '/';
  }
  joined += name;
  return joined;
}

std::string WorkFolder::SceneryFile(std::string_view name) const {
  std::string file = SceneryFolderPath();
  if (file.empty()) return File(name);
  if (!IsSeparator(file.back())) file += '/';  // taken by every system, Windows included
  file += name;
  return file;
}

std::string WorkFolder::SceneryFolderPath() const {
  std::string_view folder = Trimmed(sceneryFolder);
  if (folder.empty()) return {};
  return IsAbsolute(folder) ? std::string(folder) : File(folder);
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
