#include "ui/win32/nav_edit_app.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "core/fatal.h"
#include "ui/dialog_layout.h"
#include "ui/win32/dialog_base.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_box.h"

namespace orlith::win32 {
namespace {

void ShowFatalMessage(const std::string& message) { ShowMessageBox(message); }

}  // namespace

bool NavEditApp::InitInstance() {
  SetFatalHandler(&ShowFatalMessage);
  // The Tools windows' list views and progress bar.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // Deletes itself when its window is destroyed.
  auto* window = new MainWindow([this](int command_id) { return OnCommand(command_id); }, folder_,
                                sceneryGiven_);
  mainWindow_ = window->hwnd();
  if (mainWindow_ == nullptr) {
    delete window;
    return true;  // start-up does not check the window; Run then ends at once
  }
  ShowWindow(mainWindow_, SW_SHOW);
  DialogBase::SetColours(kDialogBackgroundColour, kDialogTextColour);
  return true;
}

int NavEditApp::Run() {
  if (mainWindow_ == nullptr) return 1;  // no window was made: the program did not start
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool NavEditApp::OnCommand(int command_id) {
  return HandleAppCommand(command_id, [this] { ExitProgram(); });
}

void NavEditApp::ExitProgram() {
  if (mainWindow_ != nullptr) SendMessageA(mainWindow_, WM_CLOSE, 0, 0);
}

}  // namespace orlith::win32
