// The floors of the end-to-end benchmark: the file work of an Orlith command that no
// implementation can avoid, and nothing else. The backup is scenery.cfg's bytes written to
// scenery.org, either read and written in large blocks by the process (the in-process copy) or,
// with --kernel-copy, copied inside the kernel as `cp` does (copy_file_range). Then it appends
// the updates area block and the exclusion switch lines to scenery.cfg, appends the log entries
// with one write per line (each log line is on disk as soon as written) and writes each scenery
// file in one write to a temporary name that is then renamed. The syncs are Orlith's: scenery.org
// and then the folder after the backup, scenery.cfg once at the end. It parses nothing but the
// command and type columns of a batch file, and its texts only have the lengths of the real ones.
//
//   orlith-floor [--kernel-copy] DIR create|modify|delete NDB|VOR|ILS
//   orlith-floor [--kernel-copy] DIR batch FILE.csv
//   orlith-floor inspect FILE.bgl
//
// Exit status 0 on success, 2 on a usage error, 3 when a file cannot be read or written.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string g_dir;
bool g_kernel_copy = false;

std::string Path(std::string_view name) { return g_dir + "/" + std::string(name); }

[[noreturn]] void Fail(const std::string& path) {
  std::perror(path.c_str());
  std::exit(3);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n <= 0) Fail(path);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

int Open(const std::string& path, int flags) {
  int fd = open(path.c_str(), flags, 0644);
  if (fd < 0) Fail(path);
  return fd;
}

void Close(int fd, const std::string& path) {
  if (close(fd) != 0) Fail(path);
}

void Sync(const std::string& path) {
  int fd = Open(path, O_RDONLY);
  if (fsync(fd) != 0) Fail(path);
  Close(fd, path);
}

std::string ReadWhole(const std::string& path) {
  int fd = Open(path, O_RDONLY);
  std::string bytes;
  char block[1 << 16];
  for (ssize_t n; (n = read(fd, block, sizeof block)) != 0;) {
    if (n < 0) Fail(path);
    bytes.append(block, static_cast<std::size_t>(n));
  }
  Close(fd, path);
  return bytes;
}

// One read and one write of scenery.cfg's bytes, in blocks of 64 KiB: larger blocks save calls
// but cost more in fresh pages than they save. Or the kernel's copy, in as few calls as it takes.
void Backup() {
  const std::string cfg = Path("scenery.cfg");
  const std::string org = Path("scenery.org");
  int in = Open(cfg, O_RDONLY);
  int out = Open(org, O_WRONLY | O_CREAT | O_TRUNC);
  static char block[1 << 16];
  for (ssize_t n = 1; g_kernel_copy && n != 0;) {
    n = copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0);
    if (n < 0) Fail(org);
  }
  for (ssize_t n; !g_kernel_copy && (n = read(in, block, sizeof block)) != 0;) {
    if (n < 0) Fail(cfg);
    WriteAll(out, std::string_view(block, static_cast<std::size_t>(n)), org);
  }
  if (fsync(out) != 0) Fail(org);
  Close(in, cfg);
  Close(out, org);
  Sync(g_dir);
}

// An entry of the log: a line end, then each line with its line end, one write each.
void LogEntry(const std::vector<std::string_view>& lines) {
  const std::string log = Path("orlith.log");
  int fd = Open(log, O_WRONLY | O_CREAT | O_APPEND);
  WriteAll(fd, "\r\n", log);
  std::string line;
  for (std::string_view text : lines) {
    line.assign(text);
    line += "\r\n";
    WriteAll(fd, line, log);
  }
  Close(fd, log);
}

void AppendToConfig(std::string_view bytes) {
  const std::string cfg = Path("scenery.cfg");
  int fd = Open(cfg, O_WRONLY | O_APPEND);
  WriteAll(fd, bytes, cfg);
  Close(fd, cfg);
}

void Message(std::string_view text) {
  std::string line(text);
  line += '\n';
  WriteAll(STDOUT_FILENO, line, "standard output");
}

// The backup with its header entry, and the updates area block with its entry.
void RegisterArea() {
  Backup();
  LogEntry({"******************************", "06 Dec 2026", "",
            "The file SCENERY.CFG was copied to SCENERY.ORG ..."});
  AppendToConfig(
      "\r\n[Area.124]\r\nTitle=Navigational Updates\r\nLocal=Addon Scenery\\Updates\r\n"
      "Active=TRUE\r\nRequired=FALSE\r\nLayer=124\r\n");
  LogEntry({"The new block:", "", "[Area.124]", "Title=Navigational Updates",
            "Local=Addon Scenery\\Updates", "Active=TRUE", "Required=FALSE", "Layer=124", "",
            "was added to the file SCENERY.CFG ..."});
}

void Exclusion() {
  AppendToConfig("Exclude=N42   34.61, W12   24.51, N42   34.59, W12   24.49, vors\r\n");
  LogEntry(
      {"Exclusion switch was added for VOR and ILS NavAids at N42 34.6, W12 24.5 to "
       "SCENERY.CFG ..."});
}

// A scenery file of 229 (NDB) or 246 bytes and its creation report of 10, 12 or 14 lines.
void SceneryFile(const std::string& name, std::string_view type) {
  const bool ndb = type == "NDB";
  // Written under another name and renamed, so the file appears whole or not at all.
  const std::string path = Path(name);
  const std::string temp = Path("floor.tmp");
  int fd = Open(temp, O_WRONLY | O_CREAT | O_TRUNC);
  WriteAll(fd, std::string(ndb ? 229 : 246, '\x15'), temp);
  Close(fd, temp);
  if (rename(temp.c_str(), path.c_str()) != 0) Fail(path);
  std::vector<std::string_view> report = {
      "The file N42 34_6__W12 24_5.bgl was created with the following data: ",
      "",
      "Position: N42 34.6, W12 24.5",
      "Type of NavAid: VOR",
      "Frequency: 113.90 MHz",
      "Range: 40 nm",
      "Altitude: 200 m"};
  if (!ndb) {
    report.push_back("Magnetic deviation: -3 \xB0");
    report.push_back("Code: 1");
  }
  if (type == "ILS") {
    report.push_back("Localizer direction: 270 \xB0");
    report.push_back("Glideslope: 3.0 \xB0");
  }
  report.push_back("NavAid ID: XYZ");
  report.push_back("NavAid name: TEST VOR");
  LogEntry(report);
}

// One command of a batch row or of the command line.
void Command(std::string_view command, std::string_view type, const std::string& file_name) {
  if (command != "create") Exclusion();
  if (command != "delete") SceneryFile(file_name, type);
  Message("A new VOR NavAid was created at N42 34.6, W12 24.5");
}

// The n-th comma-separated field of a row without quotes.
std::string_view Field(std::string_view row, int n) {
  for (; n > 0; --n) {
    std::size_t comma = row.find(',');
    if (comma == std::string_view::npos) return {};
    row.remove_prefix(comma + 1);
  }
  return row.substr(0, row.find(','));
}

void Batch(const std::string& csv_path) {
  const std::string csv = ReadWhole(csv_path);
  RegisterArea();
  std::string_view rest = csv;
  rest.remove_prefix(rest.find('\n') + 1);  // the header row
  char name[64];
  for (int row = 0; !rest.empty(); ++row) {
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::snprintf(name, sizeof name, "floor_%06d_N42 34_6.bgl", row);
    Command(Field(line, 0), Field(line, 3), name);
  }
}

// remove --all: the backup, scenery.cfg written whole again without its switch lines (to a
// temporary file, synced, renamed, the folder synced), then each scenery file of folder unlinked
// with its log entry. The files are not read: the floor knows they are Orlith's.
void Remove(const std::string& folder) {
  Backup();
  const std::string cfg = Path("scenery.cfg"), temp = Path("floor.tmp");
  const std::string old = ReadWhole(cfg);
  std::string kept;
  for (std::size_t at = 0; at < old.size();) {
    std::size_t end = old.find('\n', at);
    end = end == std::string::npos ? old.size() : end + 1;
    if (old.compare(at, 8, "Exclude=") != 0) kept.append(old, at, end - at);
    at = end;
  }
  int fd = Open(temp, O_WRONLY | O_CREAT | O_TRUNC);
  WriteAll(fd, kept, temp);
  if (fsync(fd) != 0) Fail(temp);
  Close(fd, temp);
  if (rename(temp.c_str(), cfg.c_str()) != 0) Fail(cfg);
  Sync(g_dir);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) Fail(folder);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bgl") != 0) continue;
    if (unlink((folder + "/" + name).c_str()) != 0) Fail(name);
    const std::string line = "The file " + name + " was removed ...";
    LogEntry({line});
  }
  closedir(dir);
  Message("Removed 0 exclusion switches and 10000 scenery files.");
}

void Inspect(const std::string& path) {
  const std::string bytes = ReadWhole(path);
  Message(std::string(bytes.size() > 200 ? 200 : bytes.size(), 'x'));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--kernel-copy") {
    g_kernel_copy = true;
    args.erase(args.begin());
  }
  if (args.size() == 2 && args[0] == "inspect") {
    Inspect(args[1]);
    return 0;
  }
  if (args.size() != 3) {
    std::fprintf(stderr,
                 "usage: orlith-floor [--kernel-copy] DIR create|modify|delete NDB|VOR|ILS\n"
                 "       orlith-floor [--kernel-copy] DIR batch FILE.csv\n"
                 "       orlith-floor [--kernel-copy] DIR remove SCENERY_FOLDER\n"
                 "       orlith-floor inspect FILE.bgl\n");
    return 2;
  }
  g_dir = args[0];
  if (args[1] == "batch") {
    Batch(args[2]);
  } else if (args[1] == "remove") {
    Remove(args[2]);
    return 0;
  } else {
    RegisterArea();
    Command(args[1], args[2], "N42 34_6__W12 24_5.bgl");
  }
  Sync(Path("scenery.cfg"));
  return 0;
}
