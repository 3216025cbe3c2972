// The portable MainWindow: owner of the NavAidEntry and of the command table that routes the
// menu's commands to the three command flows. Front ends hold one and pass menu ids to it.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <utility>

#include "app/command_steps.h"
#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/work_folder.h"
#include "ui/front_end.h"

namespace orlith {

class MainWindow {
 public:
  // folder: the simulator folder the commands work in (empty path: the current directory).
  // today: the date of the log's header entries; the local date by default.
  explicit MainWindow(FrontEnd& front_end, WorkFolder folder = {},
                      std::function<std::tm()> today = {});

  // Runs the command of a menu id through the command table: 40001 Delete NavAid, 40002 Create
  // NavAid, 40003 Modify NavAid. Returns false for an id the table does not hold (then the
  // application's table is asked: see HandleAppCommand).
  bool OnCommand(int command_id);

  void DeleteNavAid();
  void CreateNavAid();
  void ModifyNavAid();

  // The twelve texts, all empty at construction and never cleared.
  const NavAidEntry& entry() const { return entry_; }

  // Where the commands work; the scenery folder may change between commands (Tools, Scenery
  // Folder...): the next command writes there.
  const WorkFolder& folder() const { return folder_; }
  void SetSceneryFolder(std::string scenery_folder) {
    folder_.sceneryFolder = std::move(scenery_folder);
  }

  // How the last command ended (kDone before the first one).
  CommandOutcome last_outcome() const { return last_outcome_; }

 private:
  FrontEnd& front_end_;
  WorkFolder folder_;
  std::function<std::tm()> today_;
  NavAidEntry entry_;
  CommandOutcome last_outcome_ = CommandOutcome::kDone;
};

// The application's command table: 8 "Exit Program" calls exit_program (which closes the main
// window; the program then ends with status 0). Returns false for every other id.
bool HandleAppCommand(int command_id, const std::function<void()>& exit_program);

}  // namespace orlith
