#include "ui/program_options.h"

#include <string_view>
#include <utility>

namespace orlith {

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string* error) {
  constexpr std::string_view kOption = "--scenery-folder", kOptionIs = "--scenery-folder=";
  ProgramOptions options;
  bool have_folder = false;
  bool have_scenery_folder = false;
  auto fail = [error](std::string reason) {
    *error = std::move(reason);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == kOption || arg.starts_with(kOptionIs)) {
      if (have_scenery_folder) return fail("only one scenery folder can be given");
      if (arg != kOption) {
        options.sceneryFolder = arg.substr(kOptionIs.size());
      } else if (i + 1 < args.size()) {
        options.sceneryFolder = args[++i];
      }
      if (options.sceneryFolder.empty()) return fail("--scenery-folder needs a folder");
      have_scenery_folder = true;
    } else if (have_folder) {
      return fail("only one folder can be given");
    } else if (arg == "-C") {
      if (i + 1 == args.size()) return fail("-C needs a folder");
      options.folder = args[++i];
      have_folder = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return fail("unknown option " + arg);
    } else {
      options.folder = arg;
      have_folder = true;
    }
  }
  if (have_folder && options.folder.empty()) return fail("the folder name is empty");
  return options;
}

}  // namespace orlith
