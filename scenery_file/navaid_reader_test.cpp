#include "scenery_file/navaid_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/navaid_examples.h"

namespace orlith {
namespace {

using testing::NavAidExamples;

// The worked examples decoded; other entries' round trip and truncated files: the fuzz targets'.
TEST(NavAidReader, DecodesTheWorkedExamples) {
  DecodedNavAid ndb, vor, ils;
  std::string error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[0].file, &ndb, &error)) << error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[1].file, &vor, &error)) << error;
  ASSERT_TRUE(DecodeNavAidFile(NavAidExamples()[2].file, &ils, &error)) << error;
  EXPECT_EQ(ndb.navAidType + ndb.id + "/" + ndb.name, "NDBABC/TEST NDB");
  EXPECT_EQ(ndb.frequencyKhz, 350);
  EXPECT_EQ(ndb.rangeUnits, 22);
  EXPECT_NEAR(ndb.rangeNm, 24.33, 0.01);
  EXPECT_EQ(ndb.altitude, 100);
  EXPECT_NEAR(ndb.latitude, 42.576667, 2e-5);
  EXPECT_NEAR(ndb.longitude, -12.408333, 3e-5);
  EXPECT_EQ(vor.navAidType + vor.name, "VORTEST VOR");
  EXPECT_EQ(vor.channel, 118);
  EXPECT_NEAR(vor.magneticDeviation, -3.0, 0.01);
  EXPECT_EQ(ils.navAidType + ils.name, "ILSRWY 16R");
  EXPECT_EQ(ils.channel, 46);
  EXPECT_DOUBLE_EQ(ils.frequencyMhz, 110.3);
  EXPECT_EQ(ils.flags, 0xC1);
  EXPECT_NEAR(ils.magneticDeviation, 12.0, 0.01);
  EXPECT_NEAR(ils.localizerHeading, 163.0, 0.01);
  EXPECT_NEAR(ils.glideslopeAngle, 3.0, 0.01);
  EXPECT_EQ(ils.altitude, 6);
  EXPECT_NEAR(ils.latitude, -33.941667, 2e-5);
  EXPECT_NEAR(ils.longitude, 151.17, 3e-5);
}

// NDB files written before the list end byte was added are 228 bytes.
TEST(NavAidReader, ReadsBothNdbSizesF12) {
  const std::string ndb = NavAidExamples()[0].file, sizes = " (or 228 without the list end)";
  const std::pair<std::string, std::string> cases[] = {
      {ndb, ""},
      {ndb.substr(0, 228), ""},
      {ndb.substr(0, 228) + "\1", "NDB list end at offset 0xE4 is 1, 0 expected"},
      {ndb.substr(0, 227), "file is 227 bytes, a NDB file has 229" + sizes},
      {ndb + '\0', "file is 230 bytes, a NDB file has 229" + sizes}};
  for (const auto& [file, want] : cases) {
    DecodedNavAid n;
    std::string error;
    EXPECT_EQ(DecodeNavAidFile(file, &n, &error), want.empty()) << file.size();
    EXPECT_EQ(error, want);
    EXPECT_EQ(n.frequencyKhz, want.empty() ? 350 : 0);
  }
}

}  // namespace
}  // namespace orlith
