// The NDB parameter dialog (template 103): shows the entry's NDB parameter texts and stores on OK
// whatever was typed, unchecked. "Abbrechen" is its first tab stop, but the focus opens in the
// frequency field, so Enter after typing presses OK.
#pragma once

#include "ui/win32/dialog_base.h"

namespace orlith::win32 {

class NdbDialog : public DialogBase {
 public:
  NdbDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok);
};

}  // namespace orlith::win32
