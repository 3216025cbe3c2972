#include "app/command_flows.h"

#include "app/messages.h"
#include "ui/dialog_logic.h"

namespace orlith {

CommandOutcome RunPositionDialog(CommandSession& session, NavAidEntry& entry, bool needs_type,
                                 bool writes_scenery_file) {
  bool ended = false;
  bool refused = false;
  bool registered = false;
  auto on_ok = [&](const DialogTexts& typed) {
    // A scenery file without a type holds no navaid the simulator knows.
    if (needs_type && typed.checkedRadio == 0 && entry.navAidType.empty()) {
      session.frontEnd.ShowMessage(kCheckTypeMessage);
      return false;
    }
    StoreTypedTexts(DialogId::kPosition, typed, entry);
    if (!CheckPosition(session, entry)) {
      ended = true;
      return true;
    }
    if (writes_scenery_file && !CheckSceneryFilePath(session, entry)) {
      refused = true;
      return true;
    }
    registered = RegisterArea(session);
    return true;
  };
  DialogResult result = session.frontEnd.RunDialog(DialogId::kPosition,
                                                   ShownTexts(DialogId::kPosition, entry), on_ok);
  if (ended) return CommandOutcome::kEnded;
  if (refused) return CommandOutcome::kRefused;
  if (result == DialogResult::kCancel) return CommandOutcome::kCancelled;
  return registered ? CommandOutcome::kDone : CommandOutcome::kFileError;
}

DialogResult RunParameterDialog(CommandSession& session, NavAidEntry& entry) {
  std::optional<DialogId> id = ParameterDialogFor(entry.navAidType);
  if (!id) return DialogResult::kOk;
  auto on_ok = [&](const DialogTexts& typed) {
    StoreTypedTexts(*id, typed, entry);
    return true;
  };
  return session.frontEnd.RunDialog(*id, ShownTexts(*id, entry), on_ok);
}

CommandOutcome DeleteNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry, false, false);
  if (position != CommandOutcome::kDone) return position;
  if (!AddExclusion(session, entry)) return CommandOutcome::kFileError;
  return ReportDone(session, DeletedMessage(entry)) ? CommandOutcome::kDone
                                                    : CommandOutcome::kFileError;
}

CommandOutcome CreateNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry, true, true);
  if (position != CommandOutcome::kDone) return position;
  if (RunParameterDialog(session, entry) == DialogResult::kCancel) {
    return ReportDone(session, kNoSceneryFileMessage) ? CommandOutcome::kCancelled
                                                      : CommandOutcome::kFileError;
  }
  if (!WriteSceneryFile(session, entry)) return CommandOutcome::kFileError;
  return ReportDone(session, CreatedMessage(entry)) ? CommandOutcome::kDone
                                                    : CommandOutcome::kFileError;
}

CommandOutcome ModifyNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry, true, true);
  if (position != CommandOutcome::kDone) return position;
  if (!AddExclusion(session, entry)) return CommandOutcome::kFileError;
  if (RunParameterDialog(session, entry) == DialogResult::kCancel) {
    return ReportDone(session, ExclusionOnlyMessage(entry)) ? CommandOutcome::kCancelled
                                                            : CommandOutcome::kFileError;
  }
  if (!WriteSceneryFile(session, entry)) return CommandOutcome::kFileError;
  return ReportDone(session, ModifiedMessage(entry)) ? CommandOutcome::kDone
                                                     : CommandOutcome::kFileError;
}

}  // namespace orlith
