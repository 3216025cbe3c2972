// "Scenery Folder...": where new scenery files go, the simulator folder itself or the area FS2002
// loads them from. The dialog only shows the choice and returns it; its caller stores it.
#pragma once

#include "ui/settings.h"
#include "ui/win32/tool_dialog.h"

namespace orlith::win32 {

inline constexpr int kSimulatorFolderRadio = 1301;
inline constexpr int kAddonSceneryRadio = 1302;

class SceneryFolderDialog : public ToolDialog {
 public:
  // choice: what is stored now; kNone (a folder given by hand) checks neither button.
  SceneryFolderDialog(HWND owner, SceneryChoice choice);

  // After DoModal gave IDOK: the checked button (kNone when neither was checked).
  SceneryChoice choice() const { return choice_; }

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  SceneryChoice choice_;
};

}  // namespace orlith::win32
