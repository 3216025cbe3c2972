// The one top-level window of the Windows program: 640 x 480 at the top left of the screen,
// caption "Orlith", the menu bar of the four commands and the Tools menu, and the fixed title
// screen. It owns the
// portable MainWindow (and with it the NavAidEntry) and hands it the NavAid commands of its menu.
#pragma once

#include <windows.h>

#include <functional>

#include "app/main_window.h"
#include "ui/win32/win32_front_end.h"

namespace orlith::win32 {

class MainWindow {
 public:
  // Creates the window, not yet shown; its commands work in folder. offer_to_app receives the
  // menu commands this window's command table does not hold and returns whether it handled one.
  // scenery_given: the command line named folder's scenery folder, so "Scenery Folder..." only
  // stores the choice for later starts.
  // The object deletes itself when its window is destroyed, so it must be made with new.
  MainWindow(std::function<bool(int command_id)> offer_to_app, WorkFolder folder = {},
             bool scenery_given = false);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Null when the window could not be created.
  HWND hwnd() const { return hwnd_; }

 private:
  struct CommandEntry {
    UINT message;
    UINT code;  // notification code; 0 for a menu command
    UINT firstId;
    UINT lastId;
    void (MainWindow::*handler)(UINT id);
  };
  static const CommandEntry kCommandTable[];

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Paints the title screen into the fixed 640 x 480 rectangle, whatever the client size.
  void PaintTitle(UINT);
  // 40001 Delete NavAid, 40002 Create NavAid, 40003 Modify NavAid.
  void RunNavAidCommand(UINT id);
  // 40101 Import Real-World NavAids..., 40102 NavAids in Effect..., 40103 Scenery Folder...
  void RunTool(UINT id);

  HMENU menuBar_ = nullptr;
  HFONT titleFont_ = nullptr;
  HFONT textFont_ = nullptr;
  Win32FrontEnd frontEnd_;
  orlith::MainWindow commands_;
  std::function<bool(int)> offerToApp_;
  bool sceneryGiven_;  // the command line named the scenery folder: it wins over orlith.ini
  HWND hwnd_ = nullptr;
};

// A font of the given face and size in tenths of a point for the screen: character height
// -(tenths * vertical dots per inch / 720), DEFAULT_CHARSET, every other field zero. The caller
// owns it.
HFONT CreatePointFont(const char* face, int tenths);

// Menu 101: the four command items of the layout data, no submenus.
HMENU CreateMainMenu();

}  // namespace orlith::win32
