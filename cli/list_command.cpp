#include "cli/list_command.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "cli/cli.h"
#include "cli/navaid_report.h"
#include "core/coordinate_text.h"
#include "scenery_config/scenery_config.h"
#include "scenery_file/navaid_reader.h"
#include "app/messages.h"

namespace orlith {
namespace {

// Half-size of the rectangle in degrees, and how far the edges' rounding to 0.01 minutes may
// move the span between two edges.
constexpr double kHalfSize = 0.0002;
constexpr double kSpanSlack = 0.0002;
// Orlith's scenery files are 228 or 229 (NDB) and 246 bytes; a larger .bgl is not read.
constexpr std::uint64_t kLargestSceneryFile = 4096;

struct ListedFile {
  std::string path;  // as shown: the name, behind the scenery folder when it is one
  DecodedNavAid navaid;
};

// The edge at text when it is written exactly as FormatCoordinate writes one of kind.
std::optional<double> Edge(std::string_view text, CoordinateKind kind) {
  std::optional<double> degrees = TryParseCoordinate(text);
  if (!degrees || FormatCoordinate(*degrees, kind) != text) return std::nullopt;
  return degrees;
}

std::string WordMeaning(const std::string& word) {
  return word == "all" ? "all NavAids" : word == "vors" ? "VOR and ILS NavAids" : "NDB NavAids";
}

std::string Position(double lat, double lon) {
  return ReportCoordinate(lat, CoordinateKind::kLatitude) + ", " +
         ReportCoordinate(lon, CoordinateKind::kLongitude);
}

// Reads scenery.cfg line by line, keeping only the switches.
Status ReadSwitches(const WorkFolder& folder, std::vector<ListedSwitch>* switches) {
  std::unique_ptr<ReadableFile> file;
  Status s = folder.env->OpenForReading(folder.File(kSceneryConfigName), &file);
  if (!s.ok()) return s;
  std::string line, area, title;
  int number = 0;
  auto take = [&]() {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with('[') && line.ends_with(']')) {
      area = line.substr(1, line.size() - 2);
      title.clear();
    } else if (line.starts_with("Title=")) {
      title = line.substr(6);
    } else if (ListedSwitch found; ParseOrlithSwitch(line, &found)) {
      found.line = number;
      found.area = area;
      found.areaTitle = title;
      switches->push_back(std::move(found));
    }
    line.clear();
  };
  char buf[65536];
  for (;;) {
    std::size_t got = 0;
    s = file->Read(sizeof buf, buf, &got);
    if (!s.ok() || got == 0) break;
    for (std::size_t i = 0; i < got; ++i) {
      if (buf[i] == '\n') {
        take();
      } else if (line.size() < 1024) {  // no switch is that long; the rest of the line is kept out
        line += buf[i];
      }
    }
  }
  if (s.ok() && !line.empty()) take();
  s.Update(file->Close());
  return s;
}

// The Orlith scenery files of one folder, by name, shown behind shown_prefix, and the number of
// other .bgl files.
Status ReadSceneryFiles(FileEnv& env, const std::string& dir, const std::string& shown_prefix,
                        std::vector<ListedFile>* files, int* others) {
  std::error_code ec;
  std::vector<std::string> names;
  for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.ends_with(".bgl") && it->is_regular_file(ec)) names.push_back(name);
  }
  if (ec) return Status::IoError(shown_prefix.empty() ? "." : shown_prefix, ec.message());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string path = dir.empty() ? name : dir + "/" + name;
    std::string shown = shown_prefix + name;
    std::string bytes;
    bool too_large = false;
    Status s = ReadSmallFile(env, path, kLargestSceneryFile, &bytes, &too_large);
    if (!s.ok()) return Status::IoError(shown, s.reason());
    ListedFile listed{shown, {}};
    std::string why;
    if (!too_large && DecodeNavAidFile(bytes, &listed.navaid, &why)) {
      files->push_back(std::move(listed));
    } else {
      ++*others;
    }
  }
  return Status::Ok();
}

std::string FileText(const ListedFile& f) {
  const DecodedNavAid& n = f.navaid;
  std::string frequency = n.navAidType == "NDB" ? ReportKilohertz(n) + " kHz"
                                                : ReportDecimal(n.frequencyMhz, 2) + " MHz";
  return "  " + f.path + ": " + (n.navAidType.empty() ? "(none)" : n.navAidType) + ", " +
         Position(n.latitude, n.longitude) + ", " + frequency + ", " + ReportDecimal(n.rangeNm, 2) +
         " nm, ID \"" + n.id + "\", name \"" + n.name + "\"\n";
}

}  // namespace

bool ParseOrlithSwitch(std::string_view line, ListedSwitch* found) {
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
  if (std::fabs(*north - *south - 2 * kHalfSize) > kSpanSlack ||
      std::fabs(*east - *west - 2 * kHalfSize) > kSpanSlack) {
    return false;
  }
  found->latitude = (*north + *south) / 2;
  found->longitude = (*west + *east) / 2;
  found->word = std::string(parts[4]);
  return true;
}

int RunList(const WorkFolder& folder, bool json, std::ostream& out, std::ostream& err) {
  std::vector<ListedSwitch> switches;
  Status s = ReadSwitches(folder, &switches);
  if (s.kind() == Status::Kind::kNotFound) {
    err << ConfigMissingMessage() << '\n';
    return kExitMissingConfig;
  }
  std::vector<ListedFile> files;
  int others = 0;
  if (s.ok()) s = ReadSceneryFiles(*folder.env, folder.path, "", &files, &others);
  if (s.ok() && !folder.SceneryFolderPath().empty()) {
    // A scenery folder that Orlith has not made yet holds nothing.
    std::error_code ec;
    if (std::filesystem::is_directory(folder.SceneryFolderPath(), ec)) {
      s = ReadSceneryFiles(*folder.env, folder.SceneryFolderPath(), folder.SceneryName(""), &files,
                           &others);
    }
  }
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << s.ToString() << '\n';
    return kExitFileError;
  }
  if (json) {
    out << "{\"switches\":[";
    for (std::size_t i = 0; i < switches.size(); ++i) {
      const ListedSwitch& w = switches[i];
      out << (i ? "," : "") << "{\"line\":" << w.line
          << ",\"latitude\":" << JsonString(ReportCoordinate(w.latitude, CoordinateKind::kLatitude))
          << ",\"longitude\":"
          << JsonString(ReportCoordinate(w.longitude, CoordinateKind::kLongitude))
          << ",\"drops\":" << JsonString(w.word) << ",\"area\":" << JsonString(w.area)
          << ",\"areaTitle\":" << JsonString(w.areaTitle) << "}";
    }
    out << "],\"files\":[";
    for (std::size_t i = 0; i < files.size(); ++i) {
      std::string fields = InspectJson(files[i].navaid);  // "{...}\n"
      out << (i ? "," : "") << "{\"file\":" << JsonString(files[i].path) << ","
          << fields.substr(1, fields.size() - 2);
    }
    out << "],\"otherBglFiles\":" << others << "}\n";
    return kExitDone;
  }
  out << "Exclusion switches in scenery.cfg: " << switches.size() << '\n';
  for (const ListedSwitch& w : switches) {
    out << "  line " << w.line << ": " << Position(w.latitude, w.longitude) << ", drops "
        << WordMeaning(w.word) << ", in " << (w.area.empty() ? "no block" : "[" + w.area + "]")
        << (w.areaTitle.empty() ? "" : " " + w.areaTitle) << '\n';
  }
  out << "Orlith scenery files: " << files.size() << '\n';
  for (const ListedFile& f : files) out << FileText(f);
  out << "Other .bgl files (not Orlith's): " << others << '\n';
  return kExitDone;
}

}  // namespace orlith
