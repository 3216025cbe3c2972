#include "app/navaid_report.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/coordinate_text.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

struct Flag {
  std::uint8_t bit;
  const char* name;
  const char* key;  // in the JSON object
};
constexpr Flag kFlags[] = {{kFlagDme, "DME", "dme"},
                           {kFlagLocalizer, "localizer", "localizer"},
                           {kFlagGlideslope, "glide slope", "glideSlope"}};

// The flags byte and the names of the flags it holds: "0xC1 (DME, localizer, glide slope)".
std::string FlagsText(std::uint8_t flags) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", flags);
  std::string names;
  for (const Flag& f : kFlags) {
    if (flags & f.bit) names += (names.empty() ? "" : ", ") + std::string(f.name);
  }
  return std::string(hex) + " (" + (names.empty() ? "none" : names) + ")";
}

bool IsNdb(const DecodedNavAid& n) { return n.navAidType == "NDB"; }
bool IsIls(const DecodedNavAid& n) { return n.navAidType == "ILS"; }
bool HasVorRecord(const DecodedNavAid& n) { return n.navAidType == "VOR" || IsIls(n); }

}  // namespace

std::string ReportDecimal(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string ReportCoordinate(double degrees, CoordinateKind kind) {
  std::string text = FormatCoordinate(degrees, kind);
  if (!text.ends_with(" 60.00")) return text;
  return FormatCoordinate(std::copysign(std::trunc(std::fabs(degrees)) + 1.0, degrees), kind);
}

std::string ReportKilohertz(const DecodedNavAid& n) {
  std::string khz = std::to_string(n.frequencyKhz);
  return n.frequencyHundredHz == 0 ? khz : khz + "." + std::to_string(n.frequencyHundredHz);
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string InspectText(const DecodedNavAid& n) {
  std::string out;
  auto line = [&](const std::string& label, const std::string& value) {
    out += label + ": " + value + "\n";
  };
  line("Type", n.navAidType.empty() ? "(none)" : n.navAidType);
  line("Position", ReportCoordinate(n.latitude, CoordinateKind::kLatitude) + ", " +
                       ReportCoordinate(n.longitude, CoordinateKind::kLongitude) + " (" +
                       ReportDecimal(n.latitude, 6) + ", " + ReportDecimal(n.longitude, 6) +
                       " degrees)");
  if (IsNdb(n)) {
    line("Frequency", ReportKilohertz(n) + " kHz");
  } else {
    line("Frequency",
         ReportDecimal(n.frequencyMhz, 2) + " MHz (channel " + std::to_string(n.channel) + ")");
  }
  line("Range", std::to_string(n.rangeUnits) + " units (" + ReportDecimal(n.rangeNm, 2) + " nm)");
  line("Altitude", std::to_string(n.altitude) + " m");
  if (HasVorRecord(n)) {
    line("Magnetic deviation", ReportDecimal(n.magneticDeviation, 2) + " degrees");
    line("Flags", FlagsText(n.flags));
  }
  if (IsIls(n)) {
    line("Localizer heading", ReportDecimal(n.localizerHeading, 2) + " degrees");
    line("Glide slope angle", ReportDecimal(n.glideslopeAngle, 2) + " degrees");
  }
  line("ID", n.id);
  line("Name", n.name);
  return out;
}

std::string InspectJson(const DecodedNavAid& n) {
  std::vector<std::pair<std::string, std::string>> fields = {
      {"type", JsonString(n.navAidType)},
      {"latitude", JsonString(ReportCoordinate(n.latitude, CoordinateKind::kLatitude))},
      {"longitude", JsonString(ReportCoordinate(n.longitude, CoordinateKind::kLongitude))},
      {"latitudeDegrees", ReportDecimal(n.latitude, 6)},
      {"longitudeDegrees", ReportDecimal(n.longitude, 6)},
  };
  if (IsNdb(n)) {
    fields.push_back({"frequencyKHz", ReportKilohertz(n)});
  } else {
    fields.push_back({"frequencyMHz", ReportDecimal(n.frequencyMhz, 2)});
    fields.push_back({"channel", std::to_string(n.channel)});
  }
  fields.push_back({"rangeUnits", std::to_string(n.rangeUnits)});
  fields.push_back({"rangeNm", ReportDecimal(n.rangeNm, 2)});
  fields.push_back({"altitude", std::to_string(n.altitude)});
  if (HasVorRecord(n)) {
    fields.push_back({"magneticDeviation", ReportDecimal(n.magneticDeviation, 2)});
    fields.push_back({"flags", std::to_string(n.flags)});
    for (const Flag& f : kFlags) fields.push_back({f.key, n.flags & f.bit ? "true" : "false"});
  }
  if (IsIls(n)) {
    fields.push_back({"localizerHeading", ReportDecimal(n.localizerHeading, 2)});
    fields.push_back({"glideslopeAngle", ReportDecimal(n.glideslopeAngle, 2)});
  }
  fields.push_back({"id", JsonString(n.id)});
  fields.push_back({"name", JsonString(n.name)});
  std::string out = "{";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ",";
    out += "\"" + fields[i].first + "\":" + fields[i].second;
  }
  return out + "}\n";
}

}  // namespace orlith
