#include "cli/cli.h"

#include <filesystem>
#include <memory>

#include "cli/batch.h"
#include "cli/cli_args.h"
#include "cli/cli_front_end.h"
#include "cli/navaid_report.h"
#include "scenery_config/operations_log.h"
#include "scenery_file/navaid_reader.h"
#include "ui/dialog_layout.h"
#include "ui/main_window.h"

namespace orlith {
namespace {

// A path given on the command line: relative ones are taken inside the -C folder.
std::string InFolder(const WorkFolder& folder, const std::string& path) {
  if (std::filesystem::path(path).is_absolute()) return path;
  return folder.File(path);
}

Status ReadWholeFile(FileEnv& env, const std::string& path, std::string* bytes) {
  bytes->clear();
  std::unique_ptr<ReadableFile> file;
  Status s = env.OpenForReading(path, &file);
  if (!s.ok()) return s;
  char buf[65536];
  for (;;) {
    std::size_t got = 0;
    s = file->Read(sizeof buf, buf, &got);
    if (!s.ok() || got == 0) break;
    bytes->append(buf, got);
  }
  Status closed = file->Close();
  s.Update(closed);
  return s;
}

int StatusOf(CommandOutcome outcome, const CliFrontEnd& front_end) {
  switch (outcome) {
    case CommandOutcome::kDone:
    case CommandOutcome::kCancelled:
      return kCliDone;
    case CommandOutcome::kFileError:
      return kCliFileError;
    case CommandOutcome::kEnded:
      return front_end.fatal_status();
  }
  return kCliFileError;
}

int Inspect(const CliArgs& args, const WorkFolder& folder, std::ostream& out, std::ostream& err) {
  std::string bytes;
  std::string path = InFolder(folder, args.file);
  Status s = ReadWholeFile(*folder.env, path, &bytes);
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << args.file << ": " << s.reason() << '\n';
    return kCliFileError;
  }
  DecodedNavAid navaid;
  std::string error;
  if (!DecodeNavAidFile(bytes, &navaid, &error)) {
    err << "orlith-cli: " << args.file << " is not an Orlith scenery file: " << error << '\n';
    return kCliUsage;
  }
  out << (args.json ? InspectJson(navaid) : InspectText(navaid));
  return kCliDone;
}

int Batch(const CliArgs& args, const WorkFolder& folder, std::ostream& out, std::ostream& err) {
  std::string csv;
  Status s = ReadWholeFile(*folder.env, InFolder(folder, args.file), &csv);
  if (!s.ok()) {
    err << "orlith-cli: cannot read " << args.file << ": " << s.reason() << '\n';
    return kCliFileError;
  }
  std::vector<BatchRow> rows;
  std::string error;
  if (int status = ReadBatch(csv, &rows, &error); status != 0) {
    err << "orlith-cli: " << args.file << ", " << error << '\n';
    return status;
  }
  CliFrontEnd front_end(NavAidEntry{}, out, err);
  CommandSession session{front_end, folder, LocalDateNow, Status::Ok()};
  return StatusOf(RunBatch(session, rows), front_end);
}

}  // namespace

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
           FileEnv* env) {
  CliArgs args;
  std::string usage_error = ParseCliArgs(argv, &args);
  if (!usage_error.empty()) {
    err << "orlith-cli: " << usage_error << "\n" << UsageText();
    return kCliUsage;
  }
  WorkFolder folder{args.folder, env, args.sceneryFolder};
  switch (args.command) {
    case CliCommand::kHelp:
      out << UsageText();
      return kCliDone;
    case CliCommand::kVersion:
      out << kCliVersion << '\n';
      return kCliDone;
    case CliCommand::kInspect:
      return Inspect(args, folder, out, err);
    case CliCommand::kBatch:
      return Batch(args, folder, out, err);
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
  return StatusOf(window.last_outcome(), front_end);
}

}  // namespace orlith
