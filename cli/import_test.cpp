#include "app/navaid_import.h"
#include "cli/cli_args.h"
#include "cli/cli_front_end.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "app/batch.h"
#include "app/csv_reader.h"
#include "app/import_run.h"
#include "app/position_set.h"
#include "test_support/fault_env.h"
#include "test_support/memory_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::TempFolder;

// The header and rows of OurAirports' navaids.csv (August 2026), as published.
constexpr char kHeader[] =
    R"csv("id","filename","ident","name","type","frequency_khz","latitude_deg","longitude_deg","elevation_ft","iso_country","dme_frequency_khz","dme_channel","dme_latitude_deg","dme_longitude_deg","dme_elevation_ft","slaved_variation_deg","magnetic_variation_deg","usageType","power","associated_airport")csv";
constexpr char kRows[] =
    R"csv(85050,"Williams_Harbour_NDB_CA","1A","Williams Harbour","NDB",373,52.55889892578125,-55.78219985961914,70,"CA",,,,,,,-23.072,"LO","MEDIUM","CCA6"
85065,"Grand_Forks_NDB-DME_CA","2J","Grand Forks","NDB-DME",250,49.01750183105469,-118.42400360107422,1720,"CA",109700,"034X",,,,,17.114,"LO","LOW","CZGF"
85245,"Adelaide (DECOMMISSIONED)_NDB_AU","AD","Adelaide (DECOMMISSIONED)","NDB",362,-34.946399688721,138.54600524902,20,"AU",,,,,,,8.1,"BOTH","HIGH","YPAD"
85749,"Mt__iAy_NDB_US","AZW","Mt  iAy","NDB",223,36.38100051879883,-80.54019927978516,1037,"US",,,,,,,-7.311,,,
95519,"Wau_NDB_SD","Wau_NDB_","Wau","NDB",355,7.723020076751709,27.976499557495117,,"SS",,,,,,,1.275,"BOTH","MEDIUM","HSWW"
86663,"Châteaudun_NDB_FR","CDN","Châteaudun","NDB",360,48.062400817871094,1.3636399507522583,433,"FR",,,,,,,-1.192,"LO","LOW","LFOC"
87996,"Sierra_Vista_Muni_Libby_Aaf_VOR_US","FHU","Sierra Vista Muni/Libby Aaf","VOR",113600,31.58970069885254,-110.3550033569336,4664,"US",,,,,,13.001,10.421,"TERMINAL","LOW","KFHU"
85522,"Allen_Co_VOR_US","AOH","Allen Co","VOR",108400,40.70709991455078,-83.96820068359375,980,"US",,,,,,-4.001,-5.554,"TERMINAL","LOW",
85315,"Ayaguz_VOR_KZ","AGZ","Ayaguz","VOR",113600,47.93109893798828,80.44969940185547,,"KZ",,,,,,,5.555,"BOTH","HIGH",
85169,"Auckland_VOR-DME_NZ","AA","Auckland","VOR-DME",114800,-37.004600524902344,174.81399536132812,13,"NZ",114800,"095X",,,,19.011,19.282,"BOTH","HIGH","NZAA"
85204,"Nabb_VORTAC_US","ABB","Nabb","VORTAC",112400,38.58879852294922,-85.63600158691406,710,"US",112400,"071X",,,,1.001,-4.045,"LO","MEDIUM",
504648,"Gooch Springs_VORTAC_US","AGJ","Gooch Springs","VORTAC",112500,31.185,-98.141,1191,"US",,,,,,,,"HI","HIGH",
85052,"Nanaimo_DME_CA","1CD","Nanaimo","DME",111450,49.05720138549805,-123.87200164794922,83,"CA",111450,"051Y",,,,,18.282,"LO","LOW","CYCD"
85183,"Aalborg_TACAN_DK","AAL","Aalborg","TACAN",116700,57.10390090942383,9.992810249328613,57,"DK",116700,"114X",,,,1.008,0.598,"BOTH","HIGH","EKYT"
86054,"Bindook (Closed May 2016)_NDB_AU","BIK","Bindook (Closed May 2016)","NDB",-1,-34.178600311279,150.1109,,"AU",,,,,,,12.2,"BOTH","LOW",
92093,"BERGAMO_VOR-DME_IT","BEG","BERGAMO","VOR-DME",11495,45.6694722,9.7091944,810,"IT",11495,"073X",45.6696,9.70925,,,1,"LO","MEDIUM","LIME")csv";

// The source row with the given id.
std::string Row(const std::string& id) {
  std::string rows = kRows;
  std::size_t at = rows.find(id + ",");
  return rows.substr(at, rows.find('\n', at) - at);
}

// The batch row of one source row, or the name of the reason it is left out.
std::string Map(const std::string& row, const ImportOptions& options = {}) {
  std::vector<CsvRecord> csv;
  NavaidColumns columns;
  std::string error;
  if (!testing::ParseCsv(kHeader + ("\n" + row), &csv, &error) || csv.size() != 2) return error;
  EXPECT_TRUE(FindNavaidColumns(csv[0].fields, &columns, &error)) << error;
  static const char* const kReasons[] = {"", "filtered", "no record", "no frequency",
                                         "bad position"};
  NavAidEntry entry;
  ImportSkip skip = MapNavaidRow(csv[1].fields, columns, options, &entry);
  if (skip == ImportSkip::kSelected) return BatchRowLine(options.command, entry);
  return kReasons[static_cast<int>(skip)];
}

std::string Replace(std::string row, const std::string& from, const std::string& to) {
  return row.replace(row.find(from), from.size(), to);
}

TEST(NavaidImport, MapsRealRows) {
  const std::string ndb = Row("85050"), vor = Row("87996"), fr = Row("86663");
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {ndb, "create,N52 33.534,W55 46.932,NDB,373,50,21,,,,,1A,WILLIAMS HARBOUR\r\n"},  // MEDIUM
      {Row("85065"), "create,N49 1.050,W118 25.440,NDB,250,25,524,,,,,2J,GRAND FORKS\r\n"},  // NDB-DME, LOW
      {Row("85245"), "create,S34 56.784,E138 32.760,NDB,362,75,6,,,,,AD,ADELAIDE (DECOMMISSIONED\r\n"},
      {Row("85749"), "create,N36 22.860,W80 32.412,NDB,223,25,316,,,,,AZW,MT  IAY\r\n"},  // no power
      {Row("95519"), "create,N7 43.381,E27 58.590,NDB,355,50,0,,,,,Wau_N,WAU\r\n"},  // no elevation
      {fr, "create,N48 3.744,E1 21.818,NDB,360,25,132,,,,,CDN,CH\xC2TEAUDUN\r\n"},
      {vor, "create,N31 35.382,W110 21.300,VOR,113.60,25,1422,13,0,,,FHU,SIERRA VISTA MUNI/LIBBY \r\n"},  // slaved 13.001
      {Row("85522"), "create,N40 42.426,W83 58.092,VOR,108.40,25,299,-4,0,,,AOH,ALLEN CO\r\n"},
      {Row("85315"), "create,N47 55.866,E80 26.982,VOR,113.60,130,0,6,0,,,AGZ,AYAGUZ\r\n"},  // magnetic 5.555
      {Row("85169"), "create,S37 0.276,E174 48.840,VOR,114.80,130,4,19,1,,,AA,AUCKLAND\r\n"},  // VOR-DME
      {Row("85204"), "create,N38 35.328,W85 38.160,VOR,112.40,40,216,1,1,,,ABB,NABB\r\n"},  // VORTAC, MEDIUM
      {Row("504648"), "create,N31 11.100,W98 8.460,VOR,112.50,130,363,0,1,,,AGJ,GOOCH SPRINGS\r\n"},  // no variation
      {Replace(Replace(Replace(vor, ",4664,", ",99999,"), "13.001", "400"), "\"LOW\"", "\"UNKNOWN\""), "create,N31 35.382,W110 21.300,VOR,113.60,40,0,10,0,,,FHU,SIERRA VISTA MUNI/LIBBY \r\n"},  // out of range: missing; unknown power
      {Replace(ndb, "\"Williams Harbour\"", "\"Harbour, \"\"W\"\"\""), "create,N52 33.534,W55 46.932,NDB,373,50,21,,,,,1A,\"HARBOUR, \"\"W\"\"\"\r\n"},
      {Row("85052"), "no record"},  // DME
      {Row("85183"), "no record"},  // TACAN
      {Row("86054"), "no frequency"},  // -1
      {Row("92093"), "no frequency"},  // 11495 kHz, below the VOR band
      {Replace(ndb, ",373,", ",382.5,"), "create,N52 33.534,W55 46.932,NDB,382.5,50,21,,,,,1A,WILLIAMS HARBOUR\r\n"},
      {Replace(ndb, ",373,", ",,"), "no frequency"},
      {Replace(vor, "113600", "118000"), "no frequency"},
      {Replace(ndb, ",373,", ",10000,"), "no frequency"},
      {Replace(ndb, "52.55889892578125", "52.5N"), "bad position"},
      {Replace(ndb, "-55.78219985961914", ""), "bad position"},
      {Replace(ndb, "52.55889892578125", "91"), "bad position"},
  };
  // clang-format on
  for (const auto& [row, expected] : cases) EXPECT_EQ(Map(row), expected) << row;
}

TEST(NavaidImport, FiltersAndOptions) {
  // The options, a source row, and the start of its batch row or the reason it is left out.
  const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
      // clang-format off
      {{"--country", "ca"}, Row("85050"), "create,N52"},
      {{"--country", "US", "--country", "NZ"}, Row("85169"), "create,S37"},
      {{"--country", "US"}, Row("85050"), "filtered"},
      {{"--ident", "aa"}, Row("85169"), "create,S37"},
      {{"--ident", "AAR"}, Row("85169"), "filtered"},
      {{"--type", "ndb"}, Row("86663"), "create,N48"},
      {{"--type", "VOR"}, Row("86663"), "filtered"},
      {{"--type", "NDB"}, Row("87996"), "filtered"},
      {{"--within", "N49 0", "E1 0", "N48 0", "E2 0"}, Row("86663"), "create,N48"},
      {{"--within", "N48 3", "E1 0", "N48 0", "E2 0"}, Row("86663"), "filtered"},
      {{"--within", "N49 0", "E1 22", "N48 0", "E2 0"}, Row("86663"), "filtered"},
      // Across 180 degrees: west edge east of the east edge.
      {{"--within", "S30 0", "E170 0", "S40 0", "W170 0"}, Row("85169"), "create,S37"},
      {{"--within", "S30 0", "E175 0", "S40 0", "W170 0"}, Row("85169"), "filtered"},
      {{"--command", "modify", "--range", "60"}, Row("85050"), "modify,N52 33.534,W55 46.932,NDB,373,60,"},
      // clang-format on
  };
  for (const auto& [options_args, row, expected] : cases) {
    std::vector<std::string> args = {"navaids.csv"};
    args.insert(args.end(), options_args.begin(), options_args.end());
    ImportOptions options;
    ASSERT_EQ(ParseImportArgs(args, 0, &options), "");
    EXPECT_EQ(Map(row, options).substr(0, expected.size()), expected) << args[1];
  }
}

TEST(NavaidImport, CoordinatesCarryAndPositionsRepeat) {
  EXPECT_EQ(ImportCoordinate(42.99999999, CoordinateKind::kLatitude), "N43 0.000");
  EXPECT_EQ(ImportCoordinate(-0.5, CoordinateKind::kLongitude), "W0 30.000");
  EXPECT_EQ(ImportCoordinate(-179.9999999, CoordinateKind::kLongitude), "W180 0.000");
  EXPECT_EQ(Utf8ToLatin1("a\xC3\xA9\xE2\x82\xAC\xFF\xC3"), "a\xE9???");
  PositionSet positions;
  auto at = [](const char* lat, const char* lon) {
    NavAidEntry e;
    e.latitude = lat;
    e.longitude = lon;
    return e;
  };
  EXPECT_TRUE(positions.Insert(at("N48 3.744", "E1 21.818")));
  EXPECT_TRUE(positions.Insert(at("N48 3.744", "E1 21.819")));
  EXPECT_TRUE(positions.Insert(at("S0 0.000", "E1 21.818")));
  EXPECT_TRUE(positions.Insert(at("N0 0.000", "E1 21.818")));
  EXPECT_FALSE(positions.Insert(at("N48 3.744", "E1 21.818")));
}

struct ImportRun {
  int status;
  std::string out, err;
};

ImportRun Import(const TempFolder& tmp, std::vector<std::string> args,
                 FileEnv* env = DefaultFileEnv()) {
  ImportOptions options;
  EXPECT_EQ(ParseImportArgs(args, 0, &options), "");
  std::ostringstream out, err;
  CliFrontEnd front_end(NavAidEntry{}, out, err);
  int status = RunImport(options, WorkFolder{tmp.path(), env}, front_end, out, err);
  return {status, out.str(), err.str()};
}

TEST(NavaidImport, WritesRowsAndSummary) {
  TempFolder tmp;
  // The second Châteaudun row has the same position: kept once.
  tmp.Write("n.csv", std::string(kHeader) + "\n" + Row("85050") + "\n" + Row("86663") + "\n" +
                         Row("86663") + "\n" + Replace(Row("85050"), "\"NDB\"", "\"DME\"") + "\n");
  ImportRun run = Import(tmp, {"n.csv", "--country", "FR"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, BatchHeaderLine() + Map(Row("86663")));
  EXPECT_EQ(
      run.err,
      "4 rows read: 1 written, 2 left out by the filters, 1 skipped.\n"
      "Skipped: 0 type without a record (DME, TACAN), 0 no usable frequency, 0 position not a "
      "number, 1 same position.\n");
  run = Import(tmp, {"n.csv", "-o", "out.csv"});
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(tmp.Read("out.csv"), BatchHeaderLine() + Map(Row("85050")) + Map(Row("86663")));
  // Applied: one batch, its files in the scenery folder; without scenery.cfg nothing is written.
  run = Import(tmp, {"n.csv", "--apply"});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(tmp.Exists("N48 3_744__E1 21_818.bgl"));
  tmp.Write("scenery.cfg", "[General]\r\n");
  run = Import(tmp, {"n.csv", "--apply", "--country", "FR"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "A new NDB NavAid was created at N48 3.744, E1 21.818\n");
  EXPECT_EQ(tmp.Read("N48 3_744__E1 21_818.bgl").size(), 229u);
}

TEST(NavaidImport, FailedFileKeepsTheOldOutput) {
  // The failing call, and how many of its calls succeed first (1: the check pass reads the
  // source, the second pass fails).
  const std::tuple<testing::FaultOp, std::string, int> cases[] = {
      {testing::FaultOp::kOpenForReading, "n.csv", 0}, {testing::FaultOp::kRead, "n.csv", 0},
      {testing::FaultOp::kOpenForReading, "n.csv", 1}, {testing::FaultOp::kRead, "n.csv", 2},
      {testing::FaultOp::kAppend, "out.csv", 0},       {testing::FaultOp::kRename, "out.csv", 0},
  };
  for (const auto& [op, file, succeed_first] : cases) {
    const std::string error =
        (file == "n.csv" ? "cannot read " : "cannot write ") + file + ": Input/output error";
    SCOPED_TRACE(error + " after " + std::to_string(succeed_first));
    TempFolder tmp;
    tmp.Write("n.csv", std::string(kHeader) + "\n" + Row("85050") + "\n");
    tmp.Write("out.csv", "old");
    testing::FaultEnv env;
    env.Add({op, file, "Input/output error", Status::Kind::kIoError, succeed_first});
    ImportRun run = Import(tmp, {"n.csv", "-o", "out.csv"}, &env);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "orlith-cli: " + error + "\n");
    EXPECT_EQ(tmp.Read("out.csv"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 2);
  }
}

}  // namespace
}  // namespace orlith
