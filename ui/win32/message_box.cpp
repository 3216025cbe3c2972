#include "ui/win32/message_box.h"

#include <windows.h>

namespace orlith::win32 {

std::string ApplicationTitle() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string title(path, n);
  std::size_t slash = title.find_last_of("\\/:");
  if (slash != std::string::npos) title.erase(0, slash + 1);
  std::size_t dot = title.rfind('.');
  if (dot != std::string::npos && dot > 0) title.erase(dot);
  return title;
}

void ShowMessageBox(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), ApplicationTitle().c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

bool AskMessageBox(const std::string& text) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), ApplicationTitle().c_str(),
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

}  // namespace orlith::win32
