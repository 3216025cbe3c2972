// Faults that need no seam: a full disk, a folder that a user who is not root may not write, and
// planted symlinks. The commands run on the real files of a temporary folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/command_flows.h"
#include "test_support/test_support.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith::testing {
namespace {

constexpr char kOldConfig[] = "[Area.123]\r\nTitle=Default Terrain\r\nLayer=123\r\n";
constexpr char kOldBackup[] = "the backup of an earlier day\r\n";

// Runs a Delete of all VOR and ILS NavAids at N42 34.6 / W12 24.5 in dir, or a Create of a VOR
// there.
CommandOutcome RunAt(const std::string& dir, ScriptedFrontEnd& fe, bool create = false) {
  fe.Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", 1005));
  if (create) fe.Ok(DialogId::kVor, {});
  CommandSession session{fe, WorkFolder{dir, DefaultFileEnv()}, {}, Status()};
  NavAidEntry entry;
  return (create ? CreateNavAidFlow : DeleteNavAidFlow)(session, entry);
}

// In a child process: prepares the process, runs the Delete, lifts the file size limit again
// (the report goes through a file too) and writes what the user was told to standard error for
// the parent to match; exits 0 when the command stopped on a file error.
[[noreturn]] void DeleteInChild(const std::string& dir, const std::function<void()>& prepare) {
  prepare();
  ScriptedFrontEnd fe;
  const CommandOutcome outcome = RunAt(dir, fe);
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
  dir.Write("scenery.cfg", kOldConfig);
  dir.Write("scenery.org", kOldBackup);
  auto full_disk = [] {
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = sizeof kOldConfig - 1;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
  };
  EXPECT_EXIT(DeleteInChild(dir.path(), full_disk), ::testing::ExitedWithCode(0),
              "^Error with file .*/scenery.org: File too large. The command was stopped.\n$");
  EXPECT_EQ(dir.Read("scenery.cfg"), kOldConfig);
  EXPECT_EQ(dir.Read("scenery.org"), kOldBackup);
  EXPECT_TRUE(dir.Temporaries().empty());
}

// The user nobody may read but not write root's folder (another user gets a folder without write
// permission): the backup cannot be made, and the command stops naming scenery.org.
TEST(RealFaults, FolderNotWritableStopsAtTheBackup) {
  TempFolder dir;
  dir.Write("scenery.cfg", kOldConfig);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  auto other_user = [&] {
    if (geteuid() != 0) {
      chmod(dir.path().c_str(), 0555);
    } else if (setgid(65534) != 0 || setuid(65534) != 0) {
      _exit(2);
    }
  };
  EXPECT_EXIT(DeleteInChild(dir.path(), other_user), ::testing::ExitedWithCode(0),
              "^Error with file .*/scenery.org: Permission denied. The command was stopped.\n$");
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(dir.Read("scenery.cfg"), kOldConfig);
  EXPECT_FALSE(dir.Exists("scenery.org") || dir.Exists("orlith.log"));
}

// Symlinks planted at the names of the temporary files and at the scenery file's name, pointing
// outside the folder: the file outside keeps its bytes, the scenery file replaces its symlink,
// and no planted link is removed (Orlith removes only what it created).
TEST(RealFaults, PlantedSymlinksChangeNothingOutside) {
  TempFolder dir, outside;
  outside.Write("victim", "precious");
  dir.Write("scenery.cfg", kOldConfig);
  const std::string victim = outside.File("victim");
  std::vector<std::string> planted = {"scenery.org.tmp"};
  for (int n = 0; n < 200; ++n) {
    planted.push_back("orlith-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".tmp");
  }
  for (const std::string& name : planted)
    ASSERT_EQ(symlink(victim.c_str(), dir.File(name).c_str()), 0);
  const std::string bgl = "N42 34_6__W12 24_5.bgl";
  ASSERT_EQ(symlink(victim.c_str(), dir.File(bgl).c_str()), 0);
  ScriptedFrontEnd fe;
  EXPECT_EQ(RunAt(dir.path(), fe, true), CommandOutcome::kDone) << fe.errors.size();
  EXPECT_EQ(outside.Read("victim"), "precious");
  struct stat info {};
  ASSERT_EQ(lstat(dir.File(bgl).c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_EQ(dir.Read("scenery.org"), std::string(kOldConfig) + "\r\n");
  for (const std::string& name : planted) {
    EXPECT_EQ(lstat(dir.File(name).c_str(), &info), 0) << name;
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << name;
  }
}

}  // namespace
}  // namespace orlith::testing
