#include "gui/collection_screen_support.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

TEST_F(CollectionScreenTest, AStoredWatchIsListedWithItsLines) {
  screenshot("empty");
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  revisitCollection();
  QQuickItem* listed = row(*watch);
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(textOf(listed, "manufacturerLabel"), "Omega");
  EXPECT_EQ(textOf(listed, "modelLabel"), "Speedmaster");
  EXPECT_EQ(textOf(listed, "yearLabel"), "1969");
  EXPECT_EQ(find(listed, "statusButtonOutlet")->property("name").toString(), "NotSetGrey");
  EXPECT_EQ(find(listed, "dotsButton")->property("name").toString(), "Dots");
  screenshot("one-watch");

  // The info mode button turns every row to the wear lines; six presses come back.
  click(item("infoModeButton"));
  EXPECT_EQ(textOf(row(*watch), "manufacturerLabel"), "Wear count: 0");
  EXPECT_EQ(textOf(row(*watch), "modelLabel"), "Last worn: ---");
  for (int press = 0; press < 5; ++press) click(item("infoModeButton"));
  EXPECT_EQ(textOf(row(*watch), "manufacturerLabel"), "Omega");
}

// A watch saved while the list is shown (by another screen, or the first fetch) comes in above
// the first row: a list looked at from its top shows it, a list scrolled down keeps its place.
TEST_F(CollectionScreenTest, ARowComingInAboveTheFirstStaysInSightOnlyFromTheTop) {
  ManagedObjectContext& context = app->services().context();
  std::shared_ptr<Kello> first;
  for (const char* brand : {"Breitling", "Omega", "Rolex", "Seiko", "Tudor", "Zenith"}) {
    auto watch = context.insertNewObject<Kello>();
    watch->setMerkki(std::string(brand));
    watch->setMyyntiliike(std::string());
    if (!first) first = watch;
  }
  ASSERT_TRUE(context.save().isOk());
  revisitCollection();
  settle(400);
  QQuickItem* list = item("collectionList");
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->property("atYBeginning").toBool());
  ASSERT_NE(row(*first), nullptr);
  EXPECT_EQ(row(*first)->mapToItem(list, QPointF(0, 0)).y(), 0);

  scroll(list, 3);
  settle(400);
  ASSERT_FALSE(list->property("atYBeginning").toBool());
  const double scrolledTo = list->property("contentY").toDouble();
  auto earlier = addWatch("Audemars Piguet", "Royal Oak", "1972");
  settle(400);
  EXPECT_FALSE(list->property("atYBeginning").toBool());
  EXPECT_GE(list->property("contentY").toDouble(), scrolledTo);
  (void)earlier;
}

TEST_F(CollectionScreenTest, RowsShowTheirBadgesStatusAndWinder) {
  auto winding = addWatch("Omega", "Seamaster", "2001");
  winding->setVarasarake2(std::string("On Winder"));
  winding->setVarasarake4(100);
  auto strap = addWatch("Sinn", "556", "2010");
  strap->setVarasarake2(std::string("Needs a New Strap"));
  strap->setLugivali(std::string("20"));
  ASSERT_TRUE(app->services().context().save().isOk());
  app->services().defaults.setBool(true, kBadgesSettingOn);
  revisitCollection();

  EXPECT_TRUE(find(row(*winding), "winderImageView")->isVisible());
  EXPECT_EQ(find(row(*winding), "watchImageView"), nullptr);
  EXPECT_EQ(find(row(*winding), "badge4Outlet")->property("name").toString(), "Badge_100");
  EXPECT_EQ(find(row(*winding), "statusButtonOutlet")->property("name").toString(),
            "StatusOnWinder");
  EXPECT_EQ(find(row(*strap), "statusButtonOutlet")->property("name").toString(),
            "StatusNeedStrap20");
  EXPECT_EQ(find(row(*strap), "badge4Outlet"), nullptr);  // never worn
  EXPECT_NE(find(row(*strap), "watchImageView"), nullptr);
  // The icons in words, as the command line gives them.
  EXPECT_EQ(accessibleName(find(row(*winding), "badge4Outlet")), "badge for 100 wears");
  EXPECT_EQ(accessibleName(find(row(*winding), "statusButtonOutlet")), "On Winder");
  EXPECT_EQ(accessibleName(find(row(*strap), "statusButtonOutlet")), "Needs a New Strap (20 mm)");
  EXPECT_EQ(accessibleName(find(row(*strap), "dotsButton")), "info 1 of 6");
  screenshot("badges-and-winder");
}

TEST_F(CollectionScreenTest, APictureLoadsAsynchronouslyAtRowSize) {
  auto pictured = addWatch("Grand Seiko", "SBGA211", "2017");
  pictured->setKellokuva(pngPicture(1200, 800));
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  QQuickItem* picture = find(row(*pictured), "watchImageView");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->property("source").toString().startsWith(
      "image://picture/" + QString::fromStdString(pictured->objectID().text()) + "/front/"))
      << picture->property("source").toString().toStdString();
  EXPECT_TRUE(picture->property("asynchronous").toBool());
  ASSERT_TRUE(waitFor([&] { return picture->property("status").toInt() == 1; }));  // Ready
  // Decoded at the row's size, not the picture's.
  EXPECT_EQ(picture->property("implicitWidth").toInt(), 236);
  EXPECT_EQ(picture->property("implicitHeight").toInt(), 157);

  // Flipped to the backs, where it has none: the placeholder, named without a read of the watch.
  click(item("flipPicturesButton"));
  picture = find(row(*pictured), "watchImageView");
  EXPECT_EQ(picture->property("source").toString(), "image://picture/asset/insertpic_back.png");
  EXPECT_TRUE(waitFor([&] { return picture->property("status").toInt() == 1; }));
  screenshot("pictured");
}

TEST_F(CollectionScreenTest, ALeadingSwipeLogsAWear) {
  auto watch = addWatch("Seiko", "SKX007", "1996");
  revisitCollection();
  QQuickItem* action = swipeOpen(row(*watch), 200, "quickWearAction");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(textOf(action, "quickWearTitle"), "Last: \nWear count: 0");
  // Letting go of the drag neither logs a wear nor opens the watch.
  EXPECT_EQ(watch->varasarake4(), 0);
  EXPECT_EQ(item("detailPage"), nullptr);
  screenshot("swiped");
  click(action);

  // Exactly one wear, and the row closes.
  EXPECT_EQ(watch->varasarake4(), 1);
  EXPECT_TRUE(waitFor([&] { return swipePosition(row(*watch)) == 0; }));
  EXPECT_TRUE(watch->varasarake5().has_value());
  // The only worn watch carries every wear of the collection.
  EXPECT_TRUE(waitFor([&] { return textOf(row(*watch), "wearRateLabel") == "Wear Rate: 100.0%"; }))
      << textOf(row(*watch), "wearRateLabel").toStdString();
  click(item("infoModeButton"));
  EXPECT_EQ(textOf(row(*watch), "manufacturerLabel"), "Wear count: 1");
  EXPECT_EQ(textOf(row(*watch), "yearLabel"), "Days since last worn: 0");
  screenshot("worn");
}

TEST_F(CollectionScreenTest, ASettingsSwitchChangesWhatRowsShow) {
  const ObjectID id = addWatch("Tudor", "Black Bay", "2016")->objectID();
  const QString rowName = "row_" + QString::number(id.primaryKey);
  revisitCollection();
  // The first showing stores the default; the line appears from the next refresh on.
  EXPECT_EQ(app->services().defaults.value(kWearRateSettingOn), StoredFlag::True);
  restartApp();
  EXPECT_EQ(textOf(item(rowName), "wearRateLabel"), "Wear Rate: -----");
  EXPECT_NE(find(item(rowName), "dwrButton"), nullptr);

  click(item("tab_settings"));
  click(item("switch_wearRateSettingOn"));
  click(item("switch_dwrswrSettingOn"));
  EXPECT_EQ(app->services().defaults.value(kWearRateSettingOn), StoredFlag::False);
  click(item("tab_collection"));
  EXPECT_EQ(find(item(rowName), "wearRateLabel"), nullptr);  // hidden when empty
  EXPECT_EQ(find(item(rowName), "dwrButton"), nullptr);
  screenshot("without-wear-rate");
}

TEST_F(CollectionScreenTest, DeletingThroughTheTrailingSwipeAsksFirst) {
  auto kept = addWatch("Rolex", "Explorer", "1990");
  auto doomed = addWatch("Casio", "F-91W", "1989");
  const QString doomedRow = "row_" + QString::number(doomed->objectID().primaryKey);
  revisitCollection();

  QQuickItem* deleteAction = swipeOpen(row(*doomed), -200, "deleteAction");
  ASSERT_NE(deleteAction, nullptr);
  click(deleteAction);
  EXPECT_EQ(sheetHeadline(), "Please confirm that you wish to delete this watch record");
  EXPECT_EQ(item("sheetAction_confirmDelete")->property("text").toString(), "Confirm delete");
  EXPECT_EQ(item("sheetAction_cancel")->property("text").toString(), "Cancel");
  screenshot("confirm-delete");
  pressAction("cancel");
  EXPECT_NE(item(doomedRow), nullptr);
  EXPECT_EQ(app->services().context().count(FetchRequest{"Kello"}).value(), 2);

  click(swipeOpen(row(*doomed), -200, "deleteAction"));
  pressAction("confirmDelete");
  EXPECT_TRUE(waitFor([&] { return item(doomedRow) == nullptr; }));
  EXPECT_TRUE(waitFor([&] { return row(*kept) != nullptr; }));
  EXPECT_EQ(app->services().context().count(FetchRequest{"Kello"}).value(), 1);
  screenshot("after-delete");
}

TEST_F(CollectionScreenTest, TheSortSheetStoresTheChosenOrder) {
  addWatch("Zenith", "El Primero", "1969");
  addWatch("Breitling", "Navitimer", "1952");
  revisitCollection();
  click(item("sortButton"));
  EXPECT_EQ(sheetHeadline(), "Order the Watches by:");
  EXPECT_EQ(item("sheetAction_orderByYear")->property("text").toString(), "Year of manufacture");
  pressAction("orderByYear");
  EXPECT_EQ(app->services().defaults.value(kOrderByYear), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kOrderByBrandAndModel), StoredFlag::False);
  // The newer watch comes first.
  auto* list = item("collectionList");
  ASSERT_NE(list, nullptr);
  QQuickItem* first = nullptr;
  for (QQuickItem* candidate : list->property("contentItem").value<QQuickItem*>()->childItems()) {
    if (candidate->objectName().startsWith("row_") &&
        (first == nullptr || candidate->y() < first->y()))
      first = candidate;
  }
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(textOf(first, "manufacturerLabel"), "Zenith");
}

TEST_F(CollectionScreenTest, AddOpensTheEditorForANewWatch) {
  click(item("addButton"));
  auto* stack = item("collectionStack");
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->property("depth").toInt(), 2);
}

TEST_F(CollectionScreenTest, TenThousandWatchesBuildOnlyTheVisibleRows) {
  auto& context = app->services().context();
  for (int i = 0; i < 10000; ++i) {
    auto watch = context.insertNewObject<Kello>();
    watch->setMerkki("Brand " + std::to_string(10000 + i));
    watch->setMyyntiliike(std::string());
  }
  ASSERT_TRUE(context.save().isOk());
  QElapsedTimer timer;
  timer.start();
  revisitCollection();
  auto* list = item("collectionList");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->property("count").toInt(), 10000);
  int built = 0;
  for (QQuickItem* child : list->property("contentItem").value<QQuickItem*>()->childItems()) {
    if (child->objectName().startsWith("row_")) ++built;
  }
  EXPECT_GT(built, 3);
  EXPECT_LT(built, 30);
  // Dragging the scroll bar to the end builds the rows there, not the ones in between.
  QQuickItem* bar = nullptr;
  for (QQuickItem* child : list->childItems()) {
    if (child->inherits("QQuickScrollBar")) bar = child;
  }
  ASSERT_NE(bar, nullptr);
  const QPoint handle = bar->mapToScene(QPointF(bar->width() / 2, bar->width() / 2)).toPoint();
  drag(handle, QPoint(0, static_cast<int>(bar->height())));
  EXPECT_TRUE(waitFor([&] { return item("row_10000") != nullptr; }));
  built = 0;
  for (QQuickItem* child : list->property("contentItem").value<QQuickItem*>()->childItems()) {
    if (child->objectName().startsWith("row_") && child->isVisible()) ++built;
  }
  EXPECT_LT(built, 30);
  EXPECT_LT(timer.elapsed(), 5000);
  screenshot("end-of-ten-thousand");
}

}  // namespace
}  // namespace tockary::testing
