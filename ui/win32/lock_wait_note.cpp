#include "ui/win32/lock_wait_note.h"

namespace orlith::win32 {
namespace {

constexpr ToolControl kControls[] = {
    {kLockWaitText, "STATIC", SS_LEFT, "", 10, 10, 220, 30},
    {IDCANCEL, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, "Cancel", 95, 46, 50, 14},
};

constexpr ToolLayout kLayout{kLockWaitCaption, 240, 68, kControls};

}  // namespace

LockWaitNote::LockWaitNote(HWND owner) : ToolDialog(kLayout, owner) {}

void LockWaitNote::Show(const std::string& folder) {
  if (shown_) return;
  shown_ = true;
  if (ShowModeless() == nullptr) return;
  SetText(kLockWaitText, "Waiting for another Orlith working in the folder " + folder + " ...");
}

bool LockWaitNote::Cancelled() {
  PumpMessages();
  return cancelled_;
}

void LockWaitNote::Hide() {
  End(IDCANCEL);
  shown_ = false;
  cancelled_ = false;
}

void LockWaitNote::OnCommand(int id, int code) {
  if (id == IDCANCEL && code == BN_CLICKED) cancelled_ = true;
}

}  // namespace orlith::win32
