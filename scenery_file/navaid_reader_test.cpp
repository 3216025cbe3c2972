#include "scenery_file/navaid_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "core/coordinate_text.h"
#include "core/lenient_number.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/scenery_units.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using testing::HexBytes;

// The NDB at N42 34.6 / W12 24.5: 350 kHz, 25 nm, 100 m, "ABC", "TEST NDB", byte by byte.
std::string NdbExample() {
  std::string header = HexBytes("01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5");
  header.resize(176, '\0');
  header[0x4E] = static_cast<char>(0xB0);
  return header + HexBytes(
                      "15 67 22 CB 25 0A 00 00 00 00 04 50 03 00 58 19 24 22 2D F7 64 00 16 41 "
                      "42 43 20 20 54 45 53 54 20 4E 44 42 20 20 20 20 20 20 20 20 20 20 20 20 "
                      "20 20 20 20");
}

// The ILS at S33 56.5 / E151 10.2: 110.30 MHz, 18 nm, 6 m, deviation 12, DME 1, localizer 163,
// glide slope 3, "ISY", "RWY 16R".
std::string IlsExample() {
  std::string header =
      HexBytes("01 00 01 D6 C9 FF 97 0D C3 FF 5F BF EB 6C DC 91 13 6A B0 00 00 00 2E 00 2E 00");
  header.resize(176, '\0');
  return header + HexBytes(
                      "01 05 00 00 00 15 87 E1 EC E4 0F 00 00 00 00 05 10 88 08 01 E6 38 E3 A8 "
                      "7F 6B 06 00 E9 73 49 53 59 20 20 52 57 59 20 31 36 52 20 20 20 20 20 20 "
                      "20 20 20 20 20 20 20 20 20 20 20 E6 38 E3 A8 7F 6B 06 00 CB 1A 00");
}

TEST(NavAidReader, DecodesTheNdbExample) {
  DecodedNavAid n;
  std::string error;
  ASSERT_TRUE(DecodeNavAidFile(NdbExample(), &n, &error)) << error;
  EXPECT_EQ(n.navAidType, "NDB");
  EXPECT_EQ(n.frequencyKhz, 350);
  EXPECT_EQ(n.rangeUnits, 22);
  EXPECT_NEAR(n.rangeNm, 24.33, 0.01);
  EXPECT_EQ(n.altitude, 100);
  EXPECT_EQ(n.id, "ABC");
  EXPECT_EQ(n.name, "TEST NDB");
  EXPECT_NEAR(n.latitude, 42.576667, 2e-5);
  EXPECT_NEAR(n.longitude, -12.408333, 3e-5);
}

TEST(NavAidReader, DecodesTheIlsExample) {
  DecodedNavAid n;
  std::string error;
  ASSERT_TRUE(DecodeNavAidFile(IlsExample(), &n, &error)) << error;
  EXPECT_EQ(n.navAidType, "ILS");
  EXPECT_EQ(n.channel, 46);
  EXPECT_DOUBLE_EQ(n.frequencyMhz, 110.3);
  EXPECT_EQ(n.dme, 1);
  EXPECT_NEAR(n.magneticDeviation, 12.0, 0.01);
  EXPECT_NEAR(n.localizerHeading, 163.0, 0.01);
  EXPECT_NEAR(n.glideslopeAngle, 3.0, 0.01);
  EXPECT_EQ(n.altitude, 6);
  EXPECT_EQ(n.name, "RWY 16R");
  EXPECT_NEAR(n.latitude, -33.941667, 2e-5);
  EXPECT_NEAR(n.longitude, 151.17, 3e-5);
}

TEST(NavAidReader, RejectsEveryTruncatedPrefixAndTrailingBytes) {
  for (const std::string& file : {NdbExample(), IlsExample()}) {
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
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < 176; ++i) {
    if (i != 0x0A && i != 0x0E) offsets.push_back(i);
  }
  for (std::size_t i :
       {0xB0, 0xB1, 0xB5, 0xB6, 0xB8, 0xBA, 0xBC, 0xBF, 0xC4, 0xC7, 0xEB, 0xEE, 0xF1, 0xF5}) {
    offsets.push_back(i);
  }
  for (std::size_t at : offsets) {
    std::string file = IlsExample();
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
  const char* types[] = {"NDB", "VOR", "ILS", ""};
  const char* texts[] = {"", "abc", "-3", "12.5", "  7", "+40", "99999", "1e2"};
  for (int i = 0; i < 2000; ++i) {
    NavAidEntry e;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%c%d %d.%d", pick(0, 1) ? 'N' : 's', pick(0, 90), pick(0, 59),
                  pick(0, 99));
    e.latitude = buf;
    std::snprintf(buf, sizeof buf, "%c%d %d.%d", pick(0, 1) ? 'E' : 'w', pick(0, 180), pick(0, 59),
                  pick(0, 9));
    e.longitude = buf;
    e.navAidType = types[i % 4];
    std::snprintf(buf, sizeof buf, "%d.%02d", pick(108, 117), pick(0, 19) * 5);
    e.frequency = pick(0, 9) == 0
                      ? texts[pick(0, 7)]
                      : (i % 4 == 0 ? std::to_string(pick(190, 1750)) : std::string(buf));
    e.range = pick(0, 4) == 0 ? texts[pick(0, 7)] : std::to_string(pick(0, 300));
    e.altitude = std::to_string(pick(-400, 9000));
    e.magneticDeviation = pick(0, 4) == 0 ? texts[pick(0, 7)] : std::to_string(pick(-30, 30));
    e.dme = std::to_string(pick(0, 2));
    e.localizerDirection = std::to_string(pick(0, 3599) / 10.0);
    e.glideslopeAngle = std::to_string(pick(20, 40) / 10.0);
    e.id = std::string(static_cast<std::size_t>(pick(0, 7)), static_cast<char>('A' + pick(0, 25)));
    e.name = "NAV " + std::to_string(i) + std::string(static_cast<std::size_t>(pick(0, 30)), 'x');

    double lat = ParseCoordinate(e.latitude), lon = ParseCoordinate(e.longitude);
    std::string file =
        SceneryHeaderBytes(lat, lon, e.navAidType, e.frequency) + NavAidSectionBytes(lat, lon, e);
    DecodedNavAid n;
    std::string error;
    ASSERT_TRUE(DecodeNavAidFile(file, &n, &error))
        << error << " for " << e.latitude << " / " << e.longitude << " type " << e.navAidType;
    SCOPED_TRACE(e.latitude + " / " + e.longitude + " type " + e.navAidType);
    EXPECT_EQ(n.navAidType, e.navAidType);
    EXPECT_EQ(n.latitudeSteps, static_cast<std::int32_t>(LatitudeToUnits24(lat)));
    EXPECT_EQ(n.longitudeSteps & 0xFFFFFF, LongitudeToUnits24(lon) & 0xFFFFFF);
    EXPECT_NEAR(n.latitude, lat, 2e-5);
    EXPECT_EQ(n.rangeUnits, NauticalMilesToRange(e.range) & 0xFF);
    EXPECT_EQ(n.altitude, static_cast<std::int16_t>(ReadLenientInteger(e.altitude)));
    std::string id = e.id.substr(0, kIdWidth);
    EXPECT_EQ(n.id, id);
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
    if (e.navAidType == "ILS") {
      EXPECT_EQ(n.localizerAngle, static_cast<std::uint16_t>(
                                      DegreesToAngle16(ReadLenientDecimal(e.localizerDirection))));
      EXPECT_EQ(n.glideslopeSine, GlideslopeToSine(e.glideslopeAngle));
      EXPECT_NEAR(n.glideslopeAngle, ReadLenientDecimal(e.glideslopeAngle), 0.01);
    }
  }
}

}  // namespace
}  // namespace orlith
