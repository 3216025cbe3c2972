// The main window of the running program: its frame, menu and title screen, and the ways the
// program ends (Exit Program, a missing scenery.cfg, a bad coordinate text).
#include "ui/win32/main_window.h"

#include <cstring>
#include <vector>

#include "ui/dialog_layout.h"
#include "ui/win32/testing/gui_session.h"
#include "ui/win32/tools_commands.h"

namespace orlith::testing {
namespace {

using MainWindowTest = GuiSession;

TEST_F(MainWindowTest, FrameMenuAndTitleScreen) {
  Start();
  HWND main = program_->MainWindow();
  EXPECT_EQ(TextOf(main), kWindowCaption);
  RECT outer{}, fixed{0, 0, kWindowWidth, kWindowHeight};
  GetWindowRect(main, &outer);
  EXPECT_TRUE(EqualRect(&outer, &fixed));
  DWORD style = static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE));
  EXPECT_EQ(style & WS_CAPTION, DWORD{WS_CAPTION}) << std::hex << style;
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP), 0u)
      << std::hex << style;
  EXPECT_NE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

  // Wine keeps menus inside their process, so the items are read from the menu the window
  // installs, built here; the running window must hold a menu bar.
  EXPECT_NE(GetMenu(main), nullptr);
  auto expect_items = [](HMENU menu, std::span<const MenuItem> items) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    UINT i = 0;
    for (const MenuItem& item : items) {
      char text[64] = {};
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      EXPECT_STREQ(text, item.text);
      EXPECT_EQ(std::strchr(text, '&'), nullptr) << "no mnemonics";
      EXPECT_EQ(static_cast<int>(GetMenuItemID(menu, static_cast<int>(i++))), item.commandId);
    }
  };
  HMENU bar = win32::CreateMainMenu();
  win32::AppendToolsMenu(bar);
  std::vector<MenuItem> top(MainMenu().begin(), MainMenu().end());
  top.push_back({kToolsMenuText, -1});  // a popup: the four commands, then Tools
  expect_items(bar, top);
  expect_items(GetSubMenu(bar, 4), ToolsMenu());
  DestroyMenu(bar);

  // Light blue ground, over the whole client area.
  RECT client{};
  GetClientRect(main, &client);
  // The first paint may come a moment after the window shows on a busy machine.
  for (int i = 0; i < 50 && ScreenPixel(main, 3, 3) != kTitleFillColour; ++i) Sleep(20);
  EXPECT_EQ(ScreenPixel(main, 3, 3), kTitleFillColour);
  EXPECT_EQ(ScreenPixel(main, client.right - 2, client.bottom - 2), kTitleFillColour);
}

TEST_F(MainWindowTest, ExitProgramEndsWithStatusZeroAndWritesNothing) {
  Start();
  program_->Command(kExitProgramCommand);
  EXPECT_EQ(program_->WaitForExit(), 0);
  EXPECT_EQ(program_folder_.Read("scenery.cfg"), kSampleConfig);
  EXPECT_FALSE(program_folder_.Exists("scenery.org"));
  EXPECT_FALSE(program_folder_.Exists("orlith.log"));
}

TEST_F(MainWindowTest, MissingConfigShowsItsMessageThenStatusOne) {
  Start(/*with_config=*/false);
  program_->Command(kCreateNavAidCommand);
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "File scenery.cfg not found!");
  EXPECT_EQ(program_->WaitForExit(300), -1) << "the program ended before the message was read";
  DismissMessageBox(box);
  EXPECT_EQ(program_->WaitForExit(), 1);
  EXPECT_FALSE(program_folder_.Exists("orlith.log"));
}

// A bad coordinate text ends the program; which texts are bad is the coordinate parser's concern.
TEST_F(MainWindowTest, BadCoordinateShowsTheInputErrorThenStatusEight) {
  Start();
  program_->Command(kDeleteNavAidCommand);
  HWND position = program_->WaitForWindow(CaptionOf(DialogId::kPosition));
  ASSERT_NE(position, nullptr);
  TypeInto(position, 1000, "N4234.6");
  Click(position, IDOK);
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Input Error - Program terminates!");
  EXPECT_EQ(GetWindow(box, GW_OWNER), position);  // the active window owns it
  DismissMessageBox(box);
  EXPECT_EQ(program_->WaitForExit(), 8);
  EXPECT_EQ(program_folder_.Read("scenery.cfg"), kSampleConfig);
  EXPECT_FALSE(program_folder_.Exists("scenery.org"));
}

}  // namespace
}  // namespace orlith::testing
