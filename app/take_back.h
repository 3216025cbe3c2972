// Taking a change back: removing what Orlith put in effect (its exclusion switches inside its
// updates area block, its scenery files) for a selection, and exchanging scenery.cfg with its
// backup scenery.org. Nothing else is touched: every other byte of scenery.cfg stays as it was.
// The front ends show the records these give; the caller holds the folder's lock
// (WithFolderLock) around ApplyRemoval and RestoreBackup.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/in_effect.h"
#include "app/navaid_import.h"
#include "core/status.h"
#include "core/work_folder.h"

namespace orlith {

enum class RemovalArea { kAll, kPosition, kRectangle };

struct RemoveSelection {
  RemovalArea area = RemovalArea::kAll;
  double latitude = 0, longitude = 0;  // kPosition: signed degrees
  ImportArea within;                   // kRectangle
  // "NDB" selects NDB files and the switches that drop NDBs, "VOR" or "ILS" the VOR and ILS files
  // and the "vors" switches; a switch for all NavAids is selected by every type. Empty: all.
  std::string navAidType;
};

// A switch is selected when it stands in the updates area block, its word fits the type and its
// centre lies in the selection (kPosition: the position lies in the switch's rectangle).
bool SelectsSwitch(const RemoveSelection& selection, const SwitchInEffect& exclusion);
// A scenery file is selected when its type fits and its position lies in the selection
// (kPosition: within the half-size of a switch around the position).
bool SelectsFile(const RemoveSelection& selection, const SceneryFileInEffect& file);

struct RemovalPlan {
  std::vector<SwitchInEffect> switches;    // in file order
  std::vector<SceneryFileInEffect> files;  // the folder's, then the scenery folder's, by name
  bool empty() const { return switches.empty() && files.empty(); }
};

// What ApplyRemoval would remove now. Reads only; failures as for ReadInEffect.
Status PlanRemoval(const WorkFolder& folder, const RemoveSelection& selection, RemovalPlan* plan);

// Called for each removal once it is done (on disk and logged): one of the two is set.
using RemovedOne =
    std::function<void(const SwitchInEffect* exclusion, const SceneryFileInEffect* file)>;

// Removes what is selected, as read now (under the lock, so nothing another Orlith did is lost).
// When switches are selected scenery.cfg is backed up (with the log's header entry) and then
// rewritten without their lines: whole, to a private temporary file that is synced, renamed over
// it, and the folder synced; then one log entry per line. Then each selected scenery file is
// removed, with its log entry. *removed counts what was removed. Returns the first failure;
// what was reported before it is done. A failure to write the log goes to *log_status.
Status ApplyRemoval(const WorkFolder& folder, const RemoveSelection& selection, const std::tm& date,
                    const RemovedOne& each, int* removed, Status* log_status);

// Removes exactly the rows chosen (in the NavAids in Effect window) from what was read, as
// ApplyRemoval removes them: the chosen switches that still stand on the same line with the same
// text inside the updates area block (others are not Orlith's to take back), and the chosen
// scenery files still at their path; what changed since it was read is left alone.
Status ApplyRemovalOf(const WorkFolder& folder, const RemovalPlan& chosen, const std::tm& date,
                      const RemovedOne& each, int* removed, Status* log_status);

// Exchanges scenery.cfg and scenery.org in one step (see FileEnv::Exchange), syncs the folder
// and logs it. A missing, empty or non-regular scenery.org is refused naming it, nothing changed.
Status RestoreBackup(const WorkFolder& folder, const std::tm& date, Status* log_status);

}  // namespace orlith
