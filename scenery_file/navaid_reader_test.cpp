#include "scenery_file/navaid_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "core/coordinate_text.h"
#include "core/lenient_number.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/scenery_units.h"
#include "test_support/navaid_examples.h"

namespace orlith {
namespace {

using testing::NavAidExamples;

TEST(NavAidReader, DecodesTheWorkedExamples) {
  DecodedNavAid ndb, vor, ils;
  std::string error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[0].file, &ndb, &error)) << error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[1].file, &vor, &error)) << error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[2].file, &ils, &error)) << error;
  EXPECT_EQ(ndb.navAidType, "NDB");
  EXPECT_EQ(ndb.frequencyKhz, 350);
  EXPECT_EQ(ndb.rangeUnits, 22);
  EXPECT_NEAR(ndb.rangeNm, 24.33, 0.01);
  EXPECT_EQ(ndb.altitude, 100);
  EXPECT_EQ(ndb.id, "ABC");
  EXPECT_EQ(ndb.name, "TEST NDB");
  EXPECT_NEAR(ndb.latitude, 42.576667, 2e-5);
  EXPECT_NEAR(ndb.longitude, -12.408333, 3e-5);
  EXPECT_EQ(vor.navAidType, "VOR");
  EXPECT_EQ(vor.channel, 118);
  EXPECT_NEAR(vor.magneticDeviation, -3.0, 0.01);
  EXPECT_EQ(vor.name, "TEST VOR");
  EXPECT_EQ(ils.navAidType, "ILS");
  EXPECT_EQ(ils.channel, 46);
  EXPECT_DOUBLE_EQ(ils.frequencyMhz, 110.3);
  EXPECT_EQ(ils.dme, 1);
  EXPECT_NEAR(ils.magneticDeviation, 12.0, 0.01);
  EXPECT_NEAR(ils.localizerHeading, 163.0, 0.01);
  EXPECT_NEAR(ils.glideslopeAngle, 3.0, 0.01);
  EXPECT_EQ(ils.altitude, 6);
  EXPECT_EQ(ils.name, "RWY 16R");
  EXPECT_NEAR(ils.latitude, -33.941667, 2e-5);
  EXPECT_NEAR(ils.longitude, 151.17, 3e-5);
}

TEST(NavAidReader, RejectsEveryTruncatedPrefixAndTrailingBytes) {
  for (const auto& [entry, file] : NavAidExamples()) {
    DecodedNavAid n;
    std::string error;
    for (std::size_t len = 0; len < file.size(); ++len) {
      EXPECT_FALSE(DecodeNavAidFile(file.substr(0, len), &n, &error)) << len;
      EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(DecodeNavAidFile(file + '\0', &n, &error));
  }
}

TEST(NavAidReader, ReportsADamagedStructuralByte) {
  // Every header byte but the lowest byte of the longitude bounds, whose change truncation could
  // explain, and the section's fixed bytes and the ILS's copies of its position.
  std::vector<std::size_t> offsets = {0xB0, 0xB1, 0xB5, 0xB6, 0xB8, 0xBA, 0xBC,
                                      0xBF, 0xC4, 0xC7, 0xEB, 0xEE, 0xF1, 0xF5};
  for (std::size_t i = 0; i < 176; ++i) {
    if (i != 0x0A && i != 0x0E) offsets.push_back(i);
  }
  for (std::size_t at : offsets) {
    std::string file = NavAidExamples()[2].file;
    file[at] = static_cast<char>(file[at] ^ 0x40);
    DecodedNavAid n;
    std::string error;
    EXPECT_FALSE(DecodeNavAidFile(file, &n, &error)) << "offset " << at;
  }
}

// Files the format makes from many generated entries decode to the values it stored.
TEST(NavAidReader, RoundTripsGeneratedEntries) {
  std::mt19937 rng(20261206);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* odd[] = {"", "abc", "-3", "12.5", "  7", "+40", "99999", "1e2"};
  // A number from lo to hi, or one time in `oneIn` a text that is no plain number.
  auto number = [&](int lo, int hi, int oneIn) {
    return pick(1, oneIn) == 1 ? std::string(odd[pick(0, 7)]) : std::to_string(pick(lo, hi));
  };
  auto text = [&](int n, char c) { return std::string(static_cast<std::size_t>(n), c); };
  auto coordinate = [&](const char* letters, int degrees, int tenths) {
    return letters[pick(0, 1)] + std::to_string(pick(0, degrees)) + " " +
           std::to_string(pick(0, 59)) + "." + std::to_string(pick(0, tenths));
  };
  const char* types[] = {"NDB", "VOR", "ILS", ""};
  for (int i = 0; i < 2000; ++i) {
    char mhz[16];
    std::snprintf(mhz, sizeof mhz, "%d.%02d", pick(108, 117), pick(0, 19) * 5);
    std::string frequency = pick(1, 10) == 1 ? odd[pick(0, 7)] : mhz;
    if (i % 4 == 0) frequency = number(190, 1750, 10);
    NavAidEntry e = {coordinate("sN", 90, 99),
                     coordinate("wE", 180, 9),
                     types[i % 4],
                     frequency,
                     number(0, 300, 5),
                     std::to_string(pick(-400, 9000)),
                     number(-30, 30, 5),
                     std::to_string(pick(0, 2)),
                     std::to_string(pick(0, 3599) / 10.0),
                     std::to_string(pick(20, 40) / 10.0),
                     text(pick(0, 7), "ABCDEFGHIJ"[pick(0, 9)]),
                     "NAV " + std::to_string(i) + text(pick(0, 30), 'x')};

    SCOPED_TRACE(e.latitude + " / " + e.longitude + " type " + e.navAidType);
    double lat = ParseCoordinate(e.latitude), lon = ParseCoordinate(e.longitude);
    std::string file =
        SceneryHeaderBytes(lat, lon, e.navAidType, e.frequency) + NavAidSectionBytes(lat, lon, e);
    DecodedNavAid n;
    std::string error;
    ASSERT_TRUE(DecodeNavAidFile(file, &n, &error)) << error;
    EXPECT_EQ(n.navAidType, e.navAidType);
    EXPECT_EQ(n.latitudeSteps, static_cast<std::int32_t>(LatitudeToUnits24(lat)));
    EXPECT_EQ(n.longitudeSteps & 0xFFFFFF, LongitudeToUnits24(lon) & 0xFFFFFF);
    EXPECT_NEAR(n.latitude, lat, 2e-5);
    EXPECT_EQ(n.rangeUnits, NauticalMilesToRange(e.range) & 0xFF);
    EXPECT_EQ(n.altitude, static_cast<std::int16_t>(ReadLenientInteger(e.altitude)));
    EXPECT_EQ(n.id, e.id.substr(0, kIdWidth));
    EXPECT_EQ(n.name, e.name.substr(0, kNameWidth));
    if (e.navAidType == "NDB") {
      BcdFrequency bcd = KilohertzToBcd(e.frequency);
      std::int64_t khz = ReadLenientInteger(e.frequency);
      EXPECT_EQ(n.frequencyKhz, bcd.word == 0 && bcd.extension == 0 ? 0 : khz) << e.frequency;
      continue;
    }
    EXPECT_EQ(n.channel, static_cast<std::int16_t>(
                             (e.navAidType.empty() ? 0 : FrequencyToChannel(e.frequency))));
    if (e.navAidType.empty()) continue;
    EXPECT_EQ(n.deviationAngle, static_cast<std::int16_t>(DeviationToAngle16(e.magneticDeviation)));
    EXPECT_EQ(n.dme, ReadLenientInteger(e.dme));
    if (e.navAidType != "ILS") continue;
    EXPECT_EQ(n.localizerAngle, static_cast<std::uint16_t>(
                                    DegreesToAngle16(ReadLenientDecimal(e.localizerDirection))));
    EXPECT_EQ(n.glideslopeSine, GlideslopeToSine(e.glideslopeAngle));
    EXPECT_NEAR(n.glideslopeAngle, ReadLenientDecimal(e.glideslopeAngle), 0.01);
  }
}

}  // namespace
}  // namespace orlith
