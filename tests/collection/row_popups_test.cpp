#include <gtest/gtest.h>

#include "collection/collection_fixture.h"
#include "collection/row_popups.h"

namespace tockary::testing {
namespace {

class RowPopupsTest : public CollectionTest {
 protected:
  const Sheet& shown() {
    EXPECT_NE(presenter.lastSheet(), nullptr);
    return *presenter.lastSheet();
  }

  RowPopups popups{services};
};

TEST_F(RowPopupsTest, InfoSheetsUseTheHeadlineAndMessageFonts) {
  auto kello = watch("Omega", "Speedmaster");
  ASSERT_TRUE(popups.quickInfoShow(kello));
  const Sheet& sheet = shown();
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet.title, "Watch details:");
  EXPECT_EQ(sheet.attributedTitle->text, "Watch Technical Info: ");
  EXPECT_EQ(sheet.attributedTitle->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(sheet.attributedTitle->fontSize, 16);
  EXPECT_EQ(sheet.attributedMessage->fontName, "HelveticaNeue");
  EXPECT_EQ(sheet.attributedMessage->fontSize, 14);
  EXPECT_EQ(sheet.attributedMessage->text, sheet.message);
  ASSERT_EQ(sheet.actions.size(), 1U);
  EXPECT_EQ(sheet.actions[0].identity, kOkAction);
  EXPECT_EQ(sheet.actions[0].style, ActionStyle::Cancel);
}

TEST_F(RowPopupsTest, NoWatchShowsNothing) {
  EXPECT_FALSE(popups.dreamWatchInfoShow(nullptr));
  EXPECT_FALSE(popups.vuosiInfoShow(nullptr));
  for (int badge = 1; badge <= 4; ++badge) EXPECT_FALSE(popups.badgeDetailsShow(badge, nullptr));
  EXPECT_FALSE(popups.quickInfoShow(nullptr));
  EXPECT_FALSE(popups.showKeeperRate(nullptr));
  auto kello = watch("Omega");
  EXPECT_FALSE(popups.badgeDetailsShow(5, kello));
  EXPECT_FALSE(popups.vuosiInfoShow(kello));  // no purchase date
  EXPECT_TRUE(presenter.events().empty());
}

TEST_F(RowPopupsTest, ComparisonOfAKeptWatch) {
  auto kello = watch("Omega", "Speedmaster");
  kello->setHalkaisija("42");
  kello->setPaksuus("14");
  kello->setVuosimalli("2010");
  kello->setTauluvari("Black");
  kello->setKuorenmateriaali("Steel");
  kello->setKoneistotyyppi("Manual");
  kello->setOstohinta(4500);
  kello->setVarasarake4(3);
  auto other = watch("Seiko", "SKX");
  other->setHalkaisija("40");
  // As the editor saves them: empty, so left out of the shares (a null would count).
  other->setTauluvari("");
  other->setKuorenmateriaali("");
  other->setKoneistotyyppi("");
  other->setOstohinta(1500.5);
  other->setVarasarake4(1);
  watch("Rolex", "Sub", "buyer")->setVarasarake4(4);  // sold: only its wears count here
  save();

  ASSERT_TRUE(popups.dreamWatchInfoShow(kello));
  const Sheet& sheet = shown();
  EXPECT_EQ(sheet.title, "Watch details:");
  EXPECT_EQ(sheet.displayedTitle(),
            "Omega Speedmaster\nCompared to my Collection\n(excluding sold watches): ");
  EXPECT_EQ(sheet.displayedMessage(),
            "Brand: Omega (50.0%)  \nDiameter: 42mm  (Avg.  41.0mm)\nThickness: 14mm  (Avg.  "
            "14.0mm)  \nDial Color: Black (100.0%) \nCase Material: Steel (100.0%) \nMovement "
            "type:Manual (100.0%) \nYear: 2010 (Avg. 2010.0)  \nPrice:$4,500 (Avg. $3,000.25) "
            "\nWear Count: 3/8 (37.5%)\n(Wear Count includes also sold watches,\n but it can be "
            "reset per each watch).");
  ASSERT_EQ(sheet.actions.size(), 2U);
  EXPECT_EQ(sheet.actions[0].identity, kKeeperRateAction);
  EXPECT_EQ(sheet.actions[0].title, "Keeper Rate");
  EXPECT_EQ(sheet.actions[0].style, ActionStyle::Default);
  EXPECT_EQ(sheet.actions[1].title, "OK");

  ASSERT_TRUE(presenter.press(kKeeperRateAction).isOk());
  EXPECT_TRUE(shown().title->starts_with("Keeper Rate:"));
  EXPECT_FALSE(popups.lastRate().rate.empty());
}

TEST_F(RowPopupsTest, ComparisonOfASoldWatchWithoutAnyWears) {
  auto kello = watch("Rolex", "Sub", "buyer");
  kello->setMyyntihinta(12000);
  kello->setKoneistotyyppi("Automatic");
  save();
  ASSERT_TRUE(popups.dreamWatchInfoShow(kello));
  const Sheet& sheet = shown();
  EXPECT_EQ(sheet.displayedTitle(), "Rolex Sub\nCompared to other\nsold watches: ");
  // No wears in the collection: the rate is "0", without a percent sign; no closing note.
  EXPECT_TRUE(sheet.displayedMessage().ends_with(
      " \nMovement type:Automatic (100.0%) \nYear:  (Avg. 0.0)  \nSold Price:$12,000 (Avg. "
      "$12,000) \nWear Count: 0/0 (0)"))
      << sheet.displayedMessage();
  EXPECT_EQ(sheet.actions[0].identity, kSellerRateAction);
  EXPECT_EQ(sheet.actions[0].title, "Seller Rate");
  ASSERT_TRUE(presenter.press(kSellerRateAction).isOk());
  EXPECT_TRUE(shown().title->starts_with("Seller Rate:"));
}

TEST_F(RowPopupsTest, OwnershipCountsWithSingularWords) {
  auto kello = watch("Omega");
  kello->setOstopvm(at(2024, 6, 10));
  save();
  ASSERT_TRUE(popups.vuosiInfoShow(kello));
  EXPECT_EQ(shown().displayedTitle(), "Ownership duration for this watch so far: ");
  EXPECT_EQ(shown().displayedMessage(), "1 year 0 month 0 day");
  kello->setOstopvm(at(2022, 3, 5));
  ASSERT_TRUE(popups.vuosiInfoShow(kello));
  EXPECT_EQ(shown().displayedMessage(), "3 years 3 months 5 days");
  kello->setOstopvm(at(2025, 5, 9));
  ASSERT_TRUE(popups.vuosiInfoShow(kello));
  EXPECT_EQ(shown().displayedMessage(), "0 year 1 month 1 day");
}

TEST_F(RowPopupsTest, WearsNeededForTheNextBadge) {
  const std::vector<std::pair<long long, long long>> cases = {
      {-1, 0},  {0, 0},     {1, 29},  {29, 1},    {30, 20}, {49, 1},   {50, 50},
      {199, 1}, {200, 100}, {499, 1}, {500, 500}, {999, 1}, {1000, 0}, {1001, 0}};
  for (const auto& [wears, needed] : cases) {
    EXPECT_EQ(wearsToNextBadge(wears), needed) << wears;
  }
  auto kello = watch("Omega");
  kello->setVarasarake4(29);
  ASSERT_TRUE(popups.badge4DetailsShow(kello));
  EXPECT_EQ(shown().title, "");
  EXPECT_EQ(shown().displayedTitle(), "Watch wear count badge status: ");
  EXPECT_EQ(shown().displayedMessage(),
            "Great job on wearing this watch! \nCurrent wear count: 29 \nNumber of wears needed "
            "to reach the next level: 1 ");
}

TEST_F(RowPopupsTest, BadgeSheets) {
  auto kello = watch("Omega");
  kello->setKoneistotyyppi("Automatic");
  kello->setKoneisto("3861");
  kello->setPowerreserve("50");
  kello->setBph("21600");
  kello->setHalkaisija("42");
  kello->setLugivali("20");
  kello->setVarasarake1("47.5");
  kello->setPaksuus("13.2");
  ASSERT_TRUE(popups.badge1DetailsShow(kello));
  EXPECT_EQ(shown().title, "Watch details:");
  EXPECT_EQ(shown().displayedTitle(), "Movement info badge unlocked! ");
  EXPECT_EQ(shown().displayedMessage(),
            "All details entered for movement info \nMovement type: Automatic \nMovement: 3861 "
            "\nPower reserve: 50 hours \nMovement vibrations: 21600 vph");
  ASSERT_TRUE(popups.badge2DetailsShow(kello));
  EXPECT_EQ(shown().title, "Watch dimensions:");
  EXPECT_EQ(shown().displayedTitle(), "Watch dimensions info badge unlocked! ");
  EXPECT_EQ(shown().displayedMessage(),
            "All details entered for watch dimensions \nDiameter: 42 mm \nLug width: 20 mm \nLug "
            "to Lug width: 47.5 mm \nThickness: 13.2 mm");
  ASSERT_TRUE(popups.badge3DetailsShow(kello));
  EXPECT_EQ(shown().title, "Watch dimensions:");
  EXPECT_EQ(shown().displayedTitle(), "Complete watch info badge unlocked! ");
  EXPECT_EQ(shown().displayedMessage(), "All basic details entered for this watch. Great job!");
}

TEST_F(RowPopupsTest, TechnicalSheetLeavesEmptyFieldsEmpty) {
  auto kello = watch("Omega", "Speedmaster");
  kello->setKoneistotyyppi("Manual");
  kello->setPowerreserve("48");
  kello->setHalkaisija("42");
  ASSERT_TRUE(popups.quickInfoShow(kello));
  EXPECT_EQ(shown().displayedMessage(),
            "Omega Speedmaster \nMovement type: Manual \nMovement:  \nPower reserve: 48 hours "
            "\nMovement vibrations:  vph\nDiameter: 42mm\nLug width: mm\nLug-to-Lug width: mm "
            "\nThickness: mm \nCase material: \nBezel material:  \nGlass:  \nCrown type:  "
            "\nReference:  \nSerial number: ");
}

}  // namespace
}  // namespace tockary::testing
