#include "core/file_env.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::TempFolder;

TEST(ReadLines, FollowsTheReadingLoop) {
  const std::string kLong = std::string(150000, 'x') + 'y' + std::string(49999, 'x');
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      // clang-format off
      {"empty file yields one empty line", "", {""}},
      {"final line feed yields a final empty line", "a\r\nb\r\n", {"a", "b", ""}},
      {"LF only, no final line end", "a\nb", {"a", "b"}},
      {"only the CR before the LF goes", "a\r\r\n", {"a\r", ""}},
      {"CR kept when no LF follows it", "a\r", {"a\r"}},
      {"NUL bytes pass through", std::string("a\0b\n", 4), {std::string("a\0b", 3), ""}},
      {"a line longer than a chunk stays whole", "a\n" + kLong + "\r\nb", {"a", kLong, "b"}},
      // clang-format on
  };
  TempFolder dir;
  for (const auto& c : cases) {
    dir.Write("f", c.bytes);
    std::vector<std::string> lines;
    Status s = ReadLines(*DefaultFileEnv(), dir.File("f"),
                         [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_TRUE(s.ok()) << s.ToString();
    EXPECT_EQ(lines, c.lines) << c.name;
  }
}

TEST(ReadLines, MissingFileIsNotFoundAndAFolderFails) {
  TempFolder dir;
  Status s = ReadLines(*DefaultFileEnv(), dir.File("absent"), [](std::string_view) {});
  EXPECT_EQ(s.kind(), Status::Kind::kNotFound);
  EXPECT_EQ(s.file(), dir.File("absent"));
  EXPECT_FALSE(ReadLines(*DefaultFileEnv(), dir.path(), [](std::string_view) {}).ok());
}

// Rename and appending to an existing file are what every scenery.cfg and log suite does.
TEST(FileEnv, ReadTailGivesAtMostTheLastBytes) {
  TempFolder dir;
  dir.Write("f", "abcdef");
  dir.Write("e", "");
  for (auto [file, n, want] : {std::tuple{"f", 2, "ef"}, {"f", 100, "abcdef"}, {"e", 1, ""}}) {
    std::string tail = "stale";
    ASSERT_TRUE(
        DefaultFileEnv()->ReadTail(dir.File(file), static_cast<std::size_t>(n), &tail).ok());
    EXPECT_EQ(tail, want);
  }
  std::string tail;
  EXPECT_EQ(DefaultFileEnv()->ReadTail(dir.File("absent"), 1, &tail).kind(),
            Status::Kind::kNotFound);
}

// Appends are gathered in memory: a flush puts them in the file in order, pieces larger than the
// gathering space included, and a close or the end of the object writes what is left.
TEST(FileEnv, AppendsReachTheFileInOrderByFlushOrClose) {
  TempFolder dir;
  FileEnv& env = *DefaultFileEnv();
  const std::string big(200000, 'b');
  std::unique_ptr<WritableFile> file;
  ASSERT_TRUE(env.OpenForWriting(dir.File("f"), &file).ok());
  ASSERT_TRUE(file->Append("a").ok() && file->Append(big).ok() && file->Append("c").ok());
  ASSERT_TRUE(file->Flush().ok());
  EXPECT_EQ(dir.Read("f"), "a" + big + "c");
  ASSERT_TRUE(file->Append(std::string(70000, 'd')).ok() && file->Append("e").ok());
  ASSERT_TRUE(file->Close().ok());
  EXPECT_EQ(dir.Read("f"), "a" + big + "c" + std::string(70000, 'd') + "e");
  ASSERT_TRUE(env.OpenForAppending(dir.File("f"), &file).ok());
  ASSERT_TRUE(file->Append("f").ok());
  file.reset();
  EXPECT_EQ(dir.Read("f").back(), 'f');
}

TEST(WorkFolder, NamesFilesRelativeToItsPath) {
  EXPECT_EQ(WorkFolder{}.File("scenery.cfg"), "scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim"}.File("scenery.cfg"), "sim/scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim/"}.File("orlith.log"), "sim/orlith.log");
}

}  // namespace
}  // namespace orlith
