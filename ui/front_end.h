// The one small interface between the command flows and whatever shows them to the user: the
// Windows program, the Qt program and the command line are three front ends of it.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "core/file_env.h"

namespace orlith {

// The dialog templates; the numbers are the resource ids of the Windows program.
enum class DialogId { kPosition = 102, kNdb = 103, kVor = 105, kIls = 106 };

enum class DialogResult { kOk, kCancel };

// The texts of a dialog's edit controls by control id, and the checked radio button (0: none).
struct DialogTexts {
  std::map<int, std::string> edits;
  int checkedRadio = 0;

  bool operator==(const DialogTexts&) const = default;
};

// Called when the user presses OK, with what the controls then hold. It stores, validates and
// registers and returns true: the dialog closes with OK. False: it has told the user what is
// missing, stored nothing, and the dialog stays open as it is.
using OkHandler = std::function<bool(const DialogTexts& typed)>;

// The modeless note of a desktop program while a command waits for another Orlith.
inline constexpr char kLockWaitNote[] = "Waiting for another Orlith working in the folder ...";

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Runs dialog id modally, its edit controls showing shown.edits and no radio button checked.
  // OK (button or Enter) calls on_ok, then closes with kOk unless on_ok refused; Cancel (button,
  // Escape, close box) closes with kCancel without calling it.
  virtual DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) = 0;

  // Shows text with a single OK and returns when the user has dismissed it.
  virtual void ShowMessage(const std::string& text) = 0;

  // Shows the text of a command that a file error stopped. Looks like ShowMessage unless a front
  // end tells errors apart (the command line writes them to standard error).
  virtual void ShowError(const std::string& text) { ShowMessage(text); }

  // A fatal ending: shows message like ShowMessage (the command line writes it to standard error),
  // then ends the process with status. A real front end does not return; a scripted one records
  // both and returns, and the caller then stops at once.
  virtual void Fatal(const std::string& message, int status) = 0;

  // How the user sees and may cancel a wait for another Orlith's folder lock (the desktop
  // programs show kLockWaitNote with a Cancel button); null: the wait is silent (the command line,
  // the scripted front ends).
  virtual const LockWait* FolderLockWait() { return nullptr; }
};

}  // namespace orlith
