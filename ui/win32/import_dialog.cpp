#include "ui/win32/import_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "app/tools.h"

namespace orlith::win32 {
namespace {

constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kRight = SS_RIGHT | WS_GROUP;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;

constexpr ToolControl kControls[] = {
    {kStaticId, "STATIC", kLabel, kImportFileLabel, 10, 12, 70, 10},
    {kImportFileEdit, "EDIT", kEdit, "", 84, 10, 170, 12},
    {kImportBrowseButton, "BUTTON", kButton, kBrowseButton, 262, 9, 50, 14},
    {kStaticId, "STATIC", kLabel, kCountriesLabel, 10, 30, 150, 10},
    {kImportCountriesEdit, "EDIT", kEdit, "", 164, 28, 90, 12},
    {kStaticId, "STATIC", kLabel, kRectangleLabel, 10, 48, 110, 10},
    {kStaticId, "STATIC", kRight, kEdgeLabels[0], 120, 48, 26, 10},
    {kImportNorthEdit, "EDIT", kEdit, "", 150, 46, 56, 12},
    {kStaticId, "STATIC", kRight, kEdgeLabels[1], 212, 48, 26, 10},
    {kImportWestEdit, "EDIT", kEdit, "", 242, 46, 56, 12},
    {kStaticId, "STATIC", kRight, kEdgeLabels[2], 120, 64, 26, 10},
    {kImportSouthEdit, "EDIT", kEdit, "", 150, 62, 56, 12},
    {kStaticId, "STATIC", kRight, kEdgeLabels[3], 212, 64, 26, 10},
    {kImportEastEdit, "EDIT", kEdit, "", 242, 62, 56, 12},
    {kStaticId, "STATIC", kLabel, kTypeLabel, 10, 84, 70, 10},
    {kImportAllRadio, "BUTTON", kFirstRadio, kTypeChoices[0], 84, 84, 40, 10},
    {kImportNdbRadio, "BUTTON", kRadio, kTypeChoices[1], 130, 84, 40, 10},
    {kImportVorRadio, "BUTTON", kRadio, kTypeChoices[2], 176, 84, 40, 10},
    {kStaticId, "STATIC", kLabel, kCommandLabel, 10, 100, 70, 10},
    {kImportCreateRadio, "BUTTON", kFirstRadio, kCreateChoice, 84, 100, 40, 10},
    {kImportModifyRadio, "BUTTON", kRadio, kModifyChoice, 130, 100, 40, 10},
    {kImportPreviewButton, "BUTTON", kButton | WS_GROUP, kPreviewButton, 10, 118, 50, 14},
    {kImportCountsText, "STATIC", kLabel, "", 10, 138, 302, 36},
    {kImportProgressBar, PROGRESS_CLASSA, WS_BORDER | PBS_SMOOTH, "", 10, 178, 302, 10},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kApplyButton, 202, 196, 50, 14},
    {IDCANCEL, "BUTTON", kButton, kCancelButton, 262, 196, 50, 14},
};

constexpr ToolLayout kLayout{kImportCaption, 322, 218, kControls};

constexpr int kInputIds[] = {kImportFileEdit,      kImportBrowseButton,
                             kImportCountriesEdit, kImportNorthEdit,
                             kImportWestEdit,      kImportSouthEdit,
                             kImportEastEdit,      kImportAllRadio,
                             kImportNdbRadio,      kImportVorRadio,
                             kImportCreateRadio,   kImportModifyRadio,
                             kImportPreviewButton, IDOK};

}  // namespace

ImportDialog::ImportDialog(HWND owner, const ImportHandlers& handlers)
    : ToolDialog(kLayout, owner), handlers_(handlers) {}

void ImportDialog::OnInit() {
  Check(kImportAllRadio, true);
  Check(kImportCreateRadio, true);
  SendMessageA(Item(kImportProgressBar), PBM_SETRANGE32, 0, 1);
  SendMessageA(Item(kImportProgressBar), PBM_SETPOS, 0, 0);
}

void ImportDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kImportBrowseButton:
      Browse();
      return;
    case kImportPreviewButton:
      SetText(kImportCountsText, handlers_.preview(Choice()));
      return;
    case IDOK:
      if (!running_) Apply();
      return;
    case IDCANCEL:
      // While the import runs, Cancel stops it between two rows; Apply then ends the dialog.
      if (running_) {
        cancelled_ = true;
      } else {
        End(IDCANCEL);
      }
      return;
    default:
      return;
  }
}

ImportChoice ImportDialog::Choice() const {
  ImportChoice choice{Text(kImportFileEdit),
                      Text(kImportCountriesEdit),
                      Text(kImportNorthEdit),
                      Text(kImportWestEdit),
                      Text(kImportSouthEdit),
                      Text(kImportEastEdit),
                      "",
                      Checked(kImportModifyRadio)};
  if (Checked(kImportNdbRadio)) choice.type = "NDB";
  if (Checked(kImportVorRadio)) choice.type = "VOR";
  return choice;
}

void ImportDialog::Browse() {
  char path[MAX_PATH] = {};
  std::string shown = Text(kImportFileEdit);
  shown.copy(path, std::min<std::size_t>(shown.size(), MAX_PATH - 1));
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = "navaids.csv\0navaids.csv\0CSV files (*.csv)\0*.csv\0All files\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = "Choose navaids.csv";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&dialog)) SetText(kImportFileEdit, path);
}

void ImportDialog::Apply() {
  ImportChoice choice = Choice();
  running_ = true;
  cancelled_ = false;
  EnableInputs(false);
  HWND bar = Item(kImportProgressBar);
  ImportRunUi ui{
      [this](const std::string& counts) { SetText(kImportCountsText, counts); },
      [bar](std::int64_t done, std::int64_t total) {
        // The bar counts in 32 bits: big totals are shown in thousandths.
        int top = total > 0x7FFFFFFF ? 1000 : static_cast<int>(std::max<std::int64_t>(total, 1));
        int at =
            total > 0x7FFFFFFF ? static_cast<int>(done * 1000 / total) : static_cast<int>(done);
        SendMessageA(bar, PBM_SETRANGE32, 0, top);
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(at), 0);
        PumpMessages();
      },
      [this] {
        PumpMessages();
        return cancelled_;
      }};
  bool done = handlers_.apply(choice, ui);
  running_ = false;
  EnableInputs(true);
  if (done) End(IDOK);
}

void ImportDialog::EnableInputs(bool enable) {
  for (int id : kInputIds) EnableWindow(Item(id), enable ? TRUE : FALSE);
}

}  // namespace orlith::win32
