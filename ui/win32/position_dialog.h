// The Position dialog (template 102): latitude and longitude texts and the type buttons VOR, ILS
// and NDB, none of which is checked when it opens.
#pragma once

#include "ui/win32/dialog_base.h"

namespace orlith::win32 {

class PositionDialog : public DialogBase {
 public:
  PositionDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok);

 protected:
  BOOL OnInitDialog() override;
  // The two coordinate texts, and the first checked type button in the order VOR, ILS, NDB
  // (0 when none is checked).
  DialogTexts Typed() const override;

 private:
  HWND typeButtons_[3] = {};  // VOR, ILS, NDB
};

}  // namespace orlith::win32
