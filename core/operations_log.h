// The operations log "orlith.log": the user's record of every change Orlith makes. Only ever
// appended to; each entry is written in one go (open, write, close), begins with a line end, and
// every line ends with CR LF and is flushed at once. An entry is added whole or not at all.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_env.h"
#include "core/status.h"
#include "core/work_folder.h"

namespace orlith {

inline constexpr char kLogFileName[] = "orlith.log";

// Appends an entry: a line end, then each line followed by a line end, each line flushed as it is
// written. Returns the first failure to open, write or close the log, naming it; then the log is
// cut back to its old bytes.
Status AppendLogEntry(const WorkFolder& folder, const std::vector<std::string>& lines);

// The same for an entry already built as one text: lines each ended by CR LF (the line end that
// begins the entry is not part of it). Each line is flushed as it is written; failures as for
// AppendLogEntry.
Status AppendLogText(const WorkFolder& folder, std::string_view lines);

// "06 Dec 2026": two-digit day, English month abbreviation whatever the locale, four-digit year.
// A month outside 0 to 11 is written "???".
std::string FormatLogDate(const std::tm& date);

// The dated header entry written after every backup of scenery.cfg, for the given date.
Status AppendHeaderEntry(const WorkFolder& folder, const std::tm& date);

// The local date of the system clock, for the header entry.
std::tm LocalDateNow();

}  // namespace orlith
