#include "scenery_config/operations_log.h"

#include <cstdio>
#include <memory>

namespace orlith {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kAsterisks[] = "******************************";
constexpr char kBackupSentence[] = "The file SCENERY.CFG was copied to SCENERY.ORG ...";

// English abbreviations, so the log reads the same whatever the system language.
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

Status AppendLogEntry(const WorkFolder& folder, const std::vector<std::string>& lines) {
  std::unique_ptr<WritableFile> log;
  Status s = folder.env->OpenForAppending(folder.File(kLogFileName), &log);
  if (!s.ok()) return s;
  // Each line is flushed as soon as it is written, so every finished line survives an abrupt end.
  s = log->Append(kLineEnd);
  if (s.ok()) s = log->Flush();
  for (const std::string& line : lines) {
    if (!s.ok()) break;
    s = log->Append(line);
    if (s.ok()) s = log->Append(kLineEnd);
    if (s.ok()) s = log->Flush();
  }
  s.Update(log->Close());
  return s;
}

std::string FormatLogDate(const std::tm& date) {
  const char* month = date.tm_mon >= 0 && date.tm_mon < 12 ? kMonthNames[date.tm_mon] : "???";
  char text[32];
  std::snprintf(text, sizeof text, "%02d %s %04d", date.tm_mday, month, date.tm_year + 1900);
  return text;
}

Status AppendHeaderEntry(const WorkFolder& folder, const std::tm& date) {
  return AppendLogEntry(folder, {kAsterisks, FormatLogDate(date), "", kBackupSentence});
}

std::tm LocalDateNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

}  // namespace orlith
