// The ILS parameter dialog (template 106): shows the entry's ILS parameter texts and stores on OK
// whatever was typed, unchecked.
#pragma once

#include "ui/win32/dialog_base.h"

namespace orlith::win32 {

class IlsDialog : public DialogBase {
 public:
  IlsDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok);
};

}  // namespace orlith::win32
