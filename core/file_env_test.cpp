#include "core/file_env.h"
#include "core/work_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::TempFolder;

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

// After a cut back, appends go on from the new end, in a file opened for writing or appending.
TEST(FileEnv, AppendsAfterACutBackFollowTheKeptBytes) {
  TempFolder dir;
  for (const bool appending : {false, true}) {
    std::unique_ptr<WritableFile> file;
    FileEnv& env = *DefaultFileEnv();
    ASSERT_TRUE((appending ? env.OpenForAppending(dir.File("f"), &file)
                           : env.OpenForWriting(dir.File("f"), &file))
                    .ok());
    ASSERT_TRUE(file->Append(std::string(100000, 'a')).ok() && file->Truncate(2).ok());
    ASSERT_TRUE(file->Append("b").ok() && file->Close().ok());
    EXPECT_EQ("aab", dir.Read("f"));
    dir.Write("f", "");
  }
}

#ifndef _WIN32
// A file cut shorter by another program while a window of it is mapped: the lost bytes read as
// zeros instead of ending the process, and the next call reports the change.
TEST(FileEnv, FileCutShortWhileMappedIsAFileError) {
  TempFolder dir;
  dir.Write("f", std::string(1 << 20, 'x'));
  std::unique_ptr<ReadableFile> file;
  ASSERT_TRUE(DefaultFileEnv()->OpenForReading(dir.File("f"), &file).ok());
  std::string scratch(1 << 18, '\0');
  std::string_view window;
  ASSERT_TRUE(file->ReadInPlace(scratch.size(), scratch.data(), &window).ok());
  std::filesystem::resize_file(dir.File("f"), 0);
  EXPECT_EQ(std::count(window.begin(), window.end(), 'x'), 0);
  const Status s = file->ReadInPlace(scratch.size(), scratch.data(), &window);
  EXPECT_EQ(s.ToString(),
            dir.File("f") + ": The file was made shorter by another program while it was read");
  EXPECT_TRUE(file->Close().ok());
}
#endif

// Entries by name with what each is, a symlink as its target; a missing folder is kNotFound.
TEST(FileEnv, ListsAFolderAndTellsFoldersApart) {
  TempFolder dir;
  dir.Write("b.bgl", "x");
  std::filesystem::create_directory(dir.File("a"));
  FileEnv& env = *DefaultFileEnv();
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(env.ListFolder(dir.path(), &entries).ok());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::tie(entries[0].name, entries[0].folder, entries[0].regularFile),
            std::make_tuple(std::string("a"), true, false));
  EXPECT_EQ(std::tie(entries[1].name, entries[1].folder, entries[1].regularFile),
            std::make_tuple(std::string("b.bgl"), false, true));
  EXPECT_EQ(env.ListFolder(dir.File("missing"), &entries).kind(), Status::Kind::kNotFound);
  bool is_folder = true;
  for (const auto& [name, folder] : {std::pair{"a", true}, {"b.bgl", false}, {"missing", false}}) {
    ASSERT_TRUE(env.IsFolder(dir.File(name), &is_folder).ok()) << name;
    EXPECT_EQ(is_folder, folder) << name;
  }
}

TEST(WorkFolder, NamesFilesRelativeToItsPath) {
  EXPECT_EQ(WorkFolder{}.File("scenery.cfg"), "scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim"}.File("scenery.cfg"), "sim/scenery.cfg");
  EXPECT_EQ(WorkFolder{"sim/"}.File("orlith.log"), "sim/orlith.log");
}

TEST(WorkFolder, PutsSceneryFilesIntoItsSceneryFolder) {
  // The simulator folder, the scenery folder, the name shown, the path written to.
  const char* cases[][4] = {
      {"sim", "", "a.bgl", "sim/a.bgl"},
      {"", "sc/", "sc/a.bgl", "sc/a.bgl"},
      {"sim", "Addon Scenery\\Updates\\scenery", "Addon Scenery\\Updates\\scenery\\a.bgl",
       "sim/Addon Scenery\\Updates\\scenery/a.bgl"},
      {"sim", "/abs/sc//", "/abs/sc/a.bgl", "/abs/sc/a.bgl"},
      {"sim", "C:\\FS\\sc", "C:\\FS\\sc\\a.bgl", "C:\\FS\\sc/a.bgl"},
      {"sim", "/", "/a.bgl", "/a.bgl"},
  };
  for (const auto& [path, scenery, name, file] : cases) {
    WorkFolder folder{path, DefaultFileEnv(), scenery};
    EXPECT_EQ(folder.SceneryName("a.bgl"), name) << scenery;
    EXPECT_EQ(folder.SceneryFile("a.bgl"), file) << scenery;
  }
}

}  // namespace
}  // namespace orlith
