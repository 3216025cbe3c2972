// The command flows' front end on Win32: modal dialogs owned by the main window, message boxes,
// and the fatal ending after its message box.
#pragma once

#include <windows.h>

#include "ui/front_end.h"

namespace orlith::win32 {

class Win32FrontEnd : public FrontEnd {
 public:
  // The window the dialogs are modal to and centred on; set once the main window exists.
  void SetOwner(HWND owner) { owner_ = owner; }

  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override;
  void ShowMessage(const std::string& text) override;
  // Shows message, then ends the process with status. Does not return.
  void Fatal(const std::string& message, int status) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace orlith::win32
