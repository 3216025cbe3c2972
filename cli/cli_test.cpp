// End to end: the built orlith-cli run in temporary simulator folders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <tuple>

#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::kBaseConfig;
using testing::TempFolder;

constexpr const char* kBgl = testing::kExampleFile;
// A valid latitude whose scenery file name no file system holds.
const std::string kLongLat = "N1 2." + std::string(300, '0');

struct CliRun {
  int status;
  std::string out, err;
};

std::string Quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs orlith-cli with the arguments separated by '|', in the folder when one is given.
CliRun RunCli(const TempFolder* folder, const std::string& args) {
  static TempFolder streams;
  std::string command = Quoted(ORLITH_CLI_PATH);
  if (folder != nullptr) command += " -C " + Quoted(folder->path());
  std::istringstream in(args);
  for (std::string a; std::getline(in, a, '|');) command += " " + Quoted(a);
  command += " >" + Quoted(streams.File("out")) + " 2>" + Quoted(streams.File("err"));
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, streams.Read("out"), streams.Read("err")};
}

TEST(OrlithCli, CreateWritesTheFilesByteForByte) {
  TempFolder tmp;
  tmp.Write("scenery.cfg", kBaseConfig);
  CliRun r = RunCli(&tmp,
                    "create|--lat|N42 34.6|--lon|W12 24.5|--type|vor|--frequency|113.90|--range|40|"
                    "--altitude|200|--magnetic-deviation|-3|--dme|1|--id|XYZ|--name|TEST VOR");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "A new VOR NavAid was created at N42 34.6, W12 24.5\n");
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(testing::BytesEqual(testing::NavAidExamples()[1].file, tmp.Read(kBgl)));
  EXPECT_EQ(tmp.Read("scenery.cfg"), kBaseConfig + ("\r\n" + testing::UpdatesBlock("124")));
  // The entries' texts are checked where they are built; here today's date heads them.
  const std::regex dated(
      "^\r\n\\*{30}\r\n\\d\\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
      "\\d{4}\r\n\r\nThe file SCENERY.CFG was copied");
  EXPECT_TRUE(std::regex_search(tmp.Read("orlith.log"), dated)) << tmp.Read("orlith.log");
  CliRun inspect = RunCli(&tmp, std::string("inspect|") + kBgl);
  EXPECT_NE(inspect.out.find("Type: VOR\nPosition: N42   34.60, W12   24.50 ("), inspect.out.npos);
  EXPECT_NE(inspect.out.find("Frequency: 113.90 MHz (channel 118)\n"), inspect.out.npos);
  CliRun json = RunCli(&tmp, std::string("inspect|") + kBgl + "|--json");
  EXPECT_TRUE(json.out.starts_with("{\"type\":\"VOR\",\"latitude\":\"N42   34.60\"")) << json.out;
}

TEST(OrlithCli, FailuresChangeNothing) {
  const std::string kDelete = "delete|--lat|N1 2|--lon|E1 2";
  // Arguments, exit status, the start of standard error.
  const std::tuple<std::string, int, const char*> cases[] = {
      {kDelete, 1, "File scenery.cfg not found!\n"},  // run without scenery.cfg
      {"create|--lat|N1 2|--lon|E1 2", 2, "orlith-cli: create needs --type\n"},
      {"inspect|scenery.cfg", 2, "orlith-cli: scenery.cfg is not an Orlith scenery file: "},
      {"batch|none.csv", 3, "orlith-cli: cannot read none.csv"},
      {kDelete, 3, "Error with file "},  // scenery.org is a folder, which cannot be replaced
      {"create|--lat|E1 2|--lon|E1 2|--type|NDB", 8, "Input Error - Program terminates!\n"},
      {"batch|rows.csv", 8, "orlith-cli: rows.csv, line 3: longitude"},
      {"create|--lat|" + kLongLat + "|--lon|E1 2|--type|NDB", 2, "Error with file "},
      {"modify|--lat|" + kLongLat + "|--lon|E1 2|--type|NDB", 2, "Error with file "},
      {"batch|long.csv", 2, "orlith-cli: long.csv, line 3: scenery file "},
      {"inspect|big.bgl", 2,
       "orlith-cli: big.bgl is not an Orlith scenery file: it is larger than 65536 bytes\n"},
  };
  for (const auto& [args, status, err] : cases) {
    TempFolder tmp;
    if (status != 1) tmp.Write("scenery.cfg", kBaseConfig);
    tmp.Write("rows.csv", "command,latitude,longitude\ndelete,N1 2,E1 2\ndelete,N1 2,X1 2\n");
    tmp.Write("long.csv", "command,latitude,longitude,type\ndelete,N1 2,E1 2,\ncreate," + kLongLat +
                              ",E1 2,NDB\n");
    tmp.Write("big.bgl", std::string(65537, '\0'));
    if (args == kDelete && status == 3) std::filesystem::create_directory(tmp.File("scenery.org"));
    auto before = testing::Snapshot(tmp);
    CliRun r = RunCli(&tmp, args);
    EXPECT_EQ(r.status, status) << args << ": " << r.err;
    EXPECT_TRUE(r.err.starts_with(err)) << args << ": " << r.err;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(testing::Snapshot(tmp), before) << args;
  }
}

}  // namespace
}  // namespace orlith
