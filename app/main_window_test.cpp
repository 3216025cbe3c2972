#include "app/main_window.h"

#include <gtest/gtest.h>

#include "test_support/test_support.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith {
namespace {

TEST(MainWindow, CommandTableRoutesTheThreeNavAidCommands) {
  testing::TempFolder tmp;
  tmp.Write("scenery.cfg", "[Area.001]\r\n");
  testing::ScriptedFrontEnd ui;
  MainWindow window(ui, WorkFolder{tmp.path()});
  EXPECT_EQ(window.entry(), NavAidEntry{});
  for (int id : {40001, 40002, 40003}) {
    ui.Cancel(DialogId::kPosition);
    EXPECT_TRUE(window.OnCommand(id)) << id;
  }
  // Each command opened its Position dialog; Exit Program belongs to the application's table.
  EXPECT_FALSE(window.OnCommand(8) || window.OnCommand(40004));
  EXPECT_EQ(ui.opened, std::vector<DialogId>(3, DialogId::kPosition));
}

}  // namespace
}  // namespace orlith
