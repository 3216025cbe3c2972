#include "core/operations_log.h"

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
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kLineEnd;
  }
  return AppendLogText(folder, text);
}

Status AppendLogText(const WorkFolder& folder, std::string_view lines) {
  std::string entry = kLineEnd;
  entry += lines;
  // Each line is flushed as soon as it is written, so every finished line survives an abrupt
  // end; a failure cuts the entry off again, so the log never ends in the middle of a line.
  return AppendWholeOrNothing(*folder.env, folder.File(kLogFileName), entry, true);
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
