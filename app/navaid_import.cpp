#include "app/navaid_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/field_names.h"
#include "core/ascii_case.h"
#include "core/coordinate_text.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

constexpr double kMetresPerFoot = 0.3048;
// Beyond any station on Earth, and within the altitude field's 32767 m.
constexpr double kHighestElevationFt = 30000;

// Latin-1 capitals: the accented small letters 0xE0 to 0xFE (not the division sign 0xF7) have
// their capital 0x20 below; sharp s and y with diaeresis have none in Latin-1 and stay.
std::string Latin1Upper(std::string text) {
  for (char& ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
      ch = static_cast<char>(c - 0x20);
    }
  }
  return text;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<double> Within(std::optional<double> value, double limit) {
  if (value && std::fabs(*value) > limit) return std::nullopt;
  return value;
}

const std::string& Field(const std::vector<std::string>& fields, int index) {
  static const std::string kEmpty;
  return index >= 0 && static_cast<std::size_t>(index) < fields.size() ? fields[index] : kEmpty;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// Nautical miles a station of the given power reaches, as the simulator's own stations do.
std::string RangeOf(bool vor, const std::string& power) {
  if (power == "HIGH") return vor ? "130" : "75";
  if (power == "MEDIUM") return vor ? "40" : "50";
  if (power == "LOW") return "25";
  return vor ? "40" : "25";
}

}  // namespace

bool InArea(const ImportArea& a, double lat, double lon) {
  if (lat > a.north || lat < a.south) return false;
  if (a.west <= a.east) return lon >= a.west && lon <= a.east;
  return lon >= a.west || lon <= a.east;
}

std::optional<double> FieldNumber(std::string_view field) {
  field = Trimmed(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty()) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool FindNavaidColumns(const std::vector<std::string>& header, NavaidColumns* c,
                       std::string* error) {
  *c = NavaidColumns{};
  const std::pair<const char*, int*> wanted[] = {
      {"ident", &c->ident},
      {"name", &c->name},
      {"type", &c->type},
      {"frequency_khz", &c->frequency},
      {"latitude_deg", &c->latitude},
      {"longitude_deg", &c->longitude},
      {"elevation_ft", &c->elevation},
      {"iso_country", &c->country},
      {"slaved_variation_deg", &c->slaved},
      {"magnetic_variation_deg", &c->variation},
      {"power", &c->power},
  };
  for (const auto& [name, index] : wanted) {
    auto found = std::find(header.begin(), header.end(), name);
    if (found == header.end()) {
      *error = std::string("not a navaids.csv file: no column \"") + name + "\"";
      return false;
    }
    *index = static_cast<int>(found - header.begin());
  }
  return true;
}

ImportSkip MapNavaidRow(const std::vector<std::string>& fields, const NavaidColumns& c,
                        const ImportOptions& options, NavAidEntry* entry) {
  const std::string& type = Field(fields, c.type);
  const bool ndb = type == "NDB" || type == "NDB-DME";
  const bool vor = type == "VOR" || type == "VOR-DME" || type == "VORTAC";
  if (!options.countries.empty() &&
      !Contains(options.countries, AsciiUpper(Field(fields, c.country)))) {
    return ImportSkip::kFiltered;
  }
  if (!options.idents.empty() && !Contains(options.idents, AsciiUpper(Field(fields, c.ident)))) {
    return ImportSkip::kFiltered;
  }
  if (!options.type.empty() && !(options.type == "NDB" ? ndb : vor)) return ImportSkip::kFiltered;
  std::optional<double> lat = FieldNumber(Field(fields, c.latitude));
  std::optional<double> lon = FieldNumber(Field(fields, c.longitude));
  if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) {
    return ImportSkip::kBadPosition;
  }
  if (options.within && !InArea(*options.within, *lat, *lon)) return ImportSkip::kFiltered;
  if (!ndb && !vor) return ImportSkip::kNoRecord;
  // The band the format can store: VOR channels of 50 kHz from 108.00 MHz, NDB frequencies of
  // up to four digits.
  std::optional<double> khz = FieldNumber(Field(fields, c.frequency));
  if (!khz || *khz <= 0 || (ndb ? *khz > 9999 : *khz < 108000 || *khz >= 117975)) {
    return ImportSkip::kNoFrequency;
  }

  NavAidEntry e;
  e.latitude = ImportCoordinate(*lat, CoordinateKind::kLatitude);
  e.longitude = ImportCoordinate(*lon, CoordinateKind::kLongitude);
  e.navAidType = ndb ? "NDB" : "VOR";
  char buf[32];
  if (ndb) {
    // Whole kHz, and the 100 Hz digit when there is one (382.5).
    const long long tenths = std::llround(*khz * 10);
    if (tenths % 10 == 0) {
      std::snprintf(buf, sizeof buf, "%lld", tenths / 10);
    } else {
      std::snprintf(buf, sizeof buf, "%lld.%lld", tenths / 10, tenths % 10);
    }
  } else {
    std::snprintf(buf, sizeof buf, "%.2f", *khz / 1000.0);
  }
  e.frequency = buf;
  e.range =
      options.range.empty() ? RangeOf(vor, AsciiUpper(Field(fields, c.power))) : options.range;
  // Values no station can have count as missing, so they cannot wrap around in their field.
  std::optional<double> feet = Within(FieldNumber(Field(fields, c.elevation)), kHighestElevationFt);
  e.altitude = std::to_string(feet ? std::llround(*feet * kMetresPerFoot) : 0);
  if (vor) {
    // The variation the station is aligned to, when the data knows it.
    std::optional<double> variation = Within(FieldNumber(Field(fields, c.slaved)), 180);
    if (!variation) variation = Within(FieldNumber(Field(fields, c.variation)), 180);
    e.magneticDeviation = std::to_string(variation ? std::llround(*variation) : 0);
    e.dme.assign(1, type == "VOR" ? '0' : '1');
  }
  e.id = Utf8ToLatin1(Field(fields, c.ident)).substr(0, kIdWidth);
  e.name = Latin1Upper(Utf8ToLatin1(Field(fields, c.name))).substr(0, kNameWidth);
  *entry = std::move(e);
  return ImportSkip::kSelected;
}

std::string ImportCoordinate(double degrees, CoordinateKind kind) {
  const bool negative = degrees < 0;
  char letter = kind == CoordinateKind::kLatitude ? (negative ? 'S' : 'N') : (negative ? 'W' : 'E');
  const long long thousandths = std::llround(std::fabs(degrees) * 60000.0);
  const std::string fraction = std::to_string(thousandths % 1000);
  return letter + std::to_string(thousandths / 60000) + ' ' +
         std::to_string(thousandths % 60000 / 1000) + '.' + std::string(3 - fraction.size(), '0') +
         fraction;
}

std::string Utf8ToLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    int length = c < 0x80             ? 1
                 : (c & 0xE0) == 0xC0 ? 2
                 : (c & 0xF0) == 0xE0 ? 3
                 : (c & 0xF8) == 0xF0 ? 4
                                      : 0;
    bool whole = length > 0 && i + length <= text.size();
    unsigned code = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
    for (int k = 1; whole && k < length; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      whole = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    if (!whole) {
      out += '?';
      ++i;
      continue;
    }
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += length;
  }
  return out;
}

}  // namespace orlith
