// The exit statuses of Orlith's programs, one set for the desktop programs, the command line and
// every command run they share.
#pragma once

namespace orlith {

inline constexpr int kExitDone = 0;
inline constexpr int kExitMissingConfig = 1;  // scenery.cfg cannot be opened
inline constexpr int kExitUsage = 2;       // a usage error, a bad row or file name; nothing changed
inline constexpr int kExitFileError = 3;   // a file could not be read or written
inline constexpr int kExitNothingSelected = 4;  // remove found nothing of Orlith's to remove
inline constexpr int kExitInputError = 8;  // a malformed coordinate text

}  // namespace orlith
