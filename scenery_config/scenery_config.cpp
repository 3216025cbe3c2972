#include "scenery_config/scenery_config.h"

#include <functional>
#include <memory>
#include <string_view>

#include "core/lenient_number.h"
#include "scenery_config/operations_log.h"

namespace orlith {
namespace {

constexpr char kLineEnd[] = "\r\n";
// The backup copy is handed to the file in blocks of this size; memory stays bounded by it and
// the longest line.
constexpr std::size_t kCopyBlock = 64 * 1024;

// What one pass over scenery.cfg learns besides the copy.
struct ConfigScan {
  bool block_present = false;
  bool dot_line_seen = false;
  std::string last_dot_line;
};

// The updates area block's Title line has N at character 7 and U at character 20; so does any
// line that merely looks like it, which then counts as the block too.
bool IsBlockMarker(std::string_view line) {
  return line.size() >= 20 && line[6] == 'N' && line[19] == 'U';
}

// One more than characters 7 to 9 of the last "."-line read as a whole number; 1 when there is no
// such line or the number would not be positive.
int NextAreaNumber(const ConfigScan& scan) {
  if (!scan.dot_line_seen) return 1;
  std::string_view line = scan.last_dot_line;
  std::string_view digits = line.size() > 6 ? line.substr(6, 3) : std::string_view();
  std::int64_t next = ReadLenientInteger(digits) + 1;
  return next < 1 ? 1 : static_cast<int>(next);
}

// Error statuses about the temporary copy name scenery.org, the file the user knows.
Status AsBackupFailure(const WorkFolder& folder, const Status& s) {
  if (s.ok() || s.file() != folder.File(kSceneryBackupTempName)) return s;
  return Status::IoError(folder.File(kSceneryBackupName), s.reason());
}

// Reads scenery.cfg once, calling on_line for each line, and writes every line with CR LF to a
// temporary file that then replaces scenery.org. On failure the temporary file is removed and
// scenery.org is left as it was.
Status CopyToBackup(const WorkFolder& folder,
                    const std::function<void(std::string_view line)>& on_line) {
  const std::string temp = folder.File(kSceneryBackupTempName);
  std::unique_ptr<WritableFile> out;
  Status s = folder.env->OpenForWriting(temp, &out);
  if (!s.ok()) return AsBackupFailure(folder, s);

  // The copy is invisible until the rename, so it is flushed once, by Close, not line by line,
  // and written in blocks of kCopyBlock bytes rather than a write per line.
  std::string block;
  block.reserve(kCopyBlock + 1024);
  Status write_status;
  Status read_status =
      ReadLines(*folder.env, folder.File(kSceneryConfigName), [&](std::string_view line) {
        on_line(line);
        if (!write_status.ok()) return;
        block.append(line);
        block.append(kLineEnd);
        if (block.size() >= kCopyBlock) {
          write_status = out->Append(block);
          block.clear();
        }
      });
  s = read_status;
  s.Update(write_status);
  if (s.ok() && !block.empty()) s = out->Append(block);
  s.Update(out->Close());
  if (s.ok()) s = folder.env->Rename(temp, folder.File(kSceneryBackupName));
  if (!s.ok()) {
    folder.env->Remove(temp);
    return AsBackupFailure(folder, s);
  }
  return Status::Ok();
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
  Status s = CopyToBackup(folder, [](std::string_view) {});
  if (!s.ok()) return s;
  NoteLogFailure(log_status, AppendHeaderEntry(folder, date));
  return Status::Ok();
}

Status RegisterUpdatesArea(const WorkFolder& folder, const std::tm& date, Status* log_status) {
  ConfigScan scan;
  Status s = CopyToBackup(folder, [&scan](std::string_view line) {
    if (IsBlockMarker(line)) scan.block_present = true;
    if (line.find('.') != std::string_view::npos) {
      scan.dot_line_seen = true;
      scan.last_dot_line.assign(line);
    }
  });
  if (!s.ok()) return s;
  NoteLogFailure(log_status, AppendHeaderEntry(folder, date));
  if (scan.block_present) return Status::Ok();

  const std::vector<std::string> block = UpdatesAreaBlock(NextAreaNumber(scan));
  // A bare line end first: it ends a last line that had none, or leaves one empty line.
  std::string text = kLineEnd;
  for (const std::string& line : block) text += line + kLineEnd;
  std::unique_ptr<WritableFile> cfg;
  s = folder.env->OpenForAppending(folder.File(kSceneryConfigName), &cfg);
  if (!s.ok()) return s;
  s = cfg->Append(text);
  if (s.ok()) s = cfg->Flush();
  s.Update(cfg->Close());
  if (!s.ok()) return s;

  std::vector<std::string> entry = {"The new block:", ""};
  entry.insert(entry.end(), block.begin(), block.end());
  entry.push_back("");
  entry.push_back("was added to the file SCENERY.CFG ...");
  NoteLogFailure(log_status, AppendLogEntry(folder, entry));
  return Status::Ok();
}

}  // namespace orlith
