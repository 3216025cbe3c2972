#include "ui/win32/lock_wait_note.h"

#include "app/tools.h"

namespace orlith::win32 {
namespace {

constexpr ToolControl kControls[] = {
    {kLockWaitText, "STATIC", SS_LEFT, kLockWaitNote, 10, 10, 220, 20},
    {IDCANCEL, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kCancelButton, 95, 36, 50, 14},
};

constexpr ToolLayout kLayout{kLockWaitCaption, 240, 58, kControls};

}  // namespace

LockWaitNote::LockWaitNote(HWND owner) : ToolDialog(kLayout, owner), owner_(owner) {}

void LockWaitNote::Show() {
  if (shown_) return;
  shown_ = true;
  if (ShowModeless() != nullptr && owner_ != nullptr) EnableWindow(owner_, FALSE);
}

bool LockWaitNote::Cancelled() {
  PumpMessages();
  return cancelled_;
}

void LockWaitNote::Hide() {
  // The owner first, so that it is active again when the note is gone.
  if (shown_ && owner_ != nullptr) EnableWindow(owner_, TRUE);
  End(IDCANCEL);
  shown_ = false;
  cancelled_ = false;
}

void LockWaitNote::OnCommand(int id, int code) {
  if (id == IDCANCEL && code == BN_CLICKED) cancelled_ = true;
}

}  // namespace orlith::win32
