#include "ui/win32/win32_front_end.h"

#include "core/fatal.h"
#include "ui/win32/ils_dialog.h"
#include "ui/win32/message_box.h"
#include "ui/win32/ndb_dialog.h"
#include "ui/win32/position_dialog.h"
#include "ui/win32/vor_dialog.h"

namespace orlith::win32 {

DialogResult Win32FrontEnd::RunDialog(DialogId id, const DialogTexts& shown,
                                      const OkHandler& on_ok) {
  switch (id) {
    case DialogId::kPosition:
      return PositionDialog(owner_, shown, on_ok).DoModal();
    case DialogId::kNdb:
      return NdbDialog(owner_, shown, on_ok).DoModal();
    case DialogId::kVor:
      return VorDialog(owner_, shown, on_ok).DoModal();
    case DialogId::kIls:
      return IlsDialog(owner_, shown, on_ok).DoModal();
  }
  return DialogResult::kCancel;
}

void Win32FrontEnd::ShowMessage(const std::string& text) { ShowMessageBox(text); }

void Win32FrontEnd::Fatal(const std::string& message, int status) {
  // The core's fatal hook shows the same message box (see NavEditApp) before it ends the process.
  orlith::Fatal(message, status);
}

const LockWait* Win32FrontEnd::FolderLockWait() {
  wait_.onWaiting = [this] {
    HWND active = GetActiveWindow();
    note_ = std::make_unique<LockWaitNote>(active != nullptr ? active : owner_);
    note_->Show();
  };
  wait_.cancelled = [this] { return note_ != nullptr && note_->Cancelled(); };
  wait_.onEnd = [this] { note_.reset(); };
  return &wait_;
}

}  // namespace orlith::win32
