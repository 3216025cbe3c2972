// The application object of the Windows program: starts it, sets the colours of every dialog,
// and ends it on "Exit Program".
#pragma once

#include <windows.h>

#include <utility>

#include "core/file_env.h"
#include "core/work_folder.h"

namespace orlith::win32 {

class MainWindow;

class NavEditApp {
 public:
  NavEditApp() = default;
  virtual ~NavEditApp() = default;
  NavEditApp(const NavEditApp&) = delete;
  NavEditApp& operator=(const NavEditApp&) = delete;

  // Where the commands work (the current directory unless set); set before InitInstance.
  // scenery_given: its scenery folder is the command line's, which orlith.ini does not change.
  void SetWorkFolder(WorkFolder folder, bool scenery_given = false) {
    folder_ = std::move(folder);
    sceneryGiven_ = scenery_given;
  }

  // Installs the fatal message box, creates and shows the main window (SW_SHOW, whatever show
  // state the program was started with) and sets the dialog colours. Always returns true.
  virtual bool InitInstance();

  // Runs the message loop until the main window is destroyed; returns the quit code (0), or 1
  // when start-up could not make the main window.
  int Run();

  // The application's command table: 8 "Exit Program". Returns false for every other id.
  bool OnCommand(int command_id);

  // Sends WM_CLOSE to the main window and returns when it has been handled; the window is then
  // destroyed and the message loop ends.
  void ExitProgram();

 private:
  HWND mainWindow_ = nullptr;  // the platform's record of the main window, not owned
  WorkFolder folder_;
  bool sceneryGiven_ = false;
};

}  // namespace orlith::win32
