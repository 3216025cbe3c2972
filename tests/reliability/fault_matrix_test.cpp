// The fault matrix: every open, read, write, flush, close and rename of scenery.cfg, scenery.org,
// the scenery file and the log is made to fail in turn, in each of the three commands. After
// each, nothing that was on disk is lost, the user is told which file failed, and neither a log
// entry nor a message claims what did not happen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/navaid_entry.h"
#include "scenery_config/operations_log.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_reader.h"
#include "scenery_file/navaid_writer.h"
#include "test_support/fault_env.h"
#include "test_support/test_support.h"
#include "ui/command_flows.h"
#include "ui/messages.h"
#include "ui/scripted_front_end.h"

namespace orlith::testing {
namespace {

constexpr char kOldConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.123]\r\nTitle=Default Terrain\r\n"
    "Local=Scenery\\World\r\nLayer=123\r\n";
constexpr char kOldBackup[] = "the backup of an earlier day\r\n";
constexpr char kOldLog[] = "\r\nan entry of an earlier day\r\n";
constexpr char kLatitude[] = "N42 34.6";
constexpr char kLongitude[] = "W12 24.5";
constexpr char kSceneryFile[] = "N42 34_6__W12 24_5.bgl";

enum class Command { kDelete, kCreate, kModify };

// What a cell leads to:
// '-' the command does not do this operation on this file, and succeeds;
// 'S' the command stops and shows the error naming the file; no success message;
// 'L' the command is done, and its message adds that the log (orlith.log) could not be written.
struct Row {
  FaultOp op;
  const char* file;
  const char* outcomes;  // Delete, Create, Modify
};

// The table the README shows. scenery.org stands for the backup and for the copy that is
// renamed over it.
constexpr Row kMatrix[] = {
    {FaultOp::kOpenForReading, "scenery.cfg", "SSS"},
    {FaultOp::kRead, "scenery.cfg", "SSS"},
    {FaultOp::kReadTail, "scenery.cfg", "S-S"},
    {FaultOp::kOpenForAppending, "scenery.cfg", "SSS"},
    {FaultOp::kAppend, "scenery.cfg", "SSS"},
    {FaultOp::kFlush, "scenery.cfg", "SSS"},
    {FaultOp::kClose, "scenery.cfg", "SSS"},
    {FaultOp::kRename, "scenery.cfg", "---"},
    {FaultOp::kOpenForWriting, "scenery.org", "SSS"},
    {FaultOp::kAppend, "scenery.org", "SSS"},
    {FaultOp::kFlush, "scenery.org", "---"},
    {FaultOp::kClose, "scenery.org", "SSS"},
    {FaultOp::kRename, "scenery.org", "SSS"},
    {FaultOp::kOpenForWriting, kSceneryFile, "-SS"},
    {FaultOp::kOpenForAppending, kSceneryFile, "-SS"},
    {FaultOp::kAppend, kSceneryFile, "-SS"},
    {FaultOp::kFlush, kSceneryFile, "---"},
    {FaultOp::kClose, kSceneryFile, "-SS"},
    {FaultOp::kRename, kSceneryFile, "---"},
    {FaultOp::kOpenForAppending, "orlith.log", "LLL"},
    {FaultOp::kAppend, "orlith.log", "LLL"},
    {FaultOp::kFlush, "orlith.log", "LLL"},
    {FaultOp::kClose, "orlith.log", "LLL"},
    {FaultOp::kRename, "orlith.log", "---"},
};

struct Cell {
  Row row;
  Command command;
  char outcome;
};

const char* OpName(FaultOp op) {
  switch (op) {
    case FaultOp::kOpenForReading:
      return "OpenForReading";
    case FaultOp::kOpenForWriting:
      return "OpenForWriting";
    case FaultOp::kOpenForAppending:
      return "OpenForAppending";
    case FaultOp::kRead:
      return "Read";
    case FaultOp::kAppend:
      return "Write";
    case FaultOp::kFlush:
      return "Flush";
    case FaultOp::kClose:
      return "Close";
    case FaultOp::kRename:
      return "Rename";
    case FaultOp::kRemove:
      return "Remove";
    case FaultOp::kReadTail:
      return "ReadEnd";
  }
  return "?";
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
  static const char* const kCommands[] = {"Delete", "Create", "Modify"};
  std::string file = info.param.row.file;
  std::string name = file == kSceneryFile    ? "SceneryFile"
                     : file == "orlith.log"  ? "Log"
                     : file == "scenery.cfg" ? "Config"
                                             : "Backup";
  return std::string(kCommands[static_cast<int>(info.param.command)]) + "_" +
         OpName(info.param.row.op) + "_" + name;
}

std::vector<Cell> AllCells() {
  std::vector<Cell> cells;
  for (const Row& row : kMatrix) {
    for (int c = 0; c < 3; ++c) cells.push_back({row, static_cast<Command>(c), row.outcomes[c]});
  }
  return cells;
}

std::string CrLfCopy(std::string text) {
  std::string copy;
  for (;;) {
    std::size_t lf = text.find('\n');
    std::string line = text.substr(0, lf);
    if (lf != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    copy += line + "\r\n";
    if (lf == std::string::npos) return copy;
    text.erase(0, lf + 1);
  }
}

class FaultMatrix : public ::testing::TestWithParam<Cell> {};

TEST_P(FaultMatrix, NothingLostFileNamedNoFalseClaim) {
  const Cell& cell = GetParam();
  TempFolder dir;
  dir.Write("scenery.cfg", kOldConfig);
  dir.Write("scenery.org", kOldBackup);
  dir.Write("orlith.log", kOldLog);

  FaultEnv env;
  // scenery.cfg is opened and read once by the check at the start of every command; the fault
  // is meant for the work after it.
  const bool after_check =
      cell.row.file == std::string("scenery.cfg") &&
      (cell.row.op == FaultOp::kOpenForReading || cell.row.op == FaultOp::kRead);
  env.Add({cell.row.op, cell.row.file, "Input/output error", Status::Kind::kIoError,
           after_check ? 1 : 0});
  if (cell.row.file == std::string("scenery.org")) {
    env.Add({cell.row.op, kSceneryBackupTempName});
  }

  ScriptedFrontEnd fe;
  fe.Ok(DialogId::kPosition, PositionTyped(kLatitude, kLongitude, 1005));
  if (cell.command != Command::kDelete) {
    fe.Ok(DialogId::kVor, {{{1008, "113.90"},
                            {1009, "40"},
                            {1010, "200"},
                            {1005, "-3"},
                            {1006, "1"},
                            {1011, "XYZ"},
                            {1012, "TEST VOR"}},
                           0});
  }
  CommandSession session{fe, WorkFolder{dir.path(), &env},
                         [] {
                           std::tm date{};
                           date.tm_mday = 6;
                           date.tm_mon = 11;
                           date.tm_year = 126;
                           return date;
                         },
                         Status()};
  NavAidEntry entry;
  CommandOutcome outcome = cell.command == Command::kDelete   ? DeleteNavAidFlow(session, entry)
                           : cell.command == Command::kCreate ? CreateNavAidFlow(session, entry)
                                                              : ModifyNavAidFlow(session, entry);

  int used = env.Count(cell.row.op, cell.row.file);
  if (cell.row.file == std::string("scenery.org")) {
    used += env.Count(cell.row.op, kSceneryBackupTempName);
  }
  EXPECT_EQ(used > (after_check ? 1 : 0), cell.outcome != '-') << "operations made: " << used;
  EXPECT_FALSE(fe.fatal.has_value());

  // Nothing lost: scenery.cfg and the log only grew, scenery.org is one whole backup.
  const std::string cfg = dir.Read("scenery.cfg");
  const std::string backup = dir.Read("scenery.org");
  const std::string log = dir.Read("orlith.log");
  EXPECT_EQ(cfg.substr(0, sizeof kOldConfig - 1), kOldConfig);
  EXPECT_TRUE(backup == kOldBackup || backup == CrLfCopy(kOldConfig)) << backup;
  EXPECT_FALSE(dir.Exists(kSceneryBackupTempName));
  ASSERT_EQ(log.substr(0, sizeof kOldLog - 1), kOldLog);
  const std::string new_log = log.substr(sizeof kOldLog - 1);

  // What the user was told.
  NavAidEntry shown = entry;
  const std::string success = cell.command == Command::kDelete   ? DeletedMessage(shown)
                              : cell.command == Command::kCreate ? CreatedMessage(shown)
                                                                 : ModifiedMessage(shown);
  switch (cell.outcome) {
    case '-':
      EXPECT_EQ(outcome, CommandOutcome::kDone);
      EXPECT_EQ(fe.messages, std::vector<std::string>{success});
      EXPECT_TRUE(fe.errors.empty());
      break;
    case 'S':
      EXPECT_EQ(outcome, CommandOutcome::kFileError);
      EXPECT_TRUE(fe.messages.empty()) << fe.messages.front();
      ASSERT_EQ(fe.errors.size(), 1u);
      EXPECT_NE(fe.errors[0].find("Error with file " + dir.File(cell.row.file) + ": "),
                std::string::npos)
          << fe.errors[0];
      break;
    case 'L':
      EXPECT_EQ(outcome, CommandOutcome::kDone);
      ASSERT_EQ(fe.messages.size(), 1u);
      EXPECT_EQ(fe.messages[0].rfind(success, 0), 0u) << fe.messages[0];
      EXPECT_NE(fe.messages[0].find("The log could not be written: " + dir.File("orlith.log")),
                std::string::npos)
          << fe.messages[0];
      break;
  }

  // Every claim, in the log or in a message, holds on disk.
  const bool success_shown = !fe.messages.empty() && fe.messages[0].rfind(success, 0) == 0;
  const bool has_block = cfg.find("\r\nTitle=Navigational Updates\r\n") != std::string::npos;
  const bool has_switch = cfg.find("\r\nExclude=") != std::string::npos;
  DecodedNavAid navaid;
  std::string why;
  const bool file_whole = DecodeNavAidFile(dir.Read(kSceneryFile), &navaid, &why);
  // The simulator reads every scenery file in its folder: none is ever left half written.
  if (dir.Exists(kSceneryFile)) {
    EXPECT_TRUE(file_whole) << why;
  }
  if (new_log.find("copied to SCENERY.ORG") != std::string::npos || success_shown) {
    EXPECT_EQ(backup, CrLfCopy(kOldConfig));
  }
  if (new_log.find("was added to the file SCENERY.CFG") != std::string::npos || success_shown) {
    EXPECT_TRUE(has_block);
  }
  if (new_log.find("Exclusion switch was added") != std::string::npos ||
      (success_shown && cell.command != Command::kCreate)) {
    EXPECT_TRUE(has_switch);
  }
  if (new_log.find("was created with the following data") != std::string::npos ||
      (success_shown && cell.command != Command::kDelete)) {
    EXPECT_TRUE(file_whole) << why;
  }
}

// A section that cannot be appended used to leave the 176 header bytes alone in the folder, a
// file the simulator would read as a NavAid section that is not there.
TEST(SceneryFileFault, FailedSectionLeavesNoHeaderOnlyFile) {
  TempFolder dir;
  dir.Write("scenery.cfg", kOldConfig);
  FaultEnv env;
  env.Add({FaultOp::kOpenForAppending, kSceneryFile, "No space left on device"});
  ScriptedFrontEnd fe;
  fe.Ok(DialogId::kPosition, PositionTyped(kLatitude, kLongitude, 1007));
  fe.Ok(DialogId::kNdb, {{{1013, "350"}, {1014, "25"}, {1002, "100"}, {1003, "ABC"}}, 0});
  CommandSession session{fe, WorkFolder{dir.path(), &env}, {}, Status()};
  NavAidEntry entry;
  EXPECT_EQ(CreateNavAidFlow(session, entry), CommandOutcome::kFileError);
  EXPECT_EQ(env.Count(FaultOp::kOpenForWriting, kSceneryFile), 1);
  EXPECT_FALSE(dir.Exists(kSceneryFile));
  ASSERT_EQ(fe.errors.size(), 1u);
  EXPECT_EQ(fe.errors[0], "Error with file " + dir.File(kSceneryFile) +
                              ": No space left on device. The command was stopped.");
}

INSTANTIATE_TEST_SUITE_P(EveryCell, FaultMatrix, ::testing::ValuesIn(AllCells()), CellName);

}  // namespace
}  // namespace orlith::testing
