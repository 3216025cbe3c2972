#include "scenery_config/config_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "test_support/memory_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;

// scenery.cfg in memory, handed out in reads of at most piece bytes, so every line end and every
// line meets a block boundary somewhere; and an empty scenery.org to copy it to.
struct CopyFiles {
  CopyFiles(std::string bytes, std::size_t piece) {
    env.files["scenery.cfg"] = std::move(bytes);
    env.readPiece = piece;
    EXPECT_TRUE(env.OpenForReading("scenery.cfg", &in).ok());
    EXPECT_TRUE(env.OpenForWriting("scenery.org", &out).ok());
  }
  testing::MemoryEnv env;
  std::unique_ptr<ReadableFile> in;
  std::unique_ptr<WritableFile> out;
};

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

// Both copies match the line-by-line one, and their scans have seen every byte once and found a
// line feed without its CR exactly when the copy adds one; also when the block is known present
// beforehand, so that only the line ends are scanned. The area numbers after a marker line count
// for nothing.
void ExpectSameAsLineByLine(const std::string& bytes, std::size_t piece) {
  ConfigScan expected;
  ScanConfigBytes(bytes, &expected);
  EndConfigScan(&expected);
  for (bool known_present : {false, true}) {
    for (auto* copy : {&CopyConfigLines, &CopyConfigFile}) {
      CopyFiles files(bytes, piece);
      ConfigScan scan;
      scan.blockPresent = known_present;
      ASSERT_TRUE(copy(*files.in, *files.out, &scan).ok());
      EXPECT_TRUE(BytesEqual(ExpectedCopy(bytes), files.env.files["scenery.org"]));
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

TEST(MarkerInTail, OnlyWholeLinesOfTheTailCount) {
  const struct {
    const char* tail;
    bool whole, found;
  } cases[] = {
      {"Title=Navigational Updates", true, true},
      {"Title=Navigational Updates\r\n", false, false},  // maybe the end of "xTitle=..."
      {"x\r\nTitle=Navigational Updates\r\nExclude=1", false, true},
      {"\rtitle=NAVIGATIONAL updates \t", false, true},
      {"[Area.01]\nTitle=Navigational Updates x\n", true, false},
      {"", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.found, MarkerInTail(c.tail, c.whole)) << c.tail << (c.whole ? " whole" : "");
  }
}

TEST(CopyConfigLines, ReturnsTheFirstFailure) {
  for (const char* failing : {"scenery.org", "scenery.cfg"}) {
    CopyFiles files(std::string(200000, 'x'), 64 * 1024);
    ConfigScan scan;
    // The first append, or the second read: nothing more is read or written after it.
    files.env.FailFrom(std::string(failing) == "scenery.org" ? 0 : 1, failing);
    EXPECT_EQ(std::string(failing) + ": Input/output error",
              CopyConfigLines(*files.in, *files.out, &scan).ToString());
    EXPECT_LE(files.env.files["scenery.org"].size(), 64u * 1024);
  }
}

// Real files, mapped where the system can: CR LF throughout across
// the read blocks, with NUL bytes and lone CRs, without a last line end, and files whose first
// bare line feed comes early or late.
TEST(CopyConfigFile, RealFilesMatchTheConvertingCopy) {
  using namespace std::string_literals;
  testing::TempFolder dir;
  std::string crlf;
  for (int i = 0; crlf.size() < 2500000; ++i) crlf += "Layer=" + std::to_string(i) + "\r\0\r\n"s;
  const std::string cases[] = {crlf,
                               crlf.substr(0, crlf.size() - 1),
                               crlf + "x",
                               "a\nb\n",
                               crlf + "\n",
                               "\n" + crlf,
                               std::string(1100000, '\r') + "\r\n",
                               crlf.substr(0, 1400000) + "\n" + crlf,
                               // a CR ending one window of 1 MiB and its line feed starting the next
                               std::string((1 << 20) - 1, 'x') + "\r\n" + crlf,
                               std::string(1 << 20, 'x') + "\n" + crlf};
  for (const std::string& bytes : cases) {
    dir.Write("scenery.cfg", bytes);
    ConfigScan expected;
    ScanConfigBytes(bytes, &expected);
    EndConfigScan(&expected);
    // The usual pass, and the one of a file whose block was found in its last bytes.
    for (bool known_present : {false, true}) {
      std::unique_ptr<ReadableFile> in;
      std::unique_ptr<WritableFile> out;
      std::string temp;
      ASSERT_TRUE(DefaultFileEnv()->OpenForReading(dir.File("scenery.cfg"), &in).ok());
      ASSERT_TRUE(DefaultFileEnv()->CreateTemporary(dir.File("scenery.org"), &temp, &out).ok());
      ConfigScan scan;
      scan.blockPresent = known_present;
      ASSERT_TRUE(CopyConfigFile(*in, *out, &scan).ok());
      ASSERT_TRUE(out->Close().ok());
      EXPECT_TRUE(BytesEqual(ExpectedCopy(bytes), testing::ReadFileBytes(temp)));
      if (!known_present) {
        EXPECT_EQ(expected.highestArea, scan.highestArea);
      }
      EXPECT_EQ(expected.bareLineFeed, scan.bareLineFeed);
    }
  }
}

}  // namespace
}  // namespace orlith
