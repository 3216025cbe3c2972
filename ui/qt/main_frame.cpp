#include "ui/qt/main_frame.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <utility>

#include "ui/dialog_layout.h"
#include "ui/qt/title_view.h"
#include "ui/qt/tool_windows.h"

namespace orlith::qt {

MainFrame::MainFrame(WorkFolder folder, std::function<std::tm()> today, EndProcess end_process)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      frontEnd_(this, std::move(end_process)),
      mainWindow_(frontEnd_, std::move(folder), today),
      titleView_(new TitleView(this)),
      today_(std::move(today)) {
  setWindowTitle(QString::fromLatin1(kWindowCaption));
  menuBar()->setNativeMenuBar(false);
  for (const MenuItem& item : MainMenu()) {
    QAction* command = menuBar()->addAction(QString::fromLatin1(item.text));
    command->setData(item.commandId);
    const int id = item.commandId;
    connect(command, &QAction::triggered, this, [this, id] { runCommand(id); });
  }
  // The Tools popup comes right after the four original commands, drawn by a button of the bar
  // (placed by eventFilter): the bar's own items stay exactly the four of the original menu.
  tools_ = new QMenu(QString::fromLatin1(kToolsMenuText), this);
  toolsButton_ = new QToolButton(menuBar());
  toolsButton_->setObjectName("toolsMenuButton");
  toolsButton_->setText(tools_->title());
  toolsButton_->setMenu(tools_);
  toolsButton_->setPopupMode(QToolButton::InstantPopup);
  toolsButton_->setAutoRaise(true);
  toolsButton_->setFont(menuBar()->font());
  toolsButton_->setStyleSheet(
      "QToolButton { border: none; padding: 0px 4px; } QToolButton::menu-indicator { image: none; "
      "width: 0px; } QToolButton:hover, QToolButton:pressed { background: palette(highlight); "
      "color: palette(highlighted-text); }");
  menuBar()->installEventFilter(this);
  for (const MenuItem& item : ToolsMenu()) {
    QAction* command = tools_->addAction(QString::fromLatin1(item.text));
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
  if (mainWindow_.OnCommand(command_id) || runTool(command_id)) return;
  HandleAppCommand(command_id, [this] { close(); });
}

bool MainFrame::runTool(int command_id) {
  const WorkFolder& folder = mainWindow_.folder();
  if (command_id == kImportNavAidsCommand) {
    ImportDialog dialog(frontEnd_, folder, this);
    dialog.exec();
  } else if (command_id == kNavAidsInEffectCommand) {
    InEffectWindow window(frontEnd_, folder, today_, this);
    if (window.reload()) window.exec();
  } else if (command_id == kSceneryFolderCommand) {
    SceneryFolderDialog dialog(frontEnd_, folder, folder.sceneryFolder, this);
    if (dialog.exec() == QDialog::Accepted) mainWindow_.SetSceneryFolder(dialog.sceneryFolder());
  } else {
    return false;
  }
  return true;
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == menuBar() && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                               event->type() == QEvent::LayoutRequest)) {
    const QRect last = menuBar()->actionGeometry(menuBar()->actions().back());
    toolsButton_->setGeometry(last.right() + 1, last.top(), toolsButton_->sizeHint().width(),
                              last.height());
  }
  return QMainWindow::eventFilter(watched, event);
}

QAction* MainFrame::action(int command_id) const {
  const QList<QAction*> candidates = menuBar()->actions() + tools_->actions();
  for (QAction* candidate : candidates) {
    if (candidate->menu() == nullptr && candidate->data().toInt() == command_id) return candidate;
  }
  return nullptr;
}

}  // namespace orlith::qt
