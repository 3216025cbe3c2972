#include "ui/win32/tools_commands.h"

#include <algorithm>

#include "app/import_run.h"
#include "app/in_effect.h"
#include "app/messages.h"
#include "app/take_back.h"
#include "app/tools.h"
#include "core/exit_status.h"
#include "core/operations_log.h"
#include "ui/dialog_layout.h"
#include "ui/settings.h"
#include "ui/win32/import_dialog.h"
#include "ui/win32/in_effect_dialog.h"
#include "ui/win32/message_box.h"
#include "ui/win32/scenery_folder_dialog.h"

namespace orlith::win32 {
namespace {

ImportForm FormOf(const ImportChoice& c) {
  return {c.file, c.countries, c.north, c.west, c.south, c.east, c.type, c.modify};
}

// The counts of the choice; false after a message box saying why there are none.
bool Count(const ImportChoice& choice, const WorkFolder& folder, ImportOptions* options,
           ImportCounts* counts) {
  std::string error;
  if (!ImportOptionsOf(FormOf(choice), options, &error)) {
    ShowMessageBox(error);
    return false;
  }
  int status = CountImport(*options, folder, counts, &error);
  if (status != kExitDone) {
    ShowMessageBox(ImportFailureMessage(options->file, status, error));
    return false;
  }
  return true;
}

void ImportNavAids(HWND owner, FrontEnd& front_end, const WorkFolder& folder) {
  ImportHandlers handlers{
      [&](const ImportChoice& choice) {
        ImportOptions options;
        ImportCounts counts;
        return Count(choice, folder, &options, &counts) ? ImportPreviewText(counts) : std::string();
      },
      [&](const ImportChoice& choice, const ImportRunUi& ui) {
        ImportOptions options;
        ImportCounts counts;
        if (!Count(choice, folder, &options, &counts)) return false;
        ui.onCounts(ImportPreviewText(counts));
        ImportProgress progress{ui.onRow, ui.cancelled};
        // The summary, the stop or the failure is shown in a message box; the dialog stays
        // open only after a failure, nothing of it written.
        return ApplyImport(front_end, folder, options, &progress) == kExitDone;
      }};
  ImportDialog(owner, handlers).DoModal();
}

std::vector<TableColumn> Columns(const std::vector<std::string>& titles,
                                 const std::vector<int>& widths, std::vector<std::string>* keep) {
  *keep = titles;
  std::vector<TableColumn> columns;
  for (std::size_t i = 0; i < keep->size(); ++i) {
    columns.push_back({(*keep)[i].c_str(), i < widths.size() ? widths[i] : 80});
  }
  return columns;
}

void NavAidsInEffect(HWND owner, FrontEnd& front_end, const WorkFolder& folder) {
  InEffect now;
  std::vector<std::string> switch_titles, file_titles;
  InEffectHandlers handlers;
  handlers.switchColumns = Columns(SwitchColumns(), {44, 150, 130, 280}, &switch_titles);
  handlers.fileColumns = Columns(FileColumns(), {160, 40, 130, 75, 65, 40, 110}, &file_titles);
  handlers.read = [&](InEffectTables* tables) {
    now = {};
    Status s = ReadInEffect(folder, &now);
    if (!s.ok()) {
      ShowMessageBox(InEffectFailureMessage(folder, s));
      return false;
    }
    for (const SwitchInEffect& w : now.switches) tables->switches.push_back(SwitchCells(w));
    for (const SceneryFileInEffect& f : now.files) tables->files.push_back(FileCells(f));
    tables->otherBglFiles = OtherFilesText(now.otherBglFiles);
    return true;
  };
  handlers.takeBack = [&](std::vector<std::size_t> switches, std::vector<std::size_t> files) {
    // The plan holds the rows in the order they were read, whatever order the tables show.
    std::sort(switches.begin(), switches.end());
    std::sort(files.begin(), files.end());
    RemovalPlan chosen;
    for (std::size_t i : switches) chosen.switches.push_back(now.switches[i]);
    for (std::size_t i : files) chosen.files.push_back(now.files[i]);
    if (!chosen.empty() && !AskMessageBox(TakeBackQuestion(chosen))) return false;
    TakeBackChosen(front_end, folder, chosen, LocalDateNow());
    return !chosen.empty();
  };
  handlers.restore = [&] {
    if (!AskMessageBox(kRestoreQuestion)) return false;
    RestoreSceneryConfig(front_end, folder, LocalDateNow());
    return true;
  };
  InEffectDialog(owner, handlers).DoModal();
}

void ChooseSceneryFolder(HWND owner, orlith::MainWindow& commands, bool scenery_given) {
  const WorkFolder& folder = commands.folder();
  Settings settings;
  Status s = ReadSettings(folder, &settings);
  if (!s.ok()) {
    ShowMessageBox(FileErrorMessage(s));
    return;
  }
  SceneryFolderDialog dialog(owner, ChoiceOf(settings.sceneryFolder));
  if (dialog.DoModal() != IDOK) return;
  settings.sceneryFolder = StoredFor(dialog.choice(), settings.sceneryFolder);
  s = WriteSettings(folder, settings);
  if (!s.ok()) {
    ShowMessageBox(FileErrorMessage(s));
    return;
  }
  if (!scenery_given) commands.SetSceneryFolder(SceneryFolderForSystem(settings.sceneryFolder));
}

}  // namespace

void AppendToolsMenu(HMENU menu_bar) {
  HMENU tools = CreatePopupMenu();
  for (const MenuItem& item : ToolsMenu()) {
    AppendMenuA(tools, MF_STRING, static_cast<UINT_PTR>(item.commandId), item.text);
  }
  AppendMenuA(menu_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), kToolsMenuText);
}

void RunToolsCommand(int id, HWND owner, FrontEnd& front_end, orlith::MainWindow& commands,
                     bool scenery_given) {
  switch (id) {
    case kImportNavAidsCommand:
      ImportNavAids(owner, front_end, commands.folder());
      return;
    case kNavAidsInEffectCommand:
      NavAidsInEffect(owner, front_end, commands.folder());
      return;
    case kSceneryFolderCommand:
      ChooseSceneryFolder(owner, commands, scenery_given);
      return;
    default:
      return;
  }
}

}  // namespace orlith::win32
