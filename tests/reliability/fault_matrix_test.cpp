// The fault matrix: every open, read, rewind, write, flush, sync, close and rename of
// scenery.cfg, scenery.org, the scenery file and the log, and the lock and sync of the folder, is
// made to fail in turn, in each of the three commands. After each, nothing that was on disk is
// lost, the user is told which file failed, and neither a log entry nor a message claims what did
// not happen.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_flows.h"
#include "app/take_back.h"
#include "app/in_effect.h"
#include "app/messages.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_reader.h"
#include "test_support/fault_env.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/dialog_logic.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith::testing {
namespace {

constexpr char kOldConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.123]\r\nTitle=Default Terrain\r\n"
    "Local=Scenery\\World\r\nLayer=123\r\n";
constexpr char kOldBackup[] = "the backup of an earlier day\r\n";
constexpr char kOldLog[] = "\r\nan entry of an earlier day\r\n";
constexpr const char* kSceneryFile = testing::kExampleFile;
constexpr char kFolder[] = "folder";
const NavAidEntry& kVor = testing::kExampleVorParameters;

// Outcomes per command (Delete, Create, Modify): '-' the command does not do this operation on
// this file and succeeds; 'S' it stops and shows the error naming the file, with no success
// message; 'L' it is done, and its message adds that orlith.log could not be written.
// scenery.org stands for the backup and for the copy that is renamed over it, the scenery file
// likewise; "folder" for the simulator folder.
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
    {FaultOp::kSync, "scenery.cfg", "SSS"},
    {FaultOp::kOpenForWriting, "scenery.org", "SSS"}, {FaultOp::kAppend, "scenery.org", "SSS"},
    {FaultOp::kFlush, "scenery.org", "---"}, {FaultOp::kClose, "scenery.org", "SSS"},
    {FaultOp::kRename, "scenery.org", "SSS"}, {FaultOp::kSync, "scenery.org", "SSS"},
    {FaultOp::kOpenForWriting, kSceneryFile, "-SS"},
    {FaultOp::kOpenForAppending, kSceneryFile, "---"}, {FaultOp::kAppend, kSceneryFile, "-SS"},
    {FaultOp::kFlush, kSceneryFile, "---"}, {FaultOp::kClose, kSceneryFile, "-SS"},
    {FaultOp::kRename, kSceneryFile, "-SS"}, {FaultOp::kSync, kSceneryFile, "---"},
    {FaultOp::kOpenForAppending, "orlith.log", "LLL"},
    {FaultOp::kAppend, "orlith.log", "LLL"}, {FaultOp::kFlush, "orlith.log", "LLL"},
    {FaultOp::kClose, "orlith.log", "LLL"}, {FaultOp::kRename, "orlith.log", "---"},
    {FaultOp::kSync, "orlith.log", "---"}, {FaultOp::kFileSize, "orlith.log", "LLL"},
    {FaultOp::kFileSize, "scenery.cfg", "SSS"}, {FaultOp::kTruncate, "scenery.cfg", "---"},
    {FaultOp::kLock, kFolder, "SSS"}, {FaultOp::kSyncFolder, kFolder, "SSS"},
    {FaultOp::kRewind, "scenery.cfg", "---"}};
// clang-format on

class FaultMatrix : public ::testing::TestWithParam<std::tuple<Row, int>> {};  // command 0 to 2

std::string CellName(const ::testing::TestParamInfo<FaultMatrix::ParamType>& info) {
  static const char* const kCommands[] = {"Delete", "Create", "Modify"};
  // clang-format off
  static const char* const kOps[] = {"OpenForReading", "OpenForWriting", "OpenForAppending",
      "Read", "Write", "Flush", "Close", "Rename", "Remove", "ReadEnd", "Size", "Truncate",
      "Sync", "SyncFolder", "Lock", "CheckPath", "CreateFolders", "Rewind"};
  const auto& [row, command] = info.param;
  const std::string f = row.file;
  const char* file = f == kSceneryFile ? "_SceneryFile" : f == "orlith.log" ? "_Log"
                     : f == "scenery.cfg" ? "_Config" : f == kFolder ? "_Folder" : "_Backup";
  // clang-format on
  return std::string(kCommands[command]) + "_" + kOps[static_cast<int>(row.op)] + file;
}

// Answers the Position dialog (VOR at N42 34.6, W12 24.5) and, unless Delete, the VOR dialog,
// then runs the command in dir under the folder's lock, as the front ends do.
CommandOutcome RunCommand(int command, const TempFolder& dir, FileEnv& env, FrontEnd& fe,
                          ScriptedFrontEnd& script, NavAidEntry& entry) {
  script.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", 1005));
  if (command != 0) script.Ok(DialogId::kVor, ShownTexts(DialogId::kVor, kVor));
  const WorkFolder folder{dir.path(), &env};
  return WithFolderLock(fe, folder, [&] {
    CommandSession session{fe, folder, Dec6, Status()};
    const auto flows = {DeleteNavAidFlow, CreateNavAidFlow, ModifyNavAidFlow};
    return flows.begin()[command](session, entry);
  });
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
  const std::size_t written =
      (file == "scenery.cfg" || file == "orlith.log") && row.op == FaultOp::kAppend ? 9 : 0;
  FaultEnv env;
  const std::string target = file == kFolder ? dir.path() : file;
  env.Add({row.op, target, "Input/output error", Status::Kind::kIoError, checks, written});
  ScriptedFrontEnd fe;
  NavAidEntry entry;
  const CommandOutcome result = RunCommand(command, dir, env, fe, fe, entry);

  const int used = env.Count(row.op, target);
  EXPECT_EQ(used > checks, outcome != '-') << "operations made: " << used;
  EXPECT_FALSE(fe.fatal.has_value());

  // Nothing lost: scenery.cfg and the log only grew, scenery.org is one whole backup.
  const std::string cfg = dir.Read("scenery.cfg"), backup = dir.Read("scenery.org");
  const std::string log = dir.Read("orlith.log"), new_backup = kOldConfig + std::string("\r\n");
  EXPECT_TRUE(log.ends_with("\r\n")) << log;  // a failed entry is cut back, never left part way
  EXPECT_TRUE(cfg.starts_with(kOldConfig)) << cfg;
  // Its first append fails (or is never made), so it holds exactly its old bytes; a failed read of
  // its end comes after the updates area block was added, its sync after every append.
  if (file == "scenery.cfg" && outcome == 'S' && row.op != FaultOp::kReadTail &&
      row.op != FaultOp::kSync) {
    EXPECT_EQ(cfg, kOldConfig);
  }
  EXPECT_TRUE(backup == kOldBackup || backup == new_backup) << backup;
  EXPECT_TRUE(dir.Temporaries().empty());
  ASSERT_TRUE(log.starts_with(kOldLog)) << log;

  // What the user was told.
  const auto success_of = {DeletedMessage, CreatedMessage, ModifiedMessage};
  const std::string success = success_of.begin()[command](entry);
  if (outcome == 'S') {
    EXPECT_EQ(result, CommandOutcome::kFileError);
    EXPECT_TRUE(fe.messages.empty()) << fe.messages.front();
    // The folder's sync completes the backup's rename, so it is told as scenery.org's failure.
    const std::string named = row.op == FaultOp::kSyncFolder ? dir.File("scenery.org")
                              : file == kFolder              ? dir.path()
                                                             : dir.File(file);
    EXPECT_EQ(fe.errors,
              std::vector<std::string>{"Error with file " + named +
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

// Records how many file operations were made when the message was shown.
struct OrderFrontEnd : ScriptedFrontEnd {
  explicit OrderFrontEnd(const FaultEnv& e) : env(e) {}
  void ShowMessage(const std::string& text) override {
    calls_at_message = static_cast<int>(env.calls().size());
    ScriptedFrontEnd::ShowMessage(text);
  }
  const FaultEnv& env;
  int calls_at_message = -1;
};

// What makes the changes survive a power failure, in its order: the lock first; the backup's
// temporary file synced, renamed, then the folder synced; scenery.cfg synced after its last
// append and before the message that reports it.
TEST(FileOrder, SyncsComeBeforeTheRenameAndTheMessage) {
  for (int command = 0; command < 3; ++command) {
    SCOPED_TRACE(command);
    TempFolder dir;
    dir.Write("scenery.cfg", kOldConfig);
    FaultEnv env;
    OrderFrontEnd fe(env);
    NavAidEntry entry;
    ASSERT_EQ(RunCommand(command, dir, env, fe, fe, entry), CommandOutcome::kDone);
    EXPECT_EQ(env.FirstCall(FaultOp::kLock, dir.path()), 0);
    const int synced = env.FirstCall(FaultOp::kSync, "scenery.org");
    const int renamed = env.FirstCall(FaultOp::kRename, "scenery.org");
    EXPECT_TRUE(0 < synced && synced < renamed &&
                renamed < env.FirstCall(FaultOp::kSyncFolder, dir.path()))
        << synced << " " << renamed;
    const int appended = env.LastCall(FaultOp::kAppend, "scenery.cfg");
    const int config_synced = env.LastCall(FaultOp::kSync, "scenery.cfg");
    EXPECT_TRUE(0 < appended && appended < config_synced && config_synced < fe.calls_at_message)
        << appended << " " << config_synced << " " << fe.calls_at_message;
    EXPECT_EQ(env.Count(FaultOp::kSync, kSceneryFile) + env.Count(FaultOp::kSync, "orlith.log"), 0);
  }
}

// While another holder has the folder's lock a command waits, then gives up naming the folder,
// without running; once the lock is free it runs.
TEST(FolderLock, ABusyFolderStopsTheCommandUnrun) {
  TempFolder dir;
  std::unique_ptr<FolderLock> other;
  ASSERT_TRUE(DefaultFileEnv()->TryLockFolder(dir.path(), &other).ok());
  ASSERT_NE(other, nullptr);
  ScriptedFrontEnd fe;
  int runs = 0;
  auto command = [&] {
    ++runs;
    return CommandOutcome::kDone;
  };
  const WorkFolder folder{dir.path()};
  EXPECT_EQ(WithFolderLock(fe, folder, command, 50), CommandOutcome::kFileError);
  EXPECT_EQ(runs, 0);
  const std::string named = std::filesystem::path(dir.path()).lexically_normal().string();
  EXPECT_EQ(fe.errors, std::vector<std::string>{"Another Orlith is working in the folder " + named +
                                                ". The command was stopped."});
  other.reset();
  EXPECT_EQ(WithFolderLock(fe, folder, command, 50), CommandOutcome::kDone);
  EXPECT_EQ(runs, 1);
}

// What is in effect is read through the file access alone, so every read of it can fail: the
// failure names the file or folder, and nothing is told as if it were all.
TEST(FaultMatrix, ReadingWhatIsInEffect) {
  TempFolder dir;
  dir.Write("scenery.cfg", std::string(kBaseConfig) + "\r\n" + UpdatesBlock("124") +
                               "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n");
  std::filesystem::create_directory(dir.File("upd"));
  dir.Write("upd/" + std::string(kSceneryFile), NavAidExamples()[1].file);
  const struct {
    FaultOp op;
    std::string file, named;
  } rows[] = {
      {FaultOp::kOpenForReading, "scenery.cfg", dir.File("scenery.cfg")},
      {FaultOp::kRead, "scenery.cfg", dir.File("scenery.cfg")},
      {FaultOp::kListFolder, dir.path(), "."},
      {FaultOp::kIsFolder, dir.File("upd"), "upd/"},
      {FaultOp::kListFolder, dir.File("upd"), "upd/"},
      {FaultOp::kOpenForReading, kSceneryFile, "upd/" + std::string(kSceneryFile)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    FaultEnv env;
    env.Add({row.op, row.file});
    InEffect in_effect;
    const Status s = ReadInEffect(WorkFolder{dir.path(), &env, "upd"}, &in_effect);
    EXPECT_EQ(s.ToString(), row.named + ": Input/output error");
  }
  FaultEnv env;
  InEffect in_effect;
  ASSERT_TRUE(ReadInEffect(WorkFolder{dir.path(), &env, "upd"}, &in_effect).ok());
  ASSERT_EQ(in_effect.switches.size(), 1u);
  EXPECT_TRUE(in_effect.switches[0].updatesBlock);
  EXPECT_EQ(in_effect.files.size(), 1u);
  EXPECT_EQ(env.Count(FaultOp::kAppend, "scenery.cfg") + env.Count(FaultOp::kRename, "scenery.cfg"),
            0);
}

// remove --all and restore (by copies and renames, so each of its steps can fail) with each
// operation failing: scenery.cfg and scenery.org are each their old file or the new one, whole,
// no temporary file is left, the failure names its file, and what the log tells holds on disk.
TEST(FaultMatrix, TakingAChangeBack) {
  const std::string cfg = std::string(kBaseConfig) + "\r\n" + UpdatesBlock("124");
  const std::string old_cfg = cfg + "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n";
  const std::string shown = "upd/" + std::string(kSceneryFile);
  const struct {
    FaultOp op;
    const char* file;
    const char* outcomes;  // remove, restore: as in kMatrix
  } rows[] = {
      {FaultOp::kOpenForReading, "scenery.cfg", "SS"}, {FaultOp::kRead, "scenery.cfg", "SS"},
      {FaultOp::kClose, "scenery.cfg", "SS"}, {FaultOp::kOpenForWriting, "scenery.cfg", "SS"},
      {FaultOp::kAppend, "scenery.cfg", "SS"}, {FaultOp::kSync, "scenery.cfg", "SS"},
      {FaultOp::kRename, "scenery.cfg", "SS"}, {FaultOp::kExchange, "scenery.cfg", "-S"},
      {FaultOp::kOpenForReading, "scenery.org", "-S"}, {FaultOp::kFileSize, "scenery.org", "-S"},
      {FaultOp::kOpenForWriting, "scenery.org", "SS"}, {FaultOp::kAppend, "scenery.org", "SS"},
      {FaultOp::kSync, "scenery.org", "SS"}, {FaultOp::kRename, "scenery.org", "SS"},
      {FaultOp::kSyncFolder, kFolder, "SS"}, {FaultOp::kRemove, kSceneryFile, "S-"},
      {FaultOp::kOpenForAppending, "orlith.log", "LL"}, {FaultOp::kAppend, "orlith.log", "LL"},
  };
  for (const auto& row : rows) {
    for (int command = 0; command < 2; ++command) {
      SCOPED_TRACE(std::string(row.file) + " " + std::to_string(static_cast<int>(row.op)) +
                   (command == 0 ? " remove" : " restore"));
      TempFolder dir;
      dir.Write("scenery.cfg", old_cfg);
      dir.Write("scenery.org", kOldBackup);
      dir.Write("orlith.log", kOldLog);
      std::filesystem::create_directory(dir.File("upd"));
      dir.Write(shown, NavAidExamples()[1].file);
      FaultEnv env;
      env.exchangeByRenames = true;
      const std::string target = row.file == std::string(kFolder) ? dir.path() : row.file;
      env.Add({row.op, target});
      const WorkFolder folder{dir.path(), &env, "upd"};
      Status log;
      int removed = 0;
      const Status s = command == 0 ? ApplyRemoval(folder, RemoveSelection{}, Dec6(),
                                                   [](auto*, auto*) {}, &removed, &log)
                                    : RestoreBackup(folder, Dec6(), &log);
      const char outcome = row.outcomes[command];
      const std::string now = dir.Read("scenery.cfg"), backup = dir.Read("scenery.org");
      const std::string logged = dir.Read("orlith.log");
      EXPECT_TRUE(dir.Temporaries().empty());
      EXPECT_TRUE(logged.starts_with(kOldLog) && logged.ends_with("\r\n"));
      if (outcome == '-') {
        EXPECT_EQ(env.Count(row.op, target), 0);
      }
      EXPECT_EQ(s.ok(), outcome != 'S') << s.ToString();
      EXPECT_EQ(log.ok(), outcome != 'L') << log.ToString();
      if (outcome == 'S') {
        const std::string named = row.op == FaultOp::kRemove ? shown
                                  : row.file != std::string(kFolder) ? dir.File(row.file)
                                  : dir.File(command == 0 ? "scenery.org" : "scenery.cfg");
        EXPECT_EQ(s.file(), named);
      }
      if (command == 1) {
        // A failed sync of the folder comes after the exchange.
        const bool exchanged = outcome != 'S' || row.op == FaultOp::kSyncFolder;
        EXPECT_EQ(now, exchanged ? kOldBackup : old_cfg);
        EXPECT_EQ(backup, exchanged ? old_cfg : kOldBackup);
        continue;
      }
      EXPECT_TRUE(now == old_cfg || now == cfg) << now;
      EXPECT_TRUE(backup == kOldBackup || backup == old_cfg + "\r\n") << backup;
      // The backup comes first, the files after scenery.cfg; the log tells only what was done.
      const bool cfg_told = logged.find("was removed from SCENERY.CFG") != logged.npos;
      const bool file_told = logged.find("The file " + shown + " was removed") != logged.npos;
      EXPECT_TRUE(now != cfg || backup == old_cfg + "\r\n");
      EXPECT_TRUE(dir.Exists(shown) || now == cfg);
      EXPECT_TRUE(!cfg_told || now == cfg);
      EXPECT_TRUE(!file_told || !dir.Exists(shown));
      if (outcome != 'S') {
        EXPECT_EQ(removed, 2);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCell, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kMatrix), ::testing::Range(0, 3)),
                         CellName);

}  // namespace
}  // namespace orlith::testing
