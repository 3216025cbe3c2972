// The three command flows: Delete NavAid, Create NavAid and Modify NavAid, each one modal
// sequence from the scenery.cfg check to its message. They read and, through the dialogs' OK,
// write the caller's NavAidEntry, which keeps its texts from one command to the next.
//
// A Cancel ends the command: in the Position dialog before anything is written and without a
// message; in a parameter dialog before the scenery file is written (Create then says that no
// file was written, Modify that only its exclusion switch was added). A file error stops the
// command with the file and the reason. scenery.cfg is on stable storage before a command's
// message says what was added to it.
#pragma once

#include "app/command_steps.h"
#include "core/navaid_entry.h"
#include "ui/front_end.h"

namespace orlith {

// Runs the Position dialog. Its OK stores the coordinate texts and the checked type, checks the
// latitude and then the longitude (the input error ends the program), for a command that writes a
// scenery file checks that the file system can hold its name (kRefused, with the reason shown,
// before anything is written), and registers the updates area. kDone when all that succeeded.
// needs_type (Create, Modify): an OK with no type button checked and no type chosen before shows
// kCheckTypeMessage and keeps the dialog open.
CommandOutcome RunPositionDialog(CommandSession& session, NavAidEntry& entry, bool needs_type,
                                 bool writes_scenery_file);

// Runs the parameter dialog of entry.navAidType ("NDB", "VOR", "ILS"); its OK stores the
// parameter texts. The empty type shows no dialog and gives kOk.
DialogResult RunParameterDialog(CommandSession& session, NavAidEntry& entry);

CommandOutcome DeleteNavAidFlow(CommandSession& session, NavAidEntry& entry);
CommandOutcome CreateNavAidFlow(CommandSession& session, NavAidEntry& entry);
CommandOutcome ModifyNavAidFlow(CommandSession& session, NavAidEntry& entry);

}  // namespace orlith
