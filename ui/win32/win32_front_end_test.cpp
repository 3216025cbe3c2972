// The running program driven through the Win32 API: the main window, each dialog against its
// layout data, the ways the program ends, the commands and the Tools windows, whose messages and
// files must be what the portable flows and the command line show and write for the same answers.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "app/import_run.h"
#include "app/in_effect.h"
#include "app/take_back.h"
#include "app/tools.h"
#include "core/operations_log.h"
#include "core/work_folder.h"
#include "ui/dialog_layout.h"
#include "ui/settings.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/import_dialog.h"
#include "ui/win32/in_effect_dialog.h"
#include "ui/win32/lock_wait_note.h"
#include "ui/win32/main_window.h"
#include "ui/win32/scenery_folder_dialog.h"
#include "ui/win32/testing/gui_session.h"
#include "ui/win32/tools_commands.h"

namespace orlith::testing {
namespace {

using namespace orlith::win32;  // the windows' control ids

using Win32FrontEnd = GuiSession;

std::string ClassOf(HWND window) {
  char name[64] = {};
  int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(n > 0 ? n : 0));
}

// Per control kind, in ControlKind order: the class, the type (under typeMask), and the style bits
// it must have and must not have.
struct KindStyle {
  const char* className;
  DWORD typeMask, type, required, absent;
};

constexpr KindStyle kKindStyles[] = {
    {"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP, WS_GROUP},
    {"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, WS_GROUP},
    {"Static", SS_TYPEMASK, SS_LEFT, WS_GROUP, WS_TABSTOP},
    {"Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, WS_GROUP, WS_TABSTOP},
    {"Edit", ES_MULTILINE, 0, WS_TABSTOP | ES_AUTOHSCROLL, ES_READONLY},
    {"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_TABSTOP | WS_GROUP},
    {"Button", BS_TYPEMASK, BS_GROUPBOX, 0, WS_TABSTOP}};

auto Corners(const RECT& r) { return std::tuple{r.left, r.top, r.right, r.bottom}; }

// The dialog of the program as it opens.
void ExpectMatchesLayout(OrlithProcess& program, DialogId id) {
  const DialogLayout& layout = LayoutOf(id);
  SCOPED_TRACE(layout.caption);
  HWND dialog = program.WaitForWindow(layout.caption), main_window = program.MainWindow();
  ASSERT_NE(dialog, nullptr);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(style & frame, frame) << std::hex << style;
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_window);

  // The same template created hidden in this process, where MapDialogRect can read its font.
  std::vector<DWORD> bytes = win32::BuildDialogTemplate(layout);
  HWND local = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr,
      [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(local, nullptr);
  // Position and size are mapped apart, as the dialog manager places a control.
  auto map = [local](int x, int y, int width, int height) {
    RECT r{x, y, width, height};
    MapDialogRect(local, &r);
    return std::tuple{r.left, r.top, r.left + r.right, r.top + r.bottom};
  };
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(local, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, layout.fontFace);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(font.lfHeight, -MulDiv(layout.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  RECT client{}, outer{}, main_rect{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(Corners(client), map(0, 0, layout.width, layout.height));
  // Centred on the main window, to the rounding of a pixel.
  GetWindowRect(dialog, &outer);
  GetWindowRect(main_window, &main_rect);
  EXPECT_LE(std::abs((outer.left + outer.right) - (main_rect.left + main_rect.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (main_rect.top + main_rect.bottom)), 1);

  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlLayout& c : layout.controls) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(child, nullptr) << "fewer controls than the layout";
    EXPECT_EQ(GetDlgCtrlID(child), c.id == kStaticId ? 0xFFFF : c.id);
    const KindStyle& expected = kKindStyles[static_cast<int>(c.kind)];
    EXPECT_EQ(ClassOf(child), expected.className);
    const DWORD child_style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(child_style & expected.typeMask, expected.type) << std::hex << child_style;
    EXPECT_EQ(child_style & expected.required, expected.required) << std::hex << child_style;
    EXPECT_EQ(child_style & expected.absent, 0u) << std::hex << child_style;
    if (c.kind != ControlKind::kEdit) {
      EXPECT_EQ(TextOf(child), c.text);
    } else {  // the dialog draws an edit's border as a sunken edge
      EXPECT_TRUE((child_style & WS_BORDER) != 0 ||
                  (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    }
    RECT got{};
    GetWindowRect(child, &got);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
    EXPECT_EQ(Corners(got), map(c.x, c.y, c.width, c.height));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than the layout";

  EXPECT_EQ(GetDlgCtrlID(program.Focus()), InitialFocusId(layout));
  // Blue ground; edit fields in the system's window colour.
  EXPECT_EQ(ScreenPixel(dialog, 2, 2), kDialogBackgroundColour);
  EXPECT_EQ(ScreenPixel(GetDlgItem(dialog, InitialFocusId(layout)), 1, 1),
            GetSysColor(COLOR_WINDOW));
  DestroyWindow(local);
}

// The main window as shown; each dialog as it opens matches the layout data, and OK then writes,
// and Cancel (each way) leaves, what the flows write for the same answers: a Cancel of Create
// writes no scenery file, one of Modify leaves its switch. Exit Program ends with status 0.
TEST_F(Win32FrontEnd, TheWindowsMatchTheirLayoutAndWriteWhatTheFlowsWrite) {
  Start(true, "Addon Scenery\\Updates\\scenery");  // made by the first Create
  HWND main = program_->MainWindow();
  EXPECT_EQ(TextOf(main), kWindowCaption);
  RECT outer{}, fixed{0, 0, kWindowWidth, kWindowHeight};
  GetWindowRect(main, &outer);
  EXPECT_TRUE(EqualRect(&outer, &fixed));
  DWORD style = static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE));
  const DWORD fixed_frame = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP;
  EXPECT_EQ(style & (WS_CAPTION | fixed_frame), DWORD{WS_CAPTION}) << std::hex << style;
  EXPECT_NE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

  // Wine keeps menus inside their process, so the items are read from the menu the window
  // installs, built here; the running window must hold a menu bar.
  EXPECT_NE(GetMenu(main), nullptr);
  auto expect_items = [](HMENU menu, std::span<const MenuItem> items) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[64] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      EXPECT_STREQ(text, items[i].text);
      EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, i)), items[i].commandId);
    }
  };
  HMENU bar = win32::CreateMainMenu();
  win32::AppendToolsMenu(bar);
  std::vector<MenuItem> top(MainMenu().begin(), MainMenu().end());
  top.push_back({kToolsMenuText, -1});  // a popup: the four commands, then Tools
  expect_items(bar, top);
  expect_items(GetSubMenu(bar, 4), ToolsMenu());
  DestroyMenu(bar);

  // Light blue ground over the whole client area, once painted (late on a busy machine).
  RECT client{};
  GetClientRect(main, &client);
  for (int i = 0; i < 50 && ScreenPixel(main, 3, 3) != kTitleFillColour; ++i) Sleep(20);
  EXPECT_EQ(ScreenPixel(main, 3, 3), kTitleFillColour);
  EXPECT_EQ(ScreenPixel(main, client.right - 2, client.bottom - 2), kTitleFillColour);

  struct Answer {
    int command, button;
    DialogId id;
    std::map<int, std::string> typed;  // empty: the dialog is cancelled by cancel_by
    CancelBy cancel_by;
  };
  // clang-format off
  const Answer answers[] = {
      {kCreateNavAidCommand, kIlsButton, DialogId::kIls,
       {{1015, "110.9"}, {1016, "18"}, {1017, "1.5"}, {1018, "12"}, {1019, "273.4"}, {1020, "3.0"},
        {1023, "ICHR"}, {1025, "1"}, {1021, "Charlie ILS runway 27"}}, {}},
      {kModifyNavAidCommand, kVorButton, DialogId::kVor,
       {{1008, "114.3"}, {1009, "40"}, {1005, "-2.5"}, {1010, "300"}, {1011, "VRB"}, {1006, "1"},
        {1012, "Bravo VOR"}}, {}},
      {kCreateNavAidCommand, kNdbButton, DialogId::kNdb, {}, CancelBy::kEscape},
      {kModifyNavAidCommand, kIlsButton, DialogId::kIls, {}, CancelBy::kCloseBox}};
  // clang-format on
  for (const Answer& answer : answers) {
    SCOPED_TRACE(CaptionOf(answer.id));
    Choose(answer.command);
    ExpectMatchesLayout(*program_, DialogId::kPosition);
    Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", answer.button));
    ExpectMatchesLayout(*program_, answer.id);
    if (answer.typed.empty()) {
      Cancel(answer.id, answer.cancel_by);
    } else {
      Ok(answer.id, {answer.typed, 0});
    }
    ExpectMessage();
    ExpectSameFiles();
  }
  program_->Command(kExitProgramCommand);
  EXPECT_EQ(program_->WaitForExit(), 0);
  ExpectSameFiles();
}

// Modify refuses OK while no type was ever checked; then typed key by key where the focus opens,
// and the next position dialog shows the texts the last one left, with no type checked. Last, a
// bad coordinate text ends the program.
TEST_F(Win32FrontEnd, RefusedTypedCarriedThenABadCoordinateEndsTheProgram) {
  Start();
  Choose(kModifyNavAidCommand);
  Refused(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5"), "Check the type of NavAid");
  Cancel(DialogId::kPosition, CancelBy::kButton);
  ExpectNoMessage();
  ExpectSameFiles();  // nothing written

  const std::string long_name(30, 'x');
  Choose(kCreateNavAidCommand);
  TypeAndEnter(DialogId::kPosition, PositionTyped(" n42 34.6", "E012 4.5 ", kNdbButton));
  TypeAndEnter(DialogId::kNdb,
               {{{1013, "abc"}, {1014, "12"}, {1002, "7"}, {1003, "LONGID"}, {1004, long_name}}});
  ExpectMessage();

  Choose(kDeleteNavAidCommand);
  HWND position = Dialog(DialogId::kPosition);
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(TextOf(position, 1000) + "|" + TextOf(position, 1001), " n42 34.6|E012 4.5 ");
  for (int button : {kVorButton, kIlsButton, kNdbButton}) EXPECT_FALSE(IsChecked(position, button));
  // As a missing scenery.cfg does (which texts are bad is the coordinate parser's concern), once
  // the message, owned by the window shown, is read; nothing is written.
  TypeInto(position, 1000, "N4234.6");
  Click(position, IDOK);
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Input Error - Program terminates!");
  EXPECT_EQ(GetWindow(box, GW_OWNER), position);
  EXPECT_EQ(program_->WaitForExit(300), -1) << "the program ended before the message was read";
  DismissMessageBox(box);
  EXPECT_EQ(program_->WaitForExit(), 8);
  ExpectSameFiles();
}

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

// An unreadable file is named, the dialog left open; Preview shows the counts, writing nothing;
// Apply moves the bar to the last row; Cancel stops a second import. In Effect takes back the first
// row of each table and restores, each asking first. Each writes what the command line writes.
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
  EXPECT_EQ(Dismiss() + "\n", ImportSummary(counts, true));  // the box drops the line end
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

// Each Tools window, made here: every control lies inside it, every label and button text fits its
// control on one line (a radio button beside its circle). A click on a header of In Effect sorts
// by that column, numbers by value, a second reverses; Take Back gets the rows' places as read.
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
      const std::string kind = ClassOf(c);
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
