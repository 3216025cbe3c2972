#include "cli/cli_args.h"

#include "app/field_names.h"
#include "core/ascii_case.h"
#include "core/coordinate_text.h"

namespace orlith {
namespace {

constexpr char kSceneryFolderOption[] = "--scenery-folder";

// Takes --scenery-folder DIR or --scenery-folder=DIR at args[*i], moving *i to its last word.
// Returns the usage error, or the empty text.
std::string TakeSceneryFolder(const std::vector<std::string>& args, std::size_t* i, CliArgs* p) {
  const std::string& arg = args[*i];
  if (!p->sceneryFolder.empty())
    return std::string("option ") + kSceneryFolderOption + " is given twice";
  if (arg.size() > sizeof kSceneryFolderOption - 1) {
    p->sceneryFolder = arg.substr(sizeof kSceneryFolderOption);
  } else if (*i + 1 < args.size()) {
    p->sceneryFolder = args[++*i];
  }
  if (p->sceneryFolder.empty())
    return std::string("option ") + kSceneryFolderOption + " needs a folder";
  return "";
}

bool IsSceneryFolderOption(const std::string& arg) {
  return arg == kSceneryFolderOption || arg.starts_with(std::string(kSceneryFolderOption) + "=");
}

bool IsParameter(EntryField field) {
  return field != EntryField::kLatitude && field != EntryField::kLongitude &&
         field != EntryField::kNavAidType;
}

std::string ParseEntryOptions(const std::vector<std::string>& args, std::size_t at, CliArgs* p) {
  const std::string command = args[at - 1];
  bool seen[kEntryFieldCount] = {};
  for (std::size_t i = at; i < args.size(); ++i) {
    if (p->command != CliCommand::kDelete && IsSceneryFolderOption(args[i])) {
      if (std::string error = TakeSceneryFolder(args, &i, p); !error.empty()) return error;
      continue;
    }
    std::string name = args[i];
    std::optional<std::string> value;
    if (std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const FieldNames* option = nullptr;
    for (const FieldNames& o : kFieldNames) {
      if (name == o.option) option = &o;
    }
    if (option == nullptr) return "unknown option for " + command + ": " + args[i];
    if (!value) {
      if (i + 1 >= args.size()) return "option " + name + " needs a text";
      value = args[++i];
    }
    int index = static_cast<int>(option->field);
    if (seen[index]) return "option " + name + " is given twice";
    seen[index] = true;
    if (p->command == CliCommand::kDelete && IsParameter(option->field)) {
      return "delete takes no parameter option: " + name;
    }
    if (option->field == EntryField::kNavAidType) {
      std::optional<std::string> type = NormaliseType(*value);
      if (!type) return "--type must be NDB, VOR or ILS, not \"" + *value + "\"";
      value = type;
    }
    FieldOf(p->entry, option->field) = *value;
  }
  if (!seen[static_cast<int>(EntryField::kLatitude)]) return command + " needs --lat";
  if (!seen[static_cast<int>(EntryField::kLongitude)]) return command + " needs --lon";
  if (p->command != CliCommand::kDelete && !seen[static_cast<int>(EntryField::kNavAidType)]) {
    return command + " needs --type";
  }
  return "";
}

// Takes NORTH WEST SOUTH EAST after --within at args[*i], moving *i to its last word.
std::string TakeWithin(const std::vector<std::string>& args, std::size_t* i, ImportArea* area) {
  if (*i + 4 >= args.size()) return "--within needs NORTH WEST SOUTH EAST";
  double d[4];
  for (int k = 0; k < 4; ++k) {
    const std::string& text = args[++*i];
    CoordinateKind kind = k % 2 == 0 ? CoordinateKind::kLatitude : CoordinateKind::kLongitude;
    if (!IsValidCoordinate(text, kind)) {
      return "--within: \"" + text + "\" is not a " + (k % 2 == 0 ? "latitude" : "longitude");
    }
    d[k] = ParseCoordinate(text);
  }
  if (d[0] < d[2]) return "--within: the north edge lies south of the south edge";
  *area = ImportArea{d[0], d[1], d[2], d[3]};
  return "";
}

std::string ParseRemoveArgs(const std::vector<std::string>& args, std::size_t i, CliArgs* p) {
  int selections = 0;
  bool lat = false, lon = false;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (IsSceneryFolderOption(a)) {
      if (std::string error = TakeSceneryFolder(args, &i, p); !error.empty()) return error;
    } else if (a == "--all") {
      ++selections;
      p->remove.area = RemovalArea::kAll;
    } else if (a == "--dry-run") {
      p->dryRun = true;
    } else if (a == "--within") {
      ++selections;
      p->remove.area = RemovalArea::kRectangle;
      if (std::string error = TakeWithin(args, &i, &p->remove.within); !error.empty()) return error;
    } else if (a == "--lat" || a == "--lon" || a == "--type") {
      if (i + 1 >= args.size()) return "option " + a + " needs a text";
      bool& seen = a == "--lat" ? lat : lon;
      if (a == "--type") {
        std::optional<std::string> type = NormaliseType(args[++i]);
        if (!type || !p->remove.navAidType.empty()) return "--type must be NDB, VOR or ILS, once";
        p->remove.navAidType = *type;
        continue;
      }
      if (seen) return "option " + a + " is given twice";
      seen = true;
      (a == "--lat" ? p->entry.latitude : p->entry.longitude) = args[++i];
      if (lat && lon) {
        ++selections;
        p->remove.area = RemovalArea::kPosition;
      }
    } else {
      return "unknown option for remove: " + a;
    }
  }
  if (lat != lon) return "remove needs both --lat and --lon";
  if (selections != 1) return "remove needs one of --lat/--lon, --within or --all";
  return "";
}

}  // namespace

std::string ParseImportArgs(const std::vector<std::string>& args, std::size_t at,
                            ImportOptions* o) {
  *o = ImportOptions{};
  auto value = [&](std::size_t& i) -> const std::string* {
    return i + 1 < args.size() ? &args[++i] : nullptr;
  };
  bool command_seen = false;
  for (std::size_t i = at; i < args.size(); ++i) {
    const std::string& a = args[i];
    const std::string* v = nullptr;
    if (a == "--apply") {
      o->apply = true;
    } else if (a == "--within") {
      ImportArea area;
      if (std::string error = TakeWithin(args, &i, &area); !error.empty()) return error;
      o->within = area;
    } else if (a == "-o" || a == "--country" || a == "--type" || a == "--ident" ||
               a == "--command" || a == "--range") {
      if ((v = value(i)) == nullptr) return "option " + a + " needs a text";
      if (a == "-o") {
        if (!o->output.empty() || v->empty()) return "-o takes one file";
        o->output = *v;
      } else if (a == "--country") {
        o->countries.push_back(AsciiUpper(*v));
      } else if (a == "--ident") {
        o->idents.push_back(AsciiUpper(*v));
      } else if (a == "--type") {
        o->type = AsciiUpper(*v);
        if (o->type != "NDB" && o->type != "VOR")
          return "--type must be NDB or VOR, not \"" + *v + "\"";
      } else if (a == "--command") {
        if (command_seen || (*v != "create" && *v != "modify")) {
          return "--command must be create or modify, once";
        }
        command_seen = true;
        o->command = *v;
      } else {
        std::optional<double> nm = FieldNumber(*v);
        if (!nm || *nm < 0) {
          return "--range must be a number of nautical miles, not \"" + *v + "\"";
        }
        o->range = *v;
      }
    } else if (o->file.empty() && !a.starts_with("-")) {
      o->file = a;
    } else {
      return "unknown option for import: " + a;
    }
  }
  if (o->file.empty()) return "import needs a navaids.csv file";
  if (o->apply && !o->output.empty()) return "import takes -o FILE or --apply, not both";
  return "";
}

std::string ParseCliArgs(const std::vector<std::string>& args, CliArgs* p) {
  *p = CliArgs{};
  std::size_t i = 0;
  if (i < args.size() && args[i] == "-C") {
    if (i + 1 >= args.size()) return "option -C needs a folder";
    p->folder = args[i + 1];
    if (p->folder.empty()) return "option -C needs a folder";
    i += 2;
  }
  if (i >= args.size()) return "no command given";
  const std::string& command = args[i++];
  std::size_t rest = args.size() - i;
  if (command == "--help" || command == "-h" || command == "--version") {
    if (rest != 0) return command + " takes nothing after it";
    p->command = command == "--version" ? CliCommand::kVersion : CliCommand::kHelp;
    return "";
  }
  if (command == "create" || command == "modify" || command == "delete") {
    p->command = command == "create"   ? CliCommand::kCreate
                 : command == "modify" ? CliCommand::kModify
                                       : CliCommand::kDelete;
    return ParseEntryOptions(args, i, p);
  }
  if (command == "batch") {
    p->command = CliCommand::kBatch;
    for (; i < args.size(); ++i) {
      if (IsSceneryFolderOption(args[i])) {
        if (std::string error = TakeSceneryFolder(args, &i, p); !error.empty()) return error;
      } else if (args[i].starts_with("-")) {
        return "unknown option for batch: " + args[i];
      } else if (p->file.empty() && !args[i].empty()) {
        p->file = args[i];
      } else {
        return "batch takes one CSV file";
      }
    }
    if (p->file.empty()) return "batch takes one CSV file";
    return "";
  }
  if (command == "inspect") {
    p->command = CliCommand::kInspect;
    for (; i < args.size(); ++i) {
      if (args[i] == "--json") {
        p->json = true;
      } else if (p->file.empty() && !args[i].starts_with("--")) {
        p->file = args[i];
      } else {
        return "inspect takes one scenery file and --json: " + args[i];
      }
    }
    if (p->file.empty()) return "inspect needs a scenery file";
    return "";
  }
  if (command == "import") {
    p->command = CliCommand::kImport;
    std::vector<std::string> rest_args;
    for (; i < args.size(); ++i) {
      if (!IsSceneryFolderOption(args[i])) {
        rest_args.push_back(args[i]);
      } else if (std::string error = TakeSceneryFolder(args, &i, p); !error.empty()) {
        return error;
      }
    }
    std::string error = ParseImportArgs(rest_args, 0, &p->import);
    if (error.empty() && !p->sceneryFolder.empty() && !p->import.apply) {
      error = "import takes --scenery-folder only with --apply";
    }
    return error;
  }
  if (command == "list") {
    p->command = CliCommand::kList;
    for (; i < args.size(); ++i) {
      if (IsSceneryFolderOption(args[i])) {
        if (std::string error = TakeSceneryFolder(args, &i, p); !error.empty()) return error;
      } else if (args[i] == "--json") {
        p->json = true;
      } else {
        return "list takes --json and --scenery-folder: " + args[i];
      }
    }
    return "";
  }
  if (command == "remove") {
    p->command = CliCommand::kRemove;
    return ParseRemoveArgs(args, i, p);
  }
  if (command == "restore") {
    p->command = CliCommand::kRestore;
    return rest == 0 ? "" : "restore takes nothing after it";
  }
  return "unknown command: " + command;
}

std::string UsageText() {
  return "usage: orlith-cli [-C DIR] create|modify --lat TEXT --lon TEXT --type NDB|VOR|ILS\n"
         "                  [--frequency T] [--range T] [--altitude T] [--magnetic-deviation T]\n"
         "                  [--dme T] [--localizer-direction T] [--glideslope-angle T]\n"
         "                  [--id T] [--name T] [--scenery-folder SDIR]\n"
         "       orlith-cli [-C DIR] delete --lat TEXT --lon TEXT [--type NDB|VOR|ILS]\n"
         "       orlith-cli [-C DIR] batch [--scenery-folder SDIR] FILE.csv\n"
         "       orlith-cli [-C DIR] inspect FILE.bgl [--json]\n"
         "       orlith-cli [-C DIR] import NAVAIDS.csv [-o FILE | --apply [--scenery-folder "
         "SDIR]]\n"
         "                  [--country CC]... [--within NORTH WEST SOUTH EAST] [--type NDB|VOR]\n"
         "                  [--ident ID]... [--command create|modify] [--range NM]\n"
         "       orlith-cli [-C DIR] list [--scenery-folder SDIR] [--json]\n"
         "       orlith-cli [-C DIR] remove --lat TEXT --lon TEXT | --within N W S E | --all\n"
         "                  [--type NDB|VOR|ILS] [--scenery-folder SDIR] [--dry-run]\n"
         "       orlith-cli [-C DIR] restore\n"
         "       orlith-cli --help | --version\n"
         "\n"
         "Works in the simulator folder DIR (default: the current directory), where scenery.cfg\n"
         "lies. Scenery files go into SDIR (inside DIR unless absolute; created when missing),\n"
         "by default into DIR itself. Texts are stored exactly as given. Exit status: 0 done,\n"
         "1 scenery.cfg missing, 2 usage, 3 a file could not be read or written, 4 nothing to\n"
         "remove, 8 input error.\n";
}

}  // namespace orlith
