// The command line of the two desktop programs:
// orlith [-C DIR | DIR] [--scenery-folder SDIR] | --help | --version
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/file_env.h"
#include "core/work_folder.h"

namespace orlith {

struct ProgramOptions {
  std::string folder;         // the simulator folder; empty for the current directory
  std::string sceneryFolder;  // where scenery files go (see WorkFolder); empty for folder itself
  bool help = false;
  bool version = false;

  // The folder the commands work in, through env.
  WorkFolder Work(FileEnv* env = DefaultFileEnv()) const { return {folder, env, sceneryFolder}; }
};

// The options of args (without the program name), or nothing with *error set to a one-line
// reason when they are not understood.
std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string* error);

// What --version shows.
inline constexpr char kProgramVersion[] = "orlith " ORLITH_VERSION;

inline constexpr char kProgramUsage[] =
    "usage: orlith [-C DIR | DIR] [--scenery-folder SDIR] | --help | --version";

}  // namespace orlith
