#include "scenery_config/exclusion_switch.h"

#include <memory>

#include "core/coordinate_text.h"
#include "core/operations_log.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

// Half the side of the excluded rectangle, in degrees (0.012 minutes of arc).
constexpr double kHalfSize = 0.0002;

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

}  // namespace

std::string ExclusionSwitchLine(const std::string& latitude, const std::string& longitude,
                                const std::string& navAidType) {
  const double lat = ParseCoordinate(latitude);
  const double lon = ParseCoordinate(longitude);
  return "Exclude=" + FormatCoordinate(lat + kHalfSize, CoordinateKind::kLatitude) + ", " +
         FormatCoordinate(lon - kHalfSize, CoordinateKind::kLongitude) + ", " +
         FormatCoordinate(lat - kHalfSize, CoordinateKind::kLatitude) + ", " +
         FormatCoordinate(lon + kHalfSize, CoordinateKind::kLongitude) + ", " +
         ExclusionFor(navAidType).word;
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
