// "orlith-cli list": what Orlith has put in effect in a simulator folder. Reads only: it opens
// scenery.cfg and the scenery files for reading and writes nothing.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_env.h"
#include "core/work_folder.h"

namespace orlith {

// An exclusion switch line of Orlith's form: the four edges as FormatCoordinate writes them, a
// rectangle of 0.0004 degrees (within the edges' rounding), and one of the three words.
struct ListedSwitch {
  int line = 0;         // in scenery.cfg, from 1
  double latitude = 0;  // the centre, signed degrees
  double longitude = 0;
  std::string word;       // "all", "vors" or "ndbs"
  std::string area;       // the block it stands in, e.g. "Area.124"; empty before any block
  std::string areaTitle;  // that block's Title= text
};

// True when line (without its line end) is a switch of Orlith's form; fills the centre and word.
bool ParseOrlithSwitch(std::string_view line, ListedSwitch* found);

// Lists the switches of folder's scenery.cfg and the Orlith scenery files of folder and of its
// scenery folder (when it has one), as text or one JSON object. Returns the exit status: 1
// without scenery.cfg, 3 when a file cannot be read.
int RunList(const WorkFolder& folder, bool json, std::ostream& out, std::ostream& err);

}  // namespace orlith
