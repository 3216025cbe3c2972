#include "scenery_file/navaid_format.h"

#include "core/lenient_number.h"
#include "scenery_file/scenery_units.h"

namespace orlith {
namespace {

// The low bytes of a value, little-endian, two's complement.
void PutLow(std::string& out, std::int64_t value, int bytes) {
  auto bits = static_cast<std::uint64_t>(value);
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(bits >> (8 * i) & 0xFF);
}
void Put8(std::string& out, std::int64_t value) { PutLow(out, value, 1); }
void Put16(std::string& out, std::int64_t value) { PutLow(out, value, 2); }
void Put32(std::string& out, std::int64_t value) { PutLow(out, value, 4); }
void PutZeros(std::string& out, std::size_t n) { out.append(n, '\0'); }
void Put24(std::string& out, std::int64_t value) {
  for (std::uint8_t b : Pack24(value)) out += static_cast<char>(b);
}

void PutText(std::string& out, std::string_view text, std::size_t width) {
  std::string_view kept = text.substr(0, width);
  out.append(kept);
  out.append(width - kept.size(), ' ');
}

// South then north bound of the latitude band, in units of 512 latitude units.
void PutBandEntry(std::string& out, double latitude, std::size_t recordOffset) {
  Put8(out, kBandMarker);
  Put16(out, BandBound(static_cast<std::int32_t>(LatitudeToUnits32(latitude - 2.0))));
  Put16(out, BandBound(static_cast<std::int32_t>(LatitudeToUnits32(latitude + 2.0))));
  Put16(out, static_cast<std::int64_t>(recordOffset));
  PutZeros(out, 3);
}

bool HasVorSection(std::string_view navAidType) {
  return navAidType == "VOR" || navAidType == "ILS";
}

std::string NdbSection(double latitude, double longitude, const NavAidEntry& entry) {
  std::string out;
  PutBandEntry(out, latitude, kNdbRecord);
  Put8(out, kNdbRecordType);
  BcdFrequency frequency = KilohertzToBcd(entry.frequency);
  Put16(out, frequency.word);
  Put8(out, frequency.extension);
  Put24(out, LatitudeToUnits24(latitude));
  Put24(out, LongitudeToUnits24(longitude));
  Put16(out, AltitudeWord(entry.altitude));
  Put8(out, RangeByte(entry.range));
  PutText(out, entry.id, kIdWidth);
  PutText(out, entry.name, kNameWidth);
  Put8(out, 0);  // end of the NDB list
  return out;
}

std::string VorSection(double latitude, double longitude, const NavAidEntry& entry) {
  const bool ils = entry.navAidType == "ILS";
  std::string out;
  // The channel entry: a marker, then the section offset of the band entry.
  Put8(out, 1);
  Put16(out, static_cast<std::int64_t>(kVorBandEntry));
  Put16(out, 0);
  PutBandEntry(out, latitude, kVorRecord);
  Put8(out, ils ? kIlsRecordType : entry.navAidType == "VOR" ? kVorRecordType : 0);
  Put8(out, RangeByte(entry.range));
  Put16(out, DeviationToAngle16(entry.magneticDeviation));
  const std::int64_t dme = ReadLenientInteger(entry.dme);
  Put8(out, ils ? (dme & 0xFF) | kFlagLocalizer | kFlagGlideslope : dme);
  const std::size_t position = out.size();
  Put24(out, LatitudeToUnits24(latitude));
  Put24(out, LongitudeToUnits24(longitude));
  Put16(out, AltitudeWord(entry.altitude));
  const std::size_t positionEnd = out.size();
  Put16(out, ils ? DegreesToAngle16(ReadLenientDecimal(entry.localizerDirection)) : 0);
  PutText(out, entry.id, kIdWidth);
  PutText(out, entry.name, kNameWidth);
  if (ils) {
    // The glide slope stands where the localizer does: the same position and altitude bytes.
    out.append(out, position, positionEnd - position);
    Put16(out, GlideslopeToSine(entry.glideslopeAngle));
  } else {
    PutZeros(out, 10);
  }
  Put8(out, 0);  // end byte, the last of the glide slope block
  return out;
}

}  // namespace

std::string SceneryHeaderBytes(double latitude, double longitude, std::string_view navAidType,
                               std::string_view frequency) {
  const bool vor = HasVorSection(navAidType);
  const std::int64_t channel = vor ? FrequencyToChannel(frequency) : 0;
  std::string out;
  Put16(out, kHeaderLeadingWord);
  Put32(out, LatitudeToUnits32(latitude + 2.0));
  Put32(out, LatitudeToUnits32(latitude - 2.0));
  Put32(out, LongitudeToUnits32(longitude + 2.0));
  Put32(out, LongitudeToUnits32(longitude - 2.0));
  Put32(out, vor ? static_cast<std::int64_t>(kHeaderSize) : 0);
  Put16(out, channel);
  Put16(out, channel);
  PutZeros(out, 52);
  Put32(out, navAidType == "NDB" ? static_cast<std::int64_t>(kHeaderSize) : 0);
  PutZeros(out, 94);
  return out;
}

std::string NavAidSectionBytes(double latitude, double longitude, const NavAidEntry& entry) {
  if (entry.navAidType == "NDB") return NdbSection(latitude, longitude, entry);
  return VorSection(latitude, longitude, entry);
}

}  // namespace orlith
