// The steps that the command flows are made of, each reporting its own failure to the front end.
// The three flows put them together with the dialogs; a batch of commands runs the same steps
// without dialogs, registering the updates area once for all rows.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "core/file_env.h"
#include "core/navaid_entry.h"
#include "core/status.h"
#include "scenery_config/exclusion_switch.h"
#include "ui/front_end.h"

namespace orlith {

// How a command ended.
enum class CommandOutcome {
  kDone,       // its message was shown
  kCancelled,  // the user cancelled; what was written before stays
  kFileError,  // a file operation failed; the error was shown and nothing more was done
  kEnded,      // FrontEnd::Fatal was called: the program ends (status 1 or 8)
};

// Where and for whom commands run. logStatus keeps the first failure to write the log since the
// last message that mentioned it.
struct CommandSession {
  FrontEnd& frontEnd;
  WorkFolder folder;
  std::function<std::tm()> today;  // the date of the log's header entries
  Status logStatus;
};

// scenery.cfg can be opened: true. Otherwise "File scenery.cfg not found!" with status 1 through
// FrontEnd::Fatal, and false.
bool CheckSceneryConfig(CommandSession& session);

// Both coordinate texts are acceptable (latitude checked first): true. Otherwise the input error
// through FrontEnd::Fatal (status 8), and false; only one error is reported for two bad texts.
bool CheckPosition(CommandSession& session, const NavAidEntry& entry);

// Backs scenery.cfg up, writes the log's dated header and registers the updates area block.
// A file error is shown and gives false.
bool RegisterArea(CommandSession& session);

// Appends the exclusion switch for the entry's position and type, and its log entry; end says
// whether the end of scenery.cfg must be read first (see AddExclusionSwitch).
// Precondition: CheckPosition passed. A file error is shown and gives false.
bool AddExclusion(CommandSession& session, const NavAidEntry& entry,
                  ConfigEnd end = ConfigEnd::kUnknown);

// How WriteSceneryFile opens the scenery file: once for the header and once for the section (a
// single command), or once for both (a batch row, where the opens add up). The bytes are the same.
enum class SceneryWrite { kHeaderThenSection, kOneOpen };

// Writes the entry's scenery file and appends the creation report to the log. A file cut short
// by a failure is removed. Precondition: CheckPosition passed. A file error is shown and gives
// false.
bool WriteSceneryFile(CommandSession& session, const NavAidEntry& entry,
                      SceneryWrite how = SceneryWrite::kHeaderThenSection);

// Shows the command's last message, with the note about the log when it could not be written.
void ReportDone(CommandSession& session, std::string message);

}  // namespace orlith
