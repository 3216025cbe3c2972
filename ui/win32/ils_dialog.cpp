#include "ui/win32/ils_dialog.h"

namespace orlith::win32 {

IlsDialog::IlsDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok)
    : DialogBase(DialogId::kIls, owner, shown, on_ok) {}

}  // namespace orlith::win32
