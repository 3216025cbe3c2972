// Every text the command flows show: the confirmation of each command, the ending of a command
// that a file error or a Cancel stopped, and the note about a log that could not be written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/navaid_entry.h"
#include "core/status.h"

namespace orlith {

// OK in the Position dialog of Create or Modify while no type was ever chosen.
inline constexpr char kCheckTypeMessage[] = "Check the type of NavAid";

// Create ended by Cancel in its parameter dialog.
inline constexpr char kNoSceneryFileMessage[] = "No scenery file was written";

// The fatal text when scenery.cfg cannot be opened: "File scenery.cfg not found!".
std::string ConfigMissingMessage();

// "All NavAids at ", "All VOR / ILS NavAids at " or "All NDB NavAids at " by navAidType (empty,
// "VOR" or "ILS", "NDB"), then latitude, ", ", longitude and " are deleted!". The texts are put in
// exactly as stored.
std::string DeletedMessage(const NavAidEntry& entry);

// "A new " + navAidType + " NavAid was created at " + latitude + ", " + longitude.
std::string CreatedMessage(const NavAidEntry& entry);

// "An existing " + navAidType + " NavAid at " + latitude + ", " + longitude + " was modified".
std::string ModifiedMessage(const NavAidEntry& entry);

// Modify ended by Cancel in its parameter dialog after the exclusion switch was written:
// "The exclusion switch was added at N42 34.6, W12 24.5; no scenery file was written".
std::string ExclusionOnlyMessage(const NavAidEntry& entry);

// A file operation failed and the command stopped:
// "Error with file scenery.org: No space left on device. The command was stopped."
std::string FileErrorMessage(const Status& failure);

// Another Orlith held the folder's lock for the whole wait:
// "Another Orlith is working in the folder /home/u/FS2002. The command was stopped."
std::string FolderBusyMessage(const std::string& folder);

// remove found nothing of Orlith's in its selection (exit status kExitNothingSelected).
inline constexpr char kNothingSelectedMessage[] =
    "Nothing that Orlith put in effect is in the selection; nothing was changed.";

// A removal done: "Removed the exclusion switch on line 231 of scenery.cfg: Exclude=..." and
// "Removed the scenery file N42 34_6__W12 24_5.bgl (VOR)"; with dry_run "Would remove ...".
std::string RemovedSwitchMessage(std::int64_t line, const std::string& text, bool dry_run);
std::string RemovedFileMessage(const std::string& shown, const std::string& navAidType,
                               bool dry_run);

// The summary of a removal: "Removed 2 exclusion switches and 1 scenery file." or, with
// dry_run, "Would remove ...; nothing was changed."
std::string RemovalSummary(std::size_t switches, std::size_t files, bool dry_run);

// restore done: "scenery.cfg and scenery.org were exchanged".
std::string RestoredMessage();

// Added to the command's last message when the log could not be written:
// " (The log could not be written: orlith.log: Permission denied.)"
std::string LogFailureNote(const Status& log_status);

}  // namespace orlith
