#include "ui/win32/position_dialog.h"

namespace orlith::win32 {
namespace {

constexpr int kTypeButtonIds[] = {kVorButton, kIlsButton, kNdbButton};

}  // namespace

PositionDialog::PositionDialog(HWND owner, const DialogTexts& shown, const OkHandler& on_ok)
    : DialogBase(DialogId::kPosition, owner, shown, on_ok) {}

BOOL PositionDialog::OnInitDialog() {
  DialogBase::OnInitDialog();
  for (int i = 0; i < 3; ++i) typeButtons_[i] = GetDlgItem(hwnd(), kTypeButtonIds[i]);
  return TRUE;
}

DialogTexts PositionDialog::Typed() const {
  DialogTexts typed = DialogBase::Typed();
  for (int i = 0; i < 3; ++i) {
    if (SendMessageA(typeButtons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
      typed.checkedRadio = kTypeButtonIds[i];
      break;
    }
  }
  return typed;
}

}  // namespace orlith::win32
