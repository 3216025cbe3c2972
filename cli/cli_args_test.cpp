#include "cli/cli_args.h"

#include <gtest/gtest.h>

namespace orlith {
namespace {

TEST(CliArgs, StoresTextsExactlyAndTheTypeInCapitals) {
  CliArgs a;
  ASSERT_EQ(ParseCliArgs({"-C", "sim dir", "create", "--lat", " n42 34.6 ", "--lon=W12 24.5",
                          "--type", "vOr", "--magnetic-deviation", "-3", "--name", ""},
                         &a),
            "");
  EXPECT_EQ(a.folder, "sim dir");
  EXPECT_EQ(a.command, CliCommand::kCreate);
  EXPECT_EQ(a.entry.latitude, " n42 34.6 ");
  EXPECT_EQ(a.entry.longitude, "W12 24.5");
  EXPECT_EQ(a.entry.navAidType, "VOR");
  EXPECT_EQ(a.entry.magneticDeviation, "-3");
  EXPECT_EQ(a.entry.frequency, "");  // not given: the empty text
}

TEST(CliArgs, UsageErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{}, "no command given"},
      {{"-C"}, "option -C needs a folder"},
      {{"create", "--lat", "N1 2", "--lon", "E1 2"}, "create needs --type"},
      {{"modify", "--lon", "E1 2", "--type", "NDB"}, "modify needs --lat"},
      {{"create", "--lat", "N1 2", "--lon", "E1 2", "--type", "TACAN"},
       "--type must be NDB, VOR or ILS, not \"TACAN\""},
      {{"delete", "--lat", "N1 2", "--lon", "E1 2", "--range", "5"},
       "delete takes no parameter option: --range"},
      {{"delete", "--lat", "N1 2", "--lat", "N1 2", "--lon", "E1 2"},
       "option --lat is given twice"},
      {{"delete", "--lat"}, "option --lat needs a text"},
      {{"delete", "--lat", "N1 2", "--lon", "E1 2", "--colour", "red"},
       "unknown option for delete: --colour"},
      {{"batch"}, "batch takes one CSV file"},
      {{"inspect", "--json"}, "inspect needs a scenery file"},
      {{"inspect", "a.bgl", "b.bgl"}, "inspect takes one scenery file and --json: b.bgl"},
      {{"--version", "x"}, "--version takes nothing after it"},
      {{"remove"}, "unknown command: remove"},
  };
  for (const Case& c : cases) {
    CliArgs a;
    EXPECT_EQ(ParseCliArgs(c.args, &a), c.error);
  }
}

TEST(CliArgs, DeleteWithoutTypeAndInspect) {
  CliArgs a;
  ASSERT_EQ(ParseCliArgs({"delete", "--lat", "N1 2", "--lon", "E1 2"}, &a), "");
  EXPECT_EQ(a.entry.navAidType, "");
  ASSERT_EQ(ParseCliArgs({"inspect", "--json", "x.bgl"}, &a), "");
  EXPECT_EQ(a.command, CliCommand::kInspect);
  EXPECT_TRUE(a.json);
  EXPECT_EQ(a.file, "x.bgl");
}

}  // namespace
}  // namespace orlith
