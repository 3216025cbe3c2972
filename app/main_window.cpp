#include "app/main_window.h"

#include <utility>

#include "app/command_flows.h"
#include "core/operations_log.h"
#include "ui/dialog_layout.h"

namespace orlith {
namespace {

struct CommandEntry {
  int commandId;
  void (MainWindow::*handler)();
};

// The main window's command table: menu command id to command flow.
constexpr CommandEntry kCommandTable[] = {
    {kDeleteNavAidCommand, &MainWindow::DeleteNavAid},
    {kCreateNavAidCommand, &MainWindow::CreateNavAid},
    {kModifyNavAidCommand, &MainWindow::ModifyNavAid},
};

}  // namespace

MainWindow::MainWindow(FrontEnd& front_end, WorkFolder folder, std::function<std::tm()> today)
    : front_end_(front_end),
      folder_(std::move(folder)),
      today_(today ? std::move(today) : std::function<std::tm()>(LocalDateNow)) {}

bool MainWindow::OnCommand(int command_id) {
  for (const CommandEntry& command : kCommandTable) {
    if (command.commandId == command_id) {
      (this->*command.handler)();
      return true;
    }
  }
  return false;
}

void MainWindow::DeleteNavAid() {
  last_outcome_ = WithFolderLock(front_end_, folder_, [this] {
    CommandSession session{front_end_, folder_, today_, Status::Ok()};
    return DeleteNavAidFlow(session, entry_);
  });
}

void MainWindow::CreateNavAid() {
  last_outcome_ = WithFolderLock(front_end_, folder_, [this] {
    CommandSession session{front_end_, folder_, today_, Status::Ok()};
    return CreateNavAidFlow(session, entry_);
  });
}

void MainWindow::ModifyNavAid() {
  last_outcome_ = WithFolderLock(front_end_, folder_, [this] {
    CommandSession session{front_end_, folder_, today_, Status::Ok()};
    return ModifyNavAidFlow(session, entry_);
  });
}

bool HandleAppCommand(int command_id, const std::function<void()>& exit_program) {
  if (command_id != kExitProgramCommand) return false;
  if (exit_program) exit_program();
  return true;
}

}  // namespace orlith
