#include "cli/cli.h"

#include <functional>
#include <memory>

#include "app/batch.h"
#include "app/import_run.h"
#include "app/main_window.h"
#include "cli/cli_args.h"
#include "cli/cli_front_end.h"
#include "cli/list_command.h"
#include "cli/remove_command.h"
#include "app/navaid_report.h"
#include "core/operations_log.h"
#include "scenery_file/navaid_format.h"
#include "scenery_file/navaid_reader.h"
#include "ui/dialog_layout.h"

namespace orlith {
namespace {

int Inspect(const CliArgs& args, const WorkFolder& folder, std::ostream& out, std::ostream& err) {
  std::string bytes;
  std::string path = folder.Given(args.file);
  bool too_large = false;
  Status s = ReadSmallFile(*folder.env, path, kMaxSceneryFileSize, &bytes, &too_large);
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << args.file << ": " << s.reason() << '\n';
    return kExitFileError;
  }
  if (too_large) {
    err << "orlith-cli: " << args.file << " is not an Orlith scenery file: it is larger than "
        << kMaxSceneryFileSize << " bytes\n";
    return kExitUsage;
  }
  DecodedNavAid navaid;
  std::string error;
  if (!DecodeNavAidFile(bytes, &navaid, &error)) {
    err << "orlith-cli: " << args.file << " is not an Orlith scenery file: " << error << '\n';
    return kExitUsage;
  }
  out << (args.json ? InspectJson(navaid) : InspectText(navaid));
  return kExitDone;
}

int Batch(const CliArgs& args, const WorkFolder& folder, std::ostream& out, std::ostream& err) {
  CliFrontEnd front_end(NavAidEntry{}, out, err);
  return RunBatchPasses(
      front_end, folder, args.file,
      [&](const std::function<bool(const BatchRow&)>& each, std::string* error) {
        return ForEachBatchRow(folder, args.file, each, error);
      },
      err);
}

int RunCommand(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
               FileEnv* env) {
  CliArgs args;
  std::string usage_error = ParseCliArgs(argv, &args);
  if (!usage_error.empty()) {
    err << "orlith-cli: " << usage_error << "\n" << UsageText();
    return kExitUsage;
  }
  WorkFolder folder{args.folder, env, args.sceneryFolder};
  switch (args.command) {
    case CliCommand::kHelp:
      out << UsageText();
      return kExitDone;
    case CliCommand::kVersion:
      out << kCliVersion << '\n';
      return kExitDone;
    case CliCommand::kInspect:
      return Inspect(args, folder, out, err);
    case CliCommand::kBatch:
      return Batch(args, folder, out, err);
    case CliCommand::kImport: {
      CliFrontEnd front_end(NavAidEntry{}, out, err);
      return RunImport(args.import, folder, front_end, out, err);
    }
    case CliCommand::kList:
      return RunList(folder, args.json, out, err);
    case CliCommand::kRemove:
      return RunRemove(args, folder, out, err);
    case CliCommand::kRestore:
      return RunRestore(folder, out, err);
    case CliCommand::kCreate:
    case CliCommand::kModify:
    case CliCommand::kDelete:
      break;
  }
  CliFrontEnd front_end(args.entry, out, err);
  MainWindow window(front_end, folder);
  int command_id = args.command == CliCommand::kCreate   ? kCreateNavAidCommand
                   : args.command == CliCommand::kModify ? kModifyNavAidCommand
                                                         : kDeleteNavAidCommand;
  window.OnCommand(command_id);
  return front_end.ExitStatus(window.last_outcome());
}

}  // namespace

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
           FileEnv* env) {
  int status = RunCommand(argv, out, err, env);
  // A message that never reached the user is a failure too.
  if (!out.flush() && status == kExitDone) {
    err << "orlith-cli: standard output could not be written\n";
    status = kExitFileError;
  }
  return status;
}

}  // namespace orlith
