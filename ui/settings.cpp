#include "ui/settings.h"

#include <string_view>

#include "core/ascii_case.h"

namespace orlith {
namespace {

constexpr char kSection[] = "[Orlith]";
constexpr char kKey[] = "SceneryFolder=";
constexpr std::size_t kMaxSettingsSize = 65536;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsSection(std::string_view line) { return Trim(line).starts_with('['); }

bool Same(std::string_view a, std::string_view b) { return AsciiUpper(a) == AsciiUpper(b); }

// The key's line in the [Orlith] section; the section's own line in *section (npos: none).
std::size_t FindKey(const std::vector<std::string>& lines, std::size_t* section) {
  *section = std::string::npos;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = Trim(lines[i]);
    if (IsSection(line)) {
      inside = Same(line, kSection);
      if (inside && *section == std::string::npos) *section = i;
    } else if (inside && line.size() >= sizeof kKey - 1 &&
               Same(line.substr(0, sizeof kKey - 1), kKey)) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

Status ReadSettings(const WorkFolder& folder, Settings* settings) {
  *settings = Settings{};
  std::string bytes;
  bool too_large = false;
  Status s = ReadSmallFile(*folder.env, folder.File(kSettingsFileName), kMaxSettingsSize, &bytes,
                           &too_large);
  if (s.kind() == Status::Kind::kNotFound) return Status::Ok();
  if (!s.ok()) return Status::IoError(kSettingsFileName, s.reason());
  if (too_large) return Status::IoError(kSettingsFileName, "larger than 64 KiB");
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    settings->lines.push_back(std::move(line));
    at = end + 1;
  }
  std::size_t section = 0;
  std::size_t key = FindKey(settings->lines, &section);
  if (key != std::string::npos) {
    std::string_view line = Trim(settings->lines[key]);
    settings->sceneryFolder = std::string(Trim(line.substr(sizeof kKey - 1)));
  }
  return Status::Ok();
}

Status WriteSettings(const WorkFolder& folder, const Settings& settings) {
  std::vector<std::string> lines = settings.lines;
  std::size_t section = 0;
  std::size_t key = FindKey(lines, &section);
  std::string value = std::string(kKey) + settings.sceneryFolder;
  if (key != std::string::npos) {
    lines[key] = value;
  } else if (section != std::string::npos) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(section) + 1, value);
  } else {
    if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
    lines.emplace_back(kSection);
    lines.push_back(value);
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  Status s = ReplaceWhole(*folder.env, folder.File(kSettingsFileName), bytes, /*sync=*/true);
  if (!s.ok()) return Status::IoError(kSettingsFileName, s.reason());
  return s;
}

std::string SceneryFolderForSystem(const std::string& stored) {
  std::string folder = stored;
#ifndef _WIN32
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
#endif
  return folder;
}

WorkFolder ProgramWorkFolder(const ProgramOptions& options, FileEnv* env, Status* failure) {
  WorkFolder folder = options.Work(env);
  *failure = Status::Ok();
  if (!options.sceneryFolder.empty()) return folder;
  Settings settings;
  *failure = ReadSettings(folder, &settings);
  folder.sceneryFolder = SceneryFolderForSystem(settings.sceneryFolder);
  return folder;
}

SceneryChoice ChoiceOf(const std::string& stored) {
  std::string_view text = Trim(stored);
  if (text.empty()) return SceneryChoice::kSimulatorFolder;
  std::string slashed(text);
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  while (slashed.size() > 1 && slashed.back() == '/') slashed.pop_back();
  return Same(slashed, "Addon Scenery/Updates/scenery") ? SceneryChoice::kAddonScenery
                                                        : SceneryChoice::kNone;
}

std::string StoredFor(SceneryChoice choice, const std::string& stored) {
  switch (choice) {
    case SceneryChoice::kSimulatorFolder:
      return "";
    case SceneryChoice::kAddonScenery:
      return kAddonSceneryFolder;
    case SceneryChoice::kNone:
      break;
  }
  return stored;
}

}  // namespace orlith
