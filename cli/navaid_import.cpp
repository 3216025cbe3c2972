#include "cli/navaid_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/field_names.h"
#include "core/coordinate_text.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

constexpr double kMetresPerFoot = 0.3048;
// Beyond any station on Earth, and within the altitude field's 32767 m.
constexpr double kHighestElevationFt = 30000;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

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

// The whole field as a finite number; none for an empty field or any other text.
std::optional<double> Number(std::string_view field) {
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

bool InArea(const ImportArea& a, double lat, double lon) {
  if (lat > a.north || lat < a.south) return false;
  if (a.west <= a.east) return lon >= a.west && lon <= a.east;
  return lon >= a.west || lon <= a.east;
}

// Nautical miles a station of the given power reaches, as the simulator's own stations do.
std::string RangeOf(bool vor, const std::string& power) {
  if (power == "HIGH") return vor ? "130" : "75";
  if (power == "MEDIUM") return vor ? "40" : "50";
  if (power == "LOW") return "25";
  return vor ? "40" : "25";
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// A text that ImportCoordinate wrote as thousandths of a minute, doubled, plus one for S and W
// (so that "S0 0.000" and "N0 0.000", two file names, stay apart).
std::uint32_t PositionKey(std::string_view text) {
  std::uint32_t degrees = 0, thousandths = 0;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != ' '; ++i) degrees = degrees * 10 + (text[i] - '0');
  for (++i; i < text.size(); ++i) {
    if (text[i] != '.') thousandths = thousandths * 10 + (text[i] - '0');
  }
  const bool negative = !text.empty() && (text[0] == 'S' || text[0] == 'W');
  return (degrees * 60000 + thousandths) * 2 + (negative ? 1 : 0);
}

}  // namespace

std::string ParseImportArgs(const std::vector<std::string>& args, std::size_t at,
                            ImportOptions* o) {
  *o = ImportOptions{};
  auto value = [&](std::size_t& i) -> const std::string* {
    return i + 1 < args.size() ? &args[++i] : nullptr;
  };
  bool command_seen = false;
  for (std::size_t i = at; i < args.size(); ++i) {
    const std::string& a = args[i];
    const std::string* v = nullptr;
    if (a == "--apply") {
      o->apply = true;
    } else if (a == "--within") {
      if (i + 4 >= args.size()) return "--within needs NORTH WEST SOUTH EAST";
      const std::string* texts[4] = {&args[i + 1], &args[i + 2], &args[i + 3], &args[i + 4]};
      i += 4;
      double d[4];
      for (int k = 0; k < 4; ++k) {
        CoordinateKind kind = k % 2 == 0 ? CoordinateKind::kLatitude : CoordinateKind::kLongitude;
        if (!IsValidCoordinate(*texts[k], kind)) {
          return std::string("--within: \"") + *texts[k] + "\" is not a " +
                 (k % 2 == 0 ? "latitude" : "longitude");
        }
        d[k] = ParseCoordinate(*texts[k]);
      }
      if (d[0] < d[2]) return "--within: the north edge lies south of the south edge";
      o->within = ImportArea{d[0], d[1], d[2], d[3]};
    } else if (a == "-o" || a == "--country" || a == "--type" || a == "--ident" ||
               a == "--command" || a == "--range") {
      if ((v = value(i)) == nullptr) return "option " + a + " needs a text";
      if (a == "-o") {
        if (!o->output.empty() || v->empty()) return "-o takes one file";
        o->output = *v;
      } else if (a == "--country") {
        o->countries.push_back(Upper(*v));
      } else if (a == "--ident") {
        o->idents.push_back(Upper(*v));
      } else if (a == "--type") {
        o->type = Upper(*v);
        if (o->type != "NDB" && o->type != "VOR")
          return "--type must be NDB or VOR, not \"" + *v + "\"";
      } else if (a == "--command") {
        if (command_seen || (*v != "create" && *v != "modify")) {
          return "--command must be create or modify, once";
        }
        command_seen = true;
        o->command = *v;
      } else {
        std::optional<double> nm = Number(*v);
        if (!nm || *nm < 0) {
          return "--range must be a number of nautical miles, not \"" + *v + "\"";
        }
        o->range = *v;
      }
    } else if (o->file.empty() && !a.starts_with("-")) {
      o->file = a;
    } else {
      return "unknown option for import: " + a;
    }
  }
  if (o->file.empty()) return "import needs a navaids.csv file";
  if (o->apply && !o->output.empty()) return "import takes -o FILE or --apply, not both";
  return "";
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
  if (!options.countries.empty() && !Contains(options.countries, Upper(Field(fields, c.country)))) {
    return ImportSkip::kFiltered;
  }
  if (!options.idents.empty() && !Contains(options.idents, Upper(Field(fields, c.ident)))) {
    return ImportSkip::kFiltered;
  }
  if (!options.type.empty() && !(options.type == "NDB" ? ndb : vor)) return ImportSkip::kFiltered;
  std::optional<double> lat = Number(Field(fields, c.latitude));
  std::optional<double> lon = Number(Field(fields, c.longitude));
  if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) {
    return ImportSkip::kBadPosition;
  }
  if (options.within && !InArea(*options.within, *lat, *lon)) return ImportSkip::kFiltered;
  if (!ndb && !vor) return ImportSkip::kNoRecord;
  // The band the format can store: VOR channels of 50 kHz from 108.00 MHz, NDB frequencies of
  // up to four digits.
  std::optional<double> khz = Number(Field(fields, c.frequency));
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
  e.range = options.range.empty() ? RangeOf(vor, Upper(Field(fields, c.power))) : options.range;
  // Values no station can have count as missing, so they cannot wrap around in their field.
  std::optional<double> feet = Within(Number(Field(fields, c.elevation)), kHighestElevationFt);
  e.altitude = std::to_string(feet ? std::llround(*feet * kMetresPerFoot) : 0);
  if (vor) {
    // The variation the station is aligned to, when the data knows it.
    std::optional<double> variation = Within(Number(Field(fields, c.slaved)), 180);
    if (!variation) variation = Within(Number(Field(fields, c.variation)), 180);
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

bool PositionSet::Insert(const NavAidEntry& entry) {
  return seen_
      .insert(std::uint64_t{PositionKey(entry.latitude)} << 32 | PositionKey(entry.longitude))
      .second;
}

std::string BatchHeaderLine() {
  std::string line = "command";
  for (const FieldNames& f : kFieldNames) line += std::string(",") + f.column;
  return line + "\r\n";
}

std::string BatchRowLine(const std::string& command, const NavAidEntry& entry) {
  std::string line = command;
  for (const FieldNames& f : kFieldNames) {
    line += ',';
    line += CsvField(FieldOf(entry, f.field));
  }
  return line + "\r\n";
}

std::string ImportSummary(const ImportCounts& n, bool applied) {
  auto count = [&](ImportSkip skip) { return std::to_string(n.by[static_cast<int>(skip)]); };
  std::int64_t skipped = 0;
  for (int k = static_cast<int>(ImportSkip::kNoRecord); k < kImportSkipCount; ++k)
    skipped += n.by[k];
  return std::to_string(n.read) + " rows read: " + count(ImportSkip::kSelected) +
         (applied ? " applied, " : " written, ") + count(ImportSkip::kFiltered) +
         " left out by the filters, " + std::to_string(skipped) + " skipped.\n" +
         "Skipped: " + count(ImportSkip::kNoRecord) + " type without a record (DME, TACAN), " +
         count(ImportSkip::kNoFrequency) + " no usable frequency, " +
         count(ImportSkip::kBadPosition) + " position not a number, " +
         count(ImportSkip::kSamePosition) + " same position.\n";
}

}  // namespace orlith
