#include "scenery_file/navaid_writer.h"

#include <initializer_list>
#include <memory>
#include <string_view>

#include "core/coordinate_text.h"
#include "scenery_config/operations_log.h"
#include "scenery_file/navaid_format.h"

namespace orlith {
namespace {

// The degree sign of the Windows-1252 code page, written as the single byte the log holds.
constexpr char kDegree[] = " \xB0";

bool IsReservedInFileName(char c) {
  return static_cast<unsigned char>(c) < 32 ||
         std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

// Creates (or empties) the file, or opens it for appending, writes bytes and closes it; the
// first failure.
Status WriteWhole(FileEnv& env, const std::string& path, bool append, std::string_view bytes) {
  std::unique_ptr<WritableFile> file;
  Status s = append ? env.OpenForAppending(path, &file) : env.OpenForWriting(path, &file);
  if (!s.ok()) return s;
  s = file->Append(bytes);
  s.Update(file->Close());
  return s;
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

Status WriteSceneryHeader(const WorkFolder& folder, const std::string& latitude,
                          const std::string& longitude, const std::string& navAidType,
                          const std::string& frequency) {
  // Both texts are parsed before the file is opened, so a rejected text leaves an existing file
  // of that name as it was.
  double lat = ParseCoordinate(latitude);
  double lon = ParseCoordinate(longitude);
  if (Status s = MakeSceneryFolder(folder); !s.ok()) return s;
  return WriteWhole(*folder.env, folder.SceneryFile(SceneryFileName(latitude, longitude)), false,
                    SceneryHeaderBytes(lat, lon, navAidType, frequency));
}

Status AppendNavAidSection(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status) {
  double lat = ParseCoordinate(entry.latitude);
  double lon = ParseCoordinate(entry.longitude);
  std::string name = SceneryFileName(entry.latitude, entry.longitude);
  Status s =
      WriteWhole(*folder.env, folder.SceneryFile(name), true, NavAidSectionBytes(lat, lon, entry));
  if (!s.ok()) return s;
  ReportCreation(folder, name, entry, log_status);
  return Status::Ok();
}

Status WriteNavAidFile(const WorkFolder& folder, const NavAidEntry& entry, Status* log_status) {
  double lat = ParseCoordinate(entry.latitude);
  double lon = ParseCoordinate(entry.longitude);
  std::string name = SceneryFileName(entry.latitude, entry.longitude);
  std::string bytes = SceneryHeaderBytes(lat, lon, entry.navAidType, entry.frequency);
  bytes += NavAidSectionBytes(lat, lon, entry);
  Status s = MakeSceneryFolder(folder);
  if (s.ok()) s = WriteWhole(*folder.env, folder.SceneryFile(name), false, bytes);
  if (!s.ok()) return s;
  ReportCreation(folder, name, entry, log_status);
  return Status::Ok();
}

}  // namespace orlith
