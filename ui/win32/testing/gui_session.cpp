#include "ui/win32/testing/gui_session.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "ui/dialog_layout.h"

namespace orlith::testing {
namespace {

std::set<std::string> FileNames(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) names.insert(entry.path().lexically_relative(folder).string());
  }
  return names;
}

}  // namespace

std::string CaptionOf(DialogId id) { return LayoutOf(id).caption; }

void GuiSession::SetUp() { flows_folder_.Write("scenery.cfg", kSampleConfig); }

void GuiSession::Start(bool with_config, const std::string& scenery_folder) {
  if (with_config) program_folder_.Write("scenery.cfg", kSampleConfig);
  flows_ = std::make_unique<orlith::MainWindow>(
      flows_ui_, WorkFolder{flows_folder_.path(), DefaultFileEnv(), scenery_folder});
  program_ = std::make_unique<OrlithProcess>(
      program_folder_.path(),
      scenery_folder.empty() ? "" : "--scenery-folder \"" + scenery_folder + "\"");
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
  DialogTexts held = Held(dialog, id, typed.checkedRadio);
  Click(dialog, IDOK);
  EXPECT_TRUE(WaitUntilGone(dialog)) << CaptionOf(id) << " stayed open after OK";
  flows_ui_.Ok(id, held);
}

void GuiSession::TypeAndEnter(DialogId id, const DialogTexts& typed) {
  HWND dialog = Dialog(id);
  if (dialog == nullptr) return;
  bool first = true;
  for (const ControlLayout& c : LayoutOf(id).controls) {
    auto text = typed.edits.find(c.id);
    if (text == typed.edits.end()) continue;
    if (!first) program_->PressKey(VK_TAB);
    first = false;
    ASSERT_TRUE(program_->WaitForFocus(dialog, c.id)) << "edit " << c.id << " has no focus";
    program_->TypeKeys(text->second);
    ASSERT_TRUE(WaitForText(dialog, c.id, text->second)) << "edit " << c.id;
  }
  if (typed.checkedRadio != 0) Click(dialog, typed.checkedRadio);
  DialogTexts held = Held(dialog, id, typed.checkedRadio);
  program_->PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntilGone(dialog)) << CaptionOf(id) << " stayed open after Enter";
  flows_ui_.Ok(id, held);
}

void GuiSession::Refused(DialogId id, const DialogTexts& typed, const std::string& refusal) {
  HWND dialog = Dialog(id);
  if (dialog == nullptr) return;
  for (const auto& [control, text] : typed.edits) TypeInto(dialog, control, text);
  flows_ui_.Ok(id, Held(dialog, id, typed.checkedRadio));
  Click(dialog, IDOK);
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr) << "no message box for \"" << refusal << "\"";
  EXPECT_EQ(MessageBoxText(box), refusal);
  EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
  DismissMessageBox(box);
  EXPECT_TRUE(WaitUntilGone(box));
  EXPECT_TRUE(IsWindowVisible(dialog)) << CaptionOf(id) << " closed after a refused OK";
  refusals_.push_back(refusal);
}

DialogTexts GuiSession::Held(HWND dialog, DialogId id, int radio) const {
  DialogTexts held{{}, radio};
  for (const ControlLayout& c : LayoutOf(id).controls) {
    if (c.kind == ControlKind::kEdit) held.edits[c.id] = TextOf(dialog, c.id);
  }
  return held;
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
  flows_->OnCommand(pending_command_);
  std::vector<std::string> refusals = std::move(refusals_);
  refusals_.clear();
  ASSERT_EQ(flows_ui_.messages.size(), refusals.size() + 1) << "the flows showed no last message";
  EXPECT_TRUE(std::equal(refusals.begin(), refusals.end(), flows_ui_.messages.begin()));
  HWND box = program_->WaitForWindow("orlith");
  ASSERT_NE(box, nullptr) << "no message box for \"" << flows_ui_.messages.back() << "\"";
  EXPECT_EQ(MessageBoxText(box), flows_ui_.messages.back());
  DismissMessageBox(box);
  EXPECT_TRUE(WaitUntilGone(box));
}

void GuiSession::ExpectNoMessage() {
  flows_ui_.messages.clear();
  flows_->OnCommand(pending_command_);
  EXPECT_EQ(flows_ui_.messages, refusals_);
  refusals_.clear();
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
