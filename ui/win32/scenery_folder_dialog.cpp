#include "ui/win32/scenery_folder_dialog.h"

#include "app/tools.h"

namespace orlith::win32 {
namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

constexpr ToolControl kControls[] = {
    {kStaticId, "STATIC", kLabel, kSceneryFolderPrompt, 12, 10, 230, 10},
    {kSimulatorFolderRadio, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
     kSimulatorFolderChoice, 22, 26, 220, 10},
    {kAddonSceneryRadio, "BUTTON", BS_AUTORADIOBUTTON, kAddonSceneryChoice, 22, 40, 220, 10},
    {kStaticId, "STATIC", kLabel, "The choice is kept in orlith.ini in the simulator folder.", 12,
     58, 230, 10},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, "OK", 124, 78, 50, 14},
    {IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kCancelButton, 184, 78, 50, 14},
};

constexpr ToolLayout kLayout{kSceneryFolderCaption, 246, 100, kControls};

}  // namespace

SceneryFolderDialog::SceneryFolderDialog(HWND owner, SceneryChoice choice)
    : ToolDialog(kLayout, owner), choice_(choice) {}

void SceneryFolderDialog::OnInit() {
  if (choice_ == SceneryChoice::kSimulatorFolder) Check(kSimulatorFolderRadio, true);
  if (choice_ == SceneryChoice::kAddonScenery) Check(kAddonSceneryRadio, true);
}

void SceneryFolderDialog::OnCommand(int id, int code) {
  if (id == IDOK && code == BN_CLICKED) {
    choice_ = Checked(kSimulatorFolderRadio) ? SceneryChoice::kSimulatorFolder
              : Checked(kAddonSceneryRadio)  ? SceneryChoice::kAddonScenery
                                             : SceneryChoice::kNone;
  }
  ToolDialog::OnCommand(id, code);
}

}  // namespace orlith::win32
