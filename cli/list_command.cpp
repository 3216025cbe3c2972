#include "cli/list_command.h"

#include "app/in_effect.h"
#include "app/messages.h"
#include "app/navaid_report.h"
#include "core/coordinate_text.h"
#include "core/exit_status.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

std::string WordMeaning(const std::string& word) {
  return word == "all" ? "all NavAids" : word == "vors" ? "VOR and ILS NavAids" : "NDB NavAids";
}

std::string Position(double lat, double lon) {
  return ReportCoordinate(lat, CoordinateKind::kLatitude) + ", " +
         ReportCoordinate(lon, CoordinateKind::kLongitude);
}

std::string FileText(const SceneryFileInEffect& f) {
  const DecodedNavAid& n = f.navaid;
  std::string frequency = n.navAidType == "NDB" ? ReportKilohertz(n) + " kHz"
                                                : ReportDecimal(n.frequencyMhz, 2) + " MHz";
  return "  " + f.shown + ": " + (n.navAidType.empty() ? "(none)" : n.navAidType) + ", " +
         Position(n.latitude, n.longitude) + ", " + frequency + ", " + ReportDecimal(n.rangeNm, 2) +
         " nm, ID \"" + n.id + "\", name \"" + n.name + "\"\n";
}

}  // namespace

int RunList(const WorkFolder& folder, bool json, std::ostream& out, std::ostream& err) {
  InEffect in_effect;
  Status s = ReadInEffect(folder, &in_effect);
  if (s.kind() == Status::Kind::kNotFound && s.file() == folder.File(kSceneryConfigName)) {
    err << ConfigMissingMessage() << '\n';
    return kExitMissingConfig;
  }
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << s.ToString() << '\n';
    return kExitFileError;
  }
  const std::vector<SwitchInEffect>& switches = in_effect.switches;
  const std::vector<SceneryFileInEffect>& files = in_effect.files;
  const int others = in_effect.otherBglFiles;
  if (json) {
    out << "{\"switches\":[";
    for (std::size_t i = 0; i < switches.size(); ++i) {
      const SwitchInEffect& w = switches[i];
      out << (i ? "," : "") << "{\"line\":" << w.line.number << ",\"latitude\":"
          << JsonString(ReportCoordinate(w.exclusion.latitude, CoordinateKind::kLatitude))
          << ",\"longitude\":"
          << JsonString(ReportCoordinate(w.exclusion.longitude, CoordinateKind::kLongitude))
          << ",\"drops\":" << JsonString(w.exclusion.word) << ",\"area\":" << JsonString(w.area)
          << ",\"areaTitle\":" << JsonString(w.areaTitle) << "}";
    }
    out << "],\"files\":[";
    for (std::size_t i = 0; i < files.size(); ++i) {
      std::string fields = InspectJson(files[i].navaid);  // "{...}\n"
      out << (i ? "," : "") << "{\"file\":" << JsonString(files[i].shown) << ","
          << fields.substr(1, fields.size() - 2);
    }
    out << "],\"otherBglFiles\":" << others << "}\n";
    return kExitDone;
  }
  out << "Exclusion switches in scenery.cfg: " << switches.size() << '\n';
  for (const SwitchInEffect& w : switches) {
    out << "  line " << w.line.number << ": "
        << Position(w.exclusion.latitude, w.exclusion.longitude) << ", drops "
        << WordMeaning(w.exclusion.word) << ", in "
        << (w.area.empty() ? "no block" : "[" + w.area + "]")
        << (w.areaTitle.empty() ? "" : " " + w.areaTitle) << '\n';
  }
  out << "Orlith scenery files: " << files.size() << '\n';
  for (const SceneryFileInEffect& f : files) out << FileText(f);
  out << "Other .bgl files (not Orlith's): " << others << '\n';
  return kExitDone;
}

}  // namespace orlith
