// The base of the Tools windows: a template of ToolLayout data run modally (or modeless, for the
// note while a command waits), centred on its owner, in the colours of the four dialogs. Escape
// and the close box press Cancel.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/win32/dialog_template.h"

namespace orlith::win32 {

class ToolDialog {
 public:
  // layout and owner must outlive the dialog.
  ToolDialog(const ToolLayout& layout, HWND owner) : layout_(layout), owner_(owner) {}
  virtual ~ToolDialog();
  ToolDialog(const ToolDialog&) = delete;
  ToolDialog& operator=(const ToolDialog&) = delete;

  // Runs the dialog until End; its result (IDCANCEL when it could not be made).
  INT_PTR DoModal();
  // Shows the dialog without disabling its owner; it lives until End or the object's end.
  HWND ShowModeless();

 protected:
  virtual void OnInit() {}
  // A control's WM_COMMAND. The default ends the dialog with IDOK or IDCANCEL for those ids.
  virtual void OnCommand(int id, int code);
  // A control's WM_NOTIFY (list view headers, selections).
  virtual void OnNotify(const NMHDR&) {}
  // Closes the dialog with result.
  void End(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text) const;
  bool Checked(int id) const;
  void Check(int id, bool checked) const;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  const ToolLayout& layout_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// Lets the program's windows (and the modeless note) handle what is waiting for them, without
// waiting for more: called between rows and while a command waits for the folder's lock.
void PumpMessages();

}  // namespace orlith::win32
