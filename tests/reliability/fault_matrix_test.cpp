// The fault matrix: every open, read, rewind, write, flush, sync, close and rename of
// scenery.cfg, scenery.org, the scenery file and the log, and the lock and sync of the folder, is
// made to fail in turn, in each of the three commands. After each, nothing that was on disk is
// lost, the user is told which file failed, and neither a log entry nor a message claims what did
// not happen.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_flows.h"
#include "app/in_effect.h"
#include "app/messages.h"
#include "app/take_back.h"
#include "scenery_file/navaid_reader.h"
#include "test_support/fault_env.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/dialog_logic.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith::testing {
namespace {

using enum FaultOp;

constexpr char kOldBackup[] = "the backup of an earlier day\r\n";
constexpr char kOldLog[] = "\r\nan entry of an earlier day\r\n";
constexpr char kCfg[] = "scenery.cfg";
constexpr char kOrg[] = "scenery.org";
constexpr char kLog[] = "orlith.log";
constexpr const char* kBgl = kExampleFile;
constexpr char kFolder[] = "folder";
// clang-format off
const char* const kOps[] = {"OpenForReading", "OpenForWriting", "OpenForAppending", "Read",
    "Append", "Flush", "Close", "Rename", "Remove", "ReadTail", "FileSize", "Truncate", "Sync",
    "SyncFolder", "Lock", "CheckPath", "CreateFolders", "Rewind", "ListFolder", "IsFolder",
    "Exchange"};
// clang-format on
const char* const kCommands[] = {"Delete", "Create", "Modify"};

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
    {kOpenForReading, kCfg, "SSS"}, {kRead, kCfg, "SSS"}, {kReadTail, kCfg, "SSS"},
    {kOpenForAppending, kCfg, "SSS"}, {kAppend, kCfg, "SSS"}, {kFlush, kCfg, "SSS"},
    {kClose, kCfg, "SSS"}, {kRename, kCfg, "---"}, {kSync, kCfg, "SSS"}, {kRewind, kCfg, "---"},
    {kFileSize, kCfg, "SSS"}, {kTruncate, kCfg, "---"},
    {kOpenForWriting, kOrg, "SSS"}, {kAppend, kOrg, "SSS"}, {kFlush, kOrg, "---"},
    {kClose, kOrg, "SSS"}, {kRename, kOrg, "SSS"}, {kSync, kOrg, "SSS"},
    {kOpenForWriting, kBgl, "-SS"}, {kOpenForAppending, kBgl, "---"}, {kAppend, kBgl, "-SS"},
    {kFlush, kBgl, "---"}, {kClose, kBgl, "-SS"}, {kRename, kBgl, "-SS"}, {kSync, kBgl, "---"},
    {kOpenForAppending, kLog, "LLL"}, {kAppend, kLog, "LLL"}, {kFlush, kLog, "LLL"},
    {kClose, kLog, "LLL"}, {kRename, kLog, "---"}, {kSync, kLog, "---"}, {kFileSize, kLog, "LLL"},
    {kLock, kFolder, "SSS"}, {kSyncFolder, kFolder, "SSS"}};
// clang-format on

// Answers the Position dialog (VOR at N42 34.6, W12 24.5) and, unless Delete, the VOR dialog,
// then runs the command in dir under the folder's lock, as the front ends do.
CommandOutcome RunCommand(int command, const TempFolder& dir, FileEnv& env, ScriptedFrontEnd& fe,
                          NavAidEntry& entry) {
  fe.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", 1005));
  if (command != 0) fe.Ok(DialogId::kVor, ShownTexts(DialogId::kVor, kExampleVorParameters));
  const WorkFolder folder{dir.path(), &env};
  return WithFolderLock(fe, folder, [&] {
    CommandSession session{fe, folder, Dec6, Status()};
    const auto flows = {DeleteNavAidFlow, CreateNavAidFlow, ModifyNavAidFlow};
    return flows.begin()[command](session, entry);
  });
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

void CheckCell(const Row& row, int command) {
  const std::string file = row.file;
  const char outcome = row.outcomes[command];
  TempFolder dir;
  dir.Write(kCfg, kBaseConfig);
  dir.Write(kOrg, kOldBackup);
  dir.Write(kLog, kOldLog);
  // Every command first opens and reads scenery.cfg once to check it is there; the fault is meant
  // for the work after that check.
  const int checks = file == kCfg && (row.op == kOpenForReading || row.op == kRead);
  // A write fails as on a full disk: part of its data first reaches the file.
  const std::size_t written = (file == kCfg || file == kLog) && row.op == kAppend ? 9 : 0;
  const std::string target = file == kFolder ? dir.path() : file;
  FaultEnv env;
  env.Add({row.op, target, "Input/output error", Status::Kind::kIoError, checks, written});
  OrderFrontEnd fe(env);
  NavAidEntry entry;
  const CommandOutcome result = RunCommand(command, dir, env, fe, entry);
  const int used = env.Count(row.op, target);
  EXPECT_EQ(used > checks, outcome != '-') << "operations made: " << used;
  EXPECT_FALSE(fe.fatal.has_value());
  if (outcome == '-') {
    // The fault never met: the order that makes the changes survive a power failure. The lock
    // first; scenery.org synced, renamed, the folder synced; scenery.cfg synced before the message.
    EXPECT_EQ(env.FirstCall(kLock, dir.path()), 0);
    const int synced = env.FirstCall(kSync, kOrg), renamed = env.FirstCall(kRename, kOrg);
    EXPECT_TRUE(0 < synced && synced < renamed && renamed < env.FirstCall(kSyncFolder, dir.path()))
        << synced << " " << renamed;
    const int appended = env.LastCall(kAppend, kCfg), cfg_synced = env.LastCall(kSync, kCfg);
    EXPECT_TRUE(0 < appended && appended < cfg_synced && cfg_synced < fe.calls_at_message)
        << appended << " " << cfg_synced << " " << fe.calls_at_message;
  }

  // Nothing lost: scenery.cfg and the log only grew, scenery.org is one whole backup.
  const std::string cfg = dir.Read(kCfg), backup = dir.Read(kOrg), log = dir.Read(kLog);
  const std::string new_backup = kBaseConfig + std::string("\r\n");
  // A failed log entry is cut back, never left part way.
  EXPECT_TRUE(log.starts_with(kOldLog) && log.ends_with("\r\n")) << log;
  EXPECT_TRUE(cfg.starts_with(kBaseConfig)) << cfg;
  // Its first append fails or is never made, and its sync comes after every append.
  if (file == kCfg && outcome == 'S' && row.op != kSync) {
    EXPECT_EQ(cfg, kBaseConfig);
  }
  EXPECT_TRUE(backup == kOldBackup || backup == new_backup) << backup;
  EXPECT_TRUE(dir.Temporaries().empty());

  // What the user was told. The folder's sync completes the backup's rename, so it is told as
  // scenery.org's failure.
  const auto success_of = {DeletedMessage, CreatedMessage, ModifiedMessage};
  const std::string success = success_of.begin()[command](entry);
  const std::string named = row.op == kSyncFolder ? dir.File(kOrg)
                            : file == kFolder     ? dir.path()
                                                  : dir.File(file);
  const std::string error =
      "Error with file " + named + ": Input/output error. The command was stopped.";
  const std::string note =
      " (The log could not be written: " + dir.File(kLog) + ": Input/output error.)";
  using Texts = std::vector<std::string>;
  const bool stopped = outcome == 'S';
  EXPECT_EQ(result, stopped ? CommandOutcome::kFileError : CommandOutcome::kDone);
  EXPECT_EQ(fe.errors, stopped ? Texts{error} : Texts{});
  EXPECT_EQ(fe.messages, stopped ? Texts{} : Texts{success + (outcome == 'L' ? note : "")});

  // Every claim, in the log or in a message, holds on disk.
  const bool told = !fe.messages.empty() && fe.messages[0].starts_with(success);
  auto logged = [&](const char* text) { return log.find(text, sizeof kOldLog - 1) != log.npos; };
  DecodedNavAid navaid;
  std::string why;
  // The simulator reads every scenery file in its folder: none is ever left half written.
  if (dir.Exists(kBgl) || logged("was created with the following data") || (told && command != 0)) {
    EXPECT_TRUE(DecodeNavAidFile(dir.Read(kBgl), &navaid, &why)) << why;
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

TEST(FaultMatrix, NothingLostFileNamedNoFalseClaimF1) {
  for (const Row& row : kMatrix) {
    for (int command = 0; command < 3; ++command) {
      SCOPED_TRACE(std::string(kCommands[command]) + " " + kOps[int(row.op)] + " " + row.file);
      CheckCell(row, command);
    }
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
  auto command = [&] { return ++runs, CommandOutcome::kDone; };
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

// A change to take back: scenery.cfg with the updates block and one switch, and in upd/ the
// scenery file it belongs to.
const std::string kUpdatesConfig = std::string(kBaseConfig) + "\r\n" + UpdatesBlock("124");
const std::string kChangedConfig =
    kUpdatesConfig + "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n";
const std::string kShown = "upd/" + std::string(kBgl);
void WriteChange(const TempFolder& dir) {
  dir.Write(kCfg, kChangedConfig);
  std::filesystem::create_directory(dir.File("upd"));
  dir.Write(kShown, NavAidExamples()[1].file);
}

// What is in effect is read through the file access alone, so every read of it can fail: the
// failure names the file or folder, and nothing is told as if it were all.
TEST(FaultMatrix, ReadingWhatIsInEffect) {
  TempFolder dir;
  WriteChange(dir);
  const struct {
    FaultOp op;
    std::string file, named;
  } rows[] = {
      {kOpenForReading, kCfg, dir.File(kCfg)}, {kRead, kCfg, dir.File(kCfg)},
      {kListFolder, dir.path(), "."},          {kIsFolder, dir.File("upd"), "upd/"},
      {kListFolder, dir.File("upd"), "upd/"},  {kOpenForReading, kBgl, kShown},
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
  EXPECT_EQ(env.Count(kAppend, kCfg) + env.Count(kRename, kCfg), 0);
}

// remove --all and restore (by copies and renames, so each of its steps can fail) with each
// operation failing: scenery.cfg and scenery.org are each their old file or the new one, whole,
// no temporary file is left, the failure names its file, and what the log tells holds on disk.
TEST(FaultMatrix, TakingAChangeBack) {
  // Outcomes of remove and restore, as in kMatrix.
  // clang-format off
  const Row rows[] = {
      {kOpenForReading, kCfg, "SS"}, {kRead, kCfg, "SS"}, {kClose, kCfg, "SS"},
      {kOpenForWriting, kCfg, "SS"}, {kAppend, kCfg, "SS"}, {kSync, kCfg, "SS"},
      {kRename, kCfg, "SS"}, {kExchange, kCfg, "-S"}, {kOpenForReading, kOrg, "-S"},
      {kFileSize, kOrg, "-S"}, {kOpenForWriting, kOrg, "SS"}, {kAppend, kOrg, "SS"},
      {kSync, kOrg, "SS"}, {kRename, kOrg, "SS"}, {kSyncFolder, kFolder, "SS"},
      {kRemove, kBgl, "S-"}, {kOpenForAppending, kLog, "LL"}, {kAppend, kLog, "LL"}};
  // clang-format on
  for (const Row& row : rows) {
    for (int command = 0; command < 2; ++command) {
      SCOPED_TRACE(std::string(kOps[int(row.op)]) + " " + row.file +
                   (command == 0 ? " remove" : " restore"));
      TempFolder dir;
      WriteChange(dir);
      dir.Write(kOrg, kOldBackup);
      dir.Write(kLog, kOldLog);
      FaultEnv env;
      env.exchangeByRenames = true;
      const bool on_folder = row.file == std::string(kFolder);
      const std::string target = on_folder ? dir.path() : row.file;
      env.Add({row.op, target});
      const WorkFolder folder{dir.path(), &env, "upd"};
      Status log;
      int removed = 0;
      const Status s =
          command == 0 ? ApplyRemoval(
                             folder, RemoveSelection{}, Dec6(), [](auto*, auto*) {}, &removed, &log)
                       : RestoreBackup(folder, Dec6(), &log);
      const char outcome = row.outcomes[command];
      const std::string now = dir.Read(kCfg), backup = dir.Read(kOrg), logged = dir.Read(kLog);
      EXPECT_TRUE(dir.Temporaries().empty());
      EXPECT_TRUE(logged.starts_with(kOldLog) && logged.ends_with("\r\n"));
      if (outcome == '-') {
        EXPECT_EQ(env.Count(row.op, target), 0);
      }
      EXPECT_EQ(s.ok(), outcome != 'S') << s.ToString();
      EXPECT_EQ(log.ok(), outcome != 'L') << log.ToString();
      if (outcome == 'S') {
        const std::string named = row.op == kRemove ? kShown
                                  : !on_folder      ? dir.File(row.file)
                                                    : dir.File(command == 0 ? kOrg : kCfg);
        EXPECT_EQ(s.file(), named);
      }
      if (command == 1) {
        // A failed sync of the folder comes after the exchange.
        const bool exchanged = outcome != 'S' || row.op == kSyncFolder;
        EXPECT_EQ(now, exchanged ? kOldBackup : kChangedConfig);
        EXPECT_EQ(backup, exchanged ? kChangedConfig : kOldBackup);
        continue;
      }
      EXPECT_TRUE(now == kChangedConfig || now == kUpdatesConfig) << now;
      EXPECT_TRUE(backup == kOldBackup || backup == kChangedConfig + "\r\n") << backup;
      // The backup comes first, the files after scenery.cfg; the log tells only what was done.
      const bool cfg_told = logged.find("was removed from SCENERY.CFG") != logged.npos;
      const bool file_told = logged.find("The file " + kShown + " was removed") != logged.npos;
      EXPECT_TRUE(now != kUpdatesConfig || backup == kChangedConfig + "\r\n");
      EXPECT_TRUE(dir.Exists(kShown) || now == kUpdatesConfig);
      EXPECT_TRUE(!cfg_told || now == kUpdatesConfig);
      EXPECT_TRUE(!file_told || !dir.Exists(kShown));
      if (outcome != 'S') {
        EXPECT_EQ(removed, 2);
      }
    }
  }
}

#ifndef _WIN32
// Faults that need no seam: a full disk, a folder that a user who is not root may not write, and
// planted symlinks. The commands run on the real files of a temporary folder.

// In a child process: prepares the process, runs the Delete, lifts the file size limit again
// (the report goes through a file too) and writes what the user was told to standard error for
// the parent to match; exits 0 when the command stopped on a file error.
[[noreturn]] void DeleteInChild(const TempFolder& dir, const std::function<void()>& prepare) {
  prepare();
  ScriptedFrontEnd fe;
  NavAidEntry entry;
  const CommandOutcome outcome = RunCommand(0, dir, *DefaultFileEnv(), fe, entry);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_FSIZE, &limit);
  for (const std::string& e : fe.errors) std::fprintf(stderr, "%s\n", e.c_str());
  for (const std::string& m : fe.messages) std::fprintf(stderr, "told: %s\n", m.c_str());
  _exit(outcome == CommandOutcome::kFileError ? 0 : 1);
}

// The disk is full once scenery.cfg's own size is reached: the backup, which is longer by the
// line end it adds, is the first write to fail, and nothing of scenery.cfg or scenery.org is lost.
TEST(RealFaults, FullDiskStopsAtTheBackup) {
  TempFolder dir;
  dir.Write("scenery.cfg", kBaseConfig);
  dir.Write("scenery.org", kOldBackup);
  auto full_disk = [] {
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = sizeof kBaseConfig - 1;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
  };
  EXPECT_EXIT(DeleteInChild(dir, full_disk), ::testing::ExitedWithCode(0),
              "^Error with file .*/scenery.org: File too large. The command was stopped.\n$");
  EXPECT_EQ(dir.Read("scenery.cfg"), kBaseConfig);
  EXPECT_EQ(dir.Read("scenery.org"), kOldBackup);
  EXPECT_TRUE(dir.Temporaries().empty());
}

// The user nobody may read but not write root's folder (another user gets a folder without write
// permission): the backup cannot be made, and the command stops naming scenery.org.
TEST(RealFaults, FolderNotWritableStopsAtTheBackup) {
  TempFolder dir;
  dir.Write("scenery.cfg", kBaseConfig);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  auto other_user = [&] {
    if (geteuid() != 0) {
      chmod(dir.path().c_str(), 0555);
    } else if (setgid(65534) != 0 || setuid(65534) != 0) {
      _exit(2);
    }
  };
  EXPECT_EXIT(DeleteInChild(dir, other_user), ::testing::ExitedWithCode(0),
              "^Error with file .*/scenery.org: Permission denied. The command was stopped.\n$");
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(dir.Read("scenery.cfg"), kBaseConfig);
  EXPECT_FALSE(dir.Exists("scenery.org") || dir.Exists("orlith.log"));
}

// Symlinks planted at the names of the temporary files and at the scenery file's name, pointing
// outside the folder: the file outside keeps its bytes, the scenery file replaces its symlink,
// and no planted link is removed (Orlith removes only what it created).
TEST(RealFaults, PlantedSymlinksChangeNothingOutside) {
  TempFolder dir, outside;
  outside.Write("victim", "precious");
  dir.Write("scenery.cfg", kBaseConfig);
  const std::string victim = outside.File("victim");
  std::vector<std::string> planted = {"scenery.org.tmp"};
  for (int n = 0; n < 200; ++n) {
    planted.push_back("orlith-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".tmp");
  }
  for (const std::string& name : planted)
    ASSERT_EQ(symlink(victim.c_str(), dir.File(name).c_str()), 0);
  ASSERT_EQ(symlink(victim.c_str(), dir.File(kBgl).c_str()), 0);
  ScriptedFrontEnd fe;
  NavAidEntry entry;
  EXPECT_EQ(RunCommand(1, dir, *DefaultFileEnv(), fe, entry), CommandOutcome::kDone)
      << fe.errors.size();
  EXPECT_EQ(outside.Read("victim"), "precious");
  struct stat info {};
  ASSERT_EQ(lstat(dir.File(kBgl).c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(dir.Read("scenery.org"), std::string(kBaseConfig) + "\r\n");
  for (const std::string& name : planted) {
    EXPECT_EQ(lstat(dir.File(name).c_str(), &info), 0) << name;
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << name;
  }
}
#endif

}  // namespace
}  // namespace orlith::testing
