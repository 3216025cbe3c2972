#include "cli/remove_command.h"

#include "app/command_steps.h"
#include "app/messages.h"
#include "app/take_back.h"
#include "cli/cli_front_end.h"
#include "core/coordinate_text.h"
#include "core/exit_status.h"
#include "core/fatal.h"
#include "core/operations_log.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

// Runs work under the folder's lock after the check for scenery.cfg; work's failure is shown as
// the command's file error. The exit status, or `status` as work set it.
int Locked(const WorkFolder& folder, std::ostream& out, std::ostream& err,
           const std::function<Status(Status* log)>& work, int* status) {
  CliFrontEnd front_end(NavAidEntry{}, out, err);
  const CommandOutcome outcome = WithFolderLock(front_end, folder, [&] {
    if (!EnsureFileExists(folder, kSceneryConfigName).ok()) {
      front_end.Fatal(ConfigMissingMessage(), kExitMissingConfig);
      return CommandOutcome::kEnded;
    }
    Status log;
    Status s = work(&log);
    if (!s.ok()) {
      front_end.ShowError(FileErrorMessage(s) + (log.ok() ? "" : LogFailureNote(log)));
      return CommandOutcome::kFileError;
    }
    if (!log.ok()) err << LogFailureNote(log).substr(1) << '\n';
    return CommandOutcome::kDone;
  });
  const int done = front_end.ExitStatus(outcome);
  return done == kExitDone ? *status : done;
}

}  // namespace

int RunRemove(const CliArgs& args, const WorkFolder& folder, std::ostream& out,
              std::ostream& err) {
  RemoveSelection selection = args.remove;
  if (selection.area == RemovalArea::kPosition) {
    if (!IsValidCoordinate(args.entry.latitude, CoordinateKind::kLatitude) ||
        !IsValidCoordinate(args.entry.longitude, CoordinateKind::kLongitude)) {
      err << kInputErrorMessage << '\n';
      return kExitInputError;
    }
    selection.latitude = ParseCoordinate(args.entry.latitude);
    selection.longitude = ParseCoordinate(args.entry.longitude);
  }
  int status = kExitDone;
  auto nothing = [&] {
    out << kNothingSelectedMessage << '\n';
    status = kExitNothingSelected;
  };
  if (args.dryRun) {
    // Reads only: no lock is needed, as for list.
    if (!EnsureFileExists(folder, kSceneryConfigName).ok()) {
      err << ConfigMissingMessage() << '\n';
      return kExitMissingConfig;
    }
    RemovalPlan plan;
    Status s = PlanRemoval(folder, selection, &plan);
    if (!s.ok()) {
      err << FileErrorMessage(s) << '\n';
      return kExitFileError;
    }
    if (plan.empty()) {
      nothing();
      return status;
    }
    for (const SwitchInEffect& w : plan.switches)
      out << RemovedSwitchMessage(w.line.number, w.line.text, true) << '\n';
    for (const SceneryFileInEffect& f : plan.files)
      out << RemovedFileMessage(f.shown, f.navaid.navAidType, true) << '\n';
    out << RemovalSummary(plan.switches.size(), plan.files.size(), true) << '\n';
    return kExitDone;
  }
  return Locked(
      folder, out, err,
      [&](Status* log) {
        std::size_t switches = 0, files = 0;
        int removed = 0;
        Status s = ApplyRemoval(
            folder, selection, LocalDateNow(),
            [&](const SwitchInEffect* w, const SceneryFileInEffect* f) {
              if (w != nullptr) {
                ++switches;
                out << RemovedSwitchMessage(w->line.number, w->line.text, false) << '\n';
              } else {
                ++files;
                out << RemovedFileMessage(f->shown, f->navaid.navAidType, false) << '\n';
              }
            },
            &removed, log);
        if (s.ok() && removed == 0) {
          nothing();
        } else if (s.ok()) {
          out << RemovalSummary(switches, files, false) << '\n';
        }
        return s;
      },
      &status);
}

int RunRestore(const WorkFolder& folder, std::ostream& out, std::ostream& err) {
  int status = kExitDone;
  return Locked(
      folder, out, err,
      [&](Status* log) {
        Status s = RestoreBackup(folder, LocalDateNow(), log);
        if (s.ok()) out << RestoredMessage() << '\n';
        return s;
      },
      &status);
}

}  // namespace orlith
