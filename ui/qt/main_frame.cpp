#include "ui/qt/main_frame.h"

#include <QAction>
#include <QMenuBar>
#include <utility>

#include "ui/dialog_layout.h"
#include "ui/qt/title_view.h"

namespace orlith::qt {

MainFrame::MainFrame(WorkFolder folder, std::function<std::tm()> today, EndProcess end_process)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      frontEnd_(this, std::move(end_process)),
      mainWindow_(frontEnd_, std::move(folder), std::move(today)),
      titleView_(new TitleView(this)) {
  setWindowTitle(QString::fromLatin1(kWindowCaption));
  menuBar()->setNativeMenuBar(false);
  for (const MenuItem& item : MainMenu()) {
    QAction* command = menuBar()->addAction(QString::fromLatin1(item.text));
    command->setData(item.commandId);
    const int id = item.commandId;
    connect(command, &QAction::triggered, this, [this, id] { runCommand(id); });
  }
  setCentralWidget(titleView_);
  // The window manager's title bar and border lie outside these 640 x 480 pixels; the menu bar
  // and the title screen share them, as the menu and client area share the Windows frame.
  setFixedSize(kWindowWidth, kWindowHeight);
  move(0, 0);
}

void MainFrame::runCommand(int command_id) {
  if (mainWindow_.OnCommand(command_id)) return;
  HandleAppCommand(command_id, [this] { close(); });
}

QAction* MainFrame::action(int command_id) const {
  for (QAction* candidate : menuBar()->actions()) {
    if (candidate->data().toInt() == command_id) return candidate;
  }
  return nullptr;
}

}  // namespace orlith::qt
