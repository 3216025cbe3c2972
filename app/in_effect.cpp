#include "app/in_effect.h"

#include <memory>

#include "core/ascii_case.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

// The Orlith scenery files of one folder, each shown behind shown_prefix.
Status ReadFolder(FileEnv& env, const std::string& dir, const std::string& shown_prefix,
                  const std::function<Status(SceneryFileInEffect& file)>& each, int* others) {
  std::vector<FolderEntry> entries;
  Status s = env.ListFolder(dir, &entries);
  if (!s.ok()) return Status::IoError(shown_prefix.empty() ? "." : shown_prefix, s.reason());
  for (const FolderEntry& entry : entries) {
    const std::string_view name = entry.name;
    if (!entry.regularFile || name.size() < 4 ||
        !EqualsAsciiUpper(name.substr(name.size() - 4), ".BGL")) {
      continue;
    }
    SceneryFileInEffect file{
        shown_prefix + entry.name, dir.empty() ? entry.name : dir + "/" + entry.name, {}};
    std::string bytes, why;
    bool too_large = false;
    s = ReadSmallFile(env, file.path, kMaxSceneryFileSize, &bytes, &too_large);
    if (!s.ok()) return Status::IoError(file.shown, s.reason());
    if (!too_large && DecodeNavAidFile(bytes, &file.navaid, &why)) {
      if (s = each(file); !s.ok()) return s;
    } else {
      ++*others;
    }
  }
  return Status::Ok();
}

}  // namespace

Status ReadSwitchesInEffect(const WorkFolder& folder, std::vector<SwitchInEffect>* switches) {
  switches->clear();
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(folder.File(kSceneryConfigName), &file);
  if (!s.ok()) return s;
  ConfigLineReader reader(*file);
  std::string area, title;
  bool updates_block = false;  // the block's title line marks it as Orlith's
  ConfigLine line;
  while (reader.Next(&line)) {
    const std::string& text = line.text;
    if (text.starts_with('[') && text.ends_with(']') && !line.cut) {
      area = text.substr(1, text.size() - 2);
      title.clear();
      updates_block = false;
    } else if (text.starts_with("Title=")) {
      title = text.substr(6);
      updates_block = IsUpdatesBlockTitle(text);
    } else if (OrlithSwitch found; !line.cut && ParseOrlithSwitch(text, &found)) {
      switches->push_back({std::move(found), line, area, title, updates_block});
    }
  }
  s = reader.status();
  s.Update(file->Close());
  return s;
}

Status ReadSceneryFilesInEffect(const WorkFolder& folder, std::vector<SceneryFileInEffect>* files,
                                int* others) {
  files->clear();
  return ForEachSceneryFile(
      folder,
      [files](SceneryFileInEffect& file) {
        files->push_back(std::move(file));
        return Status::Ok();
      },
      others);
}

Status ForEachSceneryFile(const WorkFolder& folder,
                          const std::function<Status(SceneryFileInEffect& file)>& each,
                          int* others) {
  *others = 0;
  Status s = ReadFolder(*folder.env, folder.path, "", each, others);
  const std::string scenery = folder.SceneryFolderPath();
  if (!s.ok() || scenery.empty()) return s;
  bool is_folder = false;
  s = folder.env->IsFolder(scenery, &is_folder);
  if (!s.ok()) return Status::IoError(folder.SceneryName(""), s.reason());
  // A scenery folder that Orlith has not made yet holds nothing.
  if (!is_folder) return Status::Ok();
  return ReadFolder(*folder.env, scenery, folder.SceneryName(""), each, others);
}

Status ReadInEffect(const WorkFolder& folder, InEffect* in_effect) {
  Status s = ReadSwitchesInEffect(folder, &in_effect->switches);
  if (s.ok()) s = ReadSceneryFilesInEffect(folder, &in_effect->files, &in_effect->otherBglFiles);
  return s;
}

}  // namespace orlith
