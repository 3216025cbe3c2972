// The header and section builders with arbitrary entry texts: the images have their fixed sizes,
// and reading them back as "inspect" does gives the type, position, identifier, name and
// numbers that the texts ask for (range and altitude saturated, an ILS's flags set), while every
// shorter prefix of the file is refused but an NDB file without its list end.
#include <cmath>
#include <string>
#include <string_view>

#include "core/coordinate_text.h"
#include "core/lenient_number.h"
#include "core/navaid_entry.h"
#include "fuzz/fuzz_check.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/navaid_reader.h"
#include "scenery_file/scenery_units.h"

namespace {

using orlith::EntryField;

// The input's lines, in entry order; a third line "0" to "3" picks one of the four types the
// dialogs can store, so the fuzzer reaches each without guessing its letters.
orlith::NavAidEntry EntryFrom(std::string_view input) {
  orlith::NavAidEntry entry;
  for (int field = 0; field < orlith::kEntryFieldCount; ++field) {
    const std::size_t end = input.find('\n');
    orlith::FieldOf(entry, static_cast<EntryField>(field)).assign(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  static const char* const kTypes[] = {"", "VOR", "ILS", "NDB"};
  if (entry.navAidType.size() == 1 && entry.navAidType[0] >= '0' && entry.navAidType[0] <= '3') {
    entry.navAidType = kTypes[entry.navAidType[0] - '0'];
  }
  return entry;
}

// The first width bytes without the blanks that end them.
std::string Trimmed(const std::string& text, std::size_t width) {
  std::string kept = text.substr(0, width);
  return kept.erase(kept.find_last_not_of(' ') + 1);
}

std::int32_t Steps24(std::int64_t v) {
  std::int32_t low = static_cast<std::int32_t>(v & 0xFFFFFF);
  return low & 0x800000 ? low - 0x1000000 : low;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const orlith::NavAidEntry entry =
      EntryFrom(std::string_view(reinterpret_cast<const char*>(data), size));
  std::optional<double> lat = orlith::TryParseCoordinate(entry.latitude);
  std::optional<double> lon = orlith::TryParseCoordinate(entry.longitude);
  if (!lat || !lon) return 0;

  const std::string header =
      orlith::SceneryHeaderBytes(*lat, *lon, entry.navAidType, entry.frequency);
  const std::string section = orlith::NavAidSectionBytes(*lat, *lon, entry);
  const bool ndb = entry.navAidType == "NDB";
  FUZZ_CHECK(header.size() == orlith::kHeaderSize);
  FUZZ_CHECK(section.size() == (ndb ? orlith::kNdbSectionSize : orlith::kVorSectionSize));
  const std::string file = header + section;

  // The reader checks that the header's bounds lie 4 degrees apart around the record's position;
  // far outside the globe the 32-bit bounds wrap and the file is no longer one it can vouch for.
  if (std::fabs(*lat) > 10000 || std::fabs(*lon) > 100000) return 0;

  orlith::DecodedNavAid got;
  std::string error;
  const bool decoded = orlith::DecodeNavAidFile(file, &got, &error);
  if (!decoded) std::fprintf(stderr, "refused: %s\n", error.c_str());
  FUZZ_CHECK(decoded);

  const bool known = ndb || entry.navAidType == "VOR" || entry.navAidType == "ILS";
  FUZZ_CHECK(got.navAidType == (known ? entry.navAidType : ""));
  FUZZ_CHECK(got.latitudeSteps == Steps24(orlith::LatitudeToUnits24(*lat)));
  FUZZ_CHECK(got.longitudeSteps == Steps24(orlith::LongitudeToUnits24(*lon)));
  FUZZ_CHECK(got.id == Trimmed(entry.id, orlith::kIdWidth));
  FUZZ_CHECK(got.name == Trimmed(entry.name, orlith::kNameWidth));
  // Range and altitude as their saturating fields store them.
  FUZZ_CHECK(got.altitude == orlith::AltitudeWord(entry.altitude));
  FUZZ_CHECK(got.rangeUnits == orlith::RangeByte(entry.range));
  if (ndb) {
    const std::int64_t khz = orlith::ReadLenientInteger(entry.frequency);
    const bool fits = khz >= 0 && khz <= 9999;
    FUZZ_CHECK(got.frequencyKhz == (fits ? khz : 0));
    // The 100 Hz digit is one the text shows right after a ".".
    const char tenth[] = {'.', static_cast<char>('0' + got.frequencyHundredHz), '\0'};
    FUZZ_CHECK(got.frequencyHundredHz == 0 ||
               (fits && entry.frequency.find(tenth) != std::string::npos));
  } else {
    // An ILS adds the localizer and glide slope flags to the code's low eight bits.
    const auto code = static_cast<std::uint8_t>(orlith::ReadLenientInteger(entry.dme));
    FUZZ_CHECK(got.flags == (entry.navAidType == "ILS" ? code | 0xC0 : code));
    FUZZ_CHECK(got.deviationAngle ==
               static_cast<std::int16_t>(orlith::DeviationToAngle16(entry.magneticDeviation)));
    if (known) {
      FUZZ_CHECK(got.channel ==
                 static_cast<std::int16_t>(orlith::FrequencyToChannel(entry.frequency)));
    }
  }

  // Without the list end an NDB file is one written before it was added, and reads the same.
  if (ndb) {
    orlith::DecodedNavAid old;
    FUZZ_CHECK(
        orlith::DecodeNavAidFile(std::string_view(file).substr(0, file.size() - 1), &old, &error));
    FUZZ_CHECK(old.frequencyKhz == got.frequencyKhz && old.name == got.name &&
               old.latitudeSteps == got.latitudeSteps && old.altitude == got.altitude);
  }
  // A file cut short anywhere else is not a scenery file.
  for (std::size_t cut : {file.size() - (ndb ? 2 : 1), file.size() / 2, orlith::kHeaderSize,
                          orlith::kHeaderSize + 1, std::size_t{0}}) {
    orlith::DecodedNavAid ignored;
    FUZZ_CHECK(!orlith::DecodeNavAidFile(std::string_view(file).substr(0, cut), &ignored, &error));
    FUZZ_CHECK(!error.empty());
  }
  return 0;
}
