// The Qt program from start to end: its command line, the application object, the main window
// and the event loop.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orlith::qt {

// What the command line asks for. Usage: orlith [-C DIR | DIR] | --help | --version
struct ProgramOptions {
  std::string folder;  // the simulator folder; empty for the current directory
  bool help = false;
  bool version = false;
};

// The options of args (without the program name), or nothing with *error set to a one-line
// reason when they are not understood.
std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string* error);

inline constexpr char kUsage[] = "usage: orlith [-C DIR | DIR] | --help | --version";

// Sets the look every window of the program shares (the Fusion style); call after the
// QApplication exists.
void ApplyProgramStyle();

// Runs the program: 0 after "Exit Program", 2 for a command line that is not understood or a
// folder that does not exist. Fatal endings leave through std::exit with their status.
int RunProgram(int argc, char** argv);

}  // namespace orlith::qt
