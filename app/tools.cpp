#include "app/tools.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "app/messages.h"
#include "app/navaid_report.h"
#include "core/ascii_case.h"
#include "core/coordinate_text.h"
#include "core/exit_status.h"
#include "core/operations_log.h"
#include "scenery_config/scenery_config.h"

namespace orlith {
namespace {

std::string Position(double lat, double lon) {
  return ReportCoordinate(lat, CoordinateKind::kLatitude) + ", " +
         ReportCoordinate(lon, CoordinateKind::kLongitude);
}

std::string Count(const ImportCounts& n, ImportSkip skip) {
  return std::to_string(n.by[static_cast<int>(skip)]);
}

// The number a cell starts with, when it does.
bool LeadingNumber(std::string_view cell, double* value) {
  std::string text(cell);
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && !text.empty() && text[0] != ' ';
}

}  // namespace

bool ImportOptionsOf(const ImportForm& form, ImportOptions* options, std::string* error) {
  *options = ImportOptions{};
  if (form.file.empty()) {
    *error = "Choose the navaids.csv file to import";
    return false;
  }
  options->file = form.file;
  options->apply = true;
  options->type = form.type;
  options->command = form.modify ? "modify" : "create";
  std::string code;
  for (char c : form.countries + " ") {
    if (c == ',' || c == ' ' || c == '\t') {
      if (!code.empty()) options->countries.push_back(AsciiUpper(code));
      code.clear();
    } else {
      code += c;
    }
  }
  const std::string* edges[4] = {&form.north, &form.west, &form.south, &form.east};
  const char* names[4] = {"North", "West", "South", "East"};
  int given = 0;
  for (const std::string* edge : edges) given += edge->empty() ? 0 : 1;
  if (given == 0) return true;
  if (given < 4) {
    *error = "Give all four edges of the rectangle, or none";
    return false;
  }
  double d[4];
  for (int k = 0; k < 4; ++k) {
    CoordinateKind kind = k % 2 == 0 ? CoordinateKind::kLatitude : CoordinateKind::kLongitude;
    if (!IsValidCoordinate(*edges[k], kind)) {
      *error = std::string(names[k]) + ": \"" + *edges[k] + "\" is not a " +
               (k % 2 == 0 ? "latitude (example: N50 30.0)" : "longitude (example: E4 20.0)");
      return false;
    }
    d[k] = ParseCoordinate(*edges[k]);
  }
  if (d[0] < d[2]) {
    *error = "The north edge lies south of the south edge";
    return false;
  }
  options->within = ImportArea{d[0], d[1], d[2], d[3]};
  return true;
}

std::string ImportPreviewText(const ImportCounts& n) {
  std::int64_t skipped = 0;
  for (int k = static_cast<int>(ImportSkip::kNoRecord); k < kImportSkipCount; ++k)
    skipped += n.by[k];
  return std::to_string(n.read) + " rows read: " + Count(n, ImportSkip::kSelected) +
         " would be written, " + Count(n, ImportSkip::kFiltered) + " left out by the filters, " +
         std::to_string(skipped) + " skipped.\nSkipped: " + Count(n, ImportSkip::kNoRecord) +
         " type without a record (DME, TACAN), " + Count(n, ImportSkip::kNoFrequency) +
         " no usable frequency, " + Count(n, ImportSkip::kBadPosition) +
         " position not a number, " + Count(n, ImportSkip::kSamePosition) + " same position.";
}

std::string ImportStoppedMessage(std::int64_t done, std::int64_t total) {
  return "The import was stopped after " + std::to_string(done) + " of " + std::to_string(total) +
         " rows; every file is whole.";
}

std::string ImportFailureMessage(const std::string& file, int status, const std::string& error) {
  if (status == kExitFileError) return FileErrorMessage(Status::IoError(file, error));
  return "The file " + file + " is not a navaids.csv file: " + error + ".";
}

namespace {

// The batch's failures go to the user; the message of each row does not.
class FailuresOnly : public FrontEnd {
 public:
  explicit FailuresOnly(FrontEnd& base) : base_(base) {}
  DialogResult RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) override {
    return base_.RunDialog(id, shown, on_ok);
  }
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string& text) override { base_.ShowError(text); }
  // Only the check for scenery.cfg ends a batch, before anything is written; the program goes on.
  void Fatal(const std::string& message, int) override { base_.ShowError(message); }
  const LockWait* FolderLockWait() override { return base_.FolderLockWait(); }

 private:
  FrontEnd& base_;
};

}  // namespace

int ApplyImport(FrontEnd& front_end, const WorkFolder& folder, const ImportOptions& options,
                ImportProgress* progress) {
  std::int64_t done = 0, total = 0;
  ImportProgress followed;
  if (progress != nullptr) followed.cancelled = progress->cancelled;
  followed.onRow = [&](std::int64_t row, std::int64_t rows) {
    done = row, total = rows;
    if (progress != nullptr && progress->onRow) progress->onRow(row, rows);
  };
  FailuresOnly quiet(front_end);
  std::ostringstream out, err;
  const int status = RunImport(options, folder, quiet, out, err, &followed);
  if (progress != nullptr) progress->stopped = followed.stopped;
  std::string text = err.str();
  constexpr std::string_view kPrefix = "orlith-cli: ";  // the pass's failures name the program
  if (text.starts_with(kPrefix)) text.erase(0, kPrefix.size());
  while (!text.empty() && text.back() == '\n') text.pop_back();
  if (followed.stopped) {
    // Nothing to tell after a lock wait the user cancelled.
    if (total > 0) front_end.ShowMessage(ImportStoppedMessage(done, total));
  } else if (status == kExitDone) {
    front_end.ShowMessage(text);
  } else if (!text.empty()) {
    // The passes tell err "cannot read FILE: REASON" or "FILE, line N: ..."; shown as the
    // program's file errors.
    const std::string unread = "cannot read " + options.file + ": ", bad = options.file + ", ";
    if (status == kExitFileError && text.starts_with(unread)) {
      text = ImportFailureMessage(options.file, status, text.substr(unread.size()));
    } else if (status == kExitUsage && text.starts_with(bad)) {
      text = ImportFailureMessage(options.file, status, text.substr(bad.size()));
    }
    front_end.ShowError(text);
  }
  return status;
}

std::string InEffectFailureMessage(const WorkFolder& folder, const Status& failure) {
  if (failure.kind() == Status::Kind::kNotFound &&
      failure.file() == folder.File(kSceneryConfigName))
    return ConfigMissingMessage();
  return FileErrorMessage(failure);
}

std::vector<std::string> SwitchColumns() { return {"Line", "Position", "Drops", "Area"}; }

std::vector<std::string> SwitchCells(const SwitchInEffect& w) {
  const std::string& word = w.exclusion.word;
  return {std::to_string(w.line.number), Position(w.exclusion.latitude, w.exclusion.longitude),
          word == "all"    ? "all NavAids"
          : word == "vors" ? "VOR and ILS NavAids"
                           : "NDB NavAids",
          w.area.empty() ? "no block" : w.area + (w.areaTitle.empty() ? "" : " " + w.areaTitle)};
}

std::vector<std::string> FileColumns() {
  return {"File", "Type", "Position", "Frequency", "Range", "ID", "Name"};
}

std::vector<std::string> FileCells(const SceneryFileInEffect& f) {
  const DecodedNavAid& n = f.navaid;
  return {f.shown,
          n.navAidType.empty() ? "(none)" : n.navAidType,
          Position(n.latitude, n.longitude),
          n.navAidType == "NDB" ? ReportKilohertz(n) + " kHz"
                                : ReportDecimal(n.frequencyMhz, 2) + " MHz",
          ReportDecimal(n.rangeNm, 2) + " nm",
          n.id,
          n.name};
}

std::string OtherFilesText(int others) {
  return "Other .bgl files (not Orlith's): " + std::to_string(others);
}

std::string TakeBackQuestion(const RemovalPlan& chosen) {
  std::string text;
  std::size_t switches = 0;
  for (const SwitchInEffect& w : chosen.switches) {
    if (w.updatesBlock) {
      ++switches;
      text += RemovedSwitchMessage(w.line.number, w.line.text, true) + "\n";
    } else {
      text += "The exclusion switch on line " + std::to_string(w.line.number) +
              " is not in Orlith's updates area and stays.\n";
    }
  }
  for (const SceneryFileInEffect& f : chosen.files)
    text += RemovedFileMessage(f.shown, f.navaid.navAidType, true) + "\n";
  // "Removed 1 exclusion switch and 2 scenery files." without its first word and full stop.
  std::string summary = RemovalSummary(switches, chosen.files.size(), false);
  const std::size_t word = sizeof "Removed" - 1;
  return text + "\nTake back" + summary.substr(word, summary.size() - word - 1) + "?";
}

namespace {

// Runs work under the folder's lock once scenery.cfg is there, and shows its failure or done().
CommandOutcome Locked(FrontEnd& front_end, const WorkFolder& folder,
                      const std::function<Status(Status* log)>& work,
                      const std::function<std::string()>& done) {
  return WithFolderLock(front_end, folder, [&] {
    if (!EnsureFileExists(folder, kSceneryConfigName).ok()) {
      front_end.ShowError(ConfigMissingMessage());
      return CommandOutcome::kRefused;
    }
    Status log;
    Status s = work(&log);
    const std::string note = log.ok() ? "" : LogFailureNote(log);
    if (!s.ok()) {
      front_end.ShowError(FileErrorMessage(s) + note);
      return CommandOutcome::kFileError;
    }
    front_end.ShowMessage(done() + note);
    return CommandOutcome::kDone;
  });
}

}  // namespace

CommandOutcome TakeBackChosen(FrontEnd& front_end, const WorkFolder& folder,
                              const RemovalPlan& chosen, const std::tm& date) {
  std::size_t switches = 0, files = 0;
  int removed = 0;
  return Locked(
      front_end, folder,
      [&](Status* log) {
        return ApplyRemovalOf(
            folder, chosen, date,
            [&](const SwitchInEffect* w, const SceneryFileInEffect*) { ++(w ? switches : files); },
            &removed, log);
      },
      [&] {
        return removed == 0 ? std::string(kNothingSelectedMessage)
                            : RemovalSummary(switches, files, false);
      });
}

CommandOutcome RestoreSceneryConfig(FrontEnd& front_end, const WorkFolder& folder,
                                    const std::tm& date) {
  return Locked(
      front_end, folder, [&](Status* log) { return RestoreBackup(folder, date, log); },
      [] { return RestoredMessage(); });
}

int CompareCells(std::string_view a, std::string_view b) {
  double x = 0, y = 0;
  if (LeadingNumber(a, &x) && LeadingNumber(b, &y) && x != y) return x < y ? -1 : 1;
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

}  // namespace orlith
