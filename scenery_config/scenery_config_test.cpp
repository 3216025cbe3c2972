#include "scenery_config/scenery_config.h"

#include <gtest/gtest.h>

#include <string>

#include "core/operations_log.h"
#include "scenery_config/config_scan.h"
#include "scenery_config/exclusion_switch.h"
#include "test_support/fault_env.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::Dec6;
using testing::FaultEnv;
using testing::FaultOp;
using testing::TempFolder;
using testing::UpdatesBlock;

const char kHeaderEntry[] =
    "\r\n******************************\r\n06 Dec 2026\r\n\r\n"
    "The file SCENERY.CFG was copied to SCENERY.ORG ...\r\n";

std::string AreaEntry(const std::string& shown) {
  return "\r\nThe new block:\r\n\r\n" + UpdatesBlock(shown) +
         "\r\nwas added to the file SCENERY.CFG ...\r\n";
}

// A line of the given length of "a", with chosen characters (counting from 1) set.
std::string LongLine(std::size_t length, std::initializer_list<std::pair<std::size_t, char>> set) {
  std::string line(length, 'a');
  for (auto [at, c] : set) line[at - 1] = c;
  return line;
}

TEST(RegisterUpdatesArea, AreaNumbersAndMarkerF3F8F13F14) {
  using namespace std::string_literals;
  const std::string l100 = LongLine(100, {{7, '4'}, {8, '4'}, {9, '4'}, {95, '.'}});
  const std::string l10k = LongLine(10000, {{87, 'N'}, {100, 'U'}, {5000, '.'}});
  const std::string a10 = "[Area.010]\r\n";
  const std::string nav = "[Area.005]\r\nTitle=Navigational Updates\r\n";
  // Files longer than the look at their last bytes: the block before them or in them, and the
  // marker's text exactly where they begin, in the middle of a line.
  std::string switches;
  while (switches.size() < kConfigTailLook) switches += "Exclude=N42   34.61, W12 24.51, all\r\n";
  const std::string a200 = "[Area.200]\r\n" + switches;
  const std::string tail_mid_line = "[Area.005]\r\nLocal=Title=Navigational Updates\r\n" +
                                    std::string(kConfigTailLook - 30, 'x') + "\r\n";
  // shown: the appended block's area number; empty when nothing is appended.
  const struct {
    const char* name;
    std::string cfg, shown;
  } cases[] = {
      {"LF-only line ends", "[Area.001]\nTitle=Base\n", "02"},
      {"ends with a line end", "[Area.123]\r\nLayer=123\r\n", "124"},
      {"no final line end", "[Area.123]\r\nLayer=123", "124"},
      {"empty file", "", "01"},
      {"present, lone CR line ends", "[Area.005]\rTitle=Navigational Updates\rLayer=5\r", ""},
      {"marker in any case, trailing blanks", "[Area.005]\ntitle=NAVIGATIONAL updates \t\n", ""},
      {"no marker", "Title=Navigational Updates x\n Title=Navigational Updates\nTitle=\0\n"s, "01"},
      {"keys in any case after blanks", "[Area.12]\n  [AREA.7]\n\tLAYER=  +13x\n[area.4", "014"},
      {"no keys", "Layer=-5\nLayer =7\nLocal=Layer=8\nX[Area.9]\nLayer", "01"},
      {"highest number", "Layer=99999999999999999999\n", "2147483647"},
      {"Nordic Lands USA is no marker", "[Area.005]\r\nTitle=Nordic Lands USA\r\n", "06"},
      {"U.S. Scenery", "[Area.005]\r\nTitle=U.S. Scenery\r\n", "06"},
      {"layer of an earlier block", "[Area.010]\r\nLayer=200\r\n[Area.011]\r\nLayer=11\r\n", "201"},
      {"Area.999 gives 1000 F8", "[Area.999]\r\n", "1000"},
      {"line of 100 characters F3", a10 + l100 + "\r\n", "011"},
      {"line of 10000 characters F3", a10 + l10k + "\n", "011"},
      {"NUL bytes pass through F3", "[Area.007]\r\nTitle=A\0B\r\n"s, "08"},
      {"present before the last bytes", nav + switches, ""},
      {"present in the last bytes", a200 + nav, ""},
      {"areas before the last bytes", a200 + a10, "201"},
      {"marker text mid-line where the last bytes begin", tail_mid_line, "06"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    dir.Write(kSceneryConfigName, c.cfg);
    dir.Write(kSceneryBackupName, "stale backup");
    Status log_status;
    ASSERT_TRUE(RegisterUpdatesArea(WorkFolder{dir.path()}, Dec6(), &log_status).ok());
    EXPECT_TRUE(log_status.ok()) << log_status.ToString();
    const bool added = !c.shown.empty();
    EXPECT_TRUE(BytesEqual(c.cfg + (added ? "\r\n" + UpdatesBlock(c.shown) : ""),
                           dir.Read(kSceneryConfigName)));
    EXPECT_NE("stale backup", dir.Read(kSceneryBackupName));  // its bytes: the copy suite's
    EXPECT_TRUE(
        BytesEqual(kHeaderEntry + (added ? AreaEntry(c.shown) : ""), dir.Read(kLogFileName)));
    EXPECT_TRUE(dir.Temporaries().empty());
  }
}

// A full disk takes part of the block or the switch line and then fails: scenery.cfg is cut back
// to its old bytes and the failure reported, with the failed cut named when that fails too.
TEST(RegisterUpdatesArea, FailedAppendRestoresTheOldBytes) {
  const std::string cfg = "[Area.123]\r\nLayer=123";  // no line end, so the switch adds one
  const std::string full = ": No space left on device";
  const struct {
    bool exclusion;
    bool restore_fails;
    bool close_fails;  // the text is all written, then its close fails
  } cases[] = {{false, false, false},
               {true, false, false},
               {true, true, false},
               {false, false, true},
               {true, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.exclusion << c.restore_fails << c.close_fails);
    TempFolder dir;
    dir.Write(kSceneryConfigName, cfg);
    FaultEnv env;
    if (c.close_fails) {  // a registration closes scenery.cfg once after reading it first
      env.Add({FaultOp::kClose, kSceneryConfigName, "No space left on device", {}, !c.exclusion});
    } else {
      env.Add({FaultOp::kAppend, kSceneryConfigName, "No space left on device", {}, 0, 20});
    }
    if (c.restore_fails) env.Add({FaultOp::kTruncate, kSceneryConfigName, "Read-only file system"});
    const WorkFolder folder{dir.path(), &env};
    const Status s = c.exclusion ? AddExclusionSwitch(folder, "N42 34.6", "W12 24.5", "", nullptr)
                                 : RegisterUpdatesArea(folder, Dec6(), nullptr);
    const std::string on_disk = dir.Read(kSceneryConfigName);
    if (c.restore_fails) {
      EXPECT_EQ(dir.File(kSceneryConfigName) + full +
                    "; its old size could not be restored: Read-only file system",
                s.ToString());
      EXPECT_EQ(cfg.size() + 20, on_disk.size());  // the partial write did happen
    } else {
      EXPECT_EQ(dir.File(kSceneryConfigName) + full, s.ToString());
      EXPECT_TRUE(BytesEqual(cfg, on_disk));
    }
  }
}

}  // namespace
}  // namespace orlith
