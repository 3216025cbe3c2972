#include "scenery_config/config_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace orlith {
namespace {

using namespace std::string_literals;

TEST(ConfigScan, MarkerLineAndHighestAreaInEveryPieceSizeF13F14) {
  const struct {
    std::string bytes;
    bool present;
    std::int64_t highest;
  } cases[] = {
      // clang-format off
      {"", false, 0},
      {"Title=Navigational Updates", true, 0},
      {"[Area.005]\r\ntitle=NAVIGATIONAL updates \t\r\n", true, 5},
      {"Title=Navigational Updates x\n Title=Navigational Updates\nTitle=Navigational Update", false, 0},
      {"[Area.005]\r\nTitle=Nordic Lands USA\r\n", false, 5},
      {"Title=Navigational Updates\0\n"s, false, 0},
      {"[Area.001]\rTitle=Navigational Updates\rLayer=1\r", true, 1},  // lone CR line ends
      {"[Area.123]\r\nTitle=KSEA Airport v1.2\r\nLocal=Scenery\\Pack 2.0\r\n", false, 123},
      {"[Area.010]\nLayer=200\n[Area.011]\nLayer=11\n", false, 200},
      {"[Area.200]\n[Area.050]\n", false, 200},
      {"[area.099]", false, 99},
      {"[Area.12]\n  [AREA.7]\n\tLAYER=  +13x", false, 13},
      {"[Area]\nLayer=-5\nLayer =7\nLocal=Layer=8\nX[Area.9]", false, 0},
      {"Layer=99999999999999999999\n", false, kHighestAreaLimit},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {1, 2, 3, 7, 1 << 20}) {
      ConfigScan scan;
      for (std::size_t at = 0; at < c.bytes.size(); at += piece) {
        ScanConfigBytes(std::string_view(c.bytes).substr(at, piece), &scan);
      }
      EndConfigScan(&scan);
      EXPECT_EQ(scan.blockPresent, c.present) << c.bytes << " in pieces of " << piece;
      EXPECT_EQ(scan.highestArea, c.highest) << c.bytes << " in pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace orlith
