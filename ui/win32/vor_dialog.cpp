#include "ui/win32/vor_dialog.h"

namespace orlith::win32 {

VorDialog::VorDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok)
    : DialogBase(DialogId::kVor, owner, shown, on_ok) {}

}  // namespace orlith::win32
