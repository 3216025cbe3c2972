// What the desktop programs' Tools windows show, check and do, with no widgets: the import form
// read into import options, the preview of its counts, the rows of the NavAids in Effect tables
// and the taking back of chosen rows.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_steps.h"
#include "app/import_run.h"
#include "app/in_effect.h"
#include "app/navaid_import.h"
#include "app/take_back.h"
#include "ui/front_end.h"

namespace orlith {

// The captions, labels and buttons of the Tools windows, the same in both desktop programs.
inline constexpr char kImportCaption[] = "Import Real-World NavAids";
inline constexpr char kImportFileLabel[] = "navaids.csv file:";
inline constexpr char kBrowseButton[] = "Browse...";
inline constexpr char kCountriesLabel[] = "Country codes (e.g. BE, NL; empty: all):";
inline constexpr char kRectangleLabel[] = "Rectangle (all empty: none):";
inline constexpr const char* kEdgeLabels[4] = {"North:", "West:", "South:", "East:"};
inline constexpr char kTypeLabel[] = "Type:";
inline constexpr const char* kTypeChoices[3] = {"All", "NDB", "VOR"};  // stored: "", NDB, VOR
inline constexpr char kCommandLabel[] = "Command:";
inline constexpr char kCreateChoice[] = "Create";
inline constexpr char kModifyChoice[] = "Modify";
inline constexpr char kPreviewButton[] = "Preview";
inline constexpr char kApplyButton[] = "Apply";
inline constexpr char kCancelButton[] = "Cancel";
inline constexpr char kCloseButton[] = "Close";
inline constexpr char kInEffectCaption[] = "NavAids in Effect";
inline constexpr char kSwitchesLabel[] = "Exclusion switches in scenery.cfg:";
inline constexpr char kFilesLabel[] = "Orlith scenery files:";
inline constexpr char kTakeBackButton[] = "Take Back Selected";
inline constexpr char kRestoreButton[] = "Restore scenery.cfg";
// Take Back Selected with no row selected.
inline constexpr char kNothingChosenMessage[] = "Select the rows to take back first.";

// The texts of the "Import Real-World NavAids" dialog.
struct ImportForm {
  std::string file;       // the navaids.csv file, inside the simulator folder unless absolute
  std::string countries;  // country codes separated by commas or blanks; empty: every country
  std::string north, west, south, east;  // the rectangle's edges; all empty: no rectangle
  std::string type;                      // "NDB", "VOR" or empty for both
  bool modify = false;                   // the rows' command: modify, else create
};

// The options the form asks for, with apply set. False with the reason in *error, naming the
// text at fault: no file, an edge that is not a
// coordinate text, some edges given but not all, the north edge south of the south edge.
bool ImportOptionsOf(const ImportForm& form, ImportOptions* options, std::string* error);

// What the dialog shows before anything is done, one line each: the rows read and how many
// would be written, left out by the filters and skipped for each reason.
std::string ImportPreviewText(const ImportCounts& counts);

// The message of an import that Cancel stopped between rows: "The import was stopped after 12 of
// 40 rows; every file is whole."
std::string ImportStoppedMessage(std::int64_t done, std::int64_t total);

// The error message of a count or import that could not read the source (status kExitFileError)
// or found it malformed (kExitUsage), naming the file as the user gave it.
std::string ImportFailureMessage(const std::string& file, int status, const std::string& error);

// Runs the import the dialog asks for (options from ImportOptionsOf) as one batch through
// front_end, which shows only its failures (each row's own message is left out: the summary
// counts them), then shows the summary (ImportSummary) as a message, or ImportStoppedMessage when
// progress stopped the run. A failure to read the source is shown as an error naming it. The exit
// status of RunImport.
int ApplyImport(FrontEnd& front_end, const WorkFolder& folder, const ImportOptions& options,
                ImportProgress* progress);

// The failure of ReadInEffect as the window shows it: ConfigMissingMessage without scenery.cfg,
// else FileErrorMessage.
std::string InEffectFailureMessage(const WorkFolder& folder, const Status& failure);

// The two tables of "NavAids in Effect": column titles and the cells of a row, as list reads them.
std::vector<std::string> SwitchColumns();  // Line, Position, Drops, Area
std::vector<std::string> SwitchCells(const SwitchInEffect& exclusion);
std::vector<std::string> FileColumns();  // File, Type, Position, Frequency, Range, ID, Name
std::vector<std::string> FileCells(const SceneryFileInEffect& file);
// "Other .bgl files (not Orlith's): 3"
std::string OtherFilesText(int others);

// The confirmation before "Take Back Selected": what goes, one line each ("Would remove the
// exclusion switch on line 14 of scenery.cfg: ..."), the chosen switches outside the updates area
// block that stay, then "Take back 1 exclusion switch and 2 scenery files?".
std::string TakeBackQuestion(const RemovalPlan& chosen);
// The confirmation before "Restore scenery.cfg".
inline constexpr char kRestoreQuestion[] =
    "Restore scenery.cfg from its backup scenery.org? The two files are exchanged, so a second "
    "Restore undoes it.";

// Takes the chosen rows back (ApplyRemovalOf) under the folder's lock, after the check for
// scenery.cfg, and shows how it went through front_end: the summary ("Removed 1 exclusion switch
// and 0 scenery files."), kNothingSelectedMessage, or the file error (FileErrorMessage), with the
// note about the log when it could not be written. The outcome.
CommandOutcome TakeBackChosen(FrontEnd& front_end, const WorkFolder& folder,
                              const RemovalPlan& chosen, const std::tm& date);
// RestoreBackup the same way: RestoredMessage, or the file error.
CommandOutcome RestoreSceneryConfig(FrontEnd& front_end, const WorkFolder& folder,
                                    const std::tm& date);

// The order of two cells of a column for sorting: numbers (a line, a frequency with its unit, a
// range) by value when both cells start with one, everything else by text. <0, 0 or >0.
int CompareCells(std::string_view a, std::string_view b);

}  // namespace orlith
