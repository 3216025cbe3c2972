// "Scenery Folder...": where new scenery files go, the simulator folder itself or the area FS2002
// loads them from. OK stores the choice; the dialog only shows and returns it.
#pragma once

#include "ui/win32/tool_dialog.h"

namespace orlith::win32 {

inline constexpr int kSimulatorFolderRadio = 1301;
inline constexpr int kUpdatesFolderRadio = 1302;

class SceneryFolderDialog : public ToolDialog {
 public:
  // updates: the updates area folder is the choice now.
  SceneryFolderDialog(HWND owner, bool updates);

  // After DoModal gave IDOK: whether the updates area folder was chosen.
  bool updates() const { return updates_; }

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  bool updates_;
};

}  // namespace orlith::win32
