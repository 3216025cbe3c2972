// The three commands run end to end in the real program: what it shows and every byte it writes
// must be what the portable flows show and write for the same answers.
#include "ui/win32/win32_front_end.h"

#include "ui/dialog_layout.h"
#include "ui/win32/testing/gui_session.h"

namespace orlith::testing {
namespace {

using Win32FrontEnd = GuiSession;

using Texts = std::map<int, std::string>;

DialogTexts Edits(Texts edits) { return {std::move(edits), 0}; }

// clang-format off
const Texts kNdb = {{1013, "344.5"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"},
                    {1004, "Alpha NDB"}};
const Texts kVor = {{1008, "114.3"}, {1009, "40"}, {1005, "-2.5"}, {1010, "300"}, {1011, "VRB"},
                    {1006, "1"}, {1012, "Bravo VOR"}};
const Texts kIls = {{1015, "110.9"}, {1016, "18"}, {1017, "1.5"}, {1018, "12"}, {1019, "273.4"},
                    {1020, "3.0"}, {1023, "ICHR"}, {1025, "1"}, {1021, "Charlie ILS runway 27"}};
// clang-format on

// Into the scenery folder, which the first Create makes.
TEST_F(Win32FrontEnd, CreateEachTypeWritesTheFlowsBytes) {
  Start(true, "Addon Scenery\\Updates\\scenery");
  for (auto [button, dialog, parameters] : {std::tuple{kNdbButton, DialogId::kNdb, &kNdb},
                                            std::tuple{kVorButton, DialogId::kVor, &kVor},
                                            std::tuple{kIlsButton, DialogId::kIls, &kIls}}) {
    SCOPED_TRACE(CaptionOf(dialog));
    Choose(kCreateNavAidCommand);
    Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", button));
    Ok(dialog, Edits(*parameters));
    ExpectMessage();
    ExpectSameFiles();
  }
}

TEST_F(Win32FrontEnd, OkWithoutTypeStaysOpenF18ThenTypingWhereTheFocusOpensF17) {
  Start();
  Choose(kModifyNavAidCommand);
  Refused(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5"), "Check the type of NavAid");
  Cancel(DialogId::kPosition, CancelBy::kButton);
  ExpectNoMessage();
  ExpectSameFiles();  // nothing written

  Choose(kCreateNavAidCommand);
  TypeAndEnter(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", kNdbButton));
  TypeAndEnter(DialogId::kNdb, Edits({{1013, "345"}, {1014, "25"}}));
  ExpectMessage();
  ExpectSameFiles();
}

TEST_F(Win32FrontEnd, DeleteFirstWithoutTypeThenModifyCarriesTheTexts) {
  Start();
  Choose(kDeleteNavAidCommand);
  Ok(DialogId::kPosition, PositionTyped(" n42 34.6", "E012 4.5 ", 0));
  ExpectMessage();  // "All NavAids at  n42 34.6, E012 4.5  are deleted!"
  ExpectSameFiles();

  Choose(kCreateNavAidCommand);
  Ok(DialogId::kPosition, PositionTyped(" n42 34.6", "E012 4.5 ", kNdbButton));
  const std::string long_name(30, 'x');
  const Texts ndb = {{1013, "abc"}, {1014, "12"}, {1002, "7"}, {1003, "LONGID"}, {1004, long_name}};
  Ok(DialogId::kNdb, Edits(ndb));
  ExpectMessage();

  // Modify with VOR: the position dialog shows the last texts and no checked type, the VOR dialog
  // shows what the NDB dialog stored.
  Choose(kModifyNavAidCommand);
  HWND position = Dialog(DialogId::kPosition);
  ASSERT_NE(position, nullptr);
  EXPECT_EQ(TextOf(position, 1000) + "|" + TextOf(position, 1001), " n42 34.6|E012 4.5 ");
  for (int button : {kVorButton, kIlsButton, kNdbButton}) EXPECT_FALSE(IsChecked(position, button));
  Ok(DialogId::kPosition, PositionTyped(" n42 34.6", "E012 4.5 ", kVorButton));
  HWND vor = Dialog(DialogId::kVor);
  ASSERT_NE(vor, nullptr);
  for (auto [id, text] : Texts{{1008, "abc"}, {1011, "LONGID"}, {1012, long_name}, {1005, ""}})
    EXPECT_EQ(TextOf(vor, id), text) << id;
  Ok(DialogId::kVor, Edits({{1005, "3"}, {1006, "0"}}));
  ExpectMessage();
  ExpectSameFiles();
}

TEST_F(Win32FrontEnd, CancelInEachDialogF9) {
  Start();
  // A Cancel before any position was confirmed stops the command; nothing is written.
  Choose(kDeleteNavAidCommand);
  Cancel(DialogId::kPosition, CancelBy::kButton);
  ExpectNoMessage();
  ExpectSameFiles();

  Choose(kCreateNavAidCommand);
  Ok(DialogId::kPosition, PositionTyped("S33 56.1", "E151 10.2", kIlsButton));
  Cancel(DialogId::kIls, CancelBy::kEscape);
  ExpectMessage();  // no scenery file was written (F19)
  ExpectSameFiles();

  Choose(kModifyNavAidCommand);
  Ok(DialogId::kPosition, PositionTyped("S33 56.1", "E151 10.2", kVorButton));
  Cancel(DialogId::kVor, CancelBy::kCloseBox);
  ExpectMessage();  // the exclusion switch stays; no scenery file
  ExpectSameFiles();

  Choose(kCreateNavAidCommand);
  Ok(DialogId::kPosition, PositionTyped("S33 56.1", "E151 10.2", kNdbButton));
  Cancel(DialogId::kNdb, CancelBy::kButton);
  ExpectMessage();

  Choose(kModifyNavAidCommand);
  Cancel(DialogId::kPosition, CancelBy::kEscape);
  ExpectNoMessage();
  ExpectSameFiles();
}

}  // namespace
}  // namespace orlith::testing
