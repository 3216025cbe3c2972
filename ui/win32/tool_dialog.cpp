#include "ui/win32/tool_dialog.h"

#include <vector>

#include "ui/win32/dialog_base.h"

namespace orlith::win32 {
namespace {

std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

}  // namespace

ToolDialog::~ToolDialog() {
  if (!modal_) End(IDCANCEL);
}

INT_PTR ToolDialog::DoModal() {
  modal_ = true;
  std::vector<DWORD> bytes = BuildToolTemplate(layout_);
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner_,
                                           &ToolDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result > 0 ? result : IDCANCEL;
}

HWND ToolDialog::ShowModeless() {
  modal_ = false;
  std::vector<DWORD> bytes = BuildToolTemplate(layout_);
  CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                             reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner_,
                             &ToolDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd_ != nullptr) {
    ModelessDialogs().push_back(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
  }
  return hwnd_;
}

void ToolDialog::End(INT_PTR result) {
  if (hwnd_ == nullptr) return;
  if (modal_) {
    EndDialog(hwnd_, result);
    return;
  }
  std::erase(ModelessDialogs(), hwnd_);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void ToolDialog::OnCommand(int id, int code) {
  if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) End(id);
}

INT_PTR CALLBACK ToolDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
    reinterpret_cast<ToolDialog*>(lparam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<ToolDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CentreOn(hwnd, self->owner_);
      self->OnInit();
      return TRUE;
    case WM_COMMAND:
      self->OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_NOTIFY:
      self->OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return DialogColours(reinterpret_cast<HDC>(wparam));
    default:
      return FALSE;
  }
}

std::string ToolDialog::Text(int id) const { return ControlText(Item(id)); }

void ToolDialog::SetText(int id, const std::string& text) const {
  SetDlgItemTextA(hwnd_, id, text.c_str());
}

bool ToolDialog::Checked(int id) const {
  return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ToolDialog::Check(int id, bool checked) const {
  SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void PumpMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that waits for it
      return;
    }
    bool handled = false;
    for (HWND dialog : ModelessDialogs()) {
      if (IsDialogMessageA(dialog, &message)) {
        handled = true;
        break;
      }
    }
    HWND active = GetActiveWindow();
    if (!handled && active != nullptr && IsDialogMessageA(active, &message)) handled = true;
    if (handled) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace orlith::win32
