#include "scenery_config/exclusion_switch.h"

#include <gtest/gtest.h>

#include <string>

#include "scenery_config/operations_log.h"
#include "scenery_config/scenery_config.h"
#include "test_support/fault_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::Fault;
using testing::FaultEnv;
using testing::FaultOp;
using testing::TempFolder;

TEST(ExclusionSwitch, EdgesAndWord) {
  const struct {
    const char* latitude;
    const char* longitude;
    const char* type;
    const char* line;
  } cases[] = {
      {"N42 34.6", "W12 24.5", "",
       "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all"},
      {"N89 59.994", "E179 59.994", "VOR",
       "Exclude=N90    0.01, E179   59.98, N89   59.98, E180    0.01, vors"},
      {"N0 0.006", "W0 0.006", "ILS",
       "Exclude=N0    0.02, W0    0.02, S0    0.01, E0    0.01, vors"},
      {"S33 30.0", "E151 15.0", "NDB",
       "Exclude=S33   29.99, E151   14.99, S33   30.01, E151   15.01, ndbs"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.latitude);
    EXPECT_EQ(c.line, ExclusionSwitchLine(c.latitude, c.longitude, c.type));
  }
}

TEST(ExclusionSwitch, LogSentenceFollowsTheType) {
  const struct {
    const char* type;
    const char* sentence;
  } cases[] = {
      {"", "Exclusion switch was added for all NavAids at "},
      {"VOR", "Exclusion switch was added for VOR and ILS NavAids at "},
      {"ILS", "Exclusion switch was added for VOR and ILS NavAids at "},
      {"NDB", "Exclusion switch was added for NDB NavAids at "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    TempFolder dir;
    dir.Write(kSceneryConfigName, "");
    Status log_status;
    // Texts appear in the log exactly as typed, extra blanks and lower case included.
    ASSERT_TRUE(
        AddExclusionSwitch(WorkFolder{dir.path()}, "n42  34.6", "w12 24.5", c.type, &log_status)
            .ok());
    EXPECT_TRUE(log_status.ok());
    EXPECT_EQ(std::string("\r\n") + c.sentence + "n42  34.6, w12 24.5 to SCENERY.CFG ...\r\n",
              dir.Read(kLogFileName));
  }
}

TEST(ExclusionSwitch, UnterminatedLastLineF4) {
  const std::string line = "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n";
  const struct {
    const char* name;
    std::string cfg;
    std::string added;
  } cases[] = {
      {"ends with CR LF", "Layer=124\r\n", line},
      {"ends with LF", "Layer=124\n", line},
      {"no final line end", "Layer=124", "\r\n" + line},
      {"ends with a lone CR", "Layer=124\r", "\r\n" + line},
      {"empty file", "", line},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write(kSceneryConfigName, c.cfg);
    ASSERT_TRUE(
        AddExclusionSwitch(WorkFolder{dir.path()}, "N42 34.6", "W12 24.5", "", nullptr).ok());
    EXPECT_TRUE(BytesEqual(c.cfg + c.added, dir.Read(kSceneryConfigName)));
  }
}

TEST(ExclusionSwitch, RepeatAddsTheSameLineAgain) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "Layer=124\r\n");
  WorkFolder folder{dir.path()};
  ASSERT_TRUE(AddExclusionSwitch(folder, "S33 30.0", "E151 15.0", "NDB", nullptr).ok());
  ASSERT_TRUE(AddExclusionSwitch(folder, "S33 30.0", "E151 15.0", "NDB", nullptr).ok());
  const std::string line = "Exclude=S33   29.99, E151   14.99, S33   30.01, E151   15.01, ndbs\r\n";
  EXPECT_TRUE(BytesEqual("Layer=124\r\n" + line + line, dir.Read(kSceneryConfigName)));
  const std::string entry =
      "\r\nExclusion switch was added for NDB NavAids at S33 30.0, E151 15.0 to SCENERY.CFG "
      "...\r\n";
  EXPECT_TRUE(BytesEqual(entry + entry, dir.Read(kLogFileName)));
}

TEST(ExclusionSwitch, FailuresAreReportedNotLoggedF1) {
  const struct {
    const char* name;
    Fault fault;
    bool ok;  // only a log failure lets the switch through
  } cases[] = {
      {"end of scenery.cfg unreadable",
       {FaultOp::kReadTail, kSceneryConfigName, "Permission denied"},
       false},
      {"scenery.cfg read-only",
       {FaultOp::kOpenForAppending, kSceneryConfigName, "Read-only file system"},
       false},
      {"disk full", {FaultOp::kAppend, kSceneryConfigName, "No space left on device"}, false},
      {"log unwritable is a warning",
       {FaultOp::kOpenForAppending, kLogFileName, "Permission denied"},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write(kSceneryConfigName, "Layer=124\r\n");
    FaultEnv env;
    env.Add(c.fault);
    Status log_status;
    Status s =
        AddExclusionSwitch(WorkFolder{dir.path(), &env}, "N42 34.6", "W12 24.5", "", &log_status);
    EXPECT_EQ(dir.File(c.fault.file) + ": " + c.fault.reason,
              c.ok ? log_status.ToString() : s.ToString());
    EXPECT_EQ(c.ok, s.ok());
    const std::string cfg = dir.Read(kSceneryConfigName);
    EXPECT_EQ(c.ok ? 11u + 65u : 11u, cfg.size()) << cfg;
    EXPECT_FALSE(dir.Exists(kLogFileName));
  }
}

TEST(ExclusionSwitchDeathTest, EmptyLatitudeTouchesNoFile) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "Layer=124\r\n");
  EXPECT_EXIT(AddExclusionSwitch(WorkFolder{dir.path()}, "", "W12 24.5", "", nullptr),
              ::testing::ExitedWithCode(8), "Input Error - Program terminates!");
  EXPECT_EQ("Layer=124\r\n", dir.Read(kSceneryConfigName));
  EXPECT_FALSE(dir.Exists(kLogFileName));
}

// A first Delete of all NavAids at N42 34.6 / W12 24.5 on 6 December 2026, on a scenery.cfg whose
// last block is [Area.123], appends exactly these lines to a log that ends with a line end.
TEST(OperationsLog, DeleteExampleComesOutExactly) {
  TempFolder dir;
  dir.Write(kSceneryConfigName, "[Area.123]\r\nTitle=Base\r\nLayer=123\r\n");
  dir.Write(kLogFileName, "earlier\r\n");
  WorkFolder folder{dir.path()};
  std::tm date{};
  date.tm_mday = 6;
  date.tm_mon = 11;
  date.tm_year = 126;
  Status log_status;
  ASSERT_TRUE(RegisterUpdatesArea(folder, date, &log_status).ok());
  ASSERT_TRUE(AddExclusionSwitch(folder, "N42 34.6", "W12 24.5", "", &log_status).ok());
  ASSERT_TRUE(log_status.ok()) << log_status.ToString();
  const char* const lines[] = {
      "",
      "******************************",
      "06 Dec 2026",
      "",
      "The file SCENERY.CFG was copied to SCENERY.ORG ...",
      "",
      "The new block:",
      "",
      "[Area.124]",
      "Title=Navigational Updates",
      "Local=Addon Scenery\\Updates",
      "Active=TRUE",
      "Required=FALSE",
      "Layer=124",
      "",
      "was added to the file SCENERY.CFG ...",
      "",
      "Exclusion switch was added for all NavAids at N42 34.6, W12 24.5 to SCENERY.CFG ...",
  };
  std::string expected = "earlier\r\n";
  for (const char* line : lines) expected += std::string(line) + "\r\n";
  EXPECT_TRUE(BytesEqual(expected, dir.Read(kLogFileName)));
  EXPECT_TRUE(BytesEqual(
      "[Area.123]\r\nTitle=Base\r\nLayer=123\r\n\r\n[Area.124]\r\nTitle=Navigational Updates\r\n"
      "Local=Addon Scenery\\Updates\r\nActive=TRUE\r\nRequired=FALSE\r\nLayer=124\r\n"
      "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n",
      dir.Read(kSceneryConfigName)));
}

}  // namespace
}  // namespace orlith
