#include "scenery_file/navaid_format.h"

#include <gtest/gtest.h>

#include <string>

#include "core/coordinate_text.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using ::orlith::testing::BytesEqual;
using ::orlith::testing::HexBytes;

const NavAidEntry kNdb{"N42 34.6", "W12 24.5", "NDB", "350", "25",  "100",
                       "",         "",         "",    "",    "ABC", "TEST NDB"};
const NavAidEntry kVor{"N42 34.6", "W12 24.5", "VOR", "113.90", "40",  "200",
                       "-3",       "1",        "",    "",       "XYZ", "TEST VOR"};
const NavAidEntry kIls{"S33 56.5", "E151 10.2", "ILS", "110.30", "18",  "6",
                       "12",       "1",         "163", "3",      "ISY", "RWY 16R"};

std::string Header(const NavAidEntry& e) {
  return SceneryHeaderBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e.navAidType,
                            e.frequency);
}

std::string Section(const NavAidEntry& e) {
  return NavAidSectionBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e);
}

TEST(NavAidFormat, WorkedExamples) {
  const struct {
    NavAidEntry entry;
    const char* header;  // its first bytes; zeros follow, and the NDB section offset for an NDB
    const char* section;
  } cases[] = {
      {kNdb, "01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5",
       "15 67 22 CB 25 0A 00 00 00 00 04 50 03 00 58 19 24 22 2D F7 64 00 16 41 42 43 20 20 54 45 "
       "53 54 20 4E 44 42 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20"},
      {kVor, "01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5 B0 00 00 00 76 00 76 00",
       "01 05 00 00 00 15 67 22 CB 25 0F 00 00 00 00 04 24 DE FD 01 58 19 24 22 2D F7 C8 00 00 00 "
       "58 59 5A 20 20 54 45 53 54 20 56 4F 52 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 "
       "00 00 00 00 00 00 00 00 00 00 00"},
      {kIls, "01 00 01 D6 C9 FF 97 0D C3 FF 5F BF EB 6C DC 91 13 6A B0 00 00 00 2E 00 2E 00",
       "01 05 00 00 00 15 87 E1 EC E4 0F 00 00 00 00 05 10 88 08 01 E6 38 E3 A8 7F 6B 06 00 E9 73 "
       "49 53 59 20 20 52 57 59 20 31 36 52 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 E6 "
       "38 E3 A8 7F 6B 06 00 CB 1A 00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry.navAidType);
    std::string header = HexBytes(c.header);
    header.resize(kHeaderSize, '\0');
    if (c.entry.navAidType == "NDB") header[kHeaderNdbSection] = '\xB0';
    EXPECT_TRUE(BytesEqual(header, Header(c.entry)));
    EXPECT_TRUE(BytesEqual(HexBytes(c.section), Section(c.entry)));
  }
}

TEST(NavAidFormat, EmptyTypeGivesAVorShapedSectionWithoutOffsets) {
  NavAidEntry e = kIls;
  e.navAidType = "";
  std::string header = Header(e), section = Section(e);
  EXPECT_TRUE(BytesEqual(std::string(8, '\0'), header.substr(kHeaderVorSection, 8)));
  EXPECT_TRUE(BytesEqual(std::string(4, '\0'), header.substr(kHeaderNdbSection, 4)));
  ASSERT_EQ(section.size(), kVorSectionSize);
  EXPECT_EQ(section[kVorRecord], '\0');
  EXPECT_TRUE(BytesEqual(std::string(2, '\0'), section.substr(kVorLocalizer, 2)));
  EXPECT_TRUE(BytesEqual(std::string(11, '\0'), section.substr(kVorGlideslopeBlock, 11)));
  e.navAidType = "ndb";  // the type is compared whole and case-sensitively
  EXPECT_EQ(Section(e).size(), kVorSectionSize);
  EXPECT_EQ(Section(e)[kVorRecord], '\0');
}

TEST(NavAidFormat, TextFieldsArePaddedOrCutF6) {
  const char* cases[][4] = {
      // ID, name, and their fields
      {"", "", "     ", "                        "},
      {"ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"ABCDEFG", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"a b", "\xC4rzte", "a b  ", "\xC4rzte                   "},
  };
  const struct {
    NavAidEntry entry;
    std::size_t size, id, name;
  } shapes[] = {{kNdb, kNdbSectionSize, kNdbId, kNdbName},
                {kVor, kVorSectionSize, kVorId, kVorName}};
  for (const auto& c : cases) {
    for (auto shape : shapes) {
      shape.entry.id = c[0];
      shape.entry.name = c[1];
      std::string s = Section(shape.entry);
      ASSERT_EQ(s.size(), shape.size) << c[0];
      EXPECT_EQ(s.substr(shape.id, kIdWidth), c[2]);
      EXPECT_EQ(s.substr(shape.name, kNameWidth), c[3]);
      if (shape.size == kVorSectionSize) {
        EXPECT_EQ(s.substr(kVorGlideslopeBlock), std::string(11, '\0'));
      }
    }
  }
}

TEST(NavAidFormat, FourDigitNdbFrequencyUsesTheExtensionByteF7) {
  const char* cases[][2] = {// frequency, the word and the extension byte
                            {"350", "50 03 00"},  {"999", "99 09 00"},  {"1750", "50 07 10"},
                            {"1000", "00 00 10"}, {"-350", "00 00 00"}, {"10000", "00 00 00"}};
  for (const auto& c : cases) {
    NavAidEntry e = kNdb;
    e.frequency = c[0];
    EXPECT_TRUE(BytesEqual(HexBytes(c[1]), Section(e).substr(kNdbFrequency, 3))) << c[0];
  }
}

TEST(NavAidFormat, ValuesKeepTheirLowBits) {
  NavAidEntry vor = kVor;
  vor.range = "284";
  vor.magneticDeviation = "360";
  vor.dme = "257";
  vor.altitude = "-2";
  std::string s = Section(vor);
  EXPECT_EQ(s[kVorRange], '\0');
  EXPECT_TRUE(BytesEqual(HexBytes("00 00 01"), s.substr(kVorDeviation, 3)));
  EXPECT_TRUE(BytesEqual(HexBytes("FE FF"), s.substr(kVorAltitude, 2)));
  vor.range = "283";
  vor.magneticDeviation = "3.5";
  s = Section(vor);
  EXPECT_EQ(static_cast<unsigned char>(s[kVorRange]), 255);
  EXPECT_TRUE(BytesEqual(HexBytes("22 02"), s.substr(kVorDeviation, 2)));  // 3 degrees: 546
}

TEST(NavAidFormat, BoundsWrapAcrossTheDateLine) {
  // 179 degrees east: the east bound, 181 degrees, wraps to the west half.
  std::string h = SceneryHeaderBytes(0.0, 179.0, "VOR", "108.00");
  EXPECT_TRUE(BytesEqual(HexBytes("60 0B B6 80"), h.substr(kHeaderEastBound, 4)));
  // Bounds of absurd positions are stored, not refused.
  h = SceneryHeaderBytes(1e300, -1e300, "NDB", "");
  EXPECT_EQ(h.size(), kHeaderSize);
  EXPECT_TRUE(BytesEqual(HexBytes("FF FF FF FF"), h.substr(kHeaderNorthBound, 4)));
  EXPECT_TRUE(BytesEqual(HexBytes("00 00 00 00"), h.substr(kHeaderWestBound, 4)));
}

}  // namespace
}  // namespace orlith
