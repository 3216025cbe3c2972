#include "app/command_steps.h"

#include <memory>

#include "app/messages.h"
#include "core/coordinate_text.h"
#include "core/fatal.h"
#include "core/operations_log.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_writer.h"

namespace orlith {
namespace {

bool Stopped(CommandSession& session, const Status& failure) {
  if (failure.ok()) return false;
  std::string text = FileErrorMessage(failure);
  if (!session.logStatus.ok()) text += LogFailureNote(session.logStatus);
  session.logStatus = Status::Ok();
  session.frontEnd.ShowError(text);
  return true;
}

}  // namespace

int ExitStatusFor(CommandOutcome outcome, int fatal_status) {
  switch (outcome) {
    case CommandOutcome::kDone:
    case CommandOutcome::kCancelled:
      return kExitDone;
    case CommandOutcome::kFileError:
      return kExitFileError;
    case CommandOutcome::kRefused:
      return kExitUsage;
    case CommandOutcome::kEnded:
      return fatal_status;
  }
  return kExitFileError;
}

CommandOutcome WithFolderLock(FrontEnd& frontEnd, const WorkFolder& folder,
                              const std::function<CommandOutcome()>& command, int wait_ms) {
  bool busy = false;
  std::unique_ptr<FolderLock> lock;
  bool cancelled = false;
  Status s = LockFolder(*folder.env, folder.path, wait_ms, &busy, &lock, frontEnd.FolderLockWait(),
                        &cancelled);
  if (cancelled) return CommandOutcome::kCancelled;
  if (busy) {
    // Named in full: the user may not know which folder "the current one" was.
    frontEnd.ShowError(FolderBusyMessage(FullFolderName(folder.path)));
    return CommandOutcome::kFileError;
  }
  if (!s.ok()) {
    frontEnd.ShowError(FileErrorMessage(s));
    return CommandOutcome::kFileError;
  }
  return command();
}

bool CheckSceneryConfig(CommandSession& session) {
  if (EnsureFileExists(session.folder, kSceneryConfigName).ok()) return true;
  session.endedStatus = kExitMissingConfig;
  session.frontEnd.Fatal(ConfigMissingMessage(), kExitMissingConfig);
  return false;
}

bool CheckPosition(CommandSession& session, const NavAidEntry& entry) {
  if (IsValidCoordinate(entry.latitude, CoordinateKind::kLatitude) &&
      IsValidCoordinate(entry.longitude, CoordinateKind::kLongitude)) {
    return true;
  }
  session.endedStatus = kExitInputError;
  session.frontEnd.Fatal(kInputErrorMessage, kExitInputError);
  return false;
}

bool CheckSceneryFilePath(CommandSession& session, const NavAidEntry& entry) {
  Status s = orlith::CheckSceneryFilePath(session.folder, entry.latitude, entry.longitude);
  if (s.ok()) return true;
  session.frontEnd.ShowError(FileErrorMessage(s));
  return false;
}

bool RegisterArea(CommandSession& session) {
  std::tm date = session.today ? session.today() : LocalDateNow();
  Status log;
  Status s = RegisterUpdatesArea(session.folder, date, &log);
  session.logStatus.Update(log);
  session.configUnsynced = true;  // the area block may have been added
  return !Stopped(session, s);
}

bool AddExclusion(CommandSession& session, const NavAidEntry& entry, ConfigEnd end) {
  Status log;
  Status s = AddExclusionSwitch(session.folder, entry.latitude, entry.longitude, entry.navAidType,
                                &log, end);
  session.logStatus.Update(log);
  session.configUnsynced = true;
  return !Stopped(session, s);
}

bool WriteSceneryFile(CommandSession& session, const NavAidEntry& entry) {
  Status log;
  Status s = WriteNavAidFile(session.folder, entry, &log);
  session.logStatus.Update(log);
  return !Stopped(session, s);
}

bool SyncSceneryConfig(CommandSession& session) {
  if (!session.configUnsynced) return true;
  session.configUnsynced = false;
  return !Stopped(session, session.folder.env->SyncFile(session.folder.File(kSceneryConfigName)));
}

bool ReportDone(CommandSession& session, std::string message) {
  // What the message reports must survive a power failure.
  if (!session.batchSync && !SyncSceneryConfig(session)) return false;
  if (!session.logStatus.ok()) message += LogFailureNote(session.logStatus);
  session.logStatus = Status::Ok();
  session.frontEnd.ShowMessage(message);
  return true;
}

}  // namespace orlith
