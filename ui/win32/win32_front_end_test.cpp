// The three commands run end to end in the real program: what it shows and every byte it writes
// must be what the portable flows show and write for the same answers.
#include "ui/win32/win32_front_end.h"

#include <tuple>

#include "ui/dialog_layout.h"
#include "ui/win32/testing/gui_session.h"

namespace orlith::testing {
namespace {

using Win32FrontEnd = GuiSession;

// Modify refuses OK while no type was ever checked; then typed key by key where the focus opens,
// and the next dialogs show the texts the last ones left: the position with no type checked, the
// VOR dialog what the NDB dialog stored.
TEST_F(Win32FrontEnd, RefusedThenTypedWhereTheFocusOpensThenTheTextsCarry) {
  Start();
  Choose(kModifyNavAidCommand);
  Refused(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5"), "Check the type of NavAid");
  Cancel(DialogId::kPosition, CancelBy::kButton);
  ExpectNoMessage();
  ExpectSameFiles();  // nothing written

  const std::string long_name(30, 'x');
  Choose(kCreateNavAidCommand);
  TypeAndEnter(DialogId::kPosition, PositionTyped(" n42 34.6", "E012 4.5 ", kNdbButton));
  TypeAndEnter(DialogId::kNdb,
               {{{1013, "abc"}, {1014, "12"}, {1002, "7"}, {1003, "LONGID"}, {1004, long_name}}});
  ExpectMessage();

  Choose(kDeleteNavAidCommand);
  Ok(DialogId::kPosition, {});
  ExpectMessage();  // "All NavAids at  n42 34.6, E012 4.5  are deleted!"
  ExpectSameFiles();

  Choose(kModifyNavAidCommand);
  HWND position = Dialog(DialogId::kPosition);
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(TextOf(position, 1000) + "|" + TextOf(position, 1001), " n42 34.6|E012 4.5 ");
  for (int button : {kVorButton, kIlsButton, kNdbButton}) EXPECT_FALSE(IsChecked(position, button));
  Ok(DialogId::kPosition, {{}, kVorButton});
  HWND vor = Dialog(DialogId::kVor);
  ASSERT_NE(vor, nullptr);
  const std::map<int, std::string> carried{
      {1008, "abc"}, {1011, "LONGID"}, {1012, long_name}, {1005, ""}};
  for (auto [id, text] : carried) EXPECT_EQ(TextOf(vor, id), text) << id;
  Ok(DialogId::kVor, {{{1005, "3"}, {1006, "0"}}});
  ExpectMessage();
  ExpectSameFiles();
}

// Cancel after a position, in each dialog and each way: the message tells what stays (Create wrote
// no scenery file, Modify's switch stays).
TEST_F(Win32FrontEnd, CancelInEachDialogEachWay) {
  Start();
  for (auto [command, button, dialog, how] :
       {std::tuple{kCreateNavAidCommand, kIlsButton, DialogId::kIls, CancelBy::kEscape},
        std::tuple{kModifyNavAidCommand, kVorButton, DialogId::kVor, CancelBy::kCloseBox},
        std::tuple{kCreateNavAidCommand, kNdbButton, DialogId::kNdb, CancelBy::kButton}}) {
    SCOPED_TRACE(CaptionOf(dialog));
    Choose(command);
    Ok(DialogId::kPosition, PositionTyped("S33 56.1", "E151 10.2", button));
    Cancel(dialog, how);
    ExpectMessage();
    ExpectSameFiles();
  }
}

}  // namespace
}  // namespace orlith::testing
