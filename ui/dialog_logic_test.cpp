#include "ui/dialog_logic.h"

#include <gtest/gtest.h>

#include "ui/dialog_layout.h"

namespace orlith {
namespace {

NavAidEntry Filled() {
  NavAidEntry e;
  for (int i = 0; i < kEntryFieldCount; ++i) {
    FieldOf(e, static_cast<EntryField>(i)) = "old" + std::to_string(i);
  }
  e.navAidType = "NDB";
  return e;
}

TEST(DialogLogic, PositionOpensWithCoordinatesAndNoTypeChecked) {
  NavAidEntry e = Filled();
  DialogTexts shown = ShownTexts(DialogId::kPosition, e);
  EXPECT_EQ(shown.edits, (std::map<int, std::string>{{1000, "old0"}, {1001, "old1"}}));
  EXPECT_EQ(shown.checkedRadio, 0);
}

TEST(DialogLogic, PositionOkStoresTheCheckedType) {
  struct Case {
    int radio;
    std::string before, after;
  } cases[] = {
      {kVorButton, "", "VOR"}, {kIlsButton, "NDB", "ILS"}, {kNdbButton, "VOR", "NDB"}, {0, "", ""},
      {0, "ILS", "ILS"},  // none checked: the type chosen before stays
  };
  for (const Case& c : cases) {
    NavAidEntry e;
    e.navAidType = c.before;
    DialogTexts typed;
    typed.edits = {{1000, " n 42 34.6 "}, {1001, "w12 24.5"}};
    typed.checkedRadio = c.radio;
    StoreTypedTexts(DialogId::kPosition, typed, e);
    EXPECT_EQ(e.navAidType, c.after) << "radio " << c.radio << " before '" << c.before << "'";
    EXPECT_EQ(e.latitude, " n 42 34.6 ");  // stored exactly as typed
    EXPECT_EQ(e.longitude, "w12 24.5");
  }
}

TEST(DialogLogic, ParameterOkStoresOnlyTheDialogsFields) {
  // Fields a dialog does not show are neither shown nor changed by it.
  struct Case {
    DialogId id;
    std::vector<EntryField> shown;
  } cases[] = {
      {DialogId::kNdb,
       {EntryField::kFrequency, EntryField::kRange, EntryField::kAltitude, EntryField::kId,
        EntryField::kName}},
      {DialogId::kVor,
       {EntryField::kFrequency, EntryField::kRange, EntryField::kMagneticDeviation,
        EntryField::kAltitude, EntryField::kId, EntryField::kDme, EntryField::kName}},
      {DialogId::kIls,
       {EntryField::kFrequency, EntryField::kRange, EntryField::kMagneticDeviation,
        EntryField::kAltitude, EntryField::kLocalizerDirection, EntryField::kGlideslopeAngle,
        EntryField::kId, EntryField::kDme, EntryField::kName}},
  };
  for (const Case& c : cases) {
    NavAidEntry e = Filled();
    DialogTexts typed = ShownTexts(c.id, e);
    EXPECT_EQ(typed.edits.size(), c.shown.size());
    for (auto& [id, text] : typed.edits) text = "new" + std::to_string(id);
    StoreTypedTexts(c.id, typed, e);
    for (int i = 0; i < kEntryFieldCount; ++i) {
      auto field = static_cast<EntryField>(i);
      bool is_shown = std::find(c.shown.begin(), c.shown.end(), field) != c.shown.end();
      EXPECT_EQ(FieldOf(e, field).starts_with("new"), is_shown)
          << "dialog " << static_cast<int>(c.id) << " field " << i << ": " << FieldOf(e, field);
    }
    EXPECT_EQ(e.navAidType, "NDB");
  }
}

TEST(DialogLogic, ParameterOkStoresTextsUncheckedAndEmptiedControlsAsEmpty) {
  NavAidEntry e = Filled();
  DialogTexts typed;
  typed.edits = {{1008, "abc"}, {1011, "TOOLONGID"}, {1012, std::string(30, 'x')}};
  StoreTypedTexts(DialogId::kVor, typed, e);
  EXPECT_EQ(e.frequency, "abc");
  EXPECT_EQ(e.id, "TOOLONGID");
  EXPECT_EQ(e.name, std::string(30, 'x'));
  EXPECT_EQ(e.range, "");  // a control missing from typed holds the empty text
  EXPECT_EQ(e.dme, "");
}

TEST(DialogLogic, ParameterDialogOfEachType) {
  EXPECT_EQ(ParameterDialogFor("NDB"), DialogId::kNdb);
  EXPECT_EQ(ParameterDialogFor("VOR"), DialogId::kVor);
  EXPECT_EQ(ParameterDialogFor("ILS"), DialogId::kIls);
  EXPECT_EQ(ParameterDialogFor(""), std::nullopt);
  EXPECT_EQ(ParameterDialogFor("vor"), std::nullopt);  // compared case-sensitively
  EXPECT_EQ(TypeButtonFor("ILS"), kIlsButton);
  EXPECT_EQ(TypeButtonFor(""), 0);
}

}  // namespace
}  // namespace orlith
