// The whole of OurAirports' navaids.csv imported into an empty simulator folder: one scenery
// file per usable row, read back to the source values within the format's resolution.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "app/csv_reader.h"
#include "app/navaid_import.h"
#include "cli/cli.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/navaid_reader.h"
#include "scenery_file/navaid_writer.h"
#include "test_support/memory_env.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

// One step of the 24-bit position plus half a thousandth of a minute of the position text.
constexpr double kLatitudeTolerance = 90.0 / 5000875 + 0.0005 / 60;
constexpr double kLongitudeTolerance = 360.0 / (1 << 24) + 0.0005 / 60;
constexpr double kNmPerRangeUnit = 2048.0 / 1852;

TEST(NavaidImport, WholeSharedFile) {
  const char* override_path = std::getenv("ORLITH_NAVAIDS_CSV");
  const std::string source = override_path ? override_path : ORLITH_SHARED_NAVAIDS;
  if (!std::filesystem::exists(source)) GTEST_SKIP() << "no navaids.csv at " << source;
  testing::TempFolder sim;
  sim.Write("scenery.cfg", "[General]\r\nTitle=FS2002 World Scenery\r\n");
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"-C", sim.path(), "import", source, "--apply"}, out, err), 0) << err.str();

  std::vector<CsvRecord> records;
  std::string error;
  ASSERT_TRUE(testing::ParseCsv(testing::ReadFileBytes(source), &records, &error)) << error;
  std::map<std::string, std::size_t> col;
  for (std::size_t c = 0; c < records[0].fields.size(); ++c) col[records[0].fields[c]] = c;
  std::set<std::string> checked;  // the scenery files
  for (std::size_t r = 1; r < records.size(); ++r) {
    auto f = [&](const char* name) { return records[r].fields[col[name]]; };
    const std::string type = f("type");
    const bool ndb = type.starts_with("NDB");
    const double khz = std::stod(f("frequency_khz"));
    if (type == "DME" || type == "TACAN" || khz < 0 || (!ndb && khz < 108000)) continue;
    const double lat = std::stod(f("latitude_deg")), lon = std::stod(f("longitude_deg"));
    std::string file = SceneryFileName(ImportCoordinate(lat, CoordinateKind::kLatitude),
                                       ImportCoordinate(lon, CoordinateKind::kLongitude));
    if (!checked.insert(file).second) continue;  // a later row at the same position
    SCOPED_TRACE(f("id") + " " + f("ident") + " " + file);
    DecodedNavAid n;
    ASSERT_TRUE(DecodeNavAidFile(sim.Read(file), &n, &error)) << error;
    EXPECT_EQ(n.navAidType, ndb ? "NDB" : "VOR");
    EXPECT_NEAR(n.latitude, lat, kLatitudeTolerance);
    EXPECT_NEAR(n.longitude, lon, kLongitudeTolerance);
    if (ndb) {
      EXPECT_EQ(n.frequencyKhz, khz);
    } else {
      EXPECT_NEAR(n.frequencyMhz, khz / 1000, 0.026);
      EXPECT_EQ(n.flags, type == "VOR" ? 0 : kFlagDme);
      std::string variation = f("slaved_variation_deg");
      if (variation.empty()) variation = f("magnetic_variation_deg");
      EXPECT_NEAR(n.magneticDeviation, variation.empty() ? 0 : std::stod(variation),
                  0.5 + 360.0 / 65536);
    }
    const std::string power = f("power");
    const double nm = power == "HIGH"     ? (ndb ? 75 : 130)
                      : power == "MEDIUM" ? (ndb ? 50 : 40)
                      : power == "LOW"    ? 25
                                          : (ndb ? 25 : 40);
    EXPECT_NEAR(n.rangeNm, nm, kNmPerRangeUnit);
    EXPECT_NEAR(n.altitude, f("elevation_ft").empty() ? 0 : std::stod(f("elevation_ft")) * 0.3048,
                0.5);
    EXPECT_EQ(n.id, f("ident").substr(0, 5));
    std::string name = Utf8ToLatin1(f("name"));
    for (char& c : name) {  // Latin-1 capitals: a-z and the accented letters 0xE0 to 0xFE
      auto u = static_cast<unsigned char>(c);
      if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u != 0xF7 && u != 0xFF)) c = char(u - 0x20);
    }
    name = name.substr(0, 24);
    EXPECT_EQ(n.name, name.substr(0, name.find_last_not_of(' ') + 1));
  }
  std::size_t files = 0;
  for (const auto& [name, bytes] : testing::Snapshot(sim)) files += name.ends_with(".bgl");
  EXPECT_EQ(files, checked.size());
  EXPECT_NE(err.str().find(std::to_string(checked.size()) + " applied"), std::string::npos);
}

}  // namespace
}  // namespace orlith
