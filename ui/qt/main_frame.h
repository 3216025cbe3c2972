// The one window of the Qt program: a fixed 640 x 480 frame captioned "Orlith" with the menu bar
// of four commands and the Tools popup over the title screen. It holds the portable MainWindow,
// which owns the NavAidEntry and runs the commands.
#pragma once

#include <QMainWindow>
#include <ctime>
#include <functional>

#include "app/main_window.h"
#include "core/file_env.h"
#include "core/work_folder.h"
#include "ui/qt/qt_front_end.h"

class QAction;
class QMenu;
class QToolButton;

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

  // Runs a menu command by id: the MainWindow's table first, then the Tools windows, then the
  // application's, whose "Exit Program" closes this window. Unknown ids do nothing.
  void runCommand(int command_id);

  // The action of command_id in the menu bar or the Tools popup, or null.
  QAction* action(int command_id) const;

  const MainWindow& mainWindow() const { return mainWindow_; }
  QtFrontEnd& frontEnd() { return frontEnd_; }
  QMenu* toolsMenu() const { return tools_; }
  QToolButton* toolsButton() const { return toolsButton_; }

 protected:
  // Keeps the Tools button right after the bar's last item.
  bool eventFilter(QObject* watched, QEvent* event) override;
  TitleView* titleView() const { return titleView_; }

 private:
  // The Tools windows, modal over this one; false for another id.
  bool runTool(int command_id);

  QtFrontEnd frontEnd_;
  MainWindow mainWindow_;
  TitleView* titleView_;
  std::function<std::tm()> today_;
  QMenu* tools_ = nullptr;
  QToolButton* toolsButton_ = nullptr;
};

}  // namespace orlith::qt
