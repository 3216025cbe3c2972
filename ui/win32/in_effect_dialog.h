// "NavAids in Effect...": Orlith's exclusion switches in scenery.cfg and its scenery files in two
// sortable tables, the count of other .bgl files, and the buttons that take the selected rows back
// and restore scenery.cfg from its backup. The dialog shows; its handlers read and change.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/table_view.h"
#include "ui/win32/tool_dialog.h"

namespace orlith::win32 {

inline constexpr int kSwitchesList = 1201;
inline constexpr int kFilesList = 1202;
inline constexpr int kOtherFilesText = 1203;
inline constexpr int kTakeBackId = 1204;
inline constexpr int kRestoreId = 1205;

struct InEffectTables {
  std::vector<TableView::Row> switches, files;
  std::string otherBglFiles;  // the line under the tables
};

struct InEffectHandlers {
  std::vector<TableColumn> switchColumns, fileColumns;
  // Reads what is in effect now; false when it could not (the handler has said why).
  std::function<bool(InEffectTables*)> read;
  // Takes back the chosen rows (places in the tables last read), after asking; true when
  // something changed.
  std::function<bool(std::vector<std::size_t> switches, std::vector<std::size_t> files)> takeBack;
  // Restores scenery.cfg from its backup, after asking; true when something changed.
  std::function<bool()> restore;
};

class InEffectDialog : public ToolDialog {
 public:
  // handlers must outlive the dialog.
  InEffectDialog(HWND owner, const InEffectHandlers& handlers);

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnNotify(const NMHDR& header) override;

 private:
  void Refresh();

  const InEffectHandlers& handlers_;
  TableView switches_, files_;
};

}  // namespace orlith::win32
