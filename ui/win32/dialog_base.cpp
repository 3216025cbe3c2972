#include "ui/win32/dialog_base.h"

#include "ui/win32/dialog_template.h"

namespace orlith::win32 {
namespace {

HBRUSH dialog_brush = nullptr;  // null until SetColours: the platform's colours
COLORREF dialog_background_colour = RGB(0, 0, 0);
COLORREF dialog_text_colour = RGB(0, 0, 0);

}  // namespace

DialogBase::DialogBase(DialogId id, HWND owner, const DialogTexts& shown, const OkHandler& on_ok)
    : layout_(LayoutOf(id)), owner_(owner), shown_(shown), on_ok_(on_ok) {}

void DialogBase::SetColours(COLORREF background, COLORREF text) {
  if (dialog_brush != nullptr) DeleteObject(dialog_brush);
  dialog_brush = CreateSolidBrush(background);
  dialog_background_colour = background;
  dialog_text_colour = text;
}

DialogResult DialogBase::DoModal() {
  std::vector<DWORD> dialog_template = BuildDialogTemplate(layout_);
  INT_PTR result = DialogBoxIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.data()), owner_,
      &DialogBase::DialogProc, reinterpret_cast<LPARAM>(this));
  return result == IDOK ? DialogResult::kOk : DialogResult::kCancel;
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lparam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->OnMessage(message, wparam, lparam);
}

INT_PTR DialogBase::OnMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CentreOnOwner();
      if (!OnInitDialog()) return FALSE;
      // The focus is set through the dialog manager, which keeps OK the button Enter presses
      // while an edit control has it.
      SendMessageA(hwnd_, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, InitialFocusId(layout_))), TRUE);
      return FALSE;
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) return FALSE;
      if (LOWORD(wparam) == IDOK) {
        OnOK();
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(hwnd_, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return DialogColours(reinterpret_cast<HDC>(wparam));
    default:
      return FALSE;
  }
}

BOOL DialogBase::OnInitDialog() {
  for (const auto& [id, text] : shown_.edits) SetDlgItemTextA(hwnd_, id, text.c_str());
  return TRUE;
}

void DialogBase::OnOK() {
  if (on_ok_(Typed())) EndDialog(hwnd_, IDOK);  // refused: the dialog stays open as it is
}

DialogTexts DialogBase::Typed() const {
  DialogTexts typed;
  for (const ControlLayout& c : layout_.controls) {
    if (c.kind == ControlKind::kEdit) typed.edits[c.id] = ControlText(GetDlgItem(hwnd_, c.id));
  }
  return typed;
}

// A template placed at 0, 0 is centred on its owner, kept on the screen.
void DialogBase::CentreOnOwner() { CentreOn(hwnd_, owner_); }

INT_PTR DialogColours(HDC dc) {
  if (dialog_brush == nullptr) return FALSE;
  SetTextColor(dc, dialog_text_colour);
  SetBkColor(dc, dialog_background_colour);
  return reinterpret_cast<INT_PTR>(dialog_brush);
}

void CentreOn(HWND window, HWND owner_window) {
  RECT dialog{}, owner{};
  GetWindowRect(window, &dialog);
  HWND centre_on = owner_window != nullptr ? owner_window : GetDesktopWindow();
  GetWindowRect(centre_on, &owner);
  int width = dialog.right - dialog.left;
  int height = dialog.bottom - dialog.top;
  int x = (owner.left + owner.right - width) / 2;
  int y = (owner.top + owner.bottom - height) / 2;
  RECT screen{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  if (x + width > screen.right) x = screen.right - width;
  if (y + height > screen.bottom) y = screen.bottom - height;
  if (x < screen.left) x = screen.left;
  if (y < screen.top) y = screen.top;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string ControlText(HWND control) {
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace orlith::win32
