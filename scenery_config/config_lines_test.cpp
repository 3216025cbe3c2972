#include "scenery_config/config_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_support/memory_env.h"

namespace orlith {
namespace {

using namespace std::string_literals;

// Each line in reading order: its text and then its line end, as "text|end".
std::vector<std::string> Lines(const std::string& bytes, std::size_t piece, std::size_t keep) {
  testing::MemoryEnv env;
  env.files["scenery.cfg"] = bytes;
  env.readPiece = piece;
  std::unique_ptr<ReadableFile> file;
  EXPECT_TRUE(env.OpenForReading("scenery.cfg", &file).ok());
  ConfigLineReader reader(*file, keep);
  std::vector<std::string> lines;
  std::uint64_t offset = 0;
  ConfigLine line;
  for (std::int64_t number = 1; reader.Next(&line); ++number) {
    EXPECT_EQ(line.number, number);
    EXPECT_EQ(line.offset, offset);  // the lines cover the file, each byte once
    const std::string whole = bytes.substr(offset, line.size);
    const std::size_t text = whole.find_first_of("\r\n");
    EXPECT_EQ(line.text, whole.substr(0, std::min(text, keep)));
    EXPECT_EQ(line.cut, std::min(text, whole.size()) > keep);
    lines.push_back(whole.substr(0, text) + "|" + (text == whole.npos ? "" : whole.substr(text)));
    offset += line.size;
  }
  EXPECT_TRUE(reader.status().ok());
  EXPECT_EQ(offset, bytes.size());
  return lines;
}

TEST(ConfigLineReader, EndsLinesAtLineFeedsCrLfsAndLoneCrs) {
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {""s, {}},
      {"a\r\nb\nc\rd"s, {"a|\r\n", "b|\n", "c|\r", "d|"}},
      {"\r\n\n\r\r\n"s, {"|\r\n", "|\n", "|\r", "|\r\n"}},
      {"a\r\r\nb\n\r"s, {"a|\r", "|\r\n", "b|\n", "|\r"}},
      {"x\0y\r\n"s, {"x\0y|\r\n"s}},
      {std::string(70000, 'L') + "\r\nend", {std::string(70000, 'L') + "|\r\n", "end|"}},
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {1, 2, 3, 64 * 1024}) {
      SCOPED_TRACE(c.bytes.substr(0, 20) + ", reads of " + std::to_string(piece));
      EXPECT_EQ(Lines(c.bytes, piece, 1024), c.lines);
      Lines(c.bytes, piece, 2);  // texts cut to two bytes, the lines' places unchanged
    }
  }
}

}  // namespace
}  // namespace orlith
