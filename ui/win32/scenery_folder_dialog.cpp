#include "ui/win32/scenery_folder_dialog.h"

namespace orlith::win32 {
namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ToolControl kControls[] = {
    {kStaticId, "STATIC", kLabel, "Orlith writes new scenery files into", 12, 10, 230, 10},
    {kSimulatorFolderRadio, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
     "The simulator folder", 22, 26, 220, 10},
    {kUpdatesFolderRadio, "BUTTON", BS_AUTORADIOBUTTON,
     "Addon Scenery\\Updates\\scenery (where FS2002 loads them)", 22, 40, 220, 10},
    {kStaticId, "STATIC", kLabel, "The choice is kept in orlith.ini in the simulator folder.", 12,
     58, 230, 10},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, "OK", 124, 78, 50, 14},
    {IDCANCEL, "BUTTON", kButton, "Cancel", 184, 78, 50, 14},
};

constexpr ToolLayout kLayout{"Scenery Folder", 246, 100, kControls};

}  // namespace

SceneryFolderDialog::SceneryFolderDialog(HWND owner, bool updates)
    : ToolDialog(kLayout, owner), updates_(updates) {}

void SceneryFolderDialog::OnInit() {
  Check(updates_ ? kUpdatesFolderRadio : kSimulatorFolderRadio, true);
}

void SceneryFolderDialog::OnCommand(int id, int code) {
  if (id == IDOK && code == BN_CLICKED) updates_ = Checked(kUpdatesFolderRadio);
  ToolDialog::OnCommand(id, code);
}

}  // namespace orlith::win32
