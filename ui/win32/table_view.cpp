#include "ui/win32/table_view.h"

#include <algorithm>

#include "app/tools.h"

namespace orlith::win32 {
void TableView::Attach(HWND list, const std::vector<TableColumn>& columns) {
  list_ = list;
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(columns[i].title);
    column.cx = columns[i].width;
    column.iSubItem = static_cast<int>(i);
    SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void TableView::SetRows(std::vector<Row> rows) {
  rows_ = std::move(rows);
  shown_.resize(rows_.size());
  for (std::size_t i = 0; i < shown_.size(); ++i) shown_[i] = i;
  if (sortColumn_ >= 0) {
    descending_ = !descending_;  // SortBy turns it back
    SortBy(sortColumn_);
    return;
  }
  Fill();
}

void TableView::SortBy(int column) {
  descending_ = column == sortColumn_ && !descending_;
  sortColumn_ = column;
  auto cell = [&](std::size_t row) -> const std::string& {
    static const std::string none;
    const Row& r = rows_[row];
    return static_cast<std::size_t>(column) < r.size() ? r[static_cast<std::size_t>(column)] : none;
  };
  std::stable_sort(shown_.begin(), shown_.end(), [&](std::size_t a, std::size_t b) {
    int order = CompareCells(cell(a), cell(b));
    return descending_ ? order > 0 : order < 0;
  });
  Fill();
}

std::vector<std::size_t> TableView::Selected() const {
  std::vector<std::size_t> selected;
  int item = -1;
  while ((item = static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(item),
                                               LVNI_SELECTED))) >= 0) {
    if (static_cast<std::size_t>(item) < shown_.size()) selected.push_back(shown_[item]);
  }
  return selected;
}

void TableView::Fill() {
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const Row& row = rows_[shown_[i]];
    for (std::size_t c = 0; c < row.size(); ++c) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(row[c].c_str());
      SendMessageA(list_, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : i,
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace orlith::win32
