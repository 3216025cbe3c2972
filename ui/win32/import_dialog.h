// "Import Real-World NavAids...": a navaids.csv file (Browse... opens the file dialog), the
// filters (country codes, a rectangle of four coordinate texts, the type) and the command. Preview
// shows how many rows would be written and skipped for each reason; Apply runs the import with
// the progress bar moving row by row, and Cancel then stops it between two rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/win32/tool_dialog.h"

namespace orlith::win32 {

inline constexpr int kImportFileEdit = 1101;
inline constexpr int kImportBrowseButton = 1102;
inline constexpr int kImportCountriesEdit = 1103;
inline constexpr int kImportNorthEdit = 1104;
inline constexpr int kImportWestEdit = 1105;
inline constexpr int kImportSouthEdit = 1106;
inline constexpr int kImportEastEdit = 1107;
inline constexpr int kImportAllRadio = 1108;
inline constexpr int kImportNdbRadio = 1109;
inline constexpr int kImportVorRadio = 1110;
inline constexpr int kImportCreateRadio = 1111;
inline constexpr int kImportModifyRadio = 1112;
inline constexpr int kImportPreviewButton = 1113;
inline constexpr int kImportCountsText = 1114;
inline constexpr int kImportProgressBar = 1115;

// What the dialog's controls hold.
struct ImportChoice {
  std::string file, countries, north, west, south, east;
  std::string type;  // "", "NDB" or "VOR"
  bool modify = false;
};

// While Apply runs: the counts text before the rows run, the bar's rows done of rows, and
// whether Cancel was pressed (asked between rows; the dialog's messages are handled meanwhile).
struct ImportRunUi {
  std::function<void(const std::string& counts)> onCounts;
  std::function<void(std::int64_t done, std::int64_t total)> onRow;
  std::function<bool()> cancelled;
};

struct ImportHandlers {
  // The counts text for the choice (or why there are none): Preview, and before Apply.
  std::function<std::string(const ImportChoice&)> preview;
  // Runs the import, shows its outcome, and returns whether the dialog is done.
  std::function<bool(const ImportChoice&, const ImportRunUi&)> apply;
};

class ImportDialog : public ToolDialog {
 public:
  // handlers must outlive the dialog.
  ImportDialog(HWND owner, const ImportHandlers& handlers);

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  ImportChoice Choice() const;
  void Browse();
  void Apply();
  void EnableInputs(bool enable);

  const ImportHandlers& handlers_;
  bool running_ = false;
  bool cancelled_ = false;
};

}  // namespace orlith::win32
