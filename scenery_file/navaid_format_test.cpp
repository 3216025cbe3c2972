#include "scenery_file/navaid_format.h"

#include <gtest/gtest.h>

#include <string>

#include "core/coordinate_text.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using ::orlith::testing::BytesEqual;
using ::orlith::testing::HexBytes;

NavAidEntry Ndb() {
  NavAidEntry e;
  e.latitude = "N42 34.6";
  e.longitude = "W12 24.5";
  e.navAidType = "NDB";
  e.frequency = "350";
  e.range = "25";
  e.altitude = "100";
  e.id = "ABC";
  e.name = "TEST NDB";
  return e;
}

NavAidEntry Vor() {
  NavAidEntry e = Ndb();
  e.navAidType = "VOR";
  e.frequency = "113.90";
  e.range = "40";
  e.altitude = "200";
  e.magneticDeviation = "-3";
  e.dme = "1";
  e.id = "XYZ";
  e.name = "TEST VOR";
  return e;
}

NavAidEntry Ils() {
  NavAidEntry e;
  e.latitude = "S33 56.5";
  e.longitude = "E151 10.2";
  e.navAidType = "ILS";
  e.frequency = "110.30";
  e.range = "18";
  e.altitude = "6";
  e.magneticDeviation = "12";
  e.dme = "1";
  e.localizerDirection = "163";
  e.glideslopeAngle = "3";
  e.id = "ISY";
  e.name = "RWY 16R";
  return e;
}

std::string Header(const NavAidEntry& e) {
  return SceneryHeaderBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e.navAidType,
                            e.frequency);
}

std::string Section(const NavAidEntry& e) {
  return NavAidSectionBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e);
}

// A header: the given first bytes, then zeros, with the NDB section offset when asked.
std::string ExpectedHeader(const std::string& start, bool ndb) {
  std::string h = start;
  h.resize(kHeaderSize, '\0');
  if (ndb) h[kHeaderNdbSection] = '\xB0';
  return h;
}

const char kNorthWestBounds[] = "01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5";

TEST(NavAidFormat, NdbExample) {
  EXPECT_TRUE(BytesEqual(ExpectedHeader(HexBytes(kNorthWestBounds), true), Header(Ndb())));
  EXPECT_TRUE(BytesEqual(HexBytes("15 67 22 CB 25 0A 00 00 00 00 04 50 03 00 58 19 "
                                  "24 22 2D F7 64 00 16 41 42 43 20 20 54 45 53 54 "
                                  "20 4E 44 42 20 20 20 20 20 20 20 20 20 20 20 20 "
                                  "20 20 20 20"),
                         Section(Ndb())));
}

TEST(NavAidFormat, VorExample) {
  std::string start = HexBytes(kNorthWestBounds) + HexBytes("B0 00 00 00 76 00 76 00");
  EXPECT_TRUE(BytesEqual(ExpectedHeader(start, false), Header(Vor())));
  EXPECT_TRUE(BytesEqual(HexBytes("01 05 00 00 00 15 67 22 CB 25 0F 00 00 00 00 04 "
                                  "24 DE FD 01 58 19 24 22 2D F7 C8 00 00 00 58 59 "
                                  "5A 20 20 54 45 53 54 20 56 4F 52 20 20 20 20 20 "
                                  "20 20 20 20 20 20 20 20 20 20 20 00 00 00 00 00 "
                                  "00 00 00 00 00 00"),
                         Section(Vor())));
}

TEST(NavAidFormat, IlsExample) {
  std::string start =
      HexBytes("01 00 01 D6 C9 FF 97 0D C3 FF 5F BF EB 6C DC 91 13 6A B0 00 00 00 2E 00 2E 00");
  EXPECT_TRUE(BytesEqual(ExpectedHeader(start, false), Header(Ils())));
  EXPECT_TRUE(BytesEqual(HexBytes("01 05 00 00 00 15 87 E1 EC E4 0F 00 00 00 00 05 "
                                  "10 88 08 01 E6 38 E3 A8 7F 6B 06 00 E9 73 49 53 "
                                  "59 20 20 52 57 59 20 31 36 52 20 20 20 20 20 20 "
                                  "20 20 20 20 20 20 20 20 20 20 20 E6 38 E3 A8 7F "
                                  "6B 06 00 CB 1A 00"),
                         Section(Ils())));
}

TEST(NavAidFormat, EmptyTypeGivesAVorShapedSectionWithoutOffsets) {
  NavAidEntry e = Ils();
  e.navAidType = "";
  std::string header = Header(e);
  EXPECT_TRUE(BytesEqual(std::string(8, '\0'), header.substr(kHeaderVorSection, 8)));
  EXPECT_TRUE(BytesEqual(std::string(4, '\0'), header.substr(kHeaderNdbSection, 4)));
  std::string section = Section(e);
  ASSERT_EQ(section.size(), kVorSectionSize);
  EXPECT_EQ(section[kVorRecord], '\0');
  EXPECT_TRUE(BytesEqual(std::string(2, '\0'), section.substr(kVorLocalizer, 2)));
  EXPECT_TRUE(BytesEqual(std::string(11, '\0'), section.substr(kVorGlideslopeBlock, 11)));
  // The type is compared whole and case-sensitively.
  e.navAidType = "ndb";
  EXPECT_EQ(Section(e).size(), kVorSectionSize);
  EXPECT_EQ(Section(e)[kVorRecord], '\0');
}

TEST(NavAidFormat, TextFieldsArePaddedOrCutF6) {
  const struct {
    const char* id;
    const char* name;
    const char* idField;
    const char* nameField;
  } cases[] = {
      {"", "", "     ", "                        "},
      {"ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"ABCDEFG", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"a b", "\xC4rzte", "a b  ", "\xC4rzte                   "},
  };
  for (const auto& c : cases) {
    NavAidEntry ndb = Ndb();
    ndb.id = c.id;
    ndb.name = c.name;
    std::string s = Section(ndb);
    ASSERT_EQ(s.size(), kNdbSectionSize) << c.id;
    EXPECT_EQ(s.substr(kNdbId, kIdWidth), c.idField);
    EXPECT_EQ(s.substr(kNdbName, kNameWidth), c.nameField);

    NavAidEntry vor = Vor();
    vor.id = c.id;
    vor.name = c.name;
    s = Section(vor);
    ASSERT_EQ(s.size(), kVorSectionSize) << c.id;
    EXPECT_EQ(s.substr(kVorId, kIdWidth), c.idField);
    EXPECT_EQ(s.substr(kVorName, kNameWidth), c.nameField);
    EXPECT_EQ(s.substr(kVorGlideslopeBlock), std::string(11, '\0'));
  }
}

TEST(NavAidFormat, FourDigitNdbFrequencyUsesTheExtensionByteF7) {
  const struct {
    const char* frequency;
    const char* bytes;  // the word and the extension byte
  } cases[] = {
      {"350", "50 03 00"},  {"999", "99 09 00"},  {"1750", "50 07 10"},
      {"1000", "00 00 10"}, {"-350", "00 00 00"}, {"10000", "00 00 00"},
  };
  for (const auto& c : cases) {
    NavAidEntry e = Ndb();
    e.frequency = c.frequency;
    EXPECT_TRUE(BytesEqual(HexBytes(c.bytes), Section(e).substr(kNdbFrequency, 3))) << c.frequency;
  }
}

TEST(NavAidFormat, ValuesKeepTheirLowBits) {
  NavAidEntry vor = Vor();
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
