#include "ui/win32/in_effect_dialog.h"

#include "app/tools.h"

namespace orlith::win32 {
namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kList = LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_GROUP;

constexpr ToolControl kControls[] = {
    {kStaticId, "STATIC", kLabel, kSwitchesLabel, 8, 6, 200, 10},
    {kSwitchesList, WC_LISTVIEWA, kList, "", 8, 18, 424, 78},
    {kStaticId, "STATIC", kLabel, kFilesLabel, 8, 102, 200, 10},
    {kFilesList, WC_LISTVIEWA, kList, "", 8, 114, 424, 92},
    {kOtherFilesText, "STATIC", kLabel, "", 8, 212, 250, 10},
    {kTakeBackId, "BUTTON", kButton | WS_GROUP, kTakeBackButton, 8, 228, 80, 14},
    {kRestoreId, "BUTTON", kButton, kRestoreButton, 96, 228, 80, 14},
    {IDCANCEL, "BUTTON", kButton, kCloseButton, 382, 228, 50, 14},
};

constexpr ToolLayout kLayout{kInEffectCaption, 440, 250, kControls};

}  // namespace

InEffectDialog::InEffectDialog(HWND owner, const InEffectHandlers& handlers)
    : ToolDialog(kLayout, owner), handlers_(handlers) {}

void InEffectDialog::OnInit() {
  switches_.Attach(Item(kSwitchesList), handlers_.switchColumns);
  files_.Attach(Item(kFilesList), handlers_.fileColumns);
  Refresh();
}

void InEffectDialog::Refresh() {
  InEffectTables tables;
  if (!handlers_.read(&tables)) tables = {};
  switches_.SetRows(std::move(tables.switches));
  files_.SetRows(std::move(tables.files));
  SetText(kOtherFilesText, tables.otherBglFiles);
}

void InEffectDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kTakeBackId) {
    if (handlers_.takeBack(switches_.Selected(), files_.Selected())) Refresh();
  } else if (id == kRestoreId) {
    if (handlers_.restore()) Refresh();
  } else if (id == IDCANCEL || id == IDOK) {
    End(IDCANCEL);
  }
}

void InEffectDialog::OnNotify(const NMHDR& header) {
  if (header.code != LVN_COLUMNCLICK) return;
  const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
  if (header.idFrom == kSwitchesList) switches_.SortBy(click.iSubItem);
  if (header.idFrom == kFilesList) files_.SortBy(click.iSubItem);
}

}  // namespace orlith::win32
