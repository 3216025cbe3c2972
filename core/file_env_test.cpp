#include "core/file_env.h"
#include "core/work_folder.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "test_support/fault_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::TempFolder;

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

// A small file is read whole, a longer one refused, also when it grows past the limit after the
// open found it small: the size known at the open never cuts the reading short.
TEST(FileEnv, ReadsASmallFileWholeAndRefusesALongerOne) {
  struct GrowingEnv : testing::FaultEnv {
    std::string more;  // appended to the file right after its open
    Status OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
      Status s = DefaultFileEnv()->OpenForReading(path, file);
      if (s.ok()) std::ofstream(path, std::ios::binary | std::ios::app) << more;
      return s;
    }
  } env;
  TempFolder dir;
  // The size at the open, the bytes added after it, the limit, whether the file is refused.
  using Case = std::tuple<std::size_t, std::size_t, std::uint64_t, bool>;
  const Case cases[] = {{0, 0, 300, false},  {229, 0, 300, false},   {300, 0, 300, false},
                        {301, 0, 300, true}, {229, 71, 300, false},  {229, 72, 300, true},
                        {0, 400, 300, true}, {4096, 0, 5000, false}, {4096, 100, 5000, false}};
  for (auto [size, grown, max, too_large] : cases) {
    const std::string whole = std::string(size, 'a') + std::string(grown, 'b');
    dir.Write("f", whole.substr(0, size));
    env.more = whole.substr(size);
    std::string bytes = "stale";
    bool refused = !too_large;
    ASSERT_TRUE(ReadSmallFile(env, dir.File("f"), max, &bytes, &refused).ok());
    EXPECT_EQ(refused, too_large) << size << " + " << grown;
    if (!too_large) {
      EXPECT_EQ(bytes, whole) << size << " + " << grown;
    }
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
// The listing by name, each entry as what it is: a symlink as its target, a dangling one, a FIFO
// and a missing folder as neither.
TEST(FileEnv, ListsAFolderByNameWithWhatEachIs) {
  TempFolder dir;
  dir.Write("d.bgl", "x");
  std::filesystem::create_directory(dir.File("a"));
  std::filesystem::create_symlink("d.bgl", dir.File("b"));
  std::filesystem::create_directory_symlink("a", dir.File("c"));
  std::filesystem::create_symlink("missing", dir.File("e"));
  ASSERT_EQ(::mkfifo(dir.File("f").c_str(), 0600), 0);
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(DefaultFileEnv()->ListFolder(dir.path(), &entries).ok());
  std::string seen;
  for (const FolderEntry& e : entries)
    seen += e.name + (e.folder ? "/" : e.regularFile ? "" : "?") + " ";
  EXPECT_EQ(seen, "a/ b c/ d.bgl e? f? ");
  EXPECT_EQ(DefaultFileEnv()->ListFolder(dir.File("missing"), &entries).kind(),
            Status::Kind::kNotFound);
}
#endif

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
