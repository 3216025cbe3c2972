// The VOR parameter dialog (template 105): shows the entry's VOR parameter texts and stores on OK
// whatever was typed, unchecked.
#pragma once

#include "ui/win32/dialog_base.h"

namespace orlith::win32 {

class VorDialog : public DialogBase {
 public:
  VorDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok);
};

}  // namespace orlith::win32
