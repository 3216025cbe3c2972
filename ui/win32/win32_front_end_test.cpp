// The running program driven through the Win32 API: the main window, each dialog against its
// layout data, the ways the program ends, and the three commands, whose messages and files must be
// what the portable flows show and write for the same answers.
#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

#include "ui/dialog_layout.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/main_window.h"
#include "ui/win32/testing/gui_session.h"
#include "ui/win32/tools_commands.h"

namespace orlith::testing {
namespace {

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

}  // namespace
}  // namespace orlith::testing
