#include "scenery_file/navaid_writer.h"

#include <initializer_list>
#include <memory>
#include <string_view>

#include "core/coordinate_text.h"
#include "core/operations_log.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

// The degree sign of the Windows-1252 code page, written as the single byte the log holds.
constexpr char kDegree[] = " \xB0";

bool IsReservedInFileName(char c) {
  return static_cast<unsigned char>(c) < 32 ||
         std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

// The creation report as the log's lines, each ended by CR LF, built in one buffer.
std::string CreationReport(const std::string& fileName, const NavAidEntry& entry) {
  const bool ndb = entry.navAidType == "NDB";
  std::string text;
  text.reserve(512);  // more than a report of texts of the usual lengths
  auto line = [&text](std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) text += part;
    text += "\r\n";
  };
  line({"The file ", fileName, " was created with the following data: "});
  line({});
  line({"Position: ", entry.latitude, ", ", entry.longitude});
  line({"Type of NavAid: ", entry.navAidType});
  line({"Frequency: ", entry.frequency, ndb ? " kHz" : " MHz"});
  line({"Range: ", entry.range, " nm"});
  line({"Altitude: ", entry.altitude, " m"});
  if (!ndb) {
    line({"Magnetic deviation: ", entry.magneticDeviation, kDegree});
    line({"Code: ", entry.dme});
  }
  if (entry.navAidType == "ILS") {
    line({"Localizer direction: ", entry.localizerDirection, kDegree});
    line({"Glideslope: ", entry.glideslopeAngle, kDegree});
  }
  line({"NavAid ID: ", entry.id});
  line({"NavAid name: ", entry.name});
  return text;
}

// Appends the creation report of the file just written to the log, naming it relative to the
// simulator folder; a failure goes to *log_status.
void ReportCreation(const WorkFolder& folder, const std::string& name, const NavAidEntry& entry,
                    Status* log_status) {
  Status logged = AppendLogText(folder, CreationReport(folder.SceneryName(name), entry));
  if (log_status != nullptr) log_status->Update(logged);
}

// Creates the scenery folder when it is missing. A failure names the folder, so the file is
// written nowhere else.
Status MakeSceneryFolder(const WorkFolder& folder) {
  const std::string path = folder.SceneryFolderPath();
  if (path.empty()) return Status::Ok();
  Status s = folder.env->CreateFolders(path);
  if (s.ok()) return s;
  return Status::IoError(path, "the folder could not be created: " + s.reason());
}

}  // namespace

std::string SceneryFileName(const std::string& latitude, const std::string& longitude) {
  std::string name = latitude + "__" + longitude;
  std::size_t first = name.find('.');
  if (first != std::string::npos) {
    name[first] = '_';
    std::size_t second = name.find('.', first + 1);
    if (second != std::string::npos) name[second] = '_';
  }
  for (char& c : name) {
    if (IsReservedInFileName(c)) c = '_';
  }
  return name + ".bgl";
}

std::string SceneryFilePath(const WorkFolder& folder, const std::string& latitude,
                            const std::string& longitude) {
  return folder.SceneryFile(SceneryFileName(latitude, longitude));
}

Status CheckSceneryFilePath(const WorkFolder& folder, const std::string& latitude,
                            const std::string& longitude) {
  return folder.env->CheckPath(SceneryFilePath(folder, latitude, longitude));
}

Status WriteNavAidFile(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status) {
  // Both texts are parsed before anything is written, so a rejected text leaves an existing
  // file of that name as it was.
  double lat = ParseCoordinate(entry.latitude);
  double lon = ParseCoordinate(entry.longitude);
  std::string bytes = SceneryHeaderBytes(lat, lon, entry.navAidType, entry.frequency);
  bytes += NavAidSectionBytes(lat, lon, entry);
  // Scenery files are not synced one by one: the simulator reads them at its next start, and a
  // lost one is made again by running the command again.
  Status s = MakeSceneryFolder(folder);
  if (s.ok()) {
    s = ReplaceWhole(*folder.env, SceneryFilePath(folder, entry.latitude, entry.longitude), bytes,
                     false);
  }
  if (!s.ok()) return s;
  ReportCreation(folder, SceneryFileName(entry.latitude, entry.longitude), entry, log_status);
  return Status::Ok();
}

}  // namespace orlith
