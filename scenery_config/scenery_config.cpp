#include "scenery_config/scenery_config.h"

#include <memory>
#include <string_view>

#include "core/operations_log.h"
#include "scenery_config/config_copy.h"

namespace orlith {
namespace {

constexpr char kLineEnd[] = "\r\n";

// The updates area must be the top layer and a number of its own: one more than the highest area
// number or layer in use, 1 when there is none.
int NextAreaNumber(const ConfigScan& scan) { return static_cast<int>(scan.highestArea + 1); }

// Reads scenery.cfg, filling *scan (the area numbers only when the block is missing), and writes
// every line with CR LF to a new temporary file that then replaces scenery.org. The copy
// is on stable storage before the rename and the rename after it, so a power failure leaves the old
// backup or the new one, whole. On failure the temporary file is removed and scenery.org is left as
// it was.
Status CopyToBackup(const WorkFolder& folder, ConfigScan* scan) {
  const std::string backup = folder.File(kSceneryBackupName);
  const std::string config = folder.File(kSceneryConfigName);
  // Once Orlith has registered its block, it is usually found in the last bytes at once; the pass
  // then needs no area numbers, only the line ends.
  std::string tail;
  Status s = folder.env->ReadTail(config, kConfigTailLook, &tail);
  if (!s.ok()) return s;
  scan->blockPresent = MarkerInTail(tail, tail.size() < kConfigTailLook);
  // The copy is invisible until the rename, so it is flushed once, by the sync, not line by line.
  s = ReplaceWith(
      *folder.env, backup,
      [&](WritableFile& out) {
        std::unique_ptr<ReadableFile> in;
        Status copied = folder.env->OpenForReading(config, &in);
        if (copied.ok()) {
          copied = CopyConfigFile(*in, out, scan);
          copied.Update(in->Close());
        }
        return copied;
      },
      /*sync=*/true);
  if (!s.ok()) return s;
  s = folder.env->SyncFolder(folder.path);
  return s.ok() ? s : Status::IoError(backup, s.reason());
}

void NoteLogFailure(Status* log_status, const Status& s) {
  if (log_status != nullptr) log_status->Update(s);
}

// The six lines of the updates area block for area number n.
std::vector<std::string> UpdatesAreaBlock(int n) {
  const std::string number = std::to_string(n);
  // Exactly one "0" goes before a shorter number: 9 gives [Area.09], not [Area.009].
  return {(number.size() >= 3 ? "[Area." : "[Area.0") + number + "]",
          "Title=Navigational Updates",
          "Local=Addon Scenery\\Updates",
          "Active=TRUE",
          "Required=FALSE",
          "Layer=" + number};
}

}  // namespace

Status EnsureFileExists(const WorkFolder& folder, const std::string& name) {
  const std::string path = folder.File(name);
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(path, &file);
  if (s.ok()) {
    // Some systems open a folder for reading; only the first read tells it is no file.
    char byte;
    std::size_t got = 0;
    s = file->Read(1, &byte, &got);
    file->Close();
  }
  if (!s.ok()) return Status::NotFound(path, s.reason());
  return Status::Ok();
}

Status BackupSceneryConfig(const WorkFolder& folder, const std::tm& date, Status* log_status) {
  ConfigScan scan;
  Status s = CopyToBackup(folder, &scan);
  if (!s.ok()) return s;
  NoteLogFailure(log_status, AppendHeaderEntry(folder, date));
  return Status::Ok();
}

Status RegisterUpdatesArea(const WorkFolder& folder, const std::tm& date, Status* log_status) {
  ConfigScan scan;
  Status s = CopyToBackup(folder, &scan);
  if (!s.ok()) return s;
  NoteLogFailure(log_status, AppendHeaderEntry(folder, date));
  if (scan.blockPresent) return Status::Ok();

  const std::vector<std::string> block = UpdatesAreaBlock(NextAreaNumber(scan));
  // A bare line end first: it ends a last line that had none, or leaves one empty line.
  std::string text = kLineEnd;
  for (const std::string& line : block) text += line + kLineEnd;
  // A half block would lack its Title line and so be followed by a second one later.
  s = AppendWholeOrNothing(*folder.env, folder.File(kSceneryConfigName), text);
  if (!s.ok()) return s;

  std::vector<std::string> entry = {"The new block:", ""};
  entry.insert(entry.end(), block.begin(), block.end());
  entry.push_back("");
  entry.push_back("was added to the file SCENERY.CFG ...");
  NoteLogFailure(log_status, AppendLogEntry(folder, entry));
  return Status::Ok();
}

}  // namespace orlith
