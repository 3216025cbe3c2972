#include "cli/cli_args.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

namespace orlith {
namespace {

// Whatever the locale, only a to z have capitals: no other byte turns "nd?" into "NDB".
TEST(CliArgs, TypeCaseIgnoresTheLocale) {
  std::setlocale(LC_ALL, "");
  for (int c = 1; c < 256; ++c) {
    const std::string text = std::string("nd") + static_cast<char>(c);
    EXPECT_EQ(NormaliseType(text).has_value(), c == 'b' || c == 'B') << c;
  }
  std::setlocale(LC_ALL, "C");
}

TEST(CliArgs, UsageErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "no command given"},
      {"-C", "option -C needs a folder"},
      {"create|--lat|N1 2|--lon|E1 2", "create needs --type"},
      {"modify|--lon|E1 2|--type|NDB", "modify needs --lat"},
      {"create|--lat|N1 2|--lon|E1 2|--type|TACAN",
       "--type must be NDB, VOR or ILS, not \"TACAN\""},
      {"delete|--lat|N1 2|--lon|E1 2|--range|5", "delete takes no parameter option: --range"},
      {"delete|--lat|N1 2|--lat|N1 2|--lon|E1 2", "option --lat is given twice"},
      {"delete|--lat", "option --lat needs a text"},
      {"delete|--lat|N1 2|--lon|E1 2|--colour|red", "unknown option for delete: --colour"},
      {"batch", "batch takes one CSV file"},
      {"batch|a.csv|b.csv", "batch takes one CSV file"},
      {"batch|--json", "unknown option for batch: --json"},
      {"batch|--scenery-folder|a.csv", "batch takes one CSV file"},
      {"batch|--scenery-folder=|a.csv", "option --scenery-folder needs a folder"},
      {"create|--lat|N1 2|--lon|E1 2|--type|NDB|--scenery-folder",
       "option --scenery-folder needs a folder"},
      {"modify|--scenery-folder|a|--scenery-folder=b", "option --scenery-folder is given twice"},
      {"delete|--lat|N1 2|--lon|E1 2|--scenery-folder|a",
       "unknown option for delete: --scenery-folder"},
      {"import", "import needs a navaids.csv file"},
      {"import|a.csv|--type|ILS", "--type must be NDB or VOR, not \"ILS\""},
      {"import|a.csv|--within|N1 0|E1 0|N0 0", "--within needs NORTH WEST SOUTH EAST"},
      {"import|a.csv|--within|E1 0|E1 0|N0 0|E2 0", "--within: \"E1 0\" is not a latitude"},
      {"import|a.csv|--command|delete", "--command must be create or modify, once"},
      {"import|a.csv|--range|far", "--range must be a number of nautical miles, not \"far\""},
      {"import|a.csv|--range|-5", "--range must be a number of nautical miles, not \"-5\""},
      {"import|a.csv|--apply|-o|b.csv", "import takes -o FILE or --apply, not both"},
      {"import|a.csv|--country", "option --country needs a text"},
      {"import|a.csv|b.csv", "unknown option for import: b.csv"},
      {"inspect|--json", "inspect needs a scenery file"},
      {"inspect|a.bgl|b.bgl", "inspect takes one scenery file and --json: b.bgl"},
      {"--version|x", "--version takes nothing after it"},
      {"remove", "remove needs one of --lat/--lon, --within or --all"},
      {"remove|--all|--within|N1 0|E1 0|N0 0|E2 0", "remove needs one of --lat/--lon, --within or --all"},
      {"remove|--lat|N1 2", "remove needs both --lat and --lon"},
      {"remove|--all|--type|TACAN", "--type must be NDB, VOR or ILS, once"},
      {"remove|--within|N1 0|E1 0|N2 0|E2 0", "--within: the north edge lies south of the south edge"},
      {"remove|--all|--json", "unknown option for remove: --json"},
      {"restore|--all", "restore takes nothing after it"},
      {"undo", "unknown command: undo"},
  };
  for (const auto& [joined, error] : cases) {  // the arguments separated by '|'
    std::vector<std::string> args;
    std::istringstream in(joined);
    for (std::string arg; std::getline(in, arg, '|');) args.push_back(arg);
    CliArgs a;
    EXPECT_EQ(ParseCliArgs(args, &a), error) << joined;
  }
}

}  // namespace
}  // namespace orlith
