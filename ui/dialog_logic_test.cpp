#include "ui/dialog_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "ui/dialog_layout.h"

namespace orlith {
namespace {

// An NDB entry whose field i holds "old<i>".
NavAidEntry Filled() {
  NavAidEntry e;
  for (int i = 0; i < kEntryFieldCount; ++i) {
    FieldOf(e, static_cast<EntryField>(i)) = "old" + std::to_string(i);
  }
  e.navAidType = "NDB";
  return e;
}

TEST(DialogLogic, PositionOkStoresTheCheckedType) {
  // The button checked, the type before, the type after (none checked: the type before stays).
  // clang-format off
  const std::tuple<int, const char*, const char*> cases[] = {
      {kVorButton, "", "VOR"}, {kIlsButton, "NDB", "ILS"}, {kNdbButton, "VOR", "NDB"}, {0, "", ""},
      {0, "ILS", "ILS"}};
  // clang-format on
  for (const auto& [radio, before, after] : cases) {
    NavAidEntry e;
    e.navAidType = before;
    StoreTypedTexts(DialogId::kPosition, {{{1000, " n 42 34.6 "}, {1001, "w12 24.5"}}, radio}, e);
    EXPECT_EQ(e.navAidType, after) << "radio " << radio << " before '" << before << "'";
    EXPECT_EQ(e.latitude, " n 42 34.6 ");  // stored exactly as typed
    EXPECT_EQ(e.longitude, "w12 24.5");
  }
}

TEST(DialogLogic, ParameterOkStoresOnlyTheDialogsFields) {
  // Per field in entry order, 'x' where the dialog shows and stores it; others stay untouched.
  // clang-format off
  const std::pair<DialogId, std::string> cases[] = {
      {DialogId::kNdb, "---xxx----xx"}, {DialogId::kVor, "---xxxxx--xx"},
      {DialogId::kIls, "---xxxxxxxxx"}};
  // clang-format on
  for (const auto& [id, shows] : cases) {
    NavAidEntry e = Filled();
    DialogTexts typed = ShownTexts(id, e);
    EXPECT_EQ(typed.edits.size(), std::count(shows.begin(), shows.end(), 'x'));
    for (auto& [control, text] : typed.edits) text = "new" + std::to_string(control);
    StoreTypedTexts(id, typed, e);
    std::string stored;
    for (int i = 0; i < kEntryFieldCount; ++i) {
      stored += FieldOf(e, static_cast<EntryField>(i)).starts_with("new") ? 'x' : '-';
    }
    EXPECT_EQ(stored, shows) << static_cast<int>(id);
    EXPECT_EQ(e.navAidType, "NDB");
  }
}

TEST(DialogLogic, ParameterOkStoresTextsUncheckedAndEmptiedControlsAsEmpty) {
  NavAidEntry e = Filled();
  StoreTypedTexts(DialogId::kVor,
                  {{{1008, "abc"}, {1011, "TOOLONGID"}, {1012, std::string(30, 'x')}}, 0}, e);
  EXPECT_EQ(e.frequency, "abc");
  EXPECT_EQ(e.id, "TOOLONGID");
  EXPECT_EQ(e.name, std::string(30, 'x'));
  EXPECT_EQ(e.range + e.dme, "");  // a control missing from typed holds the empty text
}

}  // namespace
}  // namespace orlith
