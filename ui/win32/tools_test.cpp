// The Tools menu of the running program: each window driven as a person would, every file then
// compared byte for byte with what the same logic writes when the command line runs it.
#include <windows.h>

#include <commctrl.h>

#include <sstream>

#include "app/import_run.h"
#include "app/in_effect.h"
#include "app/take_back.h"
#include "app/tools.h"
#include "core/operations_log.h"
#include "core/work_folder.h"
#include "ui/dialog_layout.h"
#include "ui/settings.h"
#include "ui/win32/import_dialog.h"
#include "ui/win32/in_effect_dialog.h"
#include "ui/win32/lock_wait_note.h"
#include "ui/win32/scenery_folder_dialog.h"
#include "ui/win32/testing/gui_session.h"

namespace orlith::testing {
namespace {

using namespace orlith::win32;  // the windows' control ids

constexpr char kCsv[] = "navaids-BE.csv";  // Belgium's rows of navaids.csv, beside this test

class ToolsTest : public GuiSession {
 protected:
  WorkFolder Flows() const { return {flows_folder_.path(), DefaultFileEnv(), ""}; }
  // What `orlith-cli import --apply` does in the flows' folder; stop_after > 0 cancels there.
  int ImportInFlows(const ImportOptions& options, std::int64_t stop_after = 0) {
    std::ostringstream out, err;
    std::int64_t done = 0;
    ImportProgress progress{[&](std::int64_t d, std::int64_t) { done = d; },
                            [&] { return stop_after > 0 && done >= stop_after; }};
    return RunImport(options, Flows(), flows_ui_, out, err, &progress);
  }
  HWND OpenImport(const ImportForm& c) {
    Choose(kImportNavAidsCommand);
    HWND dialog = program_->WaitForWindow(kImportCaption);
    if (dialog == nullptr) return nullptr;
    const std::pair<int, const std::string*> texts[] = {
        {kImportFileEdit, &c.file},   {kImportCountriesEdit, &c.countries},
        {kImportNorthEdit, &c.north}, {kImportWestEdit, &c.west},
        {kImportSouthEdit, &c.south}, {kImportEastEdit, &c.east}};
    for (const auto& [id, text] : texts) TypeInto(dialog, id, *text);
    if (c.type == "NDB") Click(dialog, kImportNdbRadio);
    if (c.modify) Click(dialog, kImportModifyRadio);
    return dialog;
  }
  // The message box shown now; its text, and the box dismissed.
  std::string Dismiss() {
    HWND box = program_->WaitForWindow("orlith");
    if (box == nullptr) return "(no message box)";
    std::string text = MessageBoxText(box);
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntilGone(box));
    return text;
  }
};

// An unreadable file is named and the dialog stays open; Preview shows the counts before anything
// is written; Apply moves the bar to the last row, and Cancel stops a second import. In Effect
// then takes back the first row of each table and restores, each asking first. Every step writes
// what the command line writes.
TEST_F(ToolsTest, ImportTakeBackAndRestoreWriteWhatTheCommandLineWrites) {
  const std::string csv = ReadFileBytes(BesideThisProgram(kCsv));
  program_folder_.Write(kCsv, csv);
  flows_folder_.Write(kCsv, csv);
  Start();
  ImportForm form{"missing.csv", "be, nl",    "N51 00.0", "E003 00.0",
                  "N50 00.0",    "E005 30.0", "NDB",      true};
  ImportOptions options;
  ImportCounts counts;
  std::string error;
  ASSERT_TRUE(ImportOptionsOf(form, &options, &error)) << error;
  const int status = CountImport(options, Flows(), &counts, &error);
  HWND dialog = OpenImport(form);
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDOK);
  EXPECT_EQ(Dismiss(), ImportFailureMessage(form.file, status, error));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog closed after an error";

  TypeInto(dialog, kImportFileEdit, form.file = options.file = kCsv);
  ASSERT_EQ(CountImport(options, Flows(), &counts, &error), 0) << error;
  const std::int64_t rows = counts.by[static_cast<int>(ImportSkip::kSelected)];
  Click(dialog, kImportPreviewButton);
  EXPECT_TRUE(WaitForText(dialog, kImportCountsText, ImportPreviewText(counts)));
  ExpectSameFiles();  // neither the error nor Preview wrote
  Click(dialog, IDOK);
  ASSERT_NE(program_->WaitForWindow("orlith"), nullptr);
  HWND bar = GetDlgItem(dialog, kImportProgressBar);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), rows);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), rows);
  std::string summary = ImportSummary(counts, true);
  EXPECT_EQ(Dismiss(), summary.substr(0, summary.size() - 1));
  EXPECT_TRUE(WaitUntilGone(dialog));
  ASSERT_EQ(ImportInFlows(options), 0);
  ExpectSameFiles();

  // Cancel pressed while the rows run stops between two rows, the bar at the last row done: the
  // folder holds exactly what an import stopped after as many rows writes.
  dialog = OpenImport(form);
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDOK);
  Click(dialog, IDCANCEL);  // handled after the first row
  ASSERT_NE(program_->WaitForWindow("orlith"), nullptr);
  const LRESULT done = SendMessageA(GetDlgItem(dialog, kImportProgressBar), PBM_GETPOS, 0, 0);
  EXPECT_EQ(Dismiss(), ImportStoppedMessage(done, rows));
  EXPECT_GE(done, 1);
  EXPECT_LT(done, rows);
  EXPECT_TRUE(WaitUntilGone(dialog));
  ImportInFlows(options, done);
  ExpectSameFiles();

  Choose(kNavAidsInEffectCommand);
  dialog = program_->WaitForWindow(kInEffectCaption);
  ASSERT_NE(dialog, nullptr);
  HWND switches = GetDlgItem(dialog, kSwitchesList), files = GetDlgItem(dialog, kFilesList);
  for (int list : {kSwitchesList, kFilesList, kRestoreId}) {
    SCOPED_TRACE(list);
    InEffect now;
    ASSERT_TRUE(ReadInEffect(Flows(), &now).ok());
    EXPECT_EQ(ListView_GetItemCount(switches), static_cast<int>(now.switches.size()));
    EXPECT_EQ(ListView_GetItemCount(files), static_cast<int>(now.files.size()));
    EXPECT_EQ(TextOf(dialog, kOtherFilesText), OtherFilesText(now.otherBglFiles));
    RemovalPlan first;  // the first row as read, the first the table shows
    if (list == kSwitchesList) first.switches.push_back(now.switches.at(0));
    if (list == kFilesList) first.files.push_back(now.files.at(0));
    const bool restore = list == kRestoreId;
    if (!restore) PostMessageA(GetDlgItem(dialog, list), WM_KEYDOWN, VK_HOME, 1);
    Click(dialog, restore ? kRestoreId : kTakeBackId);
    EXPECT_EQ(Dismiss(), restore ? kRestoreQuestion : TakeBackQuestion(first));
    if (restore) RestoreSceneryConfig(flows_ui_, Flows(), LocalDateNow());
    if (!restore) TakeBackChosen(flows_ui_, Flows(), first, LocalDateNow());
    ASSERT_FALSE(flows_ui_.messages.empty());
    EXPECT_EQ(Dismiss(), flows_ui_.messages.back());
    ExpectSameFiles();
  }
  Click(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntilGone(dialog));
}

// The choice goes to orlith.ini as the settings write it, and the next Create writes there; a
// --scenery-folder on the command line still wins.
TEST_F(ToolsTest, TheStoredSceneryFolderIsUsedByTheNextCreate) {
  for (std::string given : {"", "Given"}) {
    SCOPED_TRACE(given);
    program_.reset();
    program_folder_.Write("orlith.ini", "");
    flows_folder_.Write("scenery.cfg", kSampleConfig);
    Start(true, given);
    Choose(kSceneryFolderCommand);
    HWND dialog = program_->WaitForWindow(kSceneryFolderCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsChecked(dialog, win32::kSimulatorFolderRadio));
    Click(dialog, win32::kAddonSceneryRadio);
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitUntilGone(dialog));
    ASSERT_TRUE(WriteSettings(Flows(), {kAddonSceneryFolder, {}}).ok());
    if (given.empty()) flows_->SetSceneryFolder(SceneryFolderForSystem(kAddonSceneryFolder));

    Choose(kCreateNavAidCommand);
    Ok(DialogId::kPosition, {{{1000, "N50 54.5"}, {1001, "E004 08.3"}}, kNdbButton});
    Ok(DialogId::kNdb,
       {{{1013, "344.5"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"}, {1004, "Alpha"}}});
    ExpectMessage();
    ExpectSameFiles();
  }
}

// While another Orlith holds the folder, a command shows the note; Cancel ends the wait with
// nothing written, and a lock that is let go lets the command run.
TEST_F(ToolsTest, TheLockWaitNoteShowsTheWaitAndCancelsIt) {
  Start();
  bool busy = false;
  std::unique_ptr<FolderLock> lock;
  ASSERT_TRUE(LockFolder(*DefaultFileEnv(), program_folder_.path(), 0, &busy, &lock).ok());
  ASSERT_NE(lock, nullptr);
  for (bool cancel : {true, false}) {
    program_->Command(kDeleteNavAidCommand);
    HWND note = program_->WaitForWindow(win32::kLockWaitCaption);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(TextOf(note, win32::kLockWaitText), kLockWaitNote);
    EXPECT_FALSE(IsWindowEnabled(program_->MainWindow())) << "a second command could start";
    if (cancel) Click(note, IDCANCEL);
    if (!cancel) lock.reset();
    EXPECT_TRUE(WaitUntilGone(note));
    if (!cancel) Cancel(DialogId::kPosition, CancelBy::kButton);
    // A cancelled wait ends the command before its first dialog, so before it could write.
    EXPECT_EQ(program_->WaitForWindow(CaptionOf(DialogId::kPosition), 500), nullptr);
    EXPECT_TRUE(IsWindowEnabled(program_->MainWindow()));
  }
}

// Each Tools window, made here: every label and button text fits its control on one line (a
// radio button beside its circle), and every control lies inside the window. A click on a header
// of In Effect sorts by that column, numbers by value, and a second click reverses; Take Back is
// told the selection as places in the rows as read, whatever the order shown.
TEST(ToolWindows, TextsFitAndTheTablesSortKeepingTheRowsPlaces) {
  InitCommonControls();
  ImportHandlers import;  // the handlers are not called while the windows only show
  std::vector<std::size_t> taken;
  InEffectHandlers in_effect{
      {{"Line", 40}, {"Frequency", 80}},
      {{"File", 40}},
      [](InEffectTables* tables) {
        tables->switches = {{"9", "112.30 MHz"}, {"10", "344.5 kHz"}, {"100", "25.0 kHz"}};
        return true;
      },
      [&](std::vector<std::size_t> switches, std::vector<std::size_t>) {
        taken = switches;
        return false;
      },
      {}};
  ImportDialog import_dialog(nullptr, import);
  InEffectDialog in_effect_dialog(nullptr, in_effect);
  SceneryFolderDialog scenery_dialog(nullptr, SceneryChoice::kAddonScenery);
  LockWaitNote note(nullptr);
  HWND tables = in_effect_dialog.ShowModeless();
  for (HWND window :
       {import_dialog.ShowModeless(), tables, scenery_dialog.ShowModeless(), note.ShowModeless()}) {
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(TextOf(window));
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      std::string text = TextOf(c);
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
          << text;
      char name[32] = {};
      GetClassNameA(c, name, sizeof name);
      const std::string kind = name;
      if (text.empty() || (kind != "Button" && kind != "Static")) continue;
      RECT need{0, 0, 10000, 0};
      DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
      bool radio =
          kind == "Button" && (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
      if (kind == "Static" && r.bottom - r.top >= 2 * need.bottom) continue;  // a label that wraps
      EXPECT_LE(need.right + (radio ? 16 : 0), r.right - r.left) << text;
    }
    ReleaseDC(window, dc);
  }

  HWND list = GetDlgItem(tables, kSwitchesList);
  auto column = [&] {
    std::string cells;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      char text[32] = {};
      ListView_GetItemText(list, i, 1, text, sizeof text);
      cells += std::string(text) + ";";
    }
    return cells;
  };
  NMLISTVIEW header_click{};
  header_click.hdr = {list, kSwitchesList, LVN_COLUMNCLICK};
  header_click.iSubItem = 1;
  SendMessageA(tables, WM_NOTIFY, kSwitchesList, reinterpret_cast<LPARAM>(&header_click));
  EXPECT_EQ(column(), "25.0 kHz;112.30 MHz;344.5 kHz;");
  SendMessageA(tables, WM_NOTIFY, kSwitchesList, reinterpret_cast<LPARAM>(&header_click));
  EXPECT_EQ(column(), "344.5 kHz;112.30 MHz;25.0 kHz;");
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(tables, WM_COMMAND, MAKEWPARAM(kTakeBackId, BN_CLICKED), 0);
  EXPECT_EQ(taken, (std::vector<std::size_t>{1}));
}

}  // namespace
}  // namespace orlith::testing
