// The Qt program from start to end: its command line, the application object, the main window
// and the event loop.
#pragma once

namespace orlith::qt {

// Sets the look every window of the program shares (the Fusion style); call after the
// QApplication exists.
void ApplyProgramStyle();

// Runs the program: 0 after "Exit Program", 2 for a command line that is not understood or a
// folder that does not exist. Fatal endings leave through std::exit with their status.
int RunProgram(int argc, char** argv);

}  // namespace orlith::qt
