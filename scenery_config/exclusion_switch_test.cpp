#include "scenery_config/exclusion_switch.h"

#include <gtest/gtest.h>

#include <string>

#include "scenery_config/scenery_config.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::TempFolder;

constexpr char kAll[] = "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n";

// The switch starts a line of its own whatever the last line of scenery.cfg ends with.
TEST(ExclusionSwitch, UnterminatedLastLineF4) {
  const std::string crlf_all = std::string("\r\n") + kAll;
  const struct {
    std::string cfg, added;
  } cases[] = {
      {"Layer=124\r\n", kAll}, {"Layer=124\n", kAll},     {"", kAll},
      {"Layer=124", crlf_all}, {"Layer=124\r", crlf_all},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cfg);
    TempFolder dir;
    dir.Write(kSceneryConfigName, c.cfg);
    ASSERT_TRUE(
        AddExclusionSwitch(WorkFolder{dir.path()}, "N42 34.6", "W12 24.5", "", nullptr).ok());
    EXPECT_TRUE(BytesEqual(c.cfg + c.added, dir.Read(kSceneryConfigName)));
  }
}

// Each line written is read back as Orlith's own; near misses of that form are not.
TEST(ExclusionSwitch, WritesItsLineAndReadsBackOnlyItsOwnForm) {
  const struct {
    const char *latitude, *longitude, *type, *line;  // the line after "Exclude="
    double north, east;                              // the position read back
  } cases[] = {
      // clang-format off
      {"N42 34.6", "W12 24.5", "", "N42   34.61, W12   24.51, N42   34.59, W12   24.49, all", 42.576667, -12.408333},
      {"N89 59.994", "E179 59.994", "VOR", "N90    0.01, E179   59.98, N89   59.98, E180    0.01, vors", 89.999917, 179.999917},
      {"S33 30.0", "E151 15.0", "NDB", "S33   29.99, E151   14.99, S33   30.01, E151   15.01, ndbs", -33.5, 151.25},
      {"N0 0.006", "W0 0.006", "ILS", "N0    0.02, W0    0.02, S0    0.01, E0    0.01, vors", 0.0001, -0.0001},
      // clang-format on
  };
  for (const auto& c : cases) {
    const std::string line = "Exclude=" + std::string(c.line);
    EXPECT_EQ(ExclusionSwitchLine(c.latitude, c.longitude, c.type), line);
    OrlithSwitch found;
    ASSERT_TRUE(ParseOrlithSwitch(line, &found)) << line;
    EXPECT_NEAR(found.latitude, c.north, 0.0001) << line;
    EXPECT_NEAR(found.longitude, c.east, 0.0001) << line;
    EXPECT_EQ(found.word, line.substr(line.rfind(' ') + 1));
  }
  for (const char* other : {"Exclude=N42 34.61, W12 24.51, N42 34.59, W12 24.49, all",
                            "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, ils",
                            "Exclude=N42   34.71, W12   24.51, N42   34.59, W12   24.49, all",
                            "Exclude=W12   24.51, N42   34.61, W12   24.49, N42   34.59, all",
                            "Exclude=N42   34.61, W12   24.51, N42   34.59, all",
                            "exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all"}) {
    OrlithSwitch found;
    EXPECT_FALSE(ParseOrlithSwitch(other, &found)) << other;
  }
}

}  // namespace
}  // namespace orlith
