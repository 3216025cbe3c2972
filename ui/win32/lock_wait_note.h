// The small modeless note shown while a command waits for another Orlith that holds the folder's
// lock: kLockWaitNote and a Cancel button that stops the wait (the command then writes nothing).
// Its owner is disabled while it shows, so no second command starts inside the wait.
#pragma once

#include "ui/win32/tool_dialog.h"

namespace orlith::win32 {

inline constexpr char kLockWaitCaption[] = "Waiting";
inline constexpr int kLockWaitText = 1401;

class LockWaitNote : public ToolDialog {
 public:
  explicit LockWaitNote(HWND owner);
  ~LockWaitNote() override { Hide(); }

  // Shows the note, once; later calls change nothing.
  void Show();
  // Handles the messages waiting for the program's windows, then whether Cancel was pressed.
  bool Cancelled();
  // Hides the note when the wait has ended; the next Show shows it again.
  void Hide();

 protected:
  void OnCommand(int id, int code) override;

 private:
  HWND owner_;
  bool shown_ = false;
  bool cancelled_ = false;
};

}  // namespace orlith::win32
