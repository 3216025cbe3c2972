#include "ui/win32/gui_session.h"

#include <filesystem>
#include <set>

#include "ui/dialog_layout.h"

namespace orlith::testing {
namespace {

std::set<std::string> FileNames(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace

std::string CaptionOf(DialogId id) { return LayoutOf(id).caption; }

void GuiSession::SetUp() { flows_folder_.Write("scenery.cfg", kSampleConfig); }

void GuiSession::Start(bool with_config) {
  if (with_config) program_folder_.Write("scenery.cfg", kSampleConfig);
  program_ = std::make_unique<OrlithProcess>(program_folder_.path());
  ASSERT_NE(program_->MainWindow(), nullptr) << "orlith.exe showed no main window";
}

void GuiSession::Choose(int command_id) {
  pending_command_ = command_id;
  program_->Command(command_id);
}

HWND GuiSession::Dialog(DialogId id) {
  HWND dialog = program_->WaitForWindow(CaptionOf(id));
  EXPECT_NE(dialog, nullptr) << "dialog \"" << CaptionOf(id) << "\" did not open";
  return dialog;
}

void GuiSession::Ok(DialogId id, const DialogTexts& typed) {
  HWND dialog = Dialog(id);
  if (dialog == nullptr) return;
  for (const auto& [control, text] : typed.edits) TypeInto(dialog, control, text);
  if (typed.checkedRadio != 0) Click(dialog, typed.checkedRadio);
  // The flows get what the controls hold when OK is pressed, texts left from before included.
  DialogTexts held{{}, typed.checkedRadio};
  for (const ControlLayout& c : LayoutOf(id).controls) {
    if (c.kind == ControlKind::kEdit) held.edits[c.id] = TextOf(dialog, c.id);
  }
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntilGone(dialog)) << CaptionOf(id) << " stayed open after OK";
  flows_ui_.Ok(id, held);
}

void GuiSession::Cancel(DialogId id, CancelBy how) {
  HWND dialog = Dialog(id);
  if (dialog == nullptr) return;
  switch (how) {
    case CancelBy::kButton:
      Click(dialog, IDCANCEL);
      break;
    case CancelBy::kEscape:
      program_->PressKey(VK_ESCAPE);
      break;
    case CancelBy::kCloseBox:
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
  EXPECT_TRUE(WaitUntilGone(dialog)) << CaptionOf(id) << " stayed open after Cancel";
  flows_ui_.Cancel(id);
}

void GuiSession::ExpectMessage() {
  flows_ui_.messages.clear();
  flows_.OnCommand(pending_command_);
  ASSERT_EQ(flows_ui_.messages.size(), 1u) << "the flows showed no single message";
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr) << "no message box for \"" << flows_ui_.messages[0] << "\"";
  EXPECT_EQ(MessageBoxText(box), flows_ui_.messages[0]);
  DismissMessageBox(box);
  EXPECT_TRUE(WaitUntilGone(box));
}

void GuiSession::ExpectNoMessage() {
  flows_ui_.messages.clear();
  flows_.OnCommand(pending_command_);
  EXPECT_TRUE(flows_ui_.messages.empty());
  EXPECT_EQ(program_->WaitForWindow("orlith", 500), nullptr) << "a message box was shown";
}

void GuiSession::ExpectSameFiles() {
  std::set<std::string> names = FileNames(flows_folder_.path());
  EXPECT_EQ(FileNames(program_folder_.path()), names);
  for (const std::string& name : names) {
    EXPECT_TRUE(BytesEqual(flows_folder_.Read(name), program_folder_.Read(name))) << name;
  }
}

}  // namespace orlith::testing
