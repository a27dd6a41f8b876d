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

// Whether the window shows nearly white pixels (a drawn text) within the rectangle, in the
// window's points.
bool showsWhite(const QImage& window, const QRectF& area, double scale) {
  for (int y = static_cast<int>(area.top() * scale); y < area.bottom() * scale; ++y) {
    for (int x = static_cast<int>(area.left() * scale); x < area.right() * scale; ++x) {
      const QColor c = window.pixelColor(x, y);
      if (c.red() > 240 && c.green() > 240 && c.blue() > 240) return true;
    }
  }
  return false;
}

TEST_F(RowPopupsGuiTest, StatusButtonShowsTheWatchCard) {
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  watch->setVarasarake2("Keeper");
  watch->setKellokuva(pngPicture(160, 120));
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  click(find(row(*watch), "statusButtonOutlet"));
  QQuickItem* panel = nullptr;
  ASSERT_TRUE(waitFor([&] { return (panel = item("sheetImage_5")) != nullptr; }));
  QQuickItem* status = item("sheetImage_4");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->property("source").toString(), "image://picture/asset/StatusKeeper");
  // The icon springs from a faint dot to its full size.
  ASSERT_TRUE(waitFor([&] { return status->width() == 100 && status->opacity() == 1; }, 6000));
  EXPECT_EQ(status->height(), 100);
  // Placed from the sheet's centre, as the cards are: 113 points right of the inner card.
  EXPECT_EQ(status->x() - panel->x(), 113);
  EXPECT_EQ(status->y() - panel->y(), -20);

  // The panel's texts over the inner card: the brand where the title begins, nothing beside it.
  ASSERT_TRUE(waitFor([&] { return panel->property("status").toInt() == 1; }));  // Ready
  EXPECT_EQ(panel->width(), 300);
  EXPECT_EQ(panel->height(), 500);
  const QPointF origin = panel->mapToScene(QPointF(0, 0));
  settle();
  const QImage shown = window()->grabWindow();
  const double scale = shown.width() / static_cast<double>(window()->width());
  EXPECT_TRUE(showsWhite(shown, QRectF(origin + QPointF(12, 97), QSizeF(40, 10)), scale));
  EXPECT_FALSE(showsWhite(shown, QRectF(origin + QPointF(150, 97), QSizeF(100, 10)), scale));
  screenshot("watch-card");

  pressAction("ok");
  EXPECT_EQ(item("sheetImage_5"), nullptr);
}

}  // namespace
}  // namespace tockary::testing
