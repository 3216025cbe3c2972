// The desktop programs' settings: orlith.ini in the simulator folder, plain text with CR LF line
// ends, for now one value:
//
//   [Orlith]
//   SceneryFolder=Addon Scenery\Updates\scenery
//
// An empty or missing SceneryFolder is the simulator folder itself; a relative folder is taken
// inside the simulator folder. Lines Orlith does not know are kept when the file is rewritten.
#pragma once

#include <string>
#include <vector>

#include "core/status.h"
#include "core/work_folder.h"
#include "ui/program_options.h"

namespace orlith {

inline constexpr char kSettingsFileName[] = "orlith.ini";
// Where FS2002 loads the updates area's scenery files from, as orlith.ini stores it.
inline constexpr char kAddonSceneryFolder[] = "Addon Scenery\\Updates\\scenery";

struct Settings {
  std::string sceneryFolder;       // as stored; empty: the simulator folder
  std::vector<std::string> lines;  // the file as read, without line ends; kept when rewritten
};

// The settings of folder's orlith.ini. A missing file gives the defaults and OK; one that cannot
// be read (or is larger than 64 KiB) its failure, named "orlith.ini".
Status ReadSettings(const WorkFolder& folder, Settings* settings);

// Writes orlith.ini whole (the old file stays on a failure): the lines it held, SceneryFolder set
// in its [Orlith] section (added when missing).
Status WriteSettings(const WorkFolder& folder, const Settings& settings);

// The stored scenery folder as this system's file access takes it: backslashes become slashes
// outside Windows, so the same orlith.ini serves both programs.
std::string SceneryFolderForSystem(const std::string& stored);

// The folder a desktop program's commands work in: that of options, with the scenery folder of
// its command line when given, else that of orlith.ini (for this system). A failure to read
// orlith.ini goes to *failure, and then the simulator folder itself is used.
WorkFolder ProgramWorkFolder(const ProgramOptions& options, FileEnv* env, Status* failure);

// The "Scenery Folder..." dialog: its caption, its two choices and what each stores.
inline constexpr char kSceneryFolderCaption[] = "Scenery Folder";
inline constexpr char kSceneryFolderPrompt[] = "Where Orlith writes new scenery files:";
inline constexpr char kSimulatorFolderChoice[] = "The simulator folder";
inline constexpr char kAddonSceneryChoice[] =
    "Addon Scenery\\Updates\\scenery (where FS2002 loads them)";
enum class SceneryChoice { kNone, kSimulatorFolder, kAddonScenery };
// The choice a stored folder shows: kNone for a folder that is neither (given by hand).
SceneryChoice ChoiceOf(const std::string& stored);
// What a choice stores; kNone keeps stored.
std::string StoredFor(SceneryChoice choice, const std::string& stored);

}  // namespace orlith
