#include "scenery_config/exclusion_switch.h"

#include <gtest/gtest.h>

#include <string>

#include "core/operations_log.h"
#include "scenery_config/scenery_config.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::TempFolder;

constexpr char kAll[] = "Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all\r\n";

// Adds the switch for N42 34.6 / W12 24.5 and all types to a scenery.cfg holding cfg.
Status AddToConfig(const TempFolder& dir, const std::string& cfg) {
  dir.Write(kSceneryConfigName, cfg);
  return AddExclusionSwitch(WorkFolder{dir.path()}, "N42 34.6", "W12 24.5", "", nullptr);
}

TEST(ExclusionSwitch, EdgesAndWord) {
  const char* cases[][4] = {
      // latitude, longitude, type, the line after "Exclude="
      {"N42 34.6", "W12 24.5", "", "N42   34.61, W12   24.51, N42   34.59, W12   24.49, all"},
      {"N89 59.994", "E179 59.994", "VOR",
       "N90    0.01, E179   59.98, N89   59.98, E180    0.01, vors"},
      {"N0 0.006", "W0 0.006", "ILS", "N0    0.02, W0    0.02, S0    0.01, E0    0.01, vors"},
      {"S33 30.0", "E151 15.0", "NDB",
       "S33   29.99, E151   14.99, S33   30.01, E151   15.01, ndbs"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExclusionSwitchLine(c[0], c[1], c[2]), "Exclude=" + std::string(c[3]));
}

// The switch starts a line of its own whatever the last line of scenery.cfg ends with.
TEST(ExclusionSwitch, UnterminatedLastLineF4) {
  const std::string crlf_all = std::string("\r\n") + kAll;
  const struct {
    std::string cfg, added;
  } cases[] = {
      // clang-format off
      {"Layer=124\r\n", kAll}, {"Layer=124\n", kAll}, {"", kAll},
      {"Layer=124", crlf_all}, {"Layer=124\r", crlf_all},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cfg);
    TempFolder dir;
    ASSERT_TRUE(AddToConfig(dir, c.cfg).ok());
    EXPECT_TRUE(BytesEqual(c.cfg + c.added, dir.Read(kSceneryConfigName)));
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

TEST(ExclusionSwitch, ParsesOnlyOrlithsForm) {
  const struct {
    const char* line;
    bool orlith;
    double latitude, longitude;
  } cases[] = {
      // clang-format off
      {"Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all", true, 42.576667, -12.408333},
      {"Exclude=N90    0.01, E179   59.98, N89   59.98, E180    0.01, vors", true, 89.999917, 179.999917},
      {"Exclude=S33   29.99, E151   14.99, S33   30.01, E151   15.01, ndbs", true, -33.5, 151.25},
      {"Exclude=N42 34.61, W12 24.51, N42 34.59, W12 24.49, all", false, 0, 0},
      {"Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, ils", false, 0, 0},
      {"Exclude=N42   34.71, W12   24.51, N42   34.59, W12   24.49, all", false, 0, 0},
      {"Exclude=W12   24.51, N42   34.61, W12   24.49, N42   34.59, all", false, 0, 0},
      {"Exclude=N42   34.61, W12   24.51, N42   34.59, all", false, 0, 0},
      {"exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, all", false, 0, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    OrlithSwitch found;
    ASSERT_EQ(ParseOrlithSwitch(c.line, &found), c.orlith) << c.line;
    if (!c.orlith) continue;
    EXPECT_NEAR(found.latitude, c.latitude, 0.0001) << c.line;
    EXPECT_NEAR(found.longitude, c.longitude, 0.0001) << c.line;
    EXPECT_EQ(found.word, std::string(c.line).substr(std::string(c.line).rfind(' ') + 1));
  }
}

}  // namespace
}  // namespace orlith
