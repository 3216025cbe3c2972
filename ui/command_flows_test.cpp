#include "ui/command_flows.h"

#include <gtest/gtest.h>

#include "test_support/fault_env.h"
#include "test_support/test_support.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_logic.h"
#include "ui/main_window.h"
#include "ui/scripted_front_end.h"

namespace orlith {
namespace {

using testing::FaultEnv;
using testing::FaultOp;
using testing::PositionTyped;
using testing::ScriptedFrontEnd;
using testing::TempFolder;

constexpr char kConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n"
    "[Area.123]\r\nTitle=Propeller Objects\r\nLocal=Scenery\\Props\r\nLayer=123\r\n";
constexpr char kExcludeAt[] = "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, ";

std::tm Dec6() {
  std::tm t{};
  t.tm_mday = 6;
  t.tm_mon = 11;
  t.tm_year = 126;
  return t;
}

DialogTexts Typed(DialogId id, const NavAidEntry& values) { return ShownTexts(id, values); }

NavAidEntry VorValues() {
  NavAidEntry v;
  v.frequency = "113.90";
  v.range = "40";
  v.altitude = "200";
  v.magneticDeviation = "-3";
  v.dme = "1";
  v.id = "XYZ";
  v.name = "TEST VOR";
  return v;
}

NavAidEntry NdbValues() {
  NavAidEntry v;
  v.frequency = "350";
  v.range = "25";
  v.altitude = "100";
  v.id = "ABC";
  v.name = "TEST NDB";
  return v;
}

class CommandFlows : public ::testing::Test {
 protected:
  CommandFlows() : window_(ui_, WorkFolder{tmp_.path(), &env_}, Dec6) {
    tmp_.Write("scenery.cfg", kConfig);
  }
  std::string Config() const { return tmp_.Read("scenery.cfg"); }
  bool EndsWith(const std::string& text, const std::string& end) const {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
  }
  static constexpr char kBgl[] = "N42 34_6__W12 24_5.bgl";

  TempFolder tmp_;
  FaultEnv env_;
  ScriptedFrontEnd ui_;
  MainWindow window_;
};

TEST_F(CommandFlows, DeleteMessageAndSwitchByType) {
  struct Case {
    int radio;
    const char* message;
    const char* word;
  } cases[] = {
      {0, "All NavAids at N42 34.6, W12 24.5 are deleted!", "all"},
      {kVorButton, "All VOR / ILS NavAids at N42 34.6, W12 24.5 are deleted!", "vors"},
      {kIlsButton, "All VOR / ILS NavAids at N42 34.6, W12 24.5 are deleted!", "vors"},
      {kNdbButton, "All NDB NavAids at N42 34.6, W12 24.5 are deleted!", "ndbs"},
  };
  for (const Case& c : cases) {
    ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", c.radio));
    window_.DeleteNavAid();
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_EQ(ui_.messages.back(), c.message);
    EXPECT_TRUE(EndsWith(Config(), std::string(kExcludeAt) + c.word + "\r\n")) << c.word;
    EXPECT_EQ(window_.last_outcome(), CommandOutcome::kDone);
  }
  EXPECT_EQ(ui_.opened, std::vector<DialogId>(4, DialogId::kPosition));  // no parameter dialog
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_EQ(tmp_.Read("scenery.org").substr(0, sizeof kConfig - 1), kConfig);
}

TEST_F(CommandFlows, CreateWithTheEmptyTypeShowsNoParameterDialog) {
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5"));
  window_.CreateNavAid();
  EXPECT_EQ(ui_.opened, std::vector<DialogId>{DialogId::kPosition});
  EXPECT_EQ(ui_.messages,
            std::vector<std::string>{"A new  NavAid was created at N42 34.6, W12 24.5"});
  EXPECT_EQ(tmp_.Read(kBgl).size(), 246u);
}

TEST_F(CommandFlows, CreateOfEachTypeWritesItsFile) {
  struct Case {
    int radio;
    DialogId dialog;
    NavAidEntry values;
    std::size_t size;
    const char* message;
  } cases[] = {
      {kNdbButton, DialogId::kNdb, NdbValues(), 228,
       "A new NDB NavAid was created at N42 34.6, W12 24.5"},
      {kVorButton, DialogId::kVor, VorValues(), 246,
       "A new VOR NavAid was created at N42 34.6, W12 24.5"},
      {kIlsButton, DialogId::kIls, VorValues(), 246,
       "A new ILS NavAid was created at N42 34.6, W12 24.5"},
  };
  for (const Case& c : cases) {
    ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", c.radio));
    ui_.Ok(c.dialog, Typed(c.dialog, c.values));
    window_.CreateNavAid();
    EXPECT_EQ(ui_.opened.back(), c.dialog);
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_EQ(ui_.messages.back(), c.message);
    EXPECT_EQ(tmp_.Read(kBgl).size(), c.size) << c.message;
    EXPECT_NE(tmp_.Read("orlith.log").find("Type of NavAid: " + window_.entry().navAidType),
              std::string::npos);
  }
  EXPECT_EQ(Config().find("Exclude="), std::string::npos);  // Create adds no switch
}

TEST_F(CommandFlows, EntryTextsCarryOverBetweenCommands) {
  ui_.Ok(DialogId::kPosition, PositionTyped(" n 42 34.6", "W12 24.5 ", kNdbButton));
  ui_.Ok(DialogId::kNdb, Typed(DialogId::kNdb, NdbValues()));
  window_.CreateNavAid();
  // The next command opens with the stored texts and no type button; OK at once keeps them all.
  ui_.Ok(DialogId::kPosition, PositionTyped(" n 42 34.6", "W12 24.5 "));
  ui_.Ok(DialogId::kNdb, Typed(DialogId::kNdb, NdbValues()));
  window_.ModifyNavAid();
  ASSERT_EQ(ui_.shown.size(), 4u);
  EXPECT_EQ(ui_.shown[2], PositionTyped(" n 42 34.6", "W12 24.5 "));
  EXPECT_EQ(ui_.shown[3].edits.at(1013), "350");
  EXPECT_EQ(ui_.messages.back(), "An existing NDB NavAid at  n 42 34.6, W12 24.5  was modified");
  // A VOR after the NDB opens with the NDB's kHz frequency, range, altitude, ID and name.
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kVorButton));
  ui_.Cancel(DialogId::kVor);
  window_.CreateNavAid();
  DialogTexts vor = ui_.shown.back();
  EXPECT_EQ(vor.edits.at(1008), "350");
  EXPECT_EQ(vor.edits.at(1009), "25");
  EXPECT_EQ(vor.edits.at(1012), "TEST NDB");
  EXPECT_EQ(vor.edits.at(1005), "");
  EXPECT_TRUE(ui_.scriptUsedUp());
}

TEST_F(CommandFlows, ModifyAddsTheSwitchBeforeAskingForParameters) {
  bool switch_there = false;
  ui_.onOpen = [&](DialogId id) {
    if (id == DialogId::kVor)
      switch_there = EndsWith(Config(), std::string(kExcludeAt) + "vors\r\n");
  };
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kVorButton));
  ui_.Ok(DialogId::kVor, Typed(DialogId::kVor, VorValues()));
  window_.ModifyNavAid();
  EXPECT_TRUE(switch_there);
  EXPECT_EQ(ui_.messages,
            std::vector<std::string>{"An existing VOR NavAid at N42 34.6, W12 24.5 was modified"});
  EXPECT_EQ(tmp_.Read(kBgl).size(), 246u);
  std::string log = tmp_.Read("orlith.log");
  EXPECT_LT(log.find("Exclusion switch was added for VOR and ILS NavAids at N42 34.6, W12 24.5"),
            log.find("The file N42 34_6__W12 24_5.bgl was created"));
}

TEST_F(CommandFlows, CancelInPositionWritesNothingF9) {
  // The first command's Cancel no longer ends the program with the input error.
  void (MainWindow::*commands[])() = {&MainWindow::DeleteNavAid, &MainWindow::CreateNavAid,
                                      &MainWindow::ModifyNavAid};
  for (auto command : commands) {
    ui_.Cancel(DialogId::kPosition);
    (window_.*command)();
    EXPECT_EQ(window_.last_outcome(), CommandOutcome::kCancelled);
  }
  EXPECT_FALSE(ui_.fatal);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Config(), kConfig);
  EXPECT_FALSE(tmp_.Exists("scenery.org"));
  EXPECT_FALSE(tmp_.Exists("orlith.log"));
}

TEST_F(CommandFlows, CancelAfterAPositionRepeatsNothingF9) {
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kNdbButton));
  window_.DeleteNavAid();
  std::string config = Config(), log = tmp_.Read("orlith.log");
  ui_.Cancel(DialogId::kPosition);
  window_.DeleteNavAid();
  EXPECT_EQ(Config(), config);
  EXPECT_EQ(tmp_.Read("orlith.log"), log);
  EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(CommandFlows, CancelInCreatesParameterDialogWritesNoFileF9) {
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kIlsButton));
  ui_.Cancel(DialogId::kIls);
  window_.CreateNavAid();
  EXPECT_EQ(window_.last_outcome(), CommandOutcome::kCancelled);
  EXPECT_FALSE(tmp_.Exists(kBgl));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(CommandFlows, CancelInModifysParameterDialogKeepsTheSwitchF9) {
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kNdbButton));
  ui_.Cancel(DialogId::kNdb);
  window_.ModifyNavAid();
  EXPECT_TRUE(EndsWith(Config(), std::string(kExcludeAt) + "ndbs\r\n"));
  EXPECT_FALSE(tmp_.Exists(kBgl));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"The exclusion switch was added at N42 34.6, "
                                                   "W12 24.5; no scenery file was written"});
}

TEST_F(CommandFlows, BadCoordinateEndsWithInputErrorBeforeAnyWrite) {
  struct Case {
    const char *latitude, *longitude;
  } cases[] = {{"N42", "W12 24.5"},
               {"E42 34.6", "W12 24.5"},
               {"N42 34.6", "N12 24.5"},
               {"", ""},
               {"X1 2", "Y3 4"}};
  for (const Case& c : cases) {
    ScriptedFrontEnd ui;
    MainWindow window(ui, WorkFolder{tmp_.path(), &env_}, Dec6);
    ui.Ok(DialogId::kPosition, PositionTyped(c.latitude, c.longitude, kVorButton));
    window.ModifyNavAid();  // the scripted front end fails a second fatal ending or any message
    ASSERT_TRUE(ui.fatal) << c.latitude << " / " << c.longitude;
    EXPECT_EQ(ui.fatal->message, "Input Error - Program terminates!");
    EXPECT_EQ(ui.fatal->status, 8);
    EXPECT_EQ(window.last_outcome(), CommandOutcome::kEnded);
    EXPECT_EQ(window.entry().latitude, c.latitude);  // stored before the check
    EXPECT_EQ(window.entry().navAidType, "VOR");
  }
  EXPECT_EQ(Config(), kConfig);
  EXPECT_FALSE(tmp_.Exists("scenery.org"));
  EXPECT_FALSE(tmp_.Exists("orlith.log"));
}

TEST_F(CommandFlows, MissingConfigEndsBeforeAnyDialog) {
  TempFolder empty;
  MainWindow window(ui_, WorkFolder{empty.path(), &env_}, Dec6);
  window.CreateNavAid();
  ASSERT_TRUE(ui_.fatal);
  EXPECT_EQ(ui_.fatal->message, "File scenery.cfg not found!");
  EXPECT_EQ(ui_.fatal->status, 1);
  EXPECT_TRUE(ui_.opened.empty());
  EXPECT_FALSE(empty.Exists("orlith.log"));
  EXPECT_FALSE(empty.Exists("scenery.cfg"));
}

TEST_F(CommandFlows, FileErrorStopsTheCommandAndNamesTheFileF1) {
  struct Case {
    FaultOp op;
    const char* file;
    const char* named;  // the file the message names
    bool backup_made;
  } cases[] = {
      {FaultOp::kOpenForWriting, "scenery.org.tmp", "scenery.org", false},
      {FaultOp::kAppend, "scenery.cfg", "scenery.cfg", true},
      {FaultOp::kOpenForWriting, kBgl, kBgl, true},
  };
  for (const Case& c : cases) {
    TempFolder tmp;
    tmp.Write("scenery.cfg", kConfig);
    FaultEnv env;
    env.Add({c.op, c.file, "No space left on device"});
    ScriptedFrontEnd ui;
    MainWindow window(ui, WorkFolder{tmp.path(), &env}, Dec6);
    ui.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kVorButton));
    ui.Ok(DialogId::kVor, Typed(DialogId::kVor, VorValues()));
    window.ModifyNavAid();
    EXPECT_EQ(window.last_outcome(), CommandOutcome::kFileError) << c.file;
    EXPECT_TRUE(ui.messages.empty()) << c.file;  // no success message
    ASSERT_EQ(ui.errors.size(), 1u) << c.file;
    EXPECT_TRUE(ui.errors[0].starts_with("Error with file ")) << ui.errors[0];
    EXPECT_NE(ui.errors[0].find(std::string(c.named) + ": No space left on device. The command was "
                                                       "stopped."),
              std::string::npos)
        << ui.errors[0];
    EXPECT_EQ(tmp.Exists("scenery.org"), c.backup_made) << c.file;
    EXPECT_FALSE(tmp.Exists(kBgl) && tmp.Read(kBgl).size() == 246u) << c.file;
  }
}

TEST_F(CommandFlows, UnwritableLogIsNamedInTheLastMessageF1) {
  env_.Add({FaultOp::kOpenForAppending, "orlith.log", "Read-only file system"});
  ui_.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kNdbButton));
  window_.DeleteNavAid();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(
      ui_.messages[0].starts_with("All NDB NavAids at N42 34.6, W12 24.5 are deleted! "
                                  "(The log could not be written: "))
      << ui_.messages[0];
  EXPECT_TRUE(ui_.messages[0].ends_with("orlith.log: Read-only file system.)")) << ui_.messages[0];
  EXPECT_TRUE(EndsWith(Config(), std::string(kExcludeAt) + "ndbs\r\n"));
}

}  // namespace
}  // namespace orlith
