// The fault matrix: every open, read, write, flush, close and rename of scenery.cfg, scenery.org,
// the scenery file and the log is made to fail in turn, in each of the three commands. After
// each, nothing that was on disk is lost, the user is told which file failed, and neither a log
// entry nor a message claims what did not happen.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_reader.h"
#include "test_support/fault_env.h"
#include "test_support/test_support.h"
#include "ui/command_flows.h"
#include "ui/dialog_logic.h"
#include "ui/messages.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith::testing {
namespace {

constexpr char kOldConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.123]\r\nTitle=Default Terrain\r\n"
    "Local=Scenery\\World\r\nLayer=123\r\n";
constexpr char kOldBackup[] = "the backup of an earlier day\r\n";
constexpr char kOldLog[] = "\r\nan entry of an earlier day\r\n";
constexpr char kSceneryFile[] = "N42 34_6__W12 24_5.bgl";
const NavAidEntry kVor{"", "", "", "113.90", "40", "200", "-3", "1", "", "", "XYZ", "TEST VOR"};

// Outcomes per command (Delete, Create, Modify): '-' the command does not do this operation on
// this file and succeeds; 'S' it stops and shows the error naming the file, with no success
// message; 'L' it is done, and its message adds that orlith.log could not be written.
// scenery.org stands for the backup and for the copy that is renamed over it.
struct Row {
  FaultOp op;
  const char* file;
  const char* outcomes;
};
// clang-format off
constexpr Row kMatrix[] = {
    {FaultOp::kOpenForReading, "scenery.cfg", "SSS"}, {FaultOp::kRead, "scenery.cfg", "SSS"},
    {FaultOp::kReadTail, "scenery.cfg", "S-S"}, {FaultOp::kOpenForAppending, "scenery.cfg", "SSS"},
    {FaultOp::kAppend, "scenery.cfg", "SSS"}, {FaultOp::kFlush, "scenery.cfg", "SSS"},
    {FaultOp::kClose, "scenery.cfg", "SSS"}, {FaultOp::kRename, "scenery.cfg", "---"},
    {FaultOp::kOpenForWriting, "scenery.org", "SSS"}, {FaultOp::kAppend, "scenery.org", "SSS"},
    {FaultOp::kFlush, "scenery.org", "---"}, {FaultOp::kClose, "scenery.org", "SSS"},
    {FaultOp::kRename, "scenery.org", "SSS"}, {FaultOp::kOpenForWriting, kSceneryFile, "-SS"},
    {FaultOp::kOpenForAppending, kSceneryFile, "-SS"}, {FaultOp::kAppend, kSceneryFile, "-SS"},
    {FaultOp::kFlush, kSceneryFile, "---"}, {FaultOp::kClose, kSceneryFile, "-SS"},
    {FaultOp::kRename, kSceneryFile, "---"}, {FaultOp::kOpenForAppending, "orlith.log", "LLL"},
    {FaultOp::kAppend, "orlith.log", "LLL"}, {FaultOp::kFlush, "orlith.log", "LLL"},
    {FaultOp::kClose, "orlith.log", "LLL"}, {FaultOp::kRename, "orlith.log", "---"},
    {FaultOp::kFileSize, "scenery.cfg", "SSS"}, {FaultOp::kTruncate, "scenery.cfg", "---"}};
// clang-format on

class FaultMatrix : public ::testing::TestWithParam<std::tuple<Row, int>> {};  // command 0 to 2

std::string CellName(const ::testing::TestParamInfo<FaultMatrix::ParamType>& info) {
  static const char* const kCommands[] = {"Delete", "Create", "Modify"};
  // clang-format off
  static const char* const kOps[] = {"OpenForReading", "OpenForWriting", "OpenForAppending",
      "Read", "Write", "Flush", "Close", "Rename", "Remove", "ReadEnd", "Size", "Truncate"};
  const auto& [row, command] = info.param;
  const std::string f = row.file;
  const char* file = f == kSceneryFile ? "_SceneryFile" : f == "orlith.log" ? "_Log"
                     : f == "scenery.cfg" ? "_Config" : "_Backup";
  // clang-format on
  return std::string(kCommands[command]) + "_" + kOps[static_cast<int>(row.op)] + file;
}

// Answers the Position dialog (VOR at N42 34.6, W12 24.5) and, unless Delete, the VOR dialog,
// then runs the command in dir.
CommandOutcome RunCommand(int command, const TempFolder& dir, FaultEnv& env, ScriptedFrontEnd& fe,
                          NavAidEntry& entry) {
  fe.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", 1005));
  if (command != 0) fe.Ok(DialogId::kVor, ShownTexts(DialogId::kVor, kVor));
  CommandSession session{fe, WorkFolder{dir.path(), &env}, Dec6, Status()};
  const auto flows = {DeleteNavAidFlow, CreateNavAidFlow, ModifyNavAidFlow};
  return flows.begin()[command](session, entry);
}

TEST_P(FaultMatrix, NothingLostFileNamedNoFalseClaimF1) {
  const auto& [row, command] = GetParam();
  const std::string file = row.file;
  const char outcome = row.outcomes[command];
  TempFolder dir;
  dir.Write("scenery.cfg", kOldConfig);
  dir.Write("scenery.org", kOldBackup);
  dir.Write("orlith.log", kOldLog);
  // Every command first opens and reads scenery.cfg once to check it is there; the fault is meant
  // for the work after that check.
  const int checks =
      file == "scenery.cfg" && (row.op == FaultOp::kOpenForReading || row.op == FaultOp::kRead);
  // A write to scenery.cfg fails as on a full disk: part of its data first reaches the file.
  const std::size_t written = file == "scenery.cfg" && row.op == FaultOp::kAppend ? 9 : 0;
  FaultEnv env;
  env.Add({row.op, file, "Input/output error", Status::Kind::kIoError, checks, written});
  const bool backup_row = file == "scenery.org";
  if (backup_row) env.Add({row.op, kSceneryBackupTempName});
  ScriptedFrontEnd fe;
  NavAidEntry entry;
  const CommandOutcome result = RunCommand(command, dir, env, fe, entry);

  const int used =
      env.Count(row.op, file) + (backup_row ? env.Count(row.op, kSceneryBackupTempName) : 0);
  EXPECT_EQ(used > checks, outcome != '-') << "operations made: " << used;
  EXPECT_FALSE(fe.fatal.has_value());

  // Nothing lost: scenery.cfg and the log only grew, scenery.org is one whole backup.
  const std::string cfg = dir.Read("scenery.cfg"), backup = dir.Read("scenery.org");
  const std::string log = dir.Read("orlith.log"), new_backup = kOldConfig + std::string("\r\n");
  EXPECT_TRUE(cfg.starts_with(kOldConfig)) << cfg;
  // Its first append fails (or is never made), so it holds exactly its old bytes; a failed read of
  // its end comes after the updates area block was added.
  if (file == "scenery.cfg" && outcome == 'S' && row.op != FaultOp::kReadTail) {
    EXPECT_EQ(cfg, kOldConfig);
  }
  EXPECT_TRUE(backup == kOldBackup || backup == new_backup) << backup;
  EXPECT_FALSE(dir.Exists(kSceneryBackupTempName));
  ASSERT_TRUE(log.starts_with(kOldLog)) << log;

  // What the user was told.
  const auto success_of = {DeletedMessage, CreatedMessage, ModifiedMessage};
  const std::string success = success_of.begin()[command](entry);
  if (outcome == 'S') {
    EXPECT_EQ(result, CommandOutcome::kFileError);
    EXPECT_TRUE(fe.messages.empty()) << fe.messages.front();
    EXPECT_EQ(fe.errors,
              std::vector<std::string>{"Error with file " + dir.File(file) +
                                       ": Input/output error. The command was stopped."});
  } else {
    EXPECT_EQ(result, CommandOutcome::kDone);
    EXPECT_TRUE(fe.errors.empty());
    const std::string note =
        " (The log could not be written: " + dir.File("orlith.log") + ": Input/output error.)";
    EXPECT_EQ(fe.messages, std::vector<std::string>{success + (outcome == 'L' ? note : "")});
  }

  // Every claim, in the log or in a message, holds on disk.
  const bool told = !fe.messages.empty() && fe.messages[0].starts_with(success);
  auto logged = [&](const char* text) { return log.find(text, sizeof kOldLog - 1) != log.npos; };
  DecodedNavAid navaid;
  std::string why;
  // The simulator reads every scenery file in its folder: none is ever left half written.
  if (dir.Exists(kSceneryFile) || logged("was created with the following data") ||
      (told && command != 0)) {
    EXPECT_TRUE(DecodeNavAidFile(dir.Read(kSceneryFile), &navaid, &why)) << why;
  }
  if (logged("copied to SCENERY.ORG") || told) {
    EXPECT_EQ(backup, new_backup);
  }
  if (logged("was added to the file SCENERY.CFG") || told) {
    EXPECT_NE(cfg.find("\r\nTitle=Navigational Updates\r\n"), cfg.npos);
  }
  if (logged("Exclusion switch was added") || (told && command != 1)) {
    EXPECT_NE(cfg.find("\r\nExclude="), cfg.npos);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCell, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kMatrix), ::testing::Range(0, 3)),
                         CellName);

}  // namespace
}  // namespace orlith::testing
