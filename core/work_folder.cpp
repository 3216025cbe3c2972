#include "core/work_folder.h"

#include <filesystem>
#include <system_error>

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

std::string WorkFolder::Given(std::string_view given) const {
  return IsAbsolute(given) ? std::string(given) : File(given);
}

std::string WorkFolder::SceneryFolderPath() const {
  std::string_view folder = Trimmed(sceneryFolder);
  if (folder.empty()) return {};
  return Given(folder);
}

std::string FullFolderName(const std::string& path) {
  std::error_code ec;
  std::filesystem::path named =
      std::filesystem::absolute(path.empty() ? "." : path, ec).lexically_normal();
  if (ec) return path;
  if (!named.has_filename()) named = named.parent_path();
  return named.string();
}

}  // namespace orlith
