#include "scenery_config/scenery_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scenery_config/operations_log.h"
#include "test_support/fault_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::Fault;
using testing::FaultEnv;
using testing::FaultOp;
using testing::TempFolder;

std::tm Dec6() {
  std::tm date{};
  date.tm_mday = 6;
  date.tm_mon = 11;
  date.tm_year = 126;
  return date;
}

const char kHeaderEntry[] =
    "\r\n******************************\r\n06 Dec 2026\r\n\r\n"
    "The file SCENERY.CFG was copied to SCENERY.ORG ...\r\n";

// The six block lines for a header line and number text, each ended by CR LF.
std::string Block(const std::string& header, const std::string& number) {
  return header + "\r\nTitle=Navigational Updates\r\nLocal=Addon Scenery\\Updates\r\n" +
         "Active=TRUE\r\nRequired=FALSE\r\nLayer=" + number + "\r\n";
}

std::string AreaEntry(const std::string& header, const std::string& number) {
  return "\r\nThe new block:\r\n\r\n" + Block(header, number) +
         "\r\nwas added to the file SCENERY.CFG ...\r\n";
}

// A line of the given length of "a", with chosen characters (counting from 1) set.
std::string LongLine(std::size_t length, std::initializer_list<std::pair<std::size_t, char>> set) {
  std::string line(length, 'a');
  for (auto [at, c] : set) line[at - 1] = c;
  return line;
}

struct RegisterCase {
  const char* name;
  std::string cfg;
  std::string backup;  // scenery.org afterwards
  std::string header;  // of the appended block; empty when nothing is appended
  std::string number;
};

std::vector<RegisterCase> RegisterCases() {
  const std::string line100 = LongLine(100, {{7, '4'}, {8, '4'}, {9, '4'}, {95, '.'}});
  // The 80-character buffer would have seen N and U at characters 7 and 20 of the second piece.
  const std::string line10k = LongLine(10000, {{87, 'N'}, {100, 'U'}, {5000, '.'}});
  const std::string marker100 = LongLine(100, {{7, 'N'}, {20, 'U'}});
  const std::string nul = std::string("[Area.007]\r\nTitle=A\0B\r\n", 23);
  return {
      {"LF-only line ends", "[Area.001]\nTitle=Base\n", "[Area.001]\r\nTitle=Base\r\n\r\n",
       "[Area.02]", "2"},
      {"ends with a line end", "[Area.123]\r\nLayer=123\r\n", "[Area.123]\r\nLayer=123\r\n\r\n",
       "[Area.124]", "124"},
      {"no final line end", "[Area.123]\r\nLayer=123", "[Area.123]\r\nLayer=123\r\n", "[Area.124]",
       "124"},
      {"empty file, no dot line F8", "", "\r\n", "[Area.01]", "1"},
      {"no line holds a dot F8", "[Area]\r\nLayer=3\r\n", "[Area]\r\nLayer=3\r\n\r\n", "[Area.01]",
       "1"},
      {"block already present", "[Area.005]\r\nTitle=Navigational Updates\r\n",
       "[Area.005]\r\nTitle=Navigational Updates\r\n\r\n", "", ""},
      {"Title=Nordic Lands USA counts as the marker", "[Area.005]\r\nTitle=Nordic Lands USA\r\n",
       "[Area.005]\r\nTitle=Nordic Lands USA\r\n\r\n", "", ""},
      {"Area.008", "[Area.008]\r\n", "[Area.008]\r\n\r\n", "[Area.09]", "9"},
      {"Area.099", "[Area.099]\r\n", "[Area.099]\r\n\r\n", "[Area.100]", "100"},
      {"Area.12 reads 12]", "[Area.12]\r\n", "[Area.12]\r\n\r\n", "[Area.013]", "13"},
      {"Title=U.S. Scenery decides", "[Area.005]\r\nTitle=U.S. Scenery\r\n",
       "[Area.005]\r\nTitle=U.S. Scenery\r\n\r\n", "[Area.01]", "1"},
      {"blocks out of order", "[Area.200]\r\n[Area.050]\r\n", "[Area.200]\r\n[Area.050]\r\n\r\n",
       "[Area.051]", "51"},
      {"Area.999 gives 1000 F8", "[Area.999]\r\n", "[Area.999]\r\n\r\n", "[Area.1000]", "1000"},
      {"negative number gives 1", "[Area.-5]\r\n", "[Area.-5]\r\n\r\n", "[Area.01]", "1"},
      {"line of 100 characters F3", "[Area.010]\r\n" + line100 + "\r\n",
       "[Area.010]\r\n" + line100 + "\r\n\r\n", "[Area.445]", "445"},
      {"marker past character 80 is whole-line F3", "[Area.010]\r\n" + marker100,
       "[Area.010]\r\n" + marker100 + "\r\n", "", ""},
      {"line of 10000 characters F3", "[Area.010]\r\n" + line10k + "\n",
       "[Area.010]\r\n" + line10k + "\r\n\r\n", "[Area.01]", "1"},
      {"NUL bytes pass through F3", nul, nul + "\r\n", "[Area.08]", "8"},
  };
}

TEST(RegisterUpdatesArea, AppendsOnlyAndBacksUp) {
  for (const RegisterCase& c : RegisterCases()) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write(kSceneryConfigName, c.cfg);
    dir.Write(kSceneryBackupName, "stale backup");
    Status log_status;
    Status s = RegisterUpdatesArea(WorkFolder{dir.path()}, Dec6(), &log_status);
    ASSERT_TRUE(s.ok()) << s.ToString();
    EXPECT_TRUE(log_status.ok()) << log_status.ToString();

    const std::string appended = c.header.empty() ? "" : "\r\n" + Block(c.header, c.number);
    const std::string cfg = dir.Read(kSceneryConfigName);
    EXPECT_EQ(0u, cfg.rfind(c.cfg, 0)) << "old bytes are no longer a prefix";
    EXPECT_TRUE(BytesEqual(c.cfg + appended, cfg));
    EXPECT_TRUE(BytesEqual(c.backup, dir.Read(kSceneryBackupName)));
    const std::string log = c.header.empty() ? "" : AreaEntry(c.header, c.number);
    EXPECT_TRUE(BytesEqual(kHeaderEntry + log, dir.Read(kLogFileName)));
    EXPECT_FALSE(dir.Exists(kSceneryBackupTempName));
  }
}

TEST(RegisterUpdatesArea, RepeatAddsOneBlockAndReadsTheFileOnce) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "[Area.123]\r\n");
  FaultEnv env;
  WorkFolder folder{dir.path(), &env};
  ASSERT_TRUE(RegisterUpdatesArea(folder, Dec6(), nullptr).ok());
  EXPECT_EQ(1, env.Count(FaultOp::kOpenForReading, kSceneryConfigName));
  const std::string once = dir.Read(kSceneryConfigName);
  ASSERT_TRUE(RegisterUpdatesArea(folder, Dec6(), nullptr).ok());
  EXPECT_EQ(2, env.Count(FaultOp::kOpenForReading, kSceneryConfigName));
  EXPECT_TRUE(BytesEqual(once, dir.Read(kSceneryConfigName)));
  EXPECT_TRUE(BytesEqual(once + "\r\n", dir.Read(kSceneryBackupName)));
  EXPECT_TRUE(BytesEqual(std::string(kHeaderEntry) + AreaEntry("[Area.124]", "124") + kHeaderEntry,
                         dir.Read(kLogFileName)));
}

// Every failure to read scenery.cfg or to write scenery.org is returned, leaves scenery.cfg and
// the previous scenery.org whole, removes the temporary copy and logs nothing.
TEST(RegisterUpdatesArea, FailedBackupChangesNothingF1F2) {
  const std::string big = std::string(100000, 'x') + ".\r\n";
  const struct {
    const char* name;
    Fault fault;
    const char* failed_file;
  } cases[] = {
      {"read-only folder",
       {FaultOp::kOpenForWriting, kSceneryBackupTempName, "Read-only file system"},
       kSceneryBackupName},
      {"unreadable scenery.cfg",
       {FaultOp::kOpenForReading, kSceneryConfigName, "Permission denied"},
       kSceneryConfigName},
      {"read error part way",
       {FaultOp::kRead, kSceneryConfigName, "Input/output error", {}, 1},
       kSceneryConfigName},
      {"scenery.org full",
       {FaultOp::kAppend, kSceneryBackupTempName, "No space left on device", {}, 3},
       kSceneryBackupName},
      {"copy cannot be closed",
       {FaultOp::kClose, kSceneryBackupTempName, "Input/output error"},
       kSceneryBackupName},
      {"scenery.org cannot be replaced",
       {FaultOp::kRename, kSceneryBackupName, "Permission denied"},
       kSceneryBackupName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write(kSceneryConfigName, big + "[Area.123]\r\n");
    dir.Write(kSceneryBackupName, "previous backup");
    FaultEnv env;
    env.Add(c.fault);
    Status log_status;
    Status s = RegisterUpdatesArea(WorkFolder{dir.path(), &env}, Dec6(), &log_status);
    EXPECT_EQ(dir.File(c.failed_file) + ": " + c.fault.reason, s.ToString());
    EXPECT_TRUE(BytesEqual(big + "[Area.123]\r\n", dir.Read(kSceneryConfigName)));
    EXPECT_EQ("previous backup", dir.Read(kSceneryBackupName));
    EXPECT_FALSE(dir.Exists(kSceneryBackupTempName));
    EXPECT_FALSE(dir.Exists(kLogFileName));
  }
}

TEST(RegisterUpdatesArea, UnappendableConfigIsReportedWithoutAreaEntryF1) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "[Area.123]\r\n");
  FaultEnv env;
  env.Add({FaultOp::kOpenForAppending, kSceneryConfigName, "Read-only file system"});
  Status s = RegisterUpdatesArea(WorkFolder{dir.path(), &env}, Dec6(), nullptr);
  EXPECT_EQ(dir.File(kSceneryConfigName) + ": Read-only file system", s.ToString());
  EXPECT_EQ("[Area.123]\r\n", dir.Read(kSceneryConfigName));
  EXPECT_EQ("[Area.123]\r\n\r\n", dir.Read(kSceneryBackupName));
  EXPECT_TRUE(BytesEqual(kHeaderEntry, dir.Read(kLogFileName)));
}

TEST(RegisterUpdatesArea, UnwritableLogIsAWarningF1) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "[Area.123]\r\n");
  FaultEnv env;
  env.Add({FaultOp::kOpenForAppending, kLogFileName, "Read-only file system"});
  Status log_status;
  Status s = RegisterUpdatesArea(WorkFolder{dir.path(), &env}, Dec6(), &log_status);
  EXPECT_TRUE(s.ok()) << s.ToString();
  EXPECT_EQ(dir.File(kLogFileName) + ": Read-only file system", log_status.ToString());
  EXPECT_TRUE(
      BytesEqual("[Area.123]\r\n\r\n" + Block("[Area.124]", "124"), dir.Read(kSceneryConfigName)));
}

TEST(BackupSceneryConfig, CopiesAndLogsTheHeader) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "a\nb");
  Status log_status;
  ASSERT_TRUE(BackupSceneryConfig(WorkFolder{dir.path()}, Dec6(), &log_status).ok());
  EXPECT_EQ("a\r\nb\r\n", dir.Read(kSceneryBackupName));
  EXPECT_EQ("a\nb", dir.Read(kSceneryConfigName));
  EXPECT_TRUE(BytesEqual(kHeaderEntry, dir.Read(kLogFileName)));
}

TEST(BackupSceneryConfig, MissingConfigLogsNothingF1) {
  TempFolder dir;
  Status s = BackupSceneryConfig(WorkFolder{dir.path()}, Dec6(), nullptr);
  EXPECT_EQ(Status::Kind::kNotFound, s.kind());
  EXPECT_EQ(dir.File(kSceneryConfigName), s.file());
  EXPECT_FALSE(dir.Exists(kSceneryBackupName));
  EXPECT_FALSE(dir.Exists(kLogFileName));
}

TEST(EnsureFileExists, OnlyAReadableFilePasses) {
  TempFolder dir;
  dir.Write("empty.cfg", "");
  dir.Write("scenery.cfg", "[Area.001]\r\n");
  std::filesystem::create_directory(dir.File("folder.cfg"));
  FaultEnv env;
  env.Add({FaultOp::kOpenForReading, "locked.cfg", "Permission denied"});
  dir.Write("locked.cfg", "x");
  const struct {
    const char* name;
    bool ok;
    const char* reason;  // null: any reason
  } cases[] = {
      {"scenery.cfg", true, ""},
      {"empty.cfg", true, ""},
      {"missing.cfg", false, "No such file or directory"},
      {"folder.cfg", false, nullptr},  // the system's wording differs
      {"locked.cfg", false, "Permission denied"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Status s = EnsureFileExists(WorkFolder{dir.path(), &env}, c.name);
    EXPECT_EQ(c.ok, s.ok());
    if (!c.ok) {
      EXPECT_EQ(Status::Kind::kNotFound, s.kind());
      EXPECT_EQ(dir.File(c.name), s.file());
      if (c.reason != nullptr) {
        EXPECT_EQ(c.reason, s.reason());
      }
    }
  }
  EXPECT_FALSE(dir.Exists("missing.cfg"));
  EXPECT_FALSE(dir.Exists(kLogFileName));
}

}  // namespace
}  // namespace orlith
