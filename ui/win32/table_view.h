// A comctl32 list view in report mode that shows rows of texts and sorts them, in the order of
// CompareCells, by the column whose header is clicked; a second click on the same header reverses
// the order. Selections are told by the rows' places in what was set.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace orlith::win32 {

struct TableColumn {
  const char* title;
  int width;  // pixels
};

class TableView {
 public:
  using Row = std::vector<std::string>;

  // list: a list view control (LVS_REPORT); its columns are set here.
  void Attach(HWND list, const std::vector<TableColumn>& columns);
  // Shows rows in the order given; the sort by a column is kept when set again.
  void SetRows(std::vector<Row> rows);
  // Handles a click on a column header (LVN_COLUMNCLICK).
  void SortBy(int column);
  // The places in the set rows of the selected ones, in the shown order.
  std::vector<std::size_t> Selected() const;

 private:
  void Fill();

  HWND list_ = nullptr;
  std::vector<Row> rows_;
  std::vector<std::size_t> shown_;  // places in rows_, in the shown order
  int sortColumn_ = -1;
  bool descending_ = false;
};

}  // namespace orlith::win32
