// A front end for tests: it answers each dialog from a script (the texts typed, OK or Cancel) and
// records what the flows showed, so the flows run without a screen and without ending the test
// process.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/front_end.h"

namespace orlith::testing {

struct ScriptedAnswer {
  DialogId id;         // the dialog the script expects to open next
  DialogTexts typed;   // what the controls hold when the button is pressed
  DialogResult press;  // OK or Cancel
};

struct FatalEnding {
  std::string message;
  int status;
};

class ScriptedFrontEnd : public FrontEnd {
 public:
  // Queues the answer to the next dialog.
  void Ok(DialogId id, DialogTexts typed) {
    answers_.push_back({id, std::move(typed), DialogResult::kOk});
  }
  void Cancel(DialogId id) { answers_.push_back({id, {}, DialogResult::kCancel}); }

  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void Fatal(const std::string& message, int status) override;

  // Called as each dialog opens, before it is answered: lets a test look at the files then.
  std::function<void(DialogId)> onOpen;

  std::vector<DialogId> opened;    // every dialog run, in order
  std::vector<DialogTexts> shown;  // what each showed on opening
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::optional<FatalEnding> fatal;
  bool scriptUsedUp() const { return answers_.empty(); }

 private:
  std::deque<ScriptedAnswer> answers_;
};

// The Position dialog's controls holding a latitude, a longitude and the checked button (0: none).
DialogTexts PositionTyped(const std::string& latitude, const std::string& longitude,
                          int checked_radio = 0);

}  // namespace orlith::testing
