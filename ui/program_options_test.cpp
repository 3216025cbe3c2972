#include "ui/program_options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlith {
namespace {

TEST(ProgramOptions, FoldersAndErrors) {
  // The arguments separated by '|', then the folder, the scenery folder, or the error.
  const char* cases[][4] = {
      {"", "", "", ""},
      {"-C|sim", "sim", "", ""},
      {"sim dir", "sim dir", "", ""},
      {"--scenery-folder|Addon Scenery\\Updates\\scenery|sim", "sim",
       "Addon Scenery\\Updates\\scenery", ""},
      {"--scenery-folder=/abs", "", "/abs", ""},
      {"-C", "", "", "-C needs a folder"},
      {"a|-C|b", "", "", "only one folder can be given"},
      {"--frobnicate", "", "", "unknown option --frobnicate"},
      {"|", "", "", "the folder name is empty"},
      {"--scenery-folder", "", "", "--scenery-folder needs a folder"},
      {"--scenery-folder=", "", "", "--scenery-folder needs a folder"},
      {"--scenery-folder|a|--scenery-folder|b", "", "", "only one scenery folder can be given"},
  };
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
