#include "cli/list_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

TEST(ListCommand, ShowsWhatABatchDidAndChangesNothing) {
  testing::TempFolder tmp;
  tmp.Write("scenery.cfg",
            "[Area.123]\r\nTitle=Propeller Objects\r\nLayer=123\r\n"
            "Exclude=N1 0.00, W1 0.00, N0 0.00, E1 0.00, all\r\n");
  tmp.Write("b.csv",
            "command,latitude,longitude,type,frequency,range,altitude,magnetic_deviation,dme,id,"
            "name\ncreate,N42 34.6,W12 24.5,NDB,350.5,25,100,,,ABC,TEST NDB\n"
            "delete,S33 30.0,E151 15.0,,,,,,,,\n"
            "modify,N47 27.9,E8 33.1,VOR,114.85,40,430,2,1,KLO,\"KLOTEN, ZURICH\"\n"
            "delete,N0 0.006,W0 0.006,NDB,,,,,,,\n");
  tmp.Write("other.bgl", std::string(300, '\x01'));
  std::ostringstream batch, text, json, err;
  ASSERT_EQ(RunCli({"-C", tmp.path(), "batch", "b.csv", "--scenery-folder", "upd"}, batch, err), 0)
      << err.str();
  auto before = testing::Snapshot(tmp);
  ASSERT_EQ(RunCli({"-C", tmp.path(), "list", "--scenery-folder", "upd"}, text, err), 0);
  // clang-format off
  EXPECT_EQ(text.str(), R"(Exclusion switches in scenery.cfg: 3
  line 12: S33   30.00, E151   15.00, drops all NavAids, in [Area.124] Navigational Updates
  line 13: N47   27.90, E8   33.10, drops VOR and ILS NavAids, in [Area.124] Navigational Updates
  line 14: N0    0.01, W0    0.01, drops NDB NavAids, in [Area.124] Navigational Updates
Orlith scenery files: 2
  upd/N42 34_6__W12 24_5.bgl: NDB, N42   34.60, W12   24.50, 350.5 kHz, 24.33 nm, ID "ABC", name "TEST NDB"
  upd/N47 27_9__E8 33_1.bgl: VOR, N47   27.90, E8   33.10, 114.85 MHz, 39.81 nm, ID "KLO", name "KLOTEN, ZURICH"
Other .bgl files (not Orlith's): 1
)");
  ASSERT_EQ(RunCli({"-C", tmp.path(), "list", "--json", "--scenery-folder", "upd"}, json, err), 0);
  EXPECT_EQ(json.str(), R"({"switches":[)"
      R"({"line":12,"latitude":"S33   30.00","longitude":"E151   15.00","drops":"all","area":"Area.124","areaTitle":"Navigational Updates"},)"
      R"({"line":13,"latitude":"N47   27.90","longitude":"E8   33.10","drops":"vors","area":"Area.124","areaTitle":"Navigational Updates"},)"
      R"({"line":14,"latitude":"N0    0.01","longitude":"W0    0.01","drops":"ndbs","area":"Area.124","areaTitle":"Navigational Updates"}],"files":[)"
      R"({"file":"upd/N42 34_6__W12 24_5.bgl","type":"NDB","latitude":"N42   34.60","longitude":"W12   24.50","latitudeDegrees":42.576661,"longitudeDegrees":-12.408328,"frequencyKHz":350.5,"rangeUnits":22,"rangeNm":24.33,"altitude":100,"id":"ABC","name":"TEST NDB"},)"
      R"({"file":"upd/N47 27_9__E8 33_1.bgl","type":"VOR","latitude":"N47   27.90","longitude":"E8   33.10","latitudeDegrees":47.464984,"longitudeDegrees":8.551655,"frequencyMHz":114.85,"channel":137,"rangeUnits":36,"rangeNm":39.81,"altitude":430,"magneticDeviation":2.00,"flags":1,"dme":true,"localizer":false,"glideSlope":false,"id":"KLO","name":"KLOTEN, ZURICH"}],)"
      R"("otherBglFiles":1})" "\n");
  // clang-format on
  EXPECT_EQ(testing::Snapshot(tmp), before);
}

}  // namespace
}  // namespace orlith
