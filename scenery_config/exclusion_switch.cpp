#include "scenery_config/exclusion_switch.h"

#include <cmath>
#include <memory>
#include <optional>

#include "core/coordinate_text.h"
#include "core/operations_log.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

// How far the edges' rounding to 0.01 minutes may move the span between two edges.
constexpr double kSpanSlack = 0.0002;

struct Exclusion {
  const char* word;
  const char* sentence;
};

// VOR and ILS share one word: the simulator excludes both kinds with "vors".
Exclusion ExclusionFor(const std::string& navAidType) {
  if (navAidType == "VOR" || navAidType == "ILS") {
    return {"vors", "Exclusion switch was added for VOR and ILS NavAids at "};
  }
  if (navAidType == "NDB") return {"ndbs", "Exclusion switch was added for NDB NavAids at "};
  return {"all", "Exclusion switch was added for all NavAids at "};
}

// The edge at text when it is written exactly as FormatCoordinate writes one of kind.
std::optional<double> Edge(std::string_view text, CoordinateKind kind) {
  std::optional<double> degrees = TryParseCoordinate(text);
  if (!degrees || FormatCoordinate(*degrees, kind) != text) return std::nullopt;
  return degrees;
}

}  // namespace

std::string ExclusionSwitchLine(const std::string& latitude, const std::string& longitude,
                                const std::string& navAidType) {
  const double lat = ParseCoordinate(latitude);
  const double lon = ParseCoordinate(longitude);
  return "Exclude=" + FormatCoordinate(lat + kSwitchHalfSize, CoordinateKind::kLatitude) + ", " +
         FormatCoordinate(lon - kSwitchHalfSize, CoordinateKind::kLongitude) + ", " +
         FormatCoordinate(lat - kSwitchHalfSize, CoordinateKind::kLatitude) + ", " +
         FormatCoordinate(lon + kSwitchHalfSize, CoordinateKind::kLongitude) + ", " +
         ExclusionFor(navAidType).word;
}

bool ParseOrlithSwitch(std::string_view line, OrlithSwitch* found) {
  if (!line.starts_with("Exclude=")) return false;
  line.remove_prefix(8);
  std::string_view parts[5];
  for (int k = 0; k < 4; ++k) {
    std::size_t comma = line.find(", ");
    if (comma == std::string_view::npos) return false;
    parts[k] = line.substr(0, comma);
    line.remove_prefix(comma + 2);
  }
  parts[4] = line;
  if (parts[4] != "all" && parts[4] != "vors" && parts[4] != "ndbs") return false;
  std::optional<double> north = Edge(parts[0], CoordinateKind::kLatitude);
  std::optional<double> west = Edge(parts[1], CoordinateKind::kLongitude);
  std::optional<double> south = Edge(parts[2], CoordinateKind::kLatitude);
  std::optional<double> east = Edge(parts[3], CoordinateKind::kLongitude);
  if (!north || !west || !south || !east) return false;
  if (std::fabs(*north - *south - 2 * kSwitchHalfSize) > kSpanSlack ||
      std::fabs(*east - *west - 2 * kSwitchHalfSize) > kSpanSlack) {
    return false;
  }
  found->latitude = (*north + *south) / 2;
  found->longitude = (*west + *east) / 2;
  found->word = std::string(parts[4]);
  return true;
}

Status AddExclusionSwitch(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          Status* log_status, ConfigEnd end) {
  // Built first: a malformed position ends the program before any file is touched.
  const std::string line = ExclusionSwitchLine(latitude, longitude, navAidType);
  const std::string cfg_path = folder.File(kSceneryConfigName);

  // A last line without a line end is ended first, so the switch never joins it.
  std::string text;
  Status s;
  if (end == ConfigEnd::kUnknown) {
    std::string tail;
    s = folder.env->ReadTail(cfg_path, 1, &tail);
    if (!s.ok()) return s;
    if (!tail.empty() && tail.back() != '\n') text = "\r\n";
  }
  text += line;
  text += "\r\n";

  s = AppendWholeOrNothing(*folder.env, cfg_path, text);
  if (!s.ok()) return s;

  // The switch line's buffer holds the log entry next.
  text.assign(ExclusionFor(navAidType).sentence);
  text += latitude;
  text += ", ";
  text += longitude;
  text += " to SCENERY.CFG ...\r\n";
  Status logged = AppendLogText(folder, text);
  if (log_status != nullptr) log_status->Update(logged);
  return Status::Ok();
}

}  // namespace orlith
