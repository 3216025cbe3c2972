#include "ui/command_steps.h"

#include "core/coordinate_text.h"
#include "core/fatal.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_config/operations_log.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_writer.h"
#include "ui/messages.h"

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

bool CheckSceneryConfig(CommandSession& session) {
  if (EnsureFileExists(session.folder, kSceneryConfigName).ok()) return true;
  session.frontEnd.Fatal(ConfigMissingMessage(), kMissingConfigStatus);
  return false;
}

bool CheckPosition(CommandSession& session, const NavAidEntry& entry) {
  if (IsValidCoordinate(entry.latitude, CoordinateKind::kLatitude) &&
      IsValidCoordinate(entry.longitude, CoordinateKind::kLongitude)) {
    return true;
  }
  session.frontEnd.Fatal(kInputErrorMessage, kInputErrorStatus);
  return false;
}

bool RegisterArea(CommandSession& session) {
  std::tm date = session.today ? session.today() : LocalDateNow();
  Status log;
  Status s = RegisterUpdatesArea(session.folder, date, &log);
  session.logStatus.Update(log);
  return !Stopped(session, s);
}

bool AddExclusion(CommandSession& session, const NavAidEntry& entry, ConfigEnd end) {
  Status log;
  Status s = AddExclusionSwitch(session.folder, entry.latitude, entry.longitude, entry.navAidType,
                                &log, end);
  session.logStatus.Update(log);
  return !Stopped(session, s);
}

bool WriteSceneryFile(CommandSession& session, const NavAidEntry& entry, SceneryWrite how) {
  Status log;
  Status s;
  if (how == SceneryWrite::kOneOpen) {
    s = WriteNavAidFile(session.folder, entry, &log);
  } else {
    s = WriteSceneryHeader(session.folder, entry.latitude, entry.longitude, entry.navAidType,
                           entry.frequency);
    if (s.ok()) s = AppendNavAidSection(session.folder, entry, &log);
  }
  session.logStatus.Update(log);
  if (!s.ok()) {
    // The simulator reads every scenery file in the folder, so one cut short does not stay.
    session.folder.env->Remove(
        session.folder.SceneryFile(SceneryFileName(entry.latitude, entry.longitude)));
  }
  return !Stopped(session, s);
}

void ReportDone(CommandSession& session, std::string message) {
  if (!session.logStatus.ok()) message += LogFailureNote(session.logStatus);
  session.logStatus = Status::Ok();
  session.frontEnd.ShowMessage(message);
}

}  // namespace orlith
