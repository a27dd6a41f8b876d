#include <gtest/gtest.h>

#include "gui/collection_screen_support.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

class RowPopupsGuiTest : public CollectionScreenTest {
 protected:
  QString shownText(const char* name) { return item(name)->property("text").toString(); }
};

TEST_F(RowPopupsGuiTest, RateButtonShowsTheComparisonAndItsKeeperRate) {
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  revisitCollection();
  click(find(row(*watch), "dwrButton"));
  ASSERT_TRUE(waitFor([&] { return shownText("sheetHeadline").contains("Compared to my"); }));
  EXPECT_TRUE(shownText("sheetMessage").startsWith("Brand: Omega (100.0%)"));
  pressAction("keeperRate");
  ASSERT_TRUE(waitFor([&] { return shownText("sheetHeadline").startsWith("Keeper Rate:"); }));
  EXPECT_TRUE(shownText("sheetMessage").endsWith("\nKeeper Rate: 0% "));
}

TEST_F(RowPopupsGuiTest, WearBadgeShowsTheWearsNeeded) {
  app->services().defaults.setBool(true, kBadgesSettingOn);
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  watch->setVarasarake4(30);
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  QQuickItem* badge = find(row(*watch), "badge4Outlet");
  ASSERT_NE(badge, nullptr);
  ASSERT_TRUE(badge->isVisible());
  click(badge);
  ASSERT_TRUE(waitFor([&] { return sheetHeadline().length() > 0; }));
  EXPECT_EQ(shownText("sheetHeadline"), "Watch wear count badge status: ");
  EXPECT_TRUE(
      shownText("sheetMessage").contains("Number of wears needed to reach the next level: 20 "));
  pressAction("ok");
  EXPECT_EQ(sheetHeadline(), "");
}

TEST_F(RowPopupsGuiTest, CollectionButtonsShowSummaryAndWatchOfTheDay) {
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  revisitCollection();
  click(item("summaryButton"));
  ASSERT_TRUE(
      waitFor([&] { return shownText("sheetHeadline") == "My watch collection summary: "; }));
  EXPECT_TRUE(shownText("sheetMessage").startsWith("Watches in collection: 1\nSold watches: 0"));
  pressAction("ok");

  click(item("watchOfTheDayButton"));
  ASSERT_TRUE(waitFor([&] { return shownText("sheetHeadline").endsWith(" Omega"); }));
  pressAction("drawAgain");
  ASSERT_TRUE(waitFor([&] { return shownText("sheetHeadline").endsWith(" Omega"); }));
  pressAction("wearToday");
  ASSERT_TRUE(waitFor([&] { return watch->varasarake4() == 1; }));
}

}  // namespace
}  // namespace tockary::testing
