// remove through the command line, in process: what each selection takes back.
#include "cli/remove_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "cli/cli.h"
#include "scenery_config/exclusion_switch.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::BytesEqual;
using testing::TempFolder;

int RunIn(const TempFolder& tmp, std::vector<std::string> args, std::string* out = nullptr) {
  args.insert(args.begin(), {"-C", tmp.path()});
  std::ostringstream o, e;
  int status = RunCli(args, o, e);
  if (out != nullptr) *out = o.str() + e.str();
  return status;
}

TEST(RemoveCommand, SelectsByPositionRectangleAndType) {
  // P1 has an NDB switch and file, P2 a VOR switch and file, P3 an all-NavAids switch and an ILS.
  const std::vector<std::vector<std::string>> setup = {
      {"delete", "--lat", "N42 34.6", "--lon", "W12 24.5", "--type", "NDB"},
      {"delete", "--lat", "N10 0.0", "--lon", "E20 0.0", "--type", "VOR"},
      {"delete", "--lat", "S33 56.5", "--lon", "E151 10.2"},
      {"create", "--lat", "N42 34.6", "--lon", "W12 24.5", "--type", "NDB", "--frequency", "350"},
      {"create", "--lat", "N10 0.0", "--lon", "E20 0.0", "--type", "VOR", "--frequency", "113.9"},
      {"create", "--lat", "S33 56.5", "--lon", "E151 10.2", "--type", "ILS", "--scenery-folder",
       "upd", "--frequency", "110.3"},
  };
  // The selection, the exit status and the start of the output's last line.
  const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
      {{"--lat", "N42 34.6", "--lon", "W12 24.5"}, 0, "Removed 1 exclusion switch and 1 scenery file."},
      {{"--lat", "N42 34.60", "--lon", "W12 24.5", "--type", "vor"}, 4, "Nothing"},
      {{"--lat", "N42 34.7", "--lon", "W12 24.5"}, 4, "Nothing"},
      {{"--all", "--type", "NDB"}, 0, "Removed 2 exclusion switches and 1 scenery file."},
      {{"--all", "--type", "ILS"}, 0, "Removed 2 exclusion switches and 2 scenery files."},
      {{"--within", "N50 0", "W20 0", "N0 0", "E30 0"}, 0, "Removed 2 exclusion switches and 2"},
      {{"--within", "N0 0", "E150 0", "S40 0", "W170 0"}, 0, "Removed 1 exclusion switch and 1"},
      {{"--all"}, 0, "Removed 3 exclusion switches and 3 scenery files."},
      {{"--all", "--dry-run"}, 0, "Would remove 3 exclusion switches and 3 scenery files; nothing"},
      {{"--lat", "N42 34.6", "--lon", "X12 24.5"}, 8, "Input Error - Program terminates!"},
  };
  for (const auto& [selection, status, said] : cases) {
    SCOPED_TRACE(::testing::PrintToString(selection));
    TempFolder tmp;
    tmp.Write("scenery.cfg", testing::kBaseConfig);
    for (const auto& command : setup) ASSERT_EQ(RunIn(tmp, command), 0);
    const std::string cfg = tmp.Read("scenery.cfg"), log = tmp.Read("orlith.log");
    std::vector<std::string> args = {"remove", "--scenery-folder", "upd"};
    args.insert(args.end(), selection.begin(), selection.end());
    std::string out;
    EXPECT_EQ(RunIn(tmp, args, &out), status);
    const std::string last = out.substr(out.rfind('\n', out.size() - 2) + 1);
    EXPECT_TRUE(last.starts_with(said)) << out;
    const bool changed = status == 0 && said[0] == 'R';
    EXPECT_EQ(tmp.Read("scenery.cfg") != cfg, changed);
    EXPECT_EQ(tmp.Read("orlith.log") != log, changed);
  }
}

// After any mix of commands, remove --all leaves scenery.cfg as it was plus the registered block.
TEST(RemoveCommand, TakesBackAnyMixOfCommands) {
  const std::string base = testing::kBaseConfig;
  const std::string lf = "[Area.123]\nLayer=123\n", cr = "[Area.123]\rLayer=123";
  for (const std::string& before : {base, lf, cr, base.substr(0, base.size() - 2)}) {
    TempFolder tmp;
    tmp.Write("scenery.cfg", before);
    tmp.Write("rows.csv", "command,latitude,longitude,type,frequency\r\n"
                          "modify,N1 0.0,E2 0.0,NDB,350\r\ndelete,N1 0.0,E3 0.0,,\r\n"
                          "create,N1 0.0,E4 0.0,VOR,113.9\r\n");
    tmp.Write("navaids.csv",  // the columns the import reads
              "ident,name,type,frequency_khz,latitude_deg,longitude_deg,elevation_ft,iso_country,"
              "slaved_variation_deg,magnetic_variation_deg,power\r\nABC,A,NDB,350,50.5,4.5,100,BE,"
              ",,HIGH\r\nXYZ,B,VOR,113900,50.6,4.6,,BE,,1.5,LOW\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"create", "--lat", "N42 34.6", "--lon", "W12 24.5", "--type", "VOR"},
        {"delete", "--lat", "N42 34.6", "--lon", "W12 24.5"},
        {"modify", "--lat", "S1 0.0", "--lon", "W1 0.0", "--type", "ILS"},
        {"batch", "rows.csv"},
        {"batch", "--scenery-folder", "upd", "rows.csv"},
        {"import", "navaids.csv", "--apply", "--command", "modify", "--scenery-folder", "upd"},
        {"import", "navaids.csv", "--apply", "--command", "modify", "--scenery-folder", "upd"},
    };
    for (const auto& command : commands) ASSERT_EQ(RunIn(tmp, command), 0) << command[0];
    // The second import of the same rows appended no switch twice; the batch's did.
    const std::string cfg = tmp.Read("scenery.cfg");
    EXPECT_EQ(cfg.find(ExclusionSwitchLine("N50 30.000", "E4 30.000", "NDB")),
              cfg.rfind(ExclusionSwitchLine("N50 30.000", "E4 30.000", "NDB")));
    EXPECT_NE(cfg.find(ExclusionSwitchLine("N1 0.0", "E3 0.0", "")),
              cfg.rfind(ExclusionSwitchLine("N1 0.0", "E3 0.0", "")));
    std::string out;
    ASSERT_EQ(RunIn(tmp, {"remove", "--all", "--scenery-folder", "upd"}, &out), 0) << out;
    EXPECT_TRUE(BytesEqual(before + "\r\n" + testing::UpdatesBlock("124"), tmp.Read("scenery.cfg")));
    for (const auto& [name, bytes] : testing::Snapshot(tmp)) EXPECT_FALSE(name.ends_with(".bgl"));
  }
}

}  // namespace
}  // namespace orlith
