// The dialogs every front end draws: their layouts, and what they show and store.
#include "ui/dialog_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/dialog_layout.h"

namespace orlith {
namespace {

// Per field in entry order: 'x' where the dialog shows and stores it, whole and unchecked; 'e'
// the first field, whose control is left out of the typed texts, so it is emptied; '-' untouched,
// the type too with no button checked (the type a checked button stores: the command flows').
TEST(DialogLogic, OkStoresOnlyTheDialogsFields) {
  const std::pair<DialogId, std::string> cases[] = {{DialogId::kPosition, "ex----------"},
                                                    {DialogId::kNdb, "---exx----xx"},
                                                    {DialogId::kVor, "---exxxx--xx"},
                                                    {DialogId::kIls, "---exxxxxxxx"}};
  for (const auto& [id, shows] : cases) {
    NavAidEntry e;
    for (int i = 0; i < kEntryFieldCount; ++i) FieldOf(e, static_cast<EntryField>(i)) = "old";
    DialogTexts typed = ShownTexts(id, e);
    EXPECT_EQ(typed.edits.size(), shows.size() - std::count(shows.begin(), shows.end(), '-'));
    for (auto& [control, text] : typed.edits) text = std::to_string(control) + std::string(30, 'x');
    typed.edits.erase(InitialFocusId(LayoutOf(id)));
    StoreTypedTexts(id, typed, e);
    std::string stored;
    for (int i = 0; i < kEntryFieldCount; ++i) {
      const std::string& field = FieldOf(e, static_cast<EntryField>(i));
      stored += field.empty() ? 'e' : field == "old" ? '-' : field.size() == 34 ? 'x' : '?';
    }
    EXPECT_EQ(stored, shows) << static_cast<int>(id);
  }
}

TEST(DialogLayout, UniqueIdsEditsWithFieldsAndFocusInTheFirstFieldF17) {
  // The dialog and the field the focus opens in: the latitude, or the frequency.
  for (auto [id, focus] : {std::pair{DialogId::kPosition, 1000},
                           {DialogId::kNdb, 1013},
                           {DialogId::kVor, 1008},
                           {DialogId::kIls, 1015}}) {
    std::set<int> seen;
    int first_tab_stop = 0;
    for (const ControlLayout& c : LayoutOf(id).controls) {
      EXPECT_TRUE(c.id == kStaticId || seen.insert(c.id).second) << "id " << c.id;
      EXPECT_EQ(c.kind == ControlKind::kEdit, c.field.has_value()) << "id " << c.id;
      if (first_tab_stop == 0 && c.tabStop) first_tab_stop = c.id;
    }
    EXPECT_TRUE(seen.count(1) && seen.count(2)) << "OK and Cancel in " << static_cast<int>(id);
    // The tab order stays: "Abbrechen" leads in the NDB dialog, OK in the others.
    EXPECT_EQ(first_tab_stop, id == DialogId::kNdb ? 2 : 1) << static_cast<int>(id);
    EXPECT_EQ(InitialFocusId(LayoutOf(id)), focus);
  }
}

TEST(DialogLayout, TypeButtonsFollowTheLastLabelInOneGroup) {
  const auto& all = LayoutOf(DialogId::kPosition).controls;
  ASSERT_GE(all.size(), 4u);
  const ControlLayout* c = &all[all.size() - 4];
  EXPECT_EQ(c[0].kind, ControlKind::kStatic);
  EXPECT_EQ(std::vector<int>({c[1].id, c[2].id, c[3].id}),
            std::vector<int>({kVorButton, kIlsButton, kNdbButton}));
  EXPECT_FALSE(c[1].tabStop || c[2].tabStop || c[3].tabStop);
}

TEST(DialogLayout, TitleLinesCentredOnTheFixedRectangle) {
  EXPECT_EQ(TitleOrigin(300).x, 170);
  EXPECT_EQ(TitleOrigin(300).y, 120);
  EXPECT_EQ(SubtitleOrigin(647).x, -3);  // truncated toward zero, not floored
  EXPECT_EQ(SubtitleOrigin(647).y, 180);
  EXPECT_EQ(CreditOrigin(0).y, 360);
}

TEST(DialogLayout, MenuRoutesTheFourCommands) {
  auto menu = MainMenu();
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_STREQ(menu[0].text, "Delete NavAid");
  EXPECT_EQ(menu[0].commandId, 40001);
  EXPECT_EQ(menu[2].commandId, 40003);
  EXPECT_STREQ(menu[3].text, "Exit Program");
  EXPECT_EQ(menu[3].commandId, 8);
}

}  // namespace
}  // namespace orlith
