#include "cli/cli_front_end.h"

#include "ui/dialog_logic.h"

namespace orlith {

DialogResult CliFrontEnd::RunDialog(DialogId id, const DialogTexts&, const OkHandler& on_ok) {
  DialogTexts typed = ShownTexts(id, answers_);
  if (id == DialogId::kPosition) typed.checkedRadio = TypeButtonFor(answers_.navAidType);
  // The command line requires --type, so a refusal cannot be answered otherwise.
  return on_ok(typed) ? DialogResult::kOk : DialogResult::kCancel;
}

void CliFrontEnd::ShowMessage(const std::string& text) { out_ << text << '\n' << std::flush; }

void CliFrontEnd::ShowError(const std::string& text) { err_ << text << '\n' << std::flush; }

void CliFrontEnd::Fatal(const std::string& message, int status) {
  err_ << message << '\n' << std::flush;
  if (fatal_status_ == 0) fatal_status_ = status;
}

int CliFrontEnd::ExitStatus(CommandOutcome outcome) const {
  return ExitStatusFor(outcome, fatal_status_);
}

}  // namespace orlith
