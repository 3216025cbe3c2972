#include "app/take_back.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/operations_log.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

// The switch's rectangle is rounded to 0.01 minutes at its edges.
constexpr double kNearEnough = kSwitchHalfSize + 0.01 / 60 / 2;

bool Near(const RemoveSelection& s, double latitude, double longitude) {
  double across = std::fabs(longitude - s.longitude);
  if (across > 180) across = 360 - across;
  return std::fabs(latitude - s.latitude) <= kNearEnough && across <= kNearEnough;
}

bool InSelection(const RemoveSelection& s, double latitude, double longitude) {
  switch (s.area) {
    case RemovalArea::kAll:
      return true;
    case RemovalArea::kPosition:
      return Near(s, latitude, longitude);
    case RemovalArea::kRectangle:
      return InArea(s.within, latitude, longitude);
  }
  return false;
}

bool IsVorOrIls(const std::string& type) { return type == "VOR" || type == "ILS"; }

// Copies in to out without the bytes of the lines in drop (in file order). Each dropped line must
// still hold what was read: its text, then only line-end bytes.
Status CopyWithout(ReadableFile& in, WritableFile& out, const std::vector<SwitchInEffect>& drop,
                   const std::string& path) {
  constexpr std::size_t kBlock = 256 * 1024;
  std::vector<char> scratch(kBlock);
  std::uint64_t at = 0;
  std::size_t next = 0;
  for (;;) {
    std::string_view bytes;
    Status s = in.ReadInPlace(kBlock, scratch.data(), &bytes);
    if (!s.ok()) return s;
    if (bytes.empty()) break;
    while (!bytes.empty()) {
      if (next < drop.size() && at >= drop[next].line.offset) {
        const ConfigLine& line = drop[next].line;
        const std::uint64_t rel = at - line.offset;
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), line.size - rel));
        for (std::size_t i = 0; i < n; ++i) {
          const std::uint64_t k = rel + i;
          const bool same = k < line.text.size() ? bytes[i] == line.text[k]
                                                 : bytes[i] == '\r' || bytes[i] == '\n';
          if (!same) return Status::IoError(path, "the file was changed while it was read");
        }
        if (rel + n == line.size) ++next;
        at += n;
        bytes.remove_prefix(n);
        continue;
      }
      std::size_t n = bytes.size();
      if (next < drop.size()) {
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, drop[next].line.offset - at));
      }
      s = out.Append(bytes.substr(0, n));
      if (!s.ok()) return s;
      at += n;
      bytes.remove_prefix(n);
    }
  }
  if (next != drop.size()) return Status::IoError(path, "the file was changed while it was read");
  return Status::Ok();
}

// scenery.cfg without the lines of drop, replaced whole and on stable storage.
Status RewriteConfig(const WorkFolder& folder, const std::vector<SwitchInEffect>& drop) {
  const std::string path = folder.File(kSceneryConfigName);
  Status s = ReplaceWith(
      *folder.env, path,
      [&](WritableFile& out) {
        std::unique_ptr<ReadableFile> in;
        Status copied = folder.env->OpenForReading(path, &in);
        if (!copied.ok()) return copied;
        copied = CopyWithout(*in, out, drop, path);
        copied.Update(in->Close());
        return copied;
      },
      /*sync=*/true);
  if (!s.ok()) return s;
  s = folder.env->SyncFolder(folder.path);
  return s.ok() ? s : Status::IoError(path, s.reason());
}

void Note(Status* log_status, const Status& s) {
  if (log_status != nullptr) log_status->Update(s);
}

Status SelectedSwitches(const WorkFolder& folder, const RemoveSelection& selection,
                        std::vector<SwitchInEffect>* switches) {
  Status s = ReadSwitchesInEffect(folder, switches);
  std::erase_if(*switches, [&](const SwitchInEffect& w) { return !SelectsSwitch(selection, w); });
  return s;
}

}  // namespace

bool SelectsSwitch(const RemoveSelection& selection, const SwitchInEffect& exclusion) {
  const std::string& word = exclusion.exclusion.word;
  const std::string& type = selection.navAidType;
  const bool fits = type.empty() || word == "all" || (type == "NDB" && word == "ndbs") ||
                    (IsVorOrIls(type) && word == "vors");
  return exclusion.updatesBlock && fits &&
         InSelection(selection, exclusion.exclusion.latitude, exclusion.exclusion.longitude);
}

bool SelectsFile(const RemoveSelection& selection, const SceneryFileInEffect& file) {
  const std::string& type = selection.navAidType;
  const std::string& has = file.navaid.navAidType;
  const bool fits = type.empty() || type == has || (IsVorOrIls(type) && IsVorOrIls(has));
  return fits && InSelection(selection, file.navaid.latitude, file.navaid.longitude);
}

Status PlanRemoval(const WorkFolder& folder, const RemoveSelection& selection, RemovalPlan* plan) {
  plan->files.clear();
  Status s = SelectedSwitches(folder, selection, &plan->switches);
  if (!s.ok()) return s;
  int others = 0;
  return ForEachSceneryFile(
      folder,
      [&](SceneryFileInEffect& file) {
        if (SelectsFile(selection, file)) plan->files.push_back(std::move(file));
        return Status::Ok();
      },
      &others);
}

namespace {

// What ApplyRemoval and ApplyRemovalOf share: every switch in effect that takes_switch picks and
// every scenery file that takes_file picks, as read now, removed as ApplyRemoval says.
Status RemovePicked(const WorkFolder& folder, const std::tm& date,
                    const std::function<bool(const SwitchInEffect&)>& takes_switch,
                    const std::function<bool(const SceneryFileInEffect&)>& takes_file,
                    const RemovedOne& each, int* removed, Status* log_status) {
  *removed = 0;
  std::vector<SwitchInEffect> switches;
  Status s = ReadSwitchesInEffect(folder, &switches);
  if (!s.ok()) return s;
  std::erase_if(switches, [&](const SwitchInEffect& w) { return !takes_switch(w); });
  if (!switches.empty()) {
    s = BackupSceneryConfig(folder, date, log_status);
    if (s.ok()) s = RewriteConfig(folder, switches);
    if (!s.ok()) return s;
    for (const SwitchInEffect& w : switches) {
      Note(log_status, AppendLogText(folder, "The line " + w.line.text +
                                                 " was removed from SCENERY.CFG ...\r\n"));
      ++*removed;
      each(&w, nullptr);
    }
  }
  // File by file, so that memory does not grow with their number.
  int others = 0;
  return ForEachSceneryFile(
      folder,
      [&](SceneryFileInEffect& file) {
        if (!takes_file(file)) return Status::Ok();
        Status gone = folder.env->Remove(file.path);
        if (!gone.ok()) return Status::IoError(file.shown, gone.reason());
        Note(log_status, AppendLogText(folder, "The file " + file.shown + " was removed ...\r\n"));
        ++*removed;
        each(nullptr, &file);
        return Status::Ok();
      },
      &others);
}

}  // namespace

Status ApplyRemoval(const WorkFolder& folder, const RemoveSelection& selection, const std::tm& date,
                    const RemovedOne& each, int* removed, Status* log_status) {
  return RemovePicked(
      folder, date, [&](const SwitchInEffect& w) { return SelectsSwitch(selection, w); },
      [&](const SceneryFileInEffect& f) { return SelectsFile(selection, f); }, each, removed,
      log_status);
}

Status ApplyRemovalOf(const WorkFolder& folder, const RemovalPlan& chosen, const std::tm& date,
                      const RemovedOne& each, int* removed, Status* log_status) {
  auto chosen_switch = [&](const SwitchInEffect& w) {
    return w.updatesBlock && std::any_of(chosen.switches.begin(), chosen.switches.end(),
                                         [&](const SwitchInEffect& c) {
                                           return c.line.number == w.line.number &&
                                                  c.line.text == w.line.text;
                                         });
  };
  // A whole world's files may be chosen: each is looked up once, not against every other.
  std::unordered_set<std::string_view> chosen_paths;
  for (const SceneryFileInEffect& c : chosen.files) chosen_paths.insert(c.path);
  auto chosen_file = [&](const SceneryFileInEffect& f) { return chosen_paths.contains(f.path); };
  return RemovePicked(folder, date, chosen_switch, chosen_file, each, removed, log_status);
}

Status RestoreBackup(const WorkFolder& folder, const std::tm& date, Status* log_status) {
  const std::string config = folder.File(kSceneryConfigName);
  const std::string backup = folder.File(kSceneryBackupName);
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(backup, &file);
  if (!s.ok()) return Status::IoError(backup, s.reason());
  std::uint64_t size = 0;
  s = file->Size(&size);
  s.Update(file->Close());
  if (!s.ok()) return Status::IoError(backup, s.reason());
  if (size == 0) return Status::IoError(backup, "the backup is empty");
  s = folder.env->Exchange(config, backup);
  if (!s.ok()) return s;
  s = folder.env->SyncFolder(folder.path);
  if (!s.ok()) return Status::IoError(config, s.reason());
  Note(log_status,
       AppendLogEntry(folder, {FormatLogDate(date),
                               "The files SCENERY.CFG and SCENERY.ORG were exchanged ..."}));
  return Status::Ok();
}

}  // namespace orlith
