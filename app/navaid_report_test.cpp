#include "app/navaid_report.h"

#include <gtest/gtest.h>

#include <string>

#include "core/coordinate_text.h"
#include "scenery_file/navaid_format.h"
#include "test_support/navaid_examples.h"

namespace orlith {
namespace {

TEST(NavAidReport, FlagsHalfKilohertzAndCarriedMinutesF11F16) {
  const struct {
    std::size_t example;
    EntryField field;
    const char* typed;
    const char* line;  // in the text report
    const char* json;  // in the JSON object
  } cases[] = {
      {2, EntryField::kDme, "1", "Flags: 0xC1 (DME, localizer, glide slope)\n",
       "\"flags\":193,\"dme\":true,\"localizer\":true,\"glideSlope\":true,"},
      {1, EntryField::kDme, "0", "Flags: 0x00 (none)\n",
       "\"flags\":0,\"dme\":false,\"localizer\":false,\"glideSlope\":false,"},
      {0, EntryField::kFrequency, "382.5", "Frequency: 382.5 kHz\n", "\"frequencyKHz\":382.5,"},
      // 42 degrees are stored a little short of 42: the minutes round to 60.00.
      {0, EntryField::kLatitude, "N42 0", "Position: N42    0.00, W12   24.50 (",
       "\"latitude\":\"N42    0.00\","},
      {2, EntryField::kLongitude, "E151 0", "Position: S33   56.50, E151    0.00 (",
       "\"longitude\":\"E151    0.00\","},
      {1, EntryField::kLatitude, "S33 0", "Position: S33    0.00, W12   24.50 (",
       "\"latitude\":\"S33    0.00\","},
  };
  for (const auto& c : cases) {
    NavAidEntry e = testing::NavAidExamples()[c.example].entry;
    FieldOf(e, c.field) = c.typed;
    const double lat = ParseCoordinate(e.latitude), lon = ParseCoordinate(e.longitude);
    DecodedNavAid n;
    std::string error;
    ASSERT_TRUE(DecodeNavAidFile(
        SceneryHeaderBytes(lat, lon, e.navAidType, e.frequency) + NavAidSectionBytes(lat, lon, e),
        &n, &error))
        << error;
    EXPECT_NE(InspectText(n).find(c.line), std::string::npos) << InspectText(n);
    EXPECT_NE(InspectJson(n).find(c.json), std::string::npos) << InspectJson(n);
  }
}

}  // namespace
}  // namespace orlith
