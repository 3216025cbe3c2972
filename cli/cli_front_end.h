// The command line's front end: the options answer every dialog with OK, a message box becomes
// one line on standard output, an error and a fatal ending go to standard error.
#pragma once

#include <ostream>

#include "app/command_steps.h"
#include "core/navaid_entry.h"
#include "ui/front_end.h"

namespace orlith {

class CliFrontEnd : public FrontEnd {
 public:
  // answers: the texts typed into every dialog; navAidType checks its type button (none when
  // empty). The streams must outlive this object.
  CliFrontEnd(const NavAidEntry& answers, std::ostream& out, std::ostream& err)
      : answers_(answers), out_(out), err_(err) {}

  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  // Writes message to standard error and keeps status for the caller, which ends the process
  // with it once the flow has returned (at once: the flows stop after a fatal ending).
  void Fatal(const std::string& message, int status) override;

  // The status of the fatal ending, 0 when there was none.
  int fatal_status() const { return fatal_status_; }
  // The exit status of a command that ended with outcome through this front end.
  int ExitStatus(CommandOutcome outcome) const;

 private:
  NavAidEntry answers_;
  std::ostream& out_;
  std::ostream& err_;
  int fatal_status_ = 0;
};

}  // namespace orlith
