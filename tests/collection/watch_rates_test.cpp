#include <gtest/gtest.h>

#include "collection/collection_fixture.h"
#include "collection/row_popups.h"
#include "collection/watch_rates.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

// A collection where one kept watch is exactly its family's average in every respect.
class WatchRatesTest : public CollectionTest {
 protected:
  std::shared_ptr<Kello> typical(const std::string& brand, const std::string& soldTo = "") {
    auto kello = watch(brand, "Model", soldTo);
    kello->setHalkaisija("40");
    kello->setPaksuus("12");
    kello->setVuosimalli("2000");
    kello->setTauluvari("Black");
    kello->setKuorenmateriaali("Steel");
    kello->setKoneistotyyppi("Automatic");
    save();
    return kello;
  }

  const Sheet& shown() {
    EXPECT_NE(presenter.lastSheet(), nullptr);
    return *presenter.lastSheet();
  }

  RowPopups popups{services};
};

TEST_F(WatchRatesTest, MeanReadsComponentsBackAndTurnsNanIntoZero) {
  EXPECT_EQ(meanRateText({"100.0", "50.0"}), "75.0");
  EXPECT_EQ(meanRateText({"nan", "100.0"}), "0");
  EXPECT_EQ(meanRateText({"-inf", "100.0"}), "-inf");
  EXPECT_EQ(meanRateText({"100.0", ""}), std::nullopt);
  // Components enter as shown, rounded to one decimal: 33.3 + 66.7, not 1/3 + 2/3 of 100.
  EXPECT_EQ(meanRateText({"33.3", "66.7"}), "50.0");
  EXPECT_EQ(meanRateText({"0.1", "0.0"}), "0.1");
}

TEST_F(WatchRatesTest, ExactlyTypicalAndOnlyWornWatchIsAFullKeeper) {
  auto kept = typical("Omega");
  kept->setVarasarake4(5);
  save();
  typical("Seiko", "buyer");  // sold: neither in the family nor worn

  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_EQ(popups.lastRate().rate, "100.0");
  const Sheet& sheet = shown();
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  EXPECT_TRUE(sheet.title->starts_with("Keeper Rate:\nThe following attributes comprise"));
  EXPECT_TRUE(sheet.title->ends_with("important to have the purchase date of the watch entered."));
  EXPECT_EQ(*sheet.message,
            "Diameter: 40mm  (Avg.  40.0mm)   \nThickness: 12mm  (Avg.  12.0mm)  \nDial Color: "
            "Black (100.0%) \nCase Material: Steel (100.0%) \nMovement type:Automatic (100.0%) "
            "\nYear: 2000 (Avg. 2000.0) KR: 100.0%  \nKeeper Rate: 100.0% ");
  ASSERT_EQ(sheet.actions.size(), 1U);
  EXPECT_EQ(sheet.actions[0].title, "OK");
  EXPECT_EQ(sheet.actions[0].style, ActionStyle::Cancel);
}

TEST_F(WatchRatesTest, WearsOfSoldWatchesLowerTheWearComponent) {
  auto kept = typical("Omega");
  kept->setVarasarake4(5);
  auto sold = typical("Seiko", "buyer");
  sold->setVarasarake4(5);
  save();
  ASSERT_TRUE(popups.showKeeperRate(kept));
  // (50 + 7 × 100) ÷ 8 = 93.75, shown with one decimal.
  EXPECT_EQ(popups.lastRate().rate, "93.8");
}

TEST_F(WatchRatesTest, NoWearsAtAllGiveZeroEvenWithoutAPurchaseDate) {
  auto kept = typical("Omega");
  ASSERT_FALSE(kept->ostopvm());
  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_EQ(popups.lastRate().rate, "0");
  EXPECT_TRUE(shown().message->ends_with("\nKeeper Rate: 0% "));
}

TEST_F(WatchRatesTest, KeeperRateIsLoggedOnlyWithTheLogOnAndNotesPresent) {
  auto kept = typical("Omega");
  kept->setVarasarake4(1);
  save();
  // Log off: nothing changes, not even pending.
  defaults.setBool(false, kEnableHistoryLogSettingOn);
  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_FALSE(kept->varasarake3());
  EXPECT_FALSE(context().hasChanges());

  // Log on but no notes at all: still nothing.
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_FALSE(kept->varasarake3());

  kept->setVarasarake3("");
  save();
  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_TRUE(popups.lastRate().logged.isOk());
  EXPECT_EQ(kept->varasarake3(), "\n6/10/25: Keeper Rate: 100.0 %");
  EXPECT_FALSE(context().hasChanges());  // saved
}

TEST_F(WatchRatesTest, KeeperRateLogFailures) {
  auto kept = typical("Omega");
  kept->setVarasarake3("Notes");
  save();
  defaults.setBool(true, kEnableHistoryLogSettingOn);

  lockStore();
  ASSERT_TRUE(popups.showKeeperRate(kept));
  EXPECT_TRUE(isStoreBusy(popups.lastRate().logged));
  EXPECT_EQ(kept->varasarake3(), "Notes");
  unlockStore();

  refuseWatchWrites();
  EXPECT_THROW(popups.showKeeperRate(kept), FatalStop);
}

TEST_F(WatchRatesTest, SellerRateComparesWithSoldWatchesAndWritesNothing) {
  auto sold = typical("Seiko", "buyer");
  sold->setVarasarake3("Notes");
  sold->setMyyntihinta(1200);
  save();
  auto other = typical("Omega", "dealer");
  other->setHalkaisija("44");  // sold average diameter 42
  save();
  typical("Seiko");  // unsold: not in the family
  defaults.setBool(true, kEnableHistoryLogSettingOn);

  ASSERT_TRUE(popups.showSellerRate(sold));
  const Sheet& sheet = shown();
  EXPECT_TRUE(sheet.title->starts_with("Seller Rate:\nThe below attributes contribute"));
  EXPECT_TRUE(sheet.title->ends_with("(and all the other watches!)"));
  // Brand 50, diameter 100 − 2 ÷ 42 × 100 = 95.2, five components at 100: 645.2 ÷ 7 = 92.17.
  EXPECT_EQ(*sheet.message,
            "Brand: Seiko (50.0%)  \nDiameter: 40mm  (Avg.  42.0mm) \nThickness: 12mm  (Avg.  "
            "12.0mm) \nDial Color: Black (100.0%) \nCase Material: Steel (100.0%) \nMovement "
            "type:Automatic (100.0%) \nYear: 2000 (Avg. 2000.0) SR: 100.0%\nSeller Rate: 92.2% ");
  EXPECT_EQ(sold->varasarake3(), "Notes");
  EXPECT_FALSE(context().hasChanges());
}

}  // namespace
}  // namespace tockary::testing
