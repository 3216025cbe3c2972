#include "app/messages.h"

#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

std::string Position(const NavAidEntry& entry) { return entry.latitude + ", " + entry.longitude; }

// The system's reason without the full stop that some systems end it with, so the sentence that
// follows is not doubled.
std::string Reason(const Status& status) {
  std::string reason = status.reason().empty() ? "unknown error" : status.reason();
  while (!reason.empty() && (reason.back() == '.' || reason.back() == '\n')) reason.pop_back();
  return reason;
}

}  // namespace

std::string ConfigMissingMessage() {
  return std::string("File ") + kSceneryConfigName + " not found!";
}

std::string DeletedMessage(const NavAidEntry& entry) {
  std::string start = "All NavAids at ";
  if (entry.navAidType == "VOR" || entry.navAidType == "ILS") start = "All VOR / ILS NavAids at ";
  if (entry.navAidType == "NDB") start = "All NDB NavAids at ";
  return start + Position(entry) + " are deleted!";
}

std::string CreatedMessage(const NavAidEntry& entry) {
  return "A new " + entry.navAidType + " NavAid was created at " + Position(entry);
}

std::string ModifiedMessage(const NavAidEntry& entry) {
  return "An existing " + entry.navAidType + " NavAid at " + Position(entry) + " was modified";
}

std::string ExclusionOnlyMessage(const NavAidEntry& entry) {
  return "The exclusion switch was added at " + Position(entry) + "; no scenery file was written";
}

std::string FileErrorMessage(const Status& failure) {
  return "Error with file " + failure.file() + ": " + Reason(failure) +
         ". The command was stopped.";
}

std::string FolderBusyMessage(const std::string& folder) {
  return "Another Orlith is working in the folder " + folder + ". The command was stopped.";
}

std::string RemovedSwitchMessage(std::int64_t line, const std::string& text, bool dry_run) {
  return std::string(dry_run ? "Would remove" : "Removed") + " the exclusion switch on line " +
         std::to_string(line) + " of " + kSceneryConfigName + ": " + text;
}

std::string RemovedFileMessage(const std::string& shown, const std::string& navAidType,
                               bool dry_run) {
  return std::string(dry_run ? "Would remove" : "Removed") + " the scenery file " + shown + " (" +
         (navAidType.empty() ? "no type" : navAidType) + ")";
}

std::string RemovalSummary(std::size_t switches, std::size_t files, bool dry_run) {
  auto count = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return std::string(dry_run ? "Would remove " : "Removed ") +
         count(switches, "exclusion switch", "exclusion switches") + " and " +
         count(files, "scenery file", "scenery files") +
         (dry_run ? "; nothing was changed." : ".");
}

std::string RestoredMessage() {
  return std::string(kSceneryConfigName) + " and " + kSceneryBackupName + " were exchanged";
}

std::string LogFailureNote(const Status& log_status) {
  return " (The log could not be written: " + log_status.file() + ": " + Reason(log_status) + ".)";
}

}  // namespace orlith
