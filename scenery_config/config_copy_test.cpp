#include "scenery_config/config_copy.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "test_support/memory_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;

// The same copy line by line, as the reading loop of scenery.cfg states it.
std::string ExpectedCopy(const std::string& bytes) {
  std::string copy;
  for (std::size_t start = 0;;) {
    std::size_t lf = bytes.find('\n', start);
    std::string line = bytes.substr(start, lf == std::string::npos ? lf : lf - start);
    if (lf != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    copy += line + "\r\n";
    if (lf == std::string::npos) return copy;
    start = lf + 1;
  }
}

// Both copies match the line-by-line one and their scans the whole file's, bare line feeds
// included; also with the block known present beforehand, when the area numbers count for nothing.
void ExpectSameAsLineByLine(const std::string& bytes, std::size_t piece) {
  ConfigScan expected;
  ScanConfigBytes(bytes, &expected);
  EndConfigScan(&expected);
  for (bool known_present : {false, true}) {
    for (auto* copy : {&CopyConfigLines, &CopyConfigFile}) {
      // Reads of at most piece bytes, so that line ends and lines meet block boundaries.
      testing::MemoryEnv env;
      env.files["scenery.cfg"] = bytes;
      env.readPiece = piece;
      std::unique_ptr<ReadableFile> in;
      std::unique_ptr<WritableFile> out;
      ASSERT_TRUE(env.OpenForReading("scenery.cfg", &in).ok());
      ASSERT_TRUE(env.OpenForWriting("scenery.org", &out).ok());
      ConfigScan scan;
      scan.blockPresent = known_present;
      ASSERT_TRUE(copy(*in, *out, &scan).ok());
      EXPECT_TRUE(BytesEqual(ExpectedCopy(bytes), env.files["scenery.org"]));
      EXPECT_EQ(expected.blockPresent || known_present, scan.blockPresent);
      if (!scan.blockPresent) {
        EXPECT_EQ(expected.highestArea, scan.highestArea);
      }
      EXPECT_EQ(ExpectedCopy(bytes) != bytes + "\r\n", scan.bareLineFeed);
    }
  }
}

TEST(CopyConfigLines, EdgeCasesInEveryReadSize) {
  using namespace std::string_literals;
  // clang-format off
  const std::string cases[] = {
      ""s, "\n"s, "\r"s, "[Area.001]\r\nLayer=1\n\n\r\n"s, "[Area.1]\r\nLast\r"s, "[Area.1\r\n"s,
      "a\rb\n\r\r\n"s,  // a CR without its LF stays
      "Title=Navigational U\r\n"s, "Title=Navigational \r\n"s,  // a marker of 20; 19 and a CR
      "x\r\nTitle=Nordic Lands USA"s, "[Area.1]\r\nx.y"s, "[Area.007]\r\nTitle=A\0B\r\n"s,
      "\r\n"s, "\n\r\n"s, "a\r\n\r\nb"s, "\r\r\n\0\r\n"s, "Layer=9\r\nx\n"s, "a\r\nb\r"s};
  // clang-format on
  for (const std::string& bytes : cases) {
    for (std::size_t piece : {1, 2, 3, 7, 64 * 1024}) {
      SCOPED_TRACE('"' + bytes + "\", reads of " + std::to_string(piece));
      ExpectSameAsLineByLine(bytes, piece);
    }
  }
}

// Random files of line ends, marker, header and layer lines and long runs that outgrow a block,
// read in odd block sizes and the full one.
TEST(CopyConfigLines, RandomFilesMatchTheLineByLineReading) {
  std::mt19937 random(20261206);
  // clang-format off
  const std::string pieces[] = {"a", ".", "N", "U", "\r", "\n", "\n", " ", "y", "P", "[Area.12]",
                                "Title=Navigational Updates", "Layer=345", "\t[aREA.+99",
                                "title=NAVIGATIONAL updates \t", "lAYER= 1234", "Layer=1234567",
                                "[Area.00000019]", "Layer=98765432109", "[Area.3:", "[aREA.0070]"};
  // clang-format on
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const std::size_t size = round < 250 ? random() % 200 : 64 * 1024 + random() % 70000;
    while (bytes.size() < size) {
      if (random() % 50 == 0) bytes += std::string(random() % 300, 'N');
      bytes += pieces[random() % (round % 2 == 0 ? 7 : std::size(pieces))];
    }
    // Every third file in CR LF form throughout, every sixth without its last line end.
    if (round % 3 == 0) bytes = ExpectedCopy(bytes).substr(0, bytes.size() + (round % 6 ? 0 : 2));
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectSameAsLineByLine(bytes, 1 + random() % 40);
    ExpectSameAsLineByLine(bytes, 64 * 1024);
  }
}

}  // namespace
}  // namespace orlith
