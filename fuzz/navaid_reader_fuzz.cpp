// The "inspect" decoder on arbitrary bytes: it never reads outside them, refuses with a one-line
// reason, and what it accepts is a file of one of the three sizes whose decoded fields stay within
// their widths and whose position agrees with its raw steps. (That a cut file is refused is
// checked on every file the builders make, in navaid_format_fuzz.)
#include <cmath>
#include <string>

#include "fuzz/fuzz_check.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/navaid_reader.h"
#ifdef ORLITH_FUZZ_INSPECT
#include "app/navaid_report.h"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so a read past its end is caught by the sanitizer.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  orlith::DecodedNavAid navaid;
  std::string error;
  const bool accepted = orlith::DecodeNavAidFile(bytes, &navaid, &error);
  if (!accepted) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(error.find('\n') == std::string::npos);
    return 0;
  }
  const bool ndb = navaid.navAidType == "NDB";
  FUZZ_CHECK(ndb || navaid.navAidType == "VOR" || navaid.navAidType == "ILS" ||
             navaid.navAidType.empty());
  FUZZ_CHECK(ndb ? size == orlith::kHeaderSize + orlith::kNdbSectionSize ||
                       size == orlith::kHeaderSize + orlith::kNdbSectionSizeWithoutEnd
                 : size == orlith::kHeaderSize + orlith::kVorSectionSize);
  FUZZ_CHECK(navaid.id.size() <= orlith::kIdWidth);
  FUZZ_CHECK(navaid.name.size() <= orlith::kNameWidth);
  FUZZ_CHECK(navaid.id.empty() || navaid.id.back() != ' ');
  FUZZ_CHECK(navaid.latitudeSteps >= -0x800000 && navaid.latitudeSteps < 0x800000);
  FUZZ_CHECK(navaid.longitudeSteps >= -0x800000 && navaid.longitudeSteps < 0x800000);
  FUZZ_CHECK(std::fabs(navaid.latitude - navaid.latitudeSteps * 90.0 / 5000875.0) < 1e-9);
  FUZZ_CHECK(std::fabs(navaid.longitude) <= 180.0);
  FUZZ_CHECK(ndb ? navaid.frequencyKhz >= 0 && navaid.frequencyKhz <= 9999
                 : navaid.frequencyKhz == 0);
  FUZZ_CHECK(ndb ? navaid.frequencyHundredHz >= 0 && navaid.frequencyHundredHz <= 9
                 : navaid.frequencyHundredHz == 0 &&
                       navaid.flags == data[orlith::kHeaderSize + orlith::kVorDme]);
#ifdef ORLITH_FUZZ_INSPECT
  const std::string json = orlith::InspectJson(navaid);
  FUZZ_CHECK(!json.empty() && json.front() == '{' && json.back() == '\n');
  FUZZ_CHECK(json.find('\n') == json.size() - 1);
  const std::string report = orlith::InspectText(navaid);
  FUZZ_CHECK(!report.empty() && report.back() == '\n');
#endif
  return 0;
}
