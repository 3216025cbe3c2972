// orlith-cli as a function: runs one command line and returns the process's exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/exit_status.h"
#include "core/file_env.h"

namespace orlith {

inline constexpr char kCliVersion[] = "orlith-cli " ORLITH_VERSION;

// args without the program name. Messages go to out one line each; errors to err. env: the file
// access for every file the run opens. A command that changes files runs under the folder's lock.
// When out cannot be written (a full disk, a closed pipe) a run that would end with kExitDone ends
// with kExitFileError instead.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           FileEnv* env = DefaultFileEnv());

}  // namespace orlith
