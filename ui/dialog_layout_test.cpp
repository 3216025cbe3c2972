#include "ui/dialog_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace orlith {
namespace {

constexpr DialogId kAll[] = {DialogId::kPosition, DialogId::kNdb, DialogId::kVor, DialogId::kIls};

TEST(DialogLayout, ControlIdsAreUniqueWithinEachTemplate) {
  for (DialogId id : kAll) {
    std::set<int> seen;
    for (const ControlLayout& c : LayoutOf(id).controls) {
      if (c.id == kStaticId) continue;
      EXPECT_TRUE(seen.insert(c.id).second)
          << "template " << static_cast<int>(id) << " id " << c.id;
      EXPECT_EQ(c.kind == ControlKind::kEdit, c.field.has_value()) << "id " << c.id;
    }
    EXPECT_TRUE(seen.count(1) && seen.count(2)) << "OK and Cancel in " << static_cast<int>(id);
  }
}

TEST(DialogLayout, FocusStartsOnCancelOnlyInTheNdbDialog) {
  // The first tab stop gets the focus: Enter right after the NdbDialog opens cancels it.
  for (DialogId id : kAll) {
    int first = 0;
    for (const ControlLayout& c : LayoutOf(id).controls) {
      if (c.tabStop) {
        first = c.id;
        break;
      }
    }
    EXPECT_EQ(first, id == DialogId::kNdb ? 2 : 1) << static_cast<int>(id);
  }
}

TEST(DialogLayout, TypeButtonsFollowTheLastLabelInOneGroup) {
  auto controls = LayoutOf(DialogId::kPosition).controls;
  ASSERT_GE(controls.size(), 4u);
  auto n = controls.size();
  EXPECT_EQ(controls[n - 4].kind, ControlKind::kStatic);
  EXPECT_EQ(controls[n - 3].id, kVorButton);
  EXPECT_EQ(controls[n - 2].id, kIlsButton);
  EXPECT_EQ(controls[n - 1].id, kNdbButton);
  for (std::size_t i = n - 3; i < n; ++i) EXPECT_FALSE(controls[i].tabStop);
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
