// The one window of the Qt program: a fixed 640 x 480 frame captioned "Orlith" with the menu bar
// of four commands over the title screen. It holds the portable MainWindow, which owns the
// NavAidEntry and runs the commands.
#pragma once

#include <QMainWindow>
#include <ctime>
#include <functional>

#include "app/main_window.h"
#include "core/file_env.h"
#include "core/work_folder.h"
#include "ui/qt/qt_front_end.h"

class QAction;

namespace orlith::qt {

class TitleView;

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // folder: where the commands work (empty path: the current directory). today: the date of the
  // log's header entries (empty: the local date). end_process: how a fatal ending ends the
  // process (empty: std::exit).
  explicit MainFrame(WorkFolder folder = {}, std::function<std::tm()> today = {},
                     EndProcess end_process = {});

  // Runs a menu command by id: the MainWindow's table first, then the application's, whose "Exit
  // Program" closes this window. Unknown ids do nothing.
  void runCommand(int command_id);

  // The menu bar's action of command_id, or null.
  QAction* action(int command_id) const;

  const MainWindow& mainWindow() const { return mainWindow_; }
  TitleView* titleView() const { return titleView_; }

 private:
  QtFrontEnd frontEnd_;
  MainWindow mainWindow_;
  TitleView* titleView_;
};

}  // namespace orlith::qt
