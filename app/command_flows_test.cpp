#include "app/command_flows.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_logic.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith {
namespace {

using Strings = std::vector<std::string>;

using testing::kBaseConfig;
constexpr char kExcludeAt[] = "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, ";
constexpr const char* kBgl = testing::kExampleFile;
const NavAidEntry kNdb{"", "", "", "350", "25", "100", "", "", "", "", "ABC", "TEST NDB"};

// A folder holding kBaseConfig, and a main window on it whose front end plays a script.
struct CommandFlows : ::testing::Test {
  CommandFlows() : window(ui, WorkFolder{tmp.path()}, testing::Dec6) {
    tmp.Write("scenery.cfg", kBaseConfig);
  }
  // Scripts OK in the position dialog at N42 34.6, W12 24.5 with a type button.
  void Position(int radio = 0) {
    ui.Ok(DialogId::kPosition, testing::PositionTyped("N42 34.6", "W12 24.5", radio));
  }
  void Params(DialogId id, const NavAidEntry& v) { ui.Ok(id, ShownTexts(id, v)); }
  std::string Config() const { return tmp.Read("scenery.cfg"); }
  bool Switched(const std::string& word) const {
    return Config().ends_with(std::string(kExcludeAt) + word + "\r\n");
  }
  bool NothingWritten() const {
    return Config() == kBaseConfig && !tmp.Exists("scenery.org") && !tmp.Exists("orlith.log");
  }

  testing::TempFolder tmp;
  testing::ScriptedFrontEnd ui;
  MainWindow window;
};

TEST_F(CommandFlows, CancelWritesNothingF9) {
  // Cancel in the first command's Position dialog no longer ends the program with the input error.
  for (auto command :
       {&MainWindow::DeleteNavAid, &MainWindow::CreateNavAid, &MainWindow::ModifyNavAid}) {
    ui.Cancel(DialogId::kPosition);
    (window.*command)();
    EXPECT_EQ(window.last_outcome(), CommandOutcome::kCancelled);
  }
  EXPECT_FALSE(ui.fatal);
  EXPECT_TRUE(NothingWritten());
  // Cancel in a parameter dialog writes no scenery file; Modify keeps its switch and says so.
  Position(kIlsButton);
  ui.Cancel(DialogId::kIls);
  window.CreateNavAid();
  EXPECT_EQ(window.last_outcome(), CommandOutcome::kCancelled);
  Position(kNdbButton);
  ui.Cancel(DialogId::kNdb);
  window.ModifyNavAid();
  EXPECT_TRUE(Switched("ndbs"));
  EXPECT_FALSE(tmp.Exists(kBgl));
  EXPECT_EQ(ui.messages, Strings({"No scenery file was written",
                                  "The exclusion switch was added at N42 34.6, W12 24.5; no "
                                  "scenery file was written"}));
  // After a done command, Cancel repeats nothing.
  Position(kNdbButton);
  window.DeleteNavAid();
  const std::string config = Config(), log = tmp.Read("orlith.log");
  ui.Cancel(DialogId::kPosition);
  window.DeleteNavAid();
  EXPECT_EQ(Config() + tmp.Read("orlith.log"), config + log);
  EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(CommandFlows, OkWithoutTypeKeepsThePositionDialogOpenF18) {
  for (auto command : {&MainWindow::CreateNavAid, &MainWindow::ModifyNavAid}) {
    Position();  // refused: the dialog stays open for the next answer
    ui.Cancel(DialogId::kPosition);
    (window.*command)();
  }
  EXPECT_EQ(ui.messages, Strings(2, "Check the type of NavAid"));
  EXPECT_TRUE(NothingWritten() && window.entry().latitude.empty());  // nothing stored
  // Checking a type goes on; from then on the type chosen before is enough. Modify adds its
  // switch before it asks for the parameters.
  bool switch_there = false;
  ui.onOpen = [&](DialogId id) { switch_there |= id == DialogId::kNdb && Switched("ndbs"); };
  Position();
  Position(kNdbButton);
  Params(DialogId::kNdb, kNdb);
  window.CreateNavAid();
  Position();
  Params(DialogId::kNdb, kNdb);
  window.ModifyNavAid();
  EXPECT_EQ(ui.messages.back(), "An existing NDB NavAid at N42 34.6, W12 24.5 was modified");
  EXPECT_TRUE(switch_there);
  const std::string log = tmp.Read("orlith.log");
  EXPECT_LT(log.find("Exclusion switch was added for NDB NavAids at N42 34.6, W12 24.5"),
            log.rfind("The file N42 34_6__W12 24_5.bgl was created"));
  EXPECT_TRUE(ui.scriptUsedUp());
}

}  // namespace
}  // namespace orlith
