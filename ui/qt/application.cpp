#include "ui/qt/application.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <filesystem>

#include "ui/qt/main_frame.h"

namespace orlith::qt {

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string* error) {
  ProgramOptions options;
  bool have_folder = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (have_folder) {
      *error = "only one folder can be given";
      return std::nullopt;
    } else if (arg == "-C") {
      if (i + 1 == args.size()) {
        *error = "-C needs a folder";
        return std::nullopt;
      }
      options.folder = args[++i];
      have_folder = true;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "unknown option " + arg;
      return std::nullopt;
    } else {
      options.folder = arg;
      have_folder = true;
    }
  }
  if (have_folder && options.folder.empty()) {
    *error = "the folder name is empty";
    return std::nullopt;
  }
  return options;
}

void ApplyProgramStyle() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

int RunProgram(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string error;
  std::optional<ProgramOptions> options = ParseProgramOptions(args, &error);
  if (!options) {
    std::fprintf(stderr, "orlith: %s\n%s\n", error.c_str(), kUsage);
    return 2;
  }
  if (options->help) {
    std::printf(
        "%s\nOpens the Orlith window; its commands work in DIR (by default the current "
        "directory), the simulator folder that holds scenery.cfg.\n",
        kUsage);
    return 0;
  }
  if (options->version) {
    std::printf("orlith 3.0\n");
    return 0;
  }
  std::error_code ec;
  if (!options->folder.empty() && !std::filesystem::is_directory(options->folder, ec)) {
    std::fprintf(stderr, "orlith: %s is not a folder\n", options->folder.c_str());
    return 2;
  }

  QApplication app(argc, argv);
  ApplyProgramStyle();
  MainFrame frame(WorkFolder{options->folder});
  frame.show();
  return app.exec();
}

}  // namespace orlith::qt
