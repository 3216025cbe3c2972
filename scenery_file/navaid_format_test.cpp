#include "scenery_file/navaid_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/coordinate_text.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"

namespace orlith {
namespace {

using ::orlith::testing::BytesEqual;
using ::orlith::testing::HexBytes;
using ::orlith::testing::NavAidExamples;

std::string Header(const NavAidEntry& e) {
  return SceneryHeaderBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e.navAidType,
                            e.frequency);
}

std::string Section(const NavAidEntry& e) {
  return NavAidSectionBytes(ParseCoordinate(e.latitude), ParseCoordinate(e.longitude), e);
}

TEST(NavAidFormat, WorkedExamples) {
  for (const auto& [entry, file] : NavAidExamples())
    EXPECT_TRUE(BytesEqual(file, Header(entry) + Section(entry))) << entry.navAidType;
}

TEST(NavAidFormat, OtherTypesGiveAVorShapedSectionWithoutOffsets) {
  auto [entry, want] = NavAidExamples()[2];
  std::fill(want.begin() + kHeaderVorSection, want.begin() + kHeaderSize, '\0');
  want[kHeaderSize + kVorRecord] = '\0';
  want[kHeaderSize + kVorDme] = '\1';  // the code as typed, without the ILS's flags
  want.replace(kHeaderSize + kVorLocalizer, 2, 2, '\0');
  want.replace(kHeaderSize + kVorGlideslopeBlock, 11, 11, '\0');
  for (const char* type : {"", "ndb"}) {  // the type is compared whole and case-sensitively
    entry.navAidType = type;
    EXPECT_TRUE(BytesEqual(want, Header(entry) + Section(entry))) << type;
  }
}

TEST(NavAidFormat, TextFieldsArePaddedOrCutF6) {
  const char* cases[][4] = {
      // ID, name, and their fields
      {"", "", "     ", "                        "},
      {"ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"ABCDEFG", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDE", "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"a b", "\xC4rzte", "a b  ", "\xC4rzte                   "},
  };
  // One section type is enough: both write their texts alike, and the examples pin where.
  for (const auto& c : cases) {
    auto [entry, file] = NavAidExamples()[0];
    entry.id = c[0];
    entry.name = c[1];
    std::string want = file.substr(kHeaderSize).replace(kNdbId, kIdWidth, c[2]);
    EXPECT_TRUE(BytesEqual(want.replace(kNdbName, kNameWidth, c[3]), Section(entry))) << c[0];
  }
}

TEST(NavAidFormat, FieldValuesF7F11F15F16) {
  const struct {
    std::size_t example;
    EntryField field;
    const char* text;
    std::size_t at;     // in the section
    const char* bytes;  // found there (and at `also` if set); the rest as in the example
    std::size_t also = 0;
  } cases[] = {
      // The conversions are the units suite's; these pin where the bytes land and what is kept.
      {0, EntryField::kFrequency, "1750", kNdbFrequency, "50 07 10"},
      {0, EntryField::kFrequency, "382.5", kNdbFrequency, "82 03 05"},
      {0, EntryField::kRange, "284", kNdbRange, "FF"},
      {0, EntryField::kAltitude, "-40000", kNdbAltitude, "00 80"},
      {1, EntryField::kRange, "284", kVorRange, "FF"},
      {1, EntryField::kDme, "257", kVorDme, "01"},
      {2, EntryField::kDme, "0", kVorDme, "C0"},
      {2, EntryField::kDme, "193", kVorDme, "C1"},
      {2, EntryField::kAltitude, "40000", kVorAltitude, "FF 7F", kVorGlideslopeBlock + 6},
  };
  for (const auto& c : cases) {
    auto [entry, file] = NavAidExamples()[c.example];
    FieldOf(entry, c.field) = c.text;
    std::string want = file.substr(kHeaderSize);
    for (std::size_t at : {c.at, c.also}) {
      if (at != 0) want.replace(at, HexBytes(c.bytes).size(), HexBytes(c.bytes));
    }
    EXPECT_TRUE(BytesEqual(want, Section(entry))) << c.text;
  }
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
