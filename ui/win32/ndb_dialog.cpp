#include "ui/win32/ndb_dialog.h"

namespace orlith::win32 {

NdbDialog::NdbDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok)
    : DialogBase(DialogId::kNdb, owner, shown, on_ok) {}

}  // namespace orlith::win32
