#include <gtest/gtest.h>

#include "collection/collection_fixture.h"

namespace tockary::testing {
namespace {

using Strings = std::vector<std::string>;

class CollectionListTest : public CollectionTest {};

TEST_F(CollectionListTest, WithoutASortChoiceWatchesAreInBrandOrder) {
  watch("Seiko", "SKX");
  watch("Omega", "Speedmaster");
  watch("Tudor", "Black Bay", "Chrono24");
  auto list = openList();
  EXPECT_EQ(brands(*list), (Strings{"Omega Speedmaster", "Seiko SKX", "Tudor Black Bay"}));
  EXPECT_EQ(list->numberOfSections(), 1);
  for (std::string_view key : kCollectionSortKeys) {
    EXPECT_EQ(defaults.value(key), StoredFlag::Absent) << key;
  }
}

TEST_F(CollectionListTest, LastTrueKeyWinsAndStatusWinsOverAll) {
  auto a = watch("Alpha", "b");
  a->setVuosimalli("1990");
  a->setOstohinta(100);
  a->setVarasarake2("Keeper");
  auto b = watch("Beta", "a");
  b->setVuosimalli("");
  b->setOstohinta(0);
  b->setVarasarake2("Grail");
  auto c = watch("Alpha", "a");
  c->setVuosimalli("2010");
  c->setOstohinta(300);
  c->setVarasarake2("Keeper");
  save();

  defaults.setBool(true, kOrderByPrice);
  auto list = openList();
  EXPECT_EQ(brands(*list), (Strings{"Alpha a", "Alpha b", "Beta a"}));  // price 0 last

  defaults.setBool(true, kOrderByYear);  // year comes after price in the rules
  list->viewDidAppear();
  EXPECT_EQ(brands(*list), (Strings{"Alpha a", "Alpha b", "Beta a"}));  // empty year last
  c->setVuosimalli("1980");
  save();
  list->viewDidAppear();
  EXPECT_EQ(brands(*list), (Strings{"Alpha b", "Alpha a", "Beta a"}));

  defaults.setBool(true, kOrderByStatus);
  defaults.setBool(true, kOrderByMovementType);
  list->viewDidAppear();
  EXPECT_EQ(brands(*list), (Strings{"Beta a", "Alpha a", "Alpha b"}));  // Grail < Keeper

  defaults.setRaw(kOrderByStatus, "yes");  // not a boolean: not set
  list->viewDidAppear();
  EXPECT_EQ(list->listFetchRequest().sortDescriptors.front().key, "koneistotyyppi");
}

TEST_F(CollectionListTest, WearOrderIsDescendingAndBrandAndModelSortsBoth) {
  auto a = watch("Oris", "Big Crown");
  a->setVarasarake4(3);
  auto b = watch("Oris", "Aquis");
  b->setVarasarake4(10);
  auto c = watch("Nomos", "Club");
  save();
  defaults.setBool(true, kOrderByWearStats);
  auto list = openList();
  EXPECT_EQ(brands(*list), (Strings{"Oris Aquis", "Oris Big Crown", "Nomos Club"}));
  defaults.setBool(true, kOrderByBrandAndModel);
  list->viewDidAppear();
  EXPECT_EQ(brands(*list), (Strings{"Nomos Club", "Oris Aquis", "Oris Big Crown"}));
}

TEST_F(CollectionListTest, HideSoldWatchesFiltersOnlyWhenTrue) {
  watch("Omega", "Seamaster");
  watch("Rolex", "Datejust", "Bob's Watches");
  auto list = openList();
  EXPECT_EQ(list->numberOfRowsInSection(0), 2);
  defaults.setBool(true, kHideSoldWatchesSettingOn);
  list->viewDidAppear();
  EXPECT_EQ(brands(*list), (Strings{"Omega Seamaster"}));
  defaults.setRaw(kHideSoldWatchesSettingOn, "1");
  list->viewDidAppear();
  EXPECT_EQ(list->numberOfRowsInSection(0), 2);
  defaults.setBool(false, kHideSoldWatchesSettingOn);
  list->viewDidAppear();
  EXPECT_EQ(list->numberOfRowsInSection(0), 2);
}

TEST_F(CollectionListTest, SortSheetHasEightActionsAndAChoiceStoresExactlyOneKey) {
  watch("Zenith", "A");
  auto b = watch("Alpina", "B");
  b->setVarasarake4(5);
  save();
  auto list = openList();
  list->orderRowsBy();
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet->title, "Order the Watches by:");
  EXPECT_EQ(sheet->message, "(Please choose one)");
  Strings titles;
  for (const auto& action : sheet->actions) titles.push_back(action.title);
  EXPECT_EQ(titles, (Strings{"Brand and Model", "Movement type", "Purchase Date", "Purchase Price",
                             "Watch Status", "Wear Rate", "Year of manufacture", "Cancel"}));
  EXPECT_EQ(sheet->actions.back().style, ActionStyle::Cancel);
  EXPECT_EQ(sheet->actions.front().style, ActionStyle::Default);

  EXPECT_TRUE(presenter.press("cancel"));
  EXPECT_TRUE(defaults.writtenKeys().empty());

  defaults.setBool(true, kOrderByStatus);
  list->orderRowsBy();
  EXPECT_TRUE(presenter.press("orderByWearStats"));
  for (std::string_view key : kCollectionSortKeys) {
    EXPECT_EQ(defaults.flag(key), key == kOrderByWearStats) << key;
  }
  EXPECT_EQ(brands(*list), (Strings{"Alpina B", "Zenith A"}));  // refetched at once
  EXPECT_FALSE(list->chooseSortEntry("Price"));
}

TEST_F(CollectionListTest, InfoModeCyclesThroughSixAndFlipTogglesTheSide) {
  auto list = openList();
  const int reloads = list->tableView.reloadCount;
  std::vector<int> modes;
  for (int i = 0; i < 6; ++i) {
    list->infoVaihto();
    modes.push_back(list->apuluku);
  }
  EXPECT_EQ(modes, (std::vector<int>{1, 2, 3, 4, 5, 0}));
  list->flippaaKuvat();
  EXPECT_FALSE(list->kelloIsFaceUp);
  list->flippaaKuvat();
  EXPECT_TRUE(list->kelloIsFaceUp);
  EXPECT_EQ(list->tableView.reloadCount, reloads + 8);
}

TEST_F(CollectionListTest, LoadRunsTheReminderHookOnceThenTheTimerDoes) {
  MyWatchCollectionTableViewController list(services);
  std::vector<std::string> calls;
  list.initiateNotifications = [&calls] { calls.push_back("rebuild"); };
  list.printPendingNotificationRequests = [&calls] { calls.push_back("print"); };
  EXPECT_FALSE(list.timerScheduled);
  list.viewDidLoad();
  EXPECT_EQ(calls, (std::vector<std::string>{"print", "rebuild"}));
  EXPECT_TRUE(list.timerScheduled);
  list.timerFired();
  EXPECT_EQ(calls, (std::vector<std::string>{"print", "rebuild", "rebuild"}));
}

TEST_F(CollectionListTest, SelectionOpensTheDetailByIdAndInsertOpensTheEditor) {
  auto kello = watch("Sinn", "104");
  auto list = openList();
  list->didSelectRowAt({0, 0});
  list->didSelectRowAt({0, 5});  // no such row: nothing
  list->insertNewWatch();
  ASSERT_EQ(presenter.events().size(), 2u);
  const auto& detail = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(detail.screen, "TarkasteleKelloaTableViewController");
  EXPECT_EQ(detail.objectId, kello->objectID().text());
  const auto& editor = std::get<ScreenRequest>(presenter.events()[1]);
  EXPECT_EQ(editor.screen, "InsertWatchTableViewController");
  EXPECT_EQ(editor.objectId, "");
}

TEST_F(CollectionListTest, DeleteAsksFirstAndCancelChangesNothing) {
  watch("Longines", "Spirit");
  auto list = openList();
  list->commitEditingStyle(EditingStyle::Insert, {0, 0});
  EXPECT_EQ(presenter.lastSheet(), nullptr);
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet->title, "Please confirm that you wish to delete this watch record");
  EXPECT_EQ(sheet->message, "(This cannot be undone).");
  ASSERT_EQ(sheet->actions.size(), 2u);
  EXPECT_EQ(sheet->actions[0].title, "Confirm delete");
  EXPECT_EQ(sheet->actions[0].style, ActionStyle::Destructive);
  EXPECT_EQ(sheet->actions[1].title, "Cancel");
  EXPECT_EQ(sheet->actions[1].style, ActionStyle::Cancel);
  ASSERT_TRUE(presenter.press("cancel"));
  EXPECT_EQ(list->numberOfRowsInSection(0), 1);
  EXPECT_FALSE(context().hasChanges());
}

TEST_F(CollectionListTest, ConfirmDeleteRemovesTheShownWatchOnlyAndSaves) {
  auto keep = watch("Hamilton", "Khaki");
  auto doomed = watch("Casio", "F-91W");
  auto card = context().insertNewObject<Takuu>();
  card->setTakuunKello("Casio F-91W");
  save();
  auto list = openList();
  ASSERT_EQ(brands(*list), (Strings{"Casio F-91W", "Hamilton Khaki"}));
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  // The list changes under the open sheet: the confirmation still means the watch it showed.
  watch("Bulova", "Lunar");
  list->viewDidAppear();
  ASSERT_TRUE(presenter.press("confirmDelete"));
  EXPECT_EQ(brands(*list), (Strings{"Bulova Lunar", "Hamilton Khaki"}));
  EXPECT_FALSE(context().hasChanges());

  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().existingObject<Kello>(doomed->objectID()), nullptr);
  EXPECT_NE(reopened.viewContext().existingObject<Kello>(keep->objectID()), nullptr);
  EXPECT_EQ(reopened.viewContext().count(Takuu::fetchRequest()).valueOr(0), 1);
}

TEST_F(CollectionListTest, DeletingByWatchAsksOnlyForOneTheListShowsAndNeedsNoFetch) {
  auto kept = watch("Hamilton", "Khaki");
  auto sold = watch("Rolex", "Datejust", "Bob's Watches");
  auto unsure = watch("Oris", "Aquis");
  unsure->setMyyntiliike(std::nullopt);  // a null sold-to text counts as sold
  save();
  defaults.setBool(true, kHideSoldWatchesSettingOn);
  // As the command line deletes: the screen is loaded, its list never fetched.
  auto list = std::make_unique<MyWatchCollectionTableViewController>(services);
  list->viewDidLoad();
  EXPECT_TRUE(list->listShows(*kept));
  EXPECT_FALSE(list->listShows(*sold));
  EXPECT_FALSE(list->listShows(*unsure));
  list->confirmDeletion(*sold);
  EXPECT_EQ(presenter.lastSheet(), nullptr);

  defaults.setBool(false, kHideSoldWatchesSettingOn);
  EXPECT_TRUE(list->listShows(*sold));
  list->confirmDeletion(*sold);
  ASSERT_NE(presenter.lastSheet(), nullptr);
  EXPECT_EQ(presenter.lastSheet()->title,
            "Please confirm that you wish to delete this watch record");
  ASSERT_TRUE(presenter.press("confirmDelete"));
  EXPECT_TRUE(sold->isDeleted());
  EXPECT_FALSE(list->listShows(*sold));
  EXPECT_EQ(brands(*list), (Strings{"Hamilton Khaki", "Oris Aquis"}));
  EXPECT_FALSE(context().hasChanges());
}

TEST_F(CollectionListTest, FailedSaveAfterDeleteIsAFatalStop) {
  watch("Tissot", "PRX");
  auto list = openList();
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  refuseWatchWrites();
  try {
    ASSERT_TRUE(presenter.press("confirmDelete"));
    FAIL() << "no fatal stop";
  } catch (const FatalStop& stop) {
    EXPECT_EQ(stop.message.rfind("Unresolved error ", 0), 0u) << stop.message;
  }
}

TEST_F(CollectionListTest, ABusyStoreDeletesAndLogsNothingAndSaysSo) {
  auto kello = watch("Tissot", "PRX");
  kello->setVarasarake4(4);
  save();
  auto list = openList();
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  lockStore();
  ASSERT_TRUE(presenter.press("confirmDelete"));  // no fatal stop
  EXPECT_TRUE(isStoreBusy(list->saveStatus()));
  const auto busyAlert = [&] {
    const Sheet* sheet = presenter.lastSheet();
    return sheet != nullptr && sheet->displayedTitle() == "Collection busy" &&
           sheet->displayedMessage() ==
               "Another program is changing your collection. Nothing was changed; please try "
               "again.";
  };
  EXPECT_TRUE(busyAlert());
  EXPECT_FALSE(context().hasChanges());  // no delete left pending for a later save
  EXPECT_EQ(brands(*list), (Strings{"Tissot PRX"}));

  presenter.clear();
  list->leadingSwipeActionFor({0, 0})->handler();
  EXPECT_TRUE(isStoreBusy(list->saveStatus()));
  EXPECT_TRUE(busyAlert());
  EXPECT_EQ(kello->varasarake4(), 4);
  EXPECT_FALSE(context().hasChanges());
  unlockStore();

  list->leadingSwipeActionFor({0, 0})->handler();
  EXPECT_TRUE(list->saveStatus().isOk());
  EXPECT_EQ(kello->varasarake4(), 5);
}

TEST_F(CollectionListTest, QuickWearTitleHasTwoLines) {
  auto never = watch("Junghans", "Max Bill");
  auto worn = watch("Grand Seiko", "SBGA211");
  worn->setVarasarake4(41);
  worn->setVarasarake5(at(2025, 5, 17, 18, 45));
  save();
  auto list = openList();
  auto action = list->leadingSwipeActionFor({0, 1});
  ASSERT_TRUE(action);
  EXPECT_EQ(action->title, "Last: \nWear count: 0");
  EXPECT_EQ(action->imageName, "WearToday");
  action = list->leadingSwipeActionFor({0, 0});
  ASSERT_TRUE(action);
  EXPECT_EQ(action->title, "Last: 5/17/25\nWear count: 41");
  EXPECT_FALSE(list->leadingSwipeActionFor({0, 2}));
}

TEST_F(CollectionListTest, QuickWearLogsAtOnceAndTheRowShowsIt) {
  auto kello = watch("Doxa", "Sub 300");
  kello->setVarasarake4(29);
  save();
  defaults.setBool(true, kWearRateSettingOn);
  auto list = openList();
  auto action = list->leadingSwipeActionFor({0, 0});
  ASSERT_TRUE(action);
  action->handler();
  EXPECT_EQ(presenter.sheets().size(), 0u);  // no confirmation, no badge sheet
  EXPECT_EQ(kello->varasarake4(), 30);
  EXPECT_EQ(kello->varasarake5(), clock.now());
  EXPECT_FALSE(context().hasChanges());
  list->apuluku = 1;
  EXPECT_EQ(list->cellForRowAt({0, 0})->manufacturerLabel.text, "Wear count: 30");
}

TEST_F(CollectionListTest, ListSumsSplitBySoldRuleAndWearTotalCountsEveryWatch) {
  auto a = watch("A");
  a->setOstohinta(1000);
  a->setVarasarake4(3);
  auto b = watch("B", "", "buyer");
  b->setOstohinta(500);
  b->setMyyntihinta(650);
  b->setVarasarake4(7);
  auto c = watch("C");  // price 0 counts, and changes nothing
  save();
  auto list = openList();
  EXPECT_EQ(list->collectionCost(), 1000);
  EXPECT_EQ(list->soldWatchesCost(), 500);
  EXPECT_EQ(list->soldWatchesProceeds(), 650);
  EXPECT_EQ(list->totalWearCount(), 10);
  c->setMyyntiliike("x");
  EXPECT_EQ(list->soldWatchesProceeds(), 650);  // unsaved changes count
  EXPECT_EQ(list->collectionCost(), 1000);
}

}  // namespace
}  // namespace tockary::testing
