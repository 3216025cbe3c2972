// orlith.exe: the Windows program. Its command line (a shortcut can carry it):
// orlith.exe [-C DIR | DIR] [--scenery-folder SDIR] | --help | --version
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/messages.h"
#include "core/file_env.h"
#include "ui/program_options.h"
#include "ui/settings.h"
#include "ui/win32/message_box.h"
#include "ui/win32/nav_edit_app.h"

namespace {

orlith::win32::NavEditApp the_app;  // the one application object, alive for the whole program

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
  std::string error;
  std::optional<orlith::ProgramOptions> options = orlith::ParseProgramOptions(args, &error);
  // A program without a console answers its command line in a message box.
  if (!options || options->help || options->version) {
    std::string text = options && options->version
                           ? std::string(orlith::kProgramVersion)
                           : error + (error.empty() ? "" : "\n") + orlith::kProgramUsage;
    orlith::win32::ShowMessageBox(text);
    return options ? 0 : 2;
  }
  bool is_folder = false;
  if (!options->folder.empty() &&
      (!orlith::DefaultFileEnv()->IsFolder(options->folder, &is_folder).ok() || !is_folder)) {
    orlith::win32::ShowMessageBox(options->folder + " is not a folder");
    return 2;
  }
  orlith::Status settings_failure;
  the_app.SetWorkFolder(
      orlith::ProgramWorkFolder(*options, orlith::DefaultFileEnv(), &settings_failure),
      !options->sceneryFolder.empty());
  the_app.InitInstance();
  // An orlith.ini that cannot be read leaves the simulator folder in use; the user is told.
  if (!settings_failure.ok()) {
    orlith::win32::ShowMessageBox(orlith::FileErrorMessage(settings_failure));
  }
  return the_app.Run();
}
