#include "ui/qt/application.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>

#include "app/messages.h"
#include "core/file_env.h"
#include "ui/program_options.h"
#include "ui/qt/main_frame.h"
#include "ui/settings.h"

namespace orlith::qt {

void ApplyProgramStyle() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

int RunProgram(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string error;
  std::optional<ProgramOptions> options = ParseProgramOptions(args, &error);
  if (!options) {
    std::fprintf(stderr, "orlith: %s\n%s\n", error.c_str(), kProgramUsage);
    return 2;
  }
  if (options->help) {
    std::printf(
        "%s\nOpens the Orlith window; its commands work in DIR (by default the current "
        "directory), the simulator folder that holds scenery.cfg. Scenery files go into SDIR "
        "(inside DIR unless absolute; created when missing), by default into DIR itself.\n",
        kProgramUsage);
    return 0;
  }
  if (options->version) {
    std::printf("%s\n", kProgramVersion);
    return 0;
  }
  bool is_folder = false;
  if (!options->folder.empty() &&
      (!orlith::DefaultFileEnv()->IsFolder(options->folder, &is_folder).ok() || !is_folder)) {
    std::fprintf(stderr, "orlith: %s is not a folder\n", options->folder.c_str());
    return 2;
  }

  QApplication app(argc, argv);
  ApplyProgramStyle();
  Status settings;
  MainFrame frame(ProgramWorkFolder(*options, DefaultFileEnv(), &settings));
  frame.show();
  // An orlith.ini that cannot be read leaves the simulator folder in use; the user is told.
  if (!settings.ok()) frame.frontEnd().ShowError(FileErrorMessage(settings));
  return app.exec();
}

}  // namespace orlith::qt
