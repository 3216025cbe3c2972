// The steps that the command flows are made of, each reporting its own failure to the front end.
// The three flows put them together with the dialogs; a batch of commands runs the same steps
// without dialogs, registering the updates area once for all rows.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "core/exit_status.h"
#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/status.h"
#include "core/work_folder.h"
#include "scenery_config/exclusion_switch.h"
#include "ui/front_end.h"

namespace orlith {

// How a command ended.
enum class CommandOutcome {
  kDone,       // its message was shown
  kCancelled,  // the user cancelled; what was written before stays
  kFileError,  // a file operation failed; the error was shown and nothing more was done
  kRefused,    // a check refused the command before anything was written; the reason was shown
  kEnded,      // FrontEnd::Fatal was called: the program ends (status 1 or 8)
};

// The three commands on a NavAid.
enum class NavAidCommand { kCreate, kModify, kDelete };

// Where and for whom commands run. logStatus keeps the first failure to write the log since the
// last message that mentioned it.
struct CommandSession {
  FrontEnd& frontEnd;
  WorkFolder folder;
  std::function<std::tm()> today;  // the date of the log's header entries
  Status logStatus;
  // scenery.cfg may have been appended to since it was last synced to stable storage.
  bool configUnsynced = false;
  // Set by a batch, which syncs scenery.cfg once at its end rather than before each message.
  bool batchSync = false;
  // The status a step gave FrontEnd::Fatal (kExitMissingConfig, kExitInputError); 0 before.
  int endedStatus = 0;
};

// The exit status of a command that ended with outcome; fatal_status: the status FrontEnd::Fatal
// was given, for kEnded.
int ExitStatusFor(CommandOutcome outcome, int fatal_status);

// Runs a command that changes files while holding the folder's lock, so that no other Orlith
// works in the folder meanwhile (it waits up to wait_ms for one that does). When the lock cannot
// be had, the reason is shown as an error and the result is kFileError; the command is not run.
// The front end's FolderLockWait shows the wait; when the user cancels it the result is
// kCancelled, nothing shown and nothing written.
CommandOutcome WithFolderLock(FrontEnd& frontEnd, const WorkFolder& folder,
                              const std::function<CommandOutcome()>& command,
                              int wait_ms = kFolderLockWaitMs);

// scenery.cfg can be opened: true. Otherwise "File scenery.cfg not found!" with status 1 through
// FrontEnd::Fatal, and false.
bool CheckSceneryConfig(CommandSession& session);

// Both coordinate texts are acceptable (latitude checked first): true. Otherwise the input error
// through FrontEnd::Fatal (status 8), and false; only one error is reported for two bad texts.
bool CheckPosition(CommandSession& session, const NavAidEntry& entry);

// The scenery file of the entry's position can be held by the file system: true. Otherwise the
// reason as an error, and false; nothing is written. Precondition: CheckPosition passed.
bool CheckSceneryFilePath(CommandSession& session, const NavAidEntry& entry);

// Backs scenery.cfg up, writes the log's dated header and registers the updates area block.
// A file error is shown and gives false.
bool RegisterArea(CommandSession& session);

// Appends the exclusion switch for the entry's position and type, and its log entry; end says
// whether the end of scenery.cfg must be read first (see AddExclusionSwitch).
// Precondition: CheckPosition passed. A file error is shown and gives false.
bool AddExclusion(CommandSession& session, const NavAidEntry& entry,
                  ConfigEnd end = ConfigEnd::kUnknown);

// Writes the entry's scenery file (whole, or not at all: the old file stays) and appends the
// creation report to the log. Precondition: CheckPosition passed. A file error is shown and gives
// false.
bool WriteSceneryFile(CommandSession& session, const NavAidEntry& entry);

// Hands scenery.cfg to stable storage when it was appended to since it was last synced. A failure
// is shown as a file error and gives false.
bool SyncSceneryConfig(CommandSession& session);

// Shows the command's last message, with the note about the log when it could not be written.
// Outside a batch scenery.cfg is synced first (SyncSceneryConfig): when that fails its error is
// shown instead and the result is false.
bool ReportDone(CommandSession& session, std::string message);

}  // namespace orlith
