// The command line of orlith-cli: what to do, where, and the texts that answer the dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/import_run.h"
#include "app/take_back.h"
#include "core/navaid_entry.h"

namespace orlith {

enum class CliCommand {
  kCreate,
  kModify,
  kDelete,
  kBatch,
  kInspect,
  kImport,
  kList,
  kRemove,
  kRestore,
  kHelp,
  kVersion
};

struct CliArgs {
  std::string folder;  // -C DIR; empty: the current directory
  CliCommand command = CliCommand::kHelp;
  NavAidEntry entry;  // create, modify, delete: the texts exactly as given; unset options empty
  std::string file;   // batch: the CSV file; inspect: the scenery file
  bool json = false;  // inspect --json, list --json
  // import: the source file, where its rows go and the filters.
  ImportOptions import;
  // remove: what it takes back (the position's texts are in entry, checked by the command),
  // and --dry-run.
  RemoveSelection remove;
  bool dryRun = false;
  // create, modify, batch, import --apply, list, remove --scenery-folder DIR: where scenery files go,
  // inside folder unless absolute; empty: folder itself
  std::string sceneryFolder;
};

// Parses args (without the program name). Returns the empty text on success, otherwise the usage
// error to show (exit status 2).
std::string ParseCliArgs(const std::vector<std::string>& args, CliArgs* parsed);

// Parses the options of import from args[at] on. Empty text on success, else the usage error.
std::string ParseImportArgs(const std::vector<std::string>& args, std::size_t at,
                            ImportOptions* options);

// The usage text that --help prints.
std::string UsageText();

}  // namespace orlith
