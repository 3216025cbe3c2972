// The scenery.cfg operations on arbitrary file contents, with any one file operation and all
// after it failing: a registration, an exclusion switch and a second registration in a row, as
// a Modify followed by a Delete does them. Whatever happens nothing of scenery.cfg or scenery.org
// is lost, and an operation that reports success did what it says, and so did its log entry.
#include <algorithm>
#include <cctype>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "core/lenient_number.h"
#include "core/operations_log.h"
#include "core/work_folder.h"
#include "fuzz/fuzz_check.h"
#include "scenery_config/config_scan.h"
#include "scenery_config/exclusion_switch.h"
#include "scenery_config/scenery_config.h"
#include "test_support/memory_env.h"

namespace {

constexpr char kOldBackup[] = "the backup of an earlier day\r\n";
constexpr char kLatitude[] = "N42 34.6";
constexpr char kLongitude[] = "W12 24.5";
constexpr char kTitleLine[] = "\r\nTitle=Navigational Updates\r\n";

// The backup's copy: each line, as a line feed or a CR LF ends it, ended by CR LF.
std::string CrLfCopy(std::string_view text) {
  std::string copy;
  for (;;) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    copy.append(line) += "\r\n";
    if (lf == std::string_view::npos) return copy;
    text.remove_prefix(lf + 1);
  }
}

// The lines as the registration's scan sees them: a CR or a line feed ends each.
std::vector<std::string> ScanLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return lines;
}

bool HasMarker(std::string_view text) {
  for (std::string line : ScanLines(text)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line == "title=navigational updates") return true;
  }
  return false;
}

// The updates block's header: one more than the highest number of an area header or a layer line.
std::string ExpectedHeaderLine(std::string_view text) {
  std::int64_t highest = 0;
  for (const std::string& line : ScanLines(text)) {
    const std::size_t key = line.find_first_not_of(" \t");
    if (key == std::string::npos) continue;
    const std::string_view rest = std::string_view(line).substr(key);
    if (!rest.starts_with("[area.") && !rest.starts_with("layer=")) continue;
    highest = std::max(highest, orlith::ReadLenientInteger(rest.substr(6)));
  }
  std::string digits = std::to_string(std::min(highest, orlith::kHighestAreaLimit) + 1);
  return (digits.size() >= 3 ? "[Area." : "[Area.0") + digits + "]";
}

std::size_t Count(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: the file operation from which on everything fails (0: none). Second: the type,
  // and in bit 2 whether cutting scenery.cfg back to its old size fails as well.
  const int fail_from = data[0] == 0 ? -1 : data[0] - 1;
  static const char* const kTypes[] = {"", "VOR", "ILS", "NDB"};
  const std::string type = kTypes[data[1] % 4];
  const bool restores_work = (data[1] & 4) == 0;
  const std::string old_cfg(reinterpret_cast<const char*>(data + 2), size - 2);

  orlith::testing::MemoryEnv env;
  env.files["scenery.cfg"] = old_cfg;
  env.files["scenery.org"] = kOldBackup;
  env.FailFrom(fail_from);
  env.SpareTruncate(restores_work);
  const orlith::WorkFolder folder{"", &env};
  std::tm date{};
  date.tm_mday = 6, date.tm_mon = 11, date.tm_year = 126;

  orlith::Status log1, log2, log3;
  const orlith::Status first = orlith::RegisterUpdatesArea(folder, date, &log1);
  const std::string after_first = env.files["scenery.cfg"];
  const std::string backup_after_first = env.files["scenery.org"];
  const std::string log_after_first = env.files[orlith::kLogFileName];
  const orlith::Status exclusion =
      orlith::AddExclusionSwitch(folder, kLatitude, kLongitude, type, &log2);
  const std::string after_exclusion = env.files["scenery.cfg"];
  const std::string log_after_exclusion = env.files[orlith::kLogFileName];
  const orlith::Status second = orlith::RegisterUpdatesArea(folder, date, &log3);
  const std::string& cfg = env.files["scenery.cfg"];
  const std::string& backup = env.files["scenery.org"];

  // Only ever appended to.
  FUZZ_CHECK(after_first.compare(0, old_cfg.size(), old_cfg) == 0);
  FUZZ_CHECK(after_exclusion.compare(0, after_first.size(), after_first) == 0);
  FUZZ_CHECK(cfg.compare(0, after_exclusion.size(), after_exclusion) == 0);

  // A failed operation leaves scenery.cfg as it found it, also after a write that got half its
  // data through, unless the cut back to the old size fails too or it says that it could not (a
  // failed close is cut back through a new open, which fails like any other operation here).
  auto restored = [&](const orlith::Status& s) {
    return restores_work && s.reason().find("could not be restored") == std::string::npos;
  };
  if (!first.ok() && restored(first)) FUZZ_CHECK(after_first == old_cfg);
  if (!exclusion.ok() && restored(exclusion)) FUZZ_CHECK(after_exclusion == after_first);
  if (!second.ok() && restored(second)) FUZZ_CHECK(cfg == after_exclusion);

  // The backup is never half written: the copy of scenery.cfg as a registration found it, or the
  // backup that was there before.
  FUZZ_CHECK(backup_after_first == kOldBackup || backup_after_first == CrLfCopy(old_cfg));
  FUZZ_CHECK(backup == backup_after_first || backup == CrLfCopy(after_exclusion));
  if (first.ok()) FUZZ_CHECK(backup_after_first == CrLfCopy(old_cfg));
  if (second.ok()) FUZZ_CHECK(backup == CrLfCopy(after_exclusion));

  // One block at most, and none beside a marker line.
  const std::string added = cfg.substr(old_cfg.size());
  const std::size_t blocks = Count(added, kTitleLine);
  FUZZ_CHECK(blocks <= 1);
  if (HasMarker(old_cfg)) FUZZ_CHECK(after_first == old_cfg && blocks == 0);
  if (first.ok() && !HasMarker(old_cfg)) {
    const std::string block = "\r\n" + ExpectedHeaderLine(old_cfg) + kTitleLine;
    FUZZ_CHECK(after_first.compare(old_cfg.size(), block.size(), block) == 0);
    if (log1.ok()) FUZZ_CHECK(Count(log_after_first, "was added to the file SCENERY.CFG ...") == 1);
  }

  // The switch line, on a line of its own; what got through of a failed one is a piece of it.
  const std::string lead = !after_first.empty() && after_first.back() != '\n' ? "\r\n" : "";
  const std::string line = lead + orlith::ExclusionSwitchLine(kLatitude, kLongitude, type) + "\r\n";
  const std::string exclusion_added = after_exclusion.substr(after_first.size());
  if (exclusion.ok()) {
    FUZZ_CHECK(exclusion_added == line);
    if (log2.ok()) {
      FUZZ_CHECK(log_after_exclusion.find(" to SCENERY.CFG ...", log_after_first.size()) !=
                 std::string::npos);
    }
  } else {
    FUZZ_CHECK(line.compare(0, exclusion_added.size(), exclusion_added) == 0);
    FUZZ_CHECK(log_after_exclusion == log_after_first);  // no entry claims a failed switch
  }
  std::size_t at = after_exclusion.find("Exclude=", after_first.size());
  if (at != std::string::npos) FUZZ_CHECK(at == 0 || after_exclusion[at - 1] == '\n');

  // The second registration finds the block the first one added.
  if (first.ok() || HasMarker(old_cfg)) FUZZ_CHECK(cfg == after_exclusion);

  if (!env.failed()) {
    FUZZ_CHECK(first.ok() && exclusion.ok() && second.ok());
    FUZZ_CHECK(log1.ok() && log2.ok() && log3.ok());
    for (const auto& [name, bytes] : env.files) FUZZ_CHECK(name.rfind("orlith-", 0) != 0);
    FUZZ_CHECK(blocks == (HasMarker(old_cfg) ? 0u : 1u));
  }
  return 0;
}
