#include "scenery_file/navaid_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

constexpr double kLatitudeStepsPer90 = 5000875.0;     // 24-bit latitude: half the 32-bit resolution
constexpr double kLongitudeStepsPer360 = 16777216.0;  // 2^24
constexpr double kAngleStepsPer360 = 65536.0;
constexpr double kRangeUnitsPerNm = 0.904296875;  // 1852 m / 2048 m
constexpr double kSineScale = 131072.0;           // 2^17
constexpr double kPi = 3.141592;                  // the writer's own value of pi

// The header's parts and the record's position are computed from the same degrees, each value
// truncated on its own: these are the largest differences that truncation alone explains.
constexpr std::int64_t kLatitudeSlack = 8;      // in 32-bit latitude units, bounds summed
constexpr std::int64_t kLongitudeSlack = 1024;  // in 32-bit longitude units, bounds summed
// The bounds lie 4 degrees apart: 4 x 10001750 / 90 latitude units, 4 x 2^32 / 360 longitude units.
constexpr double kLatitudeBoundsSpan = 4 * 10001750.0 / 90.0;
constexpr double kLongitudeBoundsSpan = 4 * 4294967296.0 / 360.0;
constexpr double kSpanSlack = 2.0;  // each bound truncated on its own

class Bytes {
 public:
  explicit Bytes(std::string_view b) : b_(b) {}
  std::uint8_t U8(std::size_t at) const { return static_cast<std::uint8_t>(b_[at]); }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(U8(at) | (U8(at + 1) << 8));
  }
  std::uint32_t U24(std::size_t at) const {
    return static_cast<std::uint32_t>(U8(at)) | (static_cast<std::uint32_t>(U8(at + 1)) << 8) |
           (static_cast<std::uint32_t>(U8(at + 2)) << 16);
  }
  std::uint32_t U32(std::size_t at) const {
    return U24(at) | (static_cast<std::uint32_t>(U8(at + 3)) << 24);
  }
  std::string_view View(std::size_t at, std::size_t n) const { return b_.substr(at, n); }

 private:
  std::string_view b_;
};

std::int32_t SignExtend24(std::uint32_t v) {
  return static_cast<std::int32_t>(v & 0x800000u ? v | 0xFF000000u : v);
}

std::string Hex(std::size_t offset) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%02zX", offset);
  return buf;
}

std::string WithoutPadding(std::string_view field) {
  std::size_t end = field.size();
  while (end > 0 && field[end - 1] == ' ') --end;
  return std::string(field.substr(0, end));
}

struct Checker {
  std::string* error;
  bool Fail(const std::string& why) {
    *error = why;
    return false;
  }
  bool Expect(std::uint32_t got, std::uint32_t want, std::size_t offset, const char* what) {
    if (got == want) return true;
    return Fail(std::string(what) + " at offset " + Hex(offset) + " is " + std::to_string(got) +
                ", " + std::to_string(want) + " expected");
  }
  bool Zeros(const Bytes& b, std::size_t from, std::size_t n, const char* what) {
    // Every file of a removal or a listing is decoded: the whole run is compared at once, and
    // only a run that is not all zeros is walked to name its first other byte.
    static constexpr char kZeros[512] = {};
    const std::string_view run = b.View(from, n);
    if (run.size() == n && n <= sizeof kZeros && std::memcmp(run.data(), kZeros, n) == 0) {
      return true;
    }
    for (std::size_t i = from; i < from + n; ++i) {
      if (b.U8(i) != 0) return Fail(std::string(what) + ": byte at offset " + Hex(i) + " is not 0");
    }
    return true;
  }
};

// (v mod 2^bits) as a signed value centred on 0.
std::int64_t Centred(std::int64_t v, int bits) {
  std::int64_t m = std::int64_t{1} << bits;
  v %= m;
  if (v < 0) v += m;
  return v >= m / 2 ? v - m : v;
}

}  // namespace

bool DecodeNavAidFile(std::string_view bytes, DecodedNavAid* navaid, std::string* error) {
  Checker check{error};
  Bytes b(bytes);
  DecodedNavAid n;
  if (bytes.size() < kHeaderSize) {
    return check.Fail("too short for a scenery file: " + std::to_string(bytes.size()) +
                      " bytes, the header alone has " + std::to_string(kHeaderSize));
  }
  if (!check.Expect(b.U16(0), kHeaderLeadingWord, 0, "leading word")) return false;
  std::uint32_t vor_at = b.U32(kHeaderVorSection);
  std::uint32_t ndb_at = b.U32(kHeaderNdbSection);
  bool ndb = ndb_at == kHeaderSize && vor_at == 0;
  bool typeless = ndb_at == 0 && vor_at == 0;
  if (!ndb && !typeless && !(vor_at == kHeaderSize && ndb_at == 0)) {
    return check.Fail("section offsets " + std::to_string(vor_at) + " (VOR, offset " +
                      Hex(kHeaderVorSection) + ") and " + std::to_string(ndb_at) +
                      " (NDB, offset " + Hex(kHeaderNdbSection) +
                      "): one must be 176, the other 0");
  }
  std::size_t after_channels = kHeaderHighChannel + 2;
  if (!check.Zeros(b, after_channels, kHeaderNdbSection - after_channels, "header") ||
      !check.Zeros(b, kHeaderNdbSection + 4, kHeaderSize - kHeaderNdbSection - 4, "header")) {
    return false;
  }
  std::uint16_t channel = b.U16(kHeaderLowChannel);
  if (!check.Expect(b.U16(kHeaderHighChannel), channel, kHeaderHighChannel, "high VOR channel")) {
    return false;
  }
  if ((ndb || typeless) && !check.Expect(channel, 0, kHeaderLowChannel, "VOR channel")) {
    return false;
  }
  std::size_t section_size = ndb ? kNdbSectionSize : kVorSectionSize;
  const bool without_end = ndb && bytes.size() == kHeaderSize + kNdbSectionSizeWithoutEnd;
  if (bytes.size() != kHeaderSize + section_size && !without_end) {
    return check.Fail("file is " + std::to_string(bytes.size()) + " bytes, a " +
                      (ndb ? "NDB file has " + std::to_string(kHeaderSize + section_size) +
                                 " (or " + std::to_string(kHeaderSize + kNdbSectionSizeWithoutEnd) +
                                 " without the list end)"
                           : "VOR or ILS file has " + std::to_string(kHeaderSize + section_size)));
  }

  const std::size_t s = kHeaderSize;  // section start
  std::size_t band = ndb ? s : s + kVorBandEntry;
  std::size_t record = ndb ? s + kNdbRecord : s + kVorRecord;
  if (!ndb) {
    if (!check.Expect(b.U8(s), 1, s, "channel entry marker") ||
        !check.Expect(b.U32(s + 1), kVorBandEntry, s + 1, "channel entry offset")) {
      return false;
    }
  }
  auto north = static_cast<std::int32_t>(b.U32(kHeaderNorthBound));
  auto south = static_cast<std::int32_t>(b.U32(kHeaderSouthBound));
  if (!check.Expect(b.U8(band), kBandMarker, band, "band entry marker") ||
      !check.Expect(b.U16(band + 1), static_cast<std::uint16_t>(south / 512), band + 1,
                    "band south bound") ||
      !check.Expect(b.U16(band + 3), static_cast<std::uint16_t>(north / 512), band + 3,
                    "band north bound") ||
      !check.Expect(b.U16(band + 5), static_cast<std::uint32_t>(record - s), band + 5,
                    "band record offset") ||
      !check.Zeros(b, band + 7, 3, "band entry")) {
    return false;
  }

  std::size_t lat_at = record + (ndb ? kNdbLatitude - kNdbRecord : kVorLatitude - kVorRecord);
  std::size_t lon_at = lat_at + 3;
  n.latitudeSteps = SignExtend24(b.U24(lat_at));
  n.longitudeSteps = SignExtend24(b.U24(lon_at));
  n.latitude = n.latitudeSteps * 90.0 / kLatitudeStepsPer90;
  n.longitude = n.longitudeSteps * 360.0 / kLongitudeStepsPer360;
  std::int64_t lat_span = std::int64_t{north} - south;
  std::int64_t lon_span =
      Centred(std::int64_t{b.U32(kHeaderEastBound)} - b.U32(kHeaderWestBound), 32);
  if (std::fabs(static_cast<double>(lat_span) - kLatitudeBoundsSpan) > kSpanSlack) {
    return check.Fail("the header's north and south bounds (offsets " + Hex(kHeaderNorthBound) +
                      ", " + Hex(kHeaderSouthBound) + ") are not 4 degrees apart");
  }
  if (std::fabs(static_cast<double>(lon_span) - kLongitudeBoundsSpan) > kSpanSlack) {
    return check.Fail("the header's east and west bounds (offsets " + Hex(kHeaderEastBound) + ", " +
                      Hex(kHeaderWestBound) + ") are not 4 degrees apart");
  }
  // The header's bounds are the position +-2 degrees: their sum is twice the position.
  std::int64_t lat_gap = Centred(std::int64_t{north} + south - 4 * std::int64_t{b.U24(lat_at)}, 26);
  if (std::llabs(lat_gap) > kLatitudeSlack) {
    return check.Fail("the header's latitude bounds (offsets " + Hex(kHeaderNorthBound) + ", " +
                      Hex(kHeaderSouthBound) + ") do not fit the record's latitude at offset " +
                      Hex(lat_at));
  }
  std::int64_t lon_gap = Centred(std::int64_t{b.U32(kHeaderEastBound)} + b.U32(kHeaderWestBound) -
                                     512 * std::int64_t{b.U24(lon_at)},
                                 32);
  if (std::llabs(lon_gap) > kLongitudeSlack) {
    return check.Fail("the header's longitude bounds (offsets " + Hex(kHeaderEastBound) + ", " +
                      Hex(kHeaderWestBound) + ") do not fit the record's longitude at offset " +
                      Hex(lon_at));
  }

  if (ndb) {
    if (!check.Expect(b.U8(record), kNdbRecordType, record, "record type")) return false;
    std::size_t f = s + kNdbFrequency;
    std::uint32_t digits = b.U16(f) | (std::uint32_t{b.U8(f + 2)} << 16);
    if ((b.U8(f + 2) & 0x0F) > 9)
      return check.Fail("frequency at offset " + Hex(f) + " is not BCD");
    if (!without_end && !check.Expect(b.U8(s + kNdbListEnd), 0, s + kNdbListEnd, "NDB list end")) {
      return false;
    }
    int khz = 0;
    for (int shift : {20, 8, 4, 0}) {
      std::uint32_t digit = (digits >> shift) & 0xF;
      if (digit > 9) return check.Fail("frequency at offset " + Hex(f) + " is not BCD");
      khz = khz * 10 + static_cast<int>(digit);
    }
    if ((digits & 0xF000) != 0) return check.Fail("frequency at offset " + Hex(f) + " is not BCD");
    n.navAidType = "NDB";
    n.frequencyKhz = khz;
    n.frequencyHundredHz = b.U8(f + 2) & 0x0F;
    n.altitude = static_cast<std::int16_t>(b.U16(s + kNdbAltitude));
    n.rangeUnits = b.U8(s + kNdbRange);
    n.id = WithoutPadding(b.View(s + kNdbId, kIdWidth));
    n.name = WithoutPadding(b.View(s + kNdbName, kNameWidth));
  } else {
    std::uint8_t type = b.U8(record);
    bool ils = type == kIlsRecordType;
    if (typeless) {
      if (!check.Expect(type, 0, record, "record type")) return false;
    } else if (type != kVorRecordType && !ils) {
      return check.Fail("record type at offset " + Hex(record) + " is " + std::to_string(type) +
                        ", 4 (VOR) or 5 (ILS) expected");
    }
    n.navAidType = typeless ? "" : ils ? "ILS" : "VOR";
    n.channel = static_cast<std::int16_t>(channel);
    n.frequencyMhz = 108.0 + n.channel / 20.0;
    n.rangeUnits = b.U8(s + kVorRange);
    n.deviationAngle = static_cast<std::int16_t>(b.U16(s + kVorDeviation));
    n.flags = b.U8(s + kVorDme);
    n.altitude = static_cast<std::int16_t>(b.U16(s + kVorAltitude));
    n.localizerAngle = b.U16(s + kVorLocalizer);
    n.id = WithoutPadding(b.View(s + kVorId, kIdWidth));
    n.name = WithoutPadding(b.View(s + kVorName, kNameWidth));
    std::size_t g = s + kVorGlideslopeBlock;
    if (ils) {
      // The glide slope stands where the localizer does: same position and altitude.
      if (b.View(g, 6) != b.View(lat_at, 6)) {
        return check.Fail("glide slope position at offset " + Hex(g) +
                          " differs from the record's");
      }
      if (!check.Expect(b.U16(g + 6), b.U16(s + kVorAltitude), g + 6, "glide slope altitude") ||
          !check.Expect(b.U8(g + 10), 0, g + 10, "end byte")) {
        return false;
      }
      n.glideslopeSine = static_cast<std::int16_t>(b.U16(g + 8));
    } else {
      if (!check.Expect(n.localizerAngle, 0, s + kVorLocalizer, "localizer heading of a VOR") ||
          !check.Zeros(b, g, 11, "glide slope block of a VOR")) {
        return false;
      }
    }
    n.magneticDeviation = n.deviationAngle * 360.0 / kAngleStepsPer360;
    n.localizerHeading = n.localizerAngle * 360.0 / kAngleStepsPer360;
    n.glideslopeAngle = std::asin(n.glideslopeSine / kSineScale) * 180.0 / kPi;
  }
  n.rangeNm = n.rangeUnits / kRangeUnitsPerNm;
  *navaid = n;
  return true;
}

}  // namespace orlith
