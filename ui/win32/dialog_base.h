// The modal dialog base of the Windows program: runs a template of the layout data, shows the
// texts it is given in its edit controls, and on OK hands what the controls hold to the OK
// handler. Enter, Escape and the close box are the platform's: Escape and the close box cancel.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog_layout.h"
#include "ui/front_end.h"

namespace orlith::win32 {

class DialogBase {
 public:
  // owner: the window the dialog is modal to and centred on. shown and on_ok must outlive the
  // dialog.
  DialogBase(DialogId id, HWND owner, const DialogTexts& shown, const OkHandler& on_ok);
  virtual ~DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Runs the dialog and returns when it is closed: kOk after OK, kCancel after Cancel, Escape,
  // the close box, or when the dialog could not be created.
  DialogResult DoModal();

  // The colours every dialog draws its background, labels, radio buttons and group boxes in, set
  // once at start-up. Edit fields keep the system colours.
  static void SetColours(COLORREF background, COLORREF text);

 protected:
  // Shows the given texts in their edit controls. Returns TRUE: the focus then goes to the
  // first edit control (see InitialFocusId), and Enter presses OK.
  virtual BOOL OnInitDialog();
  // Calls the OK handler with Typed(), then closes with kOk unless the handler refused.
  virtual void OnOK();
  // What the controls hold now: the whole text of every edit control by id, no radio checked.
  virtual DialogTexts Typed() const;

  HWND hwnd() const { return hwnd_; }
  const DialogLayout& layout() const { return layout_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CentreOnOwner();

  const DialogLayout& layout_;
  HWND owner_;
  const DialogTexts& shown_;
  const OkHandler& on_ok_;
  HWND hwnd_ = nullptr;
};

// What a dialog answers to WM_CTLCOLORDLG, WM_CTLCOLORSTATIC and WM_CTLCOLORBTN for the device
// context dc: the brush of the colours set by DialogBase::SetColours (dc gets their text and
// background colours), or FALSE for the platform's colours before they are set.
INT_PTR DialogColours(HDC dc);

// Moves a window to the centre of owner (of the screen when null), kept in the work area.
void CentreOn(HWND window, HWND owner);

// The whole text of a control; empty when it has none.
std::string ControlText(HWND control);

}  // namespace orlith::win32
