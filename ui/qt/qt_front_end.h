// The front end of the Qt program: the command flows' dialogs as modal LayoutDialogs and their
// messages as modal message boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "ui/front_end.h"

class QWidget;

namespace orlith::qt {

// Ends the process with a status; the program's is std::exit.
using EndProcess = std::function<void(int status)>;

// The caption of every message box: the executable's file name without its extension.
QString ApplicationTitle();

class QtFrontEnd : public FrontEnd {
 public:
  // owner: the window that owns dialogs and message boxes while no other window of the program
  // is active (the main window); may be set later. end_process: empty for std::exit.
  explicit QtFrontEnd(QWidget* owner = nullptr, EndProcess end_process = {});

  void setOwner(QWidget* owner) { owner_ = owner; }

  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override;

  // A message box with text (shown as plain text, never as markup), a single OK button, the
  // warning icon and the application title as caption, owned by the active window.
  void ShowMessage(const std::string& text) override;

  // The message box, then end_process(status). Returns only when end_process does.
  void Fatal(const std::string& message, int status) override;

  // While a command waits for another Orlith's lock: a note (kLockWaitNote, a Cancel button) over
  // the active window, without a loop of its own; the program's events are handled while it
  // waits, and the other windows take no input meanwhile.
  const LockWait* FolderLockWait() override { return &lockWait_; }
  // The note while it shows, else null.
  QWidget* lockWaitNote() const { return note_; }

  // The window that owns dialogs and message boxes now: the active modal one, the active one, or
  // the owner.
  QWidget* activeOwner() const;

 private:
  void showLockWaitNote();

  QPointer<QWidget> owner_;
  EndProcess endProcess_;
  LockWait lockWait_;
  QPointer<QWidget> note_;
  bool waitCancelled_ = false;
};

}  // namespace orlith::qt
