#include "ui/command_flows.h"

#include "ui/dialog_logic.h"
#include "ui/messages.h"

namespace orlith {

CommandOutcome RunPositionDialog(CommandSession& session, NavAidEntry& entry) {
  bool ended = false;
  bool registered = false;
  auto on_ok = [&](const DialogTexts& typed) {
    StoreTypedTexts(DialogId::kPosition, typed, entry);
    if (!CheckPosition(session, entry)) {
      ended = true;
      return;
    }
    registered = RegisterArea(session);
  };
  DialogResult result = session.frontEnd.RunDialog(DialogId::kPosition,
                                                   ShownTexts(DialogId::kPosition, entry), on_ok);
  if (ended) return CommandOutcome::kEnded;
  if (result == DialogResult::kCancel) return CommandOutcome::kCancelled;
  return registered ? CommandOutcome::kDone : CommandOutcome::kFileError;
}

DialogResult RunParameterDialog(CommandSession& session, NavAidEntry& entry) {
  std::optional<DialogId> id = ParameterDialogFor(entry.navAidType);
  if (!id) return DialogResult::kOk;
  auto on_ok = [&](const DialogTexts& typed) { StoreTypedTexts(*id, typed, entry); };
  return session.frontEnd.RunDialog(*id, ShownTexts(*id, entry), on_ok);
}

CommandOutcome DeleteNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry);
  if (position != CommandOutcome::kDone) return position;
  if (!AddExclusion(session, entry)) return CommandOutcome::kFileError;
  ReportDone(session, DeletedMessage(entry));
  return CommandOutcome::kDone;
}

CommandOutcome CreateNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry);
  if (position != CommandOutcome::kDone) return position;
  if (RunParameterDialog(session, entry) == DialogResult::kCancel) {
    ReportLogFailure(session);
    return CommandOutcome::kCancelled;
  }
  if (!WriteSceneryFile(session, entry)) return CommandOutcome::kFileError;
  ReportDone(session, CreatedMessage(entry));
  return CommandOutcome::kDone;
}

CommandOutcome ModifyNavAidFlow(CommandSession& session, NavAidEntry& entry) {
  if (!CheckSceneryConfig(session)) return CommandOutcome::kEnded;
  CommandOutcome position = RunPositionDialog(session, entry);
  if (position != CommandOutcome::kDone) return position;
  if (!AddExclusion(session, entry)) return CommandOutcome::kFileError;
  if (RunParameterDialog(session, entry) == DialogResult::kCancel) {
    ReportDone(session, ExclusionOnlyMessage(entry));
    return CommandOutcome::kCancelled;
  }
  if (!WriteSceneryFile(session, entry)) return CommandOutcome::kFileError;
  ReportDone(session, ModifiedMessage(entry));
  return CommandOutcome::kDone;
}

}  // namespace orlith
