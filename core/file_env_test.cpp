#include "core/file_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::TempFolder;

std::vector<std::string> LinesOf(const TempFolder& dir, std::string_view bytes) {
  dir.Write("f", bytes);
  std::vector<std::string> lines;
  Status s = ReadLines(*DefaultFileEnv(), dir.File("f"),
                       [&](std::string_view line) { lines.emplace_back(line); });
  EXPECT_TRUE(s.ok()) << s.ToString();
  return lines;
}

struct LinesCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(ReadLines, FollowsTheReadingLoop) {
  const LinesCase cases[] = {
      {"empty file yields one empty line", "", {""}},
      {"final line feed yields a final empty line", "a\r\nb\r\n", {"a", "b", ""}},
      {"LF only", "a\nb\n", {"a", "b", ""}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"CR kept when no LF follows it", "a\r", {"a\r"}},
      {"only the CR before the LF goes", "a\r\r\n", {"a\r", ""}},
      {"NUL bytes pass through", std::string("a\0b\n", 4), {std::string("a\0b", 3), ""}},
  };
  TempFolder dir;
  for (const auto& c : cases) EXPECT_EQ(LinesOf(dir, c.bytes), c.lines) << c.name;
}

TEST(ReadLines, LinesLongerThanOneChunkStayWhole) {
  TempFolder dir;
  std::string longLine(200000, 'x');
  longLine[150000] = 'y';
  EXPECT_EQ(LinesOf(dir, "a\n" + longLine + "\r\nb"),
            (std::vector<std::string>{"a", longLine, "b"}));
}

TEST(ReadLines, MissingFileIsNotFound) {
  TempFolder dir;
  Status s = ReadLines(*DefaultFileEnv(), dir.File("absent"), [](std::string_view) {});
  EXPECT_EQ(s.kind(), Status::Kind::kNotFound);
  EXPECT_EQ(s.file(), dir.File("absent"));
}

TEST(ReadLines, FolderIsAnError) {
  TempFolder dir;
  Status s = ReadLines(*DefaultFileEnv(), dir.path(), [](std::string_view) {});
  EXPECT_FALSE(s.ok());
}

TEST(FileEnv, ReadTailGivesTheLastBytes) {
  TempFolder dir;
  dir.Write("f", "abcdef");
  std::string tail;
  ASSERT_TRUE(DefaultFileEnv()->ReadTail(dir.File("f"), 2, &tail).ok());
  EXPECT_EQ(tail, "ef");
  ASSERT_TRUE(DefaultFileEnv()->ReadTail(dir.File("f"), 100, &tail).ok());
  EXPECT_EQ(tail, "abcdef");
  dir.Write("e", "");
  ASSERT_TRUE(DefaultFileEnv()->ReadTail(dir.File("e"), 1, &tail).ok());
  EXPECT_EQ(tail, "");
  EXPECT_EQ(DefaultFileEnv()->ReadTail(dir.File("absent"), 1, &tail).kind(),
            Status::Kind::kNotFound);
}

TEST(FileEnv, RenameReplacesTheTarget) {
  TempFolder dir;
  dir.Write("new", "fresh");
  dir.Write("old", "stale");
  ASSERT_TRUE(DefaultFileEnv()->Rename(dir.File("new"), dir.File("old")).ok());
  EXPECT_EQ(dir.Read("old"), "fresh");
  EXPECT_FALSE(dir.Exists("new"));
}

TEST(FileEnv, AppendingKeepsWhatWasThere) {
  TempFolder dir;
  dir.Write("f", "old");
  std::unique_ptr<WritableFile> file;
  ASSERT_TRUE(DefaultFileEnv()->OpenForAppending(dir.File("f"), &file).ok());
  ASSERT_TRUE(file->Append("\r\nnew").ok());
  ASSERT_TRUE(file->Close().ok());
  EXPECT_EQ(dir.Read("f"), "old\r\nnew");
}

TEST(WorkFolder, NamesFilesRelativeToItsPath) {
  EXPECT_EQ(WorkFolder{}.File("scenery.cfg"), "scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim"}.File("scenery.cfg"), "sim/scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim/"}.File("orlith.log"), "sim/orlith.log");
}

}  // namespace
}  // namespace orlith
