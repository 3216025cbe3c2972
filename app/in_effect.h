// What Orlith has put in effect in a simulator folder: the exclusion switches of its form in
// scenery.cfg and its scenery files. Reads only: nothing is written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/status.h"
#include "core/work_folder.h"
#include "scenery_config/config_lines.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_file/navaid_reader.h"

namespace orlith {

struct SwitchInEffect {
  OrlithSwitch exclusion;
  ConfigLine line;            // where it stands in scenery.cfg; text holds the switch line
  std::string area;           // the block it stands in, e.g. "Area.124"; empty before any block
  std::string areaTitle;      // that block's Title= text
  bool updatesBlock = false;  // the block is Orlith's updates area block (IsUpdatesBlockTitle)
};

struct SceneryFileInEffect {
  std::string shown;  // as the user knows it: the name, behind the scenery folder when in it
  std::string path;   // as the file access takes it
  DecodedNavAid navaid;
};

struct InEffect {
  std::vector<SwitchInEffect> switches;
  std::vector<SceneryFileInEffect> files;  // the folder's, then the scenery folder's, by name
  int otherBglFiles = 0;                   // .bgl files that are not Orlith's scenery files
};

// The switches of Orlith's form in folder's scenery.cfg, in file order. kNotFound without
// scenery.cfg; the failure to read it otherwise.
Status ReadSwitchesInEffect(const WorkFolder& folder, std::vector<SwitchInEffect>* switches);

// The Orlith scenery files (a .bgl in any letter case, at most kMaxSceneryFileSize bytes, read as
// one NavAid) of folder and of its scenery folder when it has one (a missing scenery folder holds
// none), and the number of other .bgl files. The failure to list a folder or read a file, named
// as the user knows it.
Status ReadSceneryFilesInEffect(const WorkFolder& folder, std::vector<SceneryFileInEffect>* files,
                                int* others);

// The same one file at a time: each(file) for every Orlith scenery file, in that order, until it
// fails (its failure is returned). Memory does not grow with the files' number.
Status ForEachSceneryFile(const WorkFolder& folder,
                          const std::function<Status(SceneryFileInEffect& file)>& each,
                          int* others);

// Both of the above.
Status ReadInEffect(const WorkFolder& folder, InEffect* in_effect);

}  // namespace orlith
