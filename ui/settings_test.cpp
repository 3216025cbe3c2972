// The desktop programs' folders: from the command line and from orlith.ini.
#include "ui/settings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support/test_support.h"
#include "ui/program_options.h"

namespace orlith {
namespace {

using testing::TempFolder;

// What orlith.ini holds before, the folder written, and the bytes after: unknown lines and other
// sections stay, the key is found in any letter case and only inside [Orlith].
TEST(SettingsTest, RewritesOnlyTheSceneryFolder) {
  const struct {
    const char* before;  // nullptr: no orlith.ini
    const char* readBack;
    const char* folder;
    const char* after;
  } cases[] = {
      {nullptr, "", kAddonSceneryFolder,
       "[Orlith]\r\nSceneryFolder=Addon Scenery\\Updates\\scenery\r\n"},
      {"[Orlith]\r\nsceneryfolder= x \r\nColour=red\r\n", "x", "",
       "[Orlith]\r\nSceneryFolder=\r\nColour=red\r\n"},
      {"; mine\n[Other]\nSceneryFolder=no\n", "", "s",
       "; mine\r\n[Other]\r\nSceneryFolder=no\r\n\r\n[Orlith]\r\nSceneryFolder=s\r\n"},
      {"[orlith]\r\nA=1\r\n", "", "s", "[orlith]\r\nSceneryFolder=s\r\nA=1\r\n"},
  };
  for (const auto& c : cases) {
    TempFolder tmp;
    if (c.before) tmp.Write(kSettingsFileName, c.before);
    WorkFolder folder{tmp.path()};
    Settings settings;
    ASSERT_TRUE(ReadSettings(folder, &settings).ok());
    EXPECT_EQ(settings.sceneryFolder, c.readBack) << c.after;
    settings.sceneryFolder = c.folder;
    ASSERT_TRUE(WriteSettings(folder, settings).ok());
    EXPECT_TRUE(testing::BytesEqual(c.after, tmp.Read(kSettingsFileName)));
    ASSERT_TRUE(ReadSettings(folder, &settings).ok());
    EXPECT_EQ(settings.sceneryFolder, c.folder);
  }
}

// The command line wins over orlith.ini; an orlith.ini that cannot be read is named.
TEST(SettingsTest, ProgramFolderTakesTheStoredFolder) {
  TempFolder tmp;
  tmp.Write(kSettingsFileName, "[Orlith]\r\nSceneryFolder=a\\b\r\n");
  Status failure;
  EXPECT_EQ(ProgramWorkFolder({tmp.path(), "cli"}, DefaultFileEnv(), &failure).sceneryFolder,
            "cli");
  EXPECT_EQ(ProgramWorkFolder({tmp.path(), ""}, DefaultFileEnv(), &failure).sceneryFolder,
            SceneryFolderForSystem("a\\b"));
  EXPECT_TRUE(failure.ok());
  tmp.Write(kSettingsFileName, std::string(70000, 'x'));
  Settings settings;
  const Status s = ReadSettings(WorkFolder{tmp.path()}, &settings);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.file(), kSettingsFileName);
}

TEST(SettingsTest, ChoicesAndWhatTheyStore) {
  EXPECT_EQ(ChoiceOf(" "), SceneryChoice::kSimulatorFolder);
  EXPECT_EQ(ChoiceOf("addon scenery/Updates/scenery/"), SceneryChoice::kAddonScenery);
  EXPECT_EQ(ChoiceOf("Addon Scenery\\Updates"), SceneryChoice::kNone);
  EXPECT_EQ(StoredFor(SceneryChoice::kNone, "mine"), "mine");
  EXPECT_EQ(StoredFor(SceneryChoice::kSimulatorFolder, "mine"), "");
  EXPECT_EQ(ChoiceOf(StoredFor(SceneryChoice::kAddonScenery, "")), SceneryChoice::kAddonScenery);
#ifndef _WIN32
  EXPECT_EQ(SceneryFolderForSystem(kAddonSceneryFolder), "Addon Scenery/Updates/scenery");
#else
  EXPECT_EQ(SceneryFolderForSystem(kAddonSceneryFolder), kAddonSceneryFolder);
#endif
}

TEST(ProgramOptions, FoldersAndErrors) {
  // The arguments separated by '|', then the folder, the scenery folder, or the error.
  // clang-format off
  const char* cases[][4] = {
      {"", "", "", ""}, {"-C|sim", "sim", "", ""}, {"sim dir", "sim dir", "", ""},
      {"--scenery-folder|Addon Scenery\\Updates\\scenery|sim", "sim",
       "Addon Scenery\\Updates\\scenery", ""},
      {"--scenery-folder=/abs", "", "/abs", ""}, {"-C", "", "", "-C needs a folder"},
      {"a|-C|b", "", "", "only one folder can be given"}, {"|", "", "", "the folder name is empty"},
      {"--frobnicate", "", "", "unknown option --frobnicate"},
      {"--scenery-folder", "", "", "--scenery-folder needs a folder"},
      {"--scenery-folder=", "", "", "--scenery-folder needs a folder"},
      {"--scenery-folder|a|--scenery-folder|b", "", "", "only one scenery folder can be given"}};
  // clang-format on
  for (const auto& [joined, folder, scenery_folder, error] : cases) {
    std::vector<std::string> args;
    std::istringstream in(joined);
    for (std::string arg; std::getline(in, arg, '|');) args.push_back(arg);
    std::string got_error;
    std::optional<ProgramOptions> options = ParseProgramOptions(args, &got_error);
    EXPECT_EQ(got_error, error) << joined;
    ASSERT_EQ(options.has_value(), got_error.empty()) << joined;
    if (!options) continue;
    EXPECT_EQ(options->Work().path, folder) << joined;
    EXPECT_EQ(options->Work().sceneryFolder, scenery_folder) << joined;
  }
}

}  // namespace
}  // namespace orlith
