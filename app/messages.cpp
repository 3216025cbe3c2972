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

std::string LogFailureNote(const Status& log_status) {
  return " (The log could not be written: " + log_status.file() + ": " + Reason(log_status) + ".)";
}

}  // namespace orlith
