#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "gui/collection_screen_support.h"
#include "settings/preference_keys.h"
#include "store/screens.h"
#include "watch/watch_status.h"

namespace tockary::testing {
namespace {

using DetailScreenTest = CollectionScreenTest;

class DetailOpened : public CollectionScreenTest {
 protected:
  void SetUp() override {
    CollectionScreenTest::SetUp();
    watch = addWatch("Omega", "Speedmaster", "1969");
    watch->setHalkaisija("42");
    watch->setKoneistotyyppi("Manual");
    ASSERT_TRUE(app->services().context().save().isOk());
    revisitCollection();
    click(row(*watch));
    ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  }

  QString outlet(const QString& name) { return textOf(item("detailPage"), name); }

  std::shared_ptr<Kello> watch;
};

TEST_F(DetailOpened, TappingARowShowsTheWatch) {
  EXPECT_EQ(outlet("basicWatchDetailsLabel"), "Omega, Speedmaster  ( 1969 )");
  EXPECT_EQ(outlet("detailTitle"), "OMEGA");
  EXPECT_EQ(outlet("movementDetailsLabel"), "This watch has a Manual movement.");
  EXPECT_EQ(outlet("halkaisijaTextField"), "42");
  EXPECT_EQ(outlet("timesWornLabel"), "0");
  EXPECT_EQ(outlet("statusTextField"), "Not Set");
  screenshot("face-1");
}

TEST_F(DetailOpened, TheFlipTurnsThroughTheThreeFaces) {
  click(item("flipButton"));
  settle(900);
  EXPECT_EQ(item("detailPictureImage")->property("source").toString(),
            "image://picture/asset/nopic.png");
  EXPECT_EQ(accessibleName(item("detailPictureImage")), "no picture");
  EXPECT_EQ(item("tekstiView"), nullptr);
  screenshot("face-2");
  click(item("flipButton"));
  settle(900);
  EXPECT_EQ(item("detailPictureImage")->property("source").toString(),
            "image://picture/asset/Watch_Diagram.png");
  EXPECT_EQ(accessibleName(item("detailPictureImage")), "dimension diagram");
  ASSERT_NE(item("tekstiView"), nullptr);
  EXPECT_EQ(textOf(item("tekstiView"), "diagram_diameter"), "42 mm");
  EXPECT_EQ(textOf(item("tekstiView"), "diagram_lugWidth"), "??");
  screenshot("face-3");
  click(item("flipButton"));
  settle(900);
  EXPECT_EQ(item("tekstiView"), nullptr);
}

int statusRow(std::string_view name) {
  for (std::size_t i = 0; i < kWatchStatuses.size(); ++i) {
    if (kWatchStatuses[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

// The status wheel opens at its first row with the keys, follows a drag, and stores the status
// it shows when confirmed by its button or by Return.
TEST_F(DetailOpened, TheStatusWheelStoresTheStatusItIsDraggedTo) {
  click(item("statusButtonOutlet"));
  QQuickItem* wheel = item("statusWheel");
  ASSERT_NE(wheel, nullptr);
  EXPECT_TRUE(wheel->hasActiveFocus());
  EXPECT_EQ(wheel->property("currentIndex").toInt(), 0);
  ASSERT_TRUE(dragWheelTo(wheel, statusRow("Keeper")));
  EXPECT_EQ(outlet("statusTextField"), "Keeper");
  EXPECT_EQ(item("statusBigIcon")->property("name").toString(), "StatusKeeperBig");
  screenshot("status-wheel");
  click(item("statusToolbarButton"));
  EXPECT_EQ(item("statusWheel"), nullptr);
  EXPECT_EQ(watch->varasarake2(), "Keeper");
  EXPECT_EQ(outlet("statusTextField"), "Keeper");
  screenshot("status-keeper");

  // Again from the field, by the mouse wheel and the keys: one row per notch and per key.
  click(item("statusTextField"));
  wheel = item("statusWheel");
  ASSERT_NE(wheel, nullptr);
  EXPECT_EQ(wheel->property("currentIndex").toInt(), 0);
  scroll(wheel, 3);
  EXPECT_EQ(wheel->property("currentIndex").toInt(), 3);
  pressKey(Qt::Key_Up);
  EXPECT_EQ(wheel->property("currentIndex").toInt(), 2);
  EXPECT_EQ(outlet("statusTextField").toStdString(), kWatchStatuses[2].name);
  pressKey(Qt::Key_Return);
  EXPECT_EQ(item("statusWheel"), nullptr);
  EXPECT_EQ(watch->varasarake2(), std::string(kWatchStatuses[2].name));
}

TEST_F(DetailOpened, AConfirmedWearShowsTheFirstBadgeAndTheNewFigures) {
  click(item("wearButton"));
  EXPECT_EQ(sheetHeadline(), "Please confirm having worn this Watch today");
  EXPECT_EQ(item("sheetAction_confirmWear")->property("text").toString(), "Confirm");
  pressAction("confirmWear");
  EXPECT_EQ(sheetHeadline(), "Badge unlocked for wearing this watch for the first time");
  screenshot("badge");
  pressAction("ok");
  // The screen redraws once the sheet's action has run.
  EXPECT_TRUE(waitFor([&] { return outlet("timesWornLabel") == "1"; }));
  EXPECT_EQ(outlet("daysAgoLabel"), "0");
  EXPECT_EQ(outlet("keeperRateLabel"), "100.0%");
  EXPECT_EQ(watch->varasarake4(), 1);

  // The reset zeroes the figures and keeps the screen open.
  click(item("resetButton"));
  pressAction("resetWristStats");
  EXPECT_TRUE(waitFor([&] { return outlet("timesWornLabel") == "0"; }));
  EXPECT_EQ(outlet("dateLastWornLabel"), "-----");
  EXPECT_EQ(watch->varasarake4(), 0);
  EXPECT_NE(item("detailPage"), nullptr);
}

TEST_F(DetailOpened, BackOnTheListTheRowShowsTheNewWear) {
  click(item("wearButton"));
  pressAction("confirmWear");
  pressAction("ok");
  click(item("backButton"));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") == nullptr; }));
  click(item("infoModeButton"));
  EXPECT_EQ(textOf(row(*watch), "manufacturerLabel"), "Wear count: 1");
  EXPECT_EQ(textOf(row(*watch), "yearLabel"), "Days since last worn: 0");
}

TEST_F(DetailOpened, AnAdjustedCountIsStoredAndClosesTheScreen) {
  auto* stack = item("collectionStack");
  ASSERT_EQ(stack->property("depth").toInt(), 2);
  click(item("resetButton"));
  pressAction("adjustWearCount");
  EXPECT_EQ(sheetHeadline(), "Adjust wear count");
  QQuickItem* field = item("sheetField_0");
  ASSERT_NE(field, nullptr);

  // A number the count cannot be is refused and changes nothing.
  click(field);
  type("-3");
  pressAction("submitNewWearCount");
  EXPECT_EQ(watch->varasarake4(), 0);
  EXPECT_EQ(stack->property("depth").toInt(), 2);
  EXPECT_EQ(item("sheetMessage")->property("text").toString().toStdString(),
            TarkasteleKelloaTableViewController::kWearCountRefused);
  pressAction("ok");

  click(item("resetButton"));
  pressAction("adjustWearCount");
  click(item("sheetField_0"));
  type("60");
  screenshot("adjust");
  pressAction("submitNewWearCount");
  EXPECT_EQ(watch->varasarake4(), 60);
  EXPECT_TRUE(waitFor([&] { return stack->property("depth").toInt() == 1; }));
  click(item("infoModeButton"));
  EXPECT_EQ(textOf(row(*watch), "manufacturerLabel"), "Wear count: 60");
}

TEST_F(DetailOpened, EditOpensTheEditorOverTheDetail) {
  click(item("editButton"));
  EXPECT_EQ(item("collectionStack")->property("depth").toInt(), 3);
}

TEST_F(DetailScreenTest, AWatchWithItsOwnPictureShowsIt) {
  auto watch = addWatch("Grand Seiko", "SBGA211", "2017");
  watch->setKellokuva(pngPicture(600, 600));
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  click(row(*watch));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  QQuickItem* picture = item("detailPictureImage");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->property("source").toString().startsWith(
      "image://picture/" + QString::fromStdString(watch->objectID().text()) + "/front/"));
  EXPECT_TRUE(waitFor([&] { return picture->property("status").toInt() == 1; }));  // Ready
  EXPECT_EQ(accessibleName(picture), "front picture");
  screenshot("own-picture");
}

TEST_F(DetailScreenTest, AWatchThatIsGoneShowsTheEmptyScreen) {
  app->services().presenter.push(ScreenRequest{std::string(kWatchDetailScreen), "Kello/77", {}});
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  EXPECT_EQ(textOf(item("detailPage"), "basicWatchDetailsLabel"), "Please fill in Watch Details");
  EXPECT_FALSE(item("wearButton")->isEnabled());
}

}  // namespace
}  // namespace tockary::testing
