// The command flows' front end on Win32: modal dialogs owned by the main window, message boxes,
// the fatal ending after its message box, and the note while a command waits for the folder's
// lock.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/front_end.h"
#include "ui/win32/lock_wait_note.h"

namespace orlith::win32 {

class Win32FrontEnd : public FrontEnd {
 public:
  // The window the dialogs are modal to and centred on; set once the main window exists.
  void SetOwner(HWND owner) { owner_ = owner; }

  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override;
  void ShowMessage(const std::string& text) override;
  // Shows message, then ends the process with status. Does not return.
  void Fatal(const std::string& message, int status) override;
  // Shows the lock-wait note owned by the active window, and hides it when the wait ends.
  const LockWait* FolderLockWait() override;

 private:
  HWND owner_ = nullptr;
  std::unique_ptr<LockWaitNote> note_;
  LockWait wait_;
};

}  // namespace orlith::win32
