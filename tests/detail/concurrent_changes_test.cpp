#include <gtest/gtest.h>

#include "detail/detail_fixture.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "watch/wear_counter.h"

namespace tockary::testing {
namespace {

// The detail screen open in the app while another program (the command line) changes the watch.
class ConcurrentChangesTest : public DetailTest {
 protected:
  void SetUp() override {
    DetailTest::SetUp();
    logOn(true, false);
  }

  std::unique_ptr<TarkasteleKelloaTableViewController> open(const Kello& watch) {
    auto screen = std::make_unique<TarkasteleKelloaTableViewController>(services, watch.objectID());
    screen->viewDidLoad();
    return screen;
  }

  // Quick wears logged by another program on its own connection.
  void wearElsewhere(const Kello& watch, int times) {
    AppDelegate other(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    RecordingPresenter otherPresenter;
    AppServices otherServices{other, defaults, formatters, clock, otherPresenter};
    auto theirs = other.viewContext().existingObject<Kello>(watch.objectID());
    ASSERT_TRUE(theirs);
    for (int i = 0; i < times; ++i) ASSERT_TRUE(quickLogWear(*theirs, otherServices).isOk());
  }

  static void expectBusyAlert(const Sheet* sheet) {
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->style, SheetStyle::Alert);
    EXPECT_EQ(sheet->displayedTitle(), "Collection busy");
    EXPECT_EQ(sheet->displayedMessage(),
              "Another program is changing your collection. Nothing was changed; please try "
              "again.");
    ASSERT_EQ(sheet->actions.size(), 1u);
    EXPECT_EQ(sheet->actions[0].title, "OK");
  }
};

TEST_F(ConcurrentChangesTest, AConfirmedWearCountsFromTheStoreAndKeepsTheOtherEntries) {
  auto watch = newWatch("Oris", 27);
  auto screen = open(*watch);
  EXPECT_EQ(screen->outputs().timesWornLabel, "27");
  wearElsewhere(*watch, 2);  // 29 now, though the screen still shows 27

  screen->confirmWear();
  // The milestone is judged by the stored count before this wear.
  ASSERT_TRUE(presenter.lastSheet());
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(), "Badge unlocked for wearing a watch 30 times");
  const std::string notes =
      "\n12/5/26:  Wear count: 28\n12/5/26:  Wear count: 29"
      "\n12/5/26:  Wear count: 30";
  const WatchDetailOutputs& o = screen->outputs();
  EXPECT_EQ(o.timesWornLabel, "30");
  EXPECT_EQ(o.notesTextView, notes);
  EXPECT_EQ(screen->snapshot().tempTimesWorn, 30);
  EXPECT_EQ(reread(*watch)->varasarake4(), 30);
  EXPECT_EQ(reread(*watch)->varasarake3(), notes);
  EXPECT_TRUE(screen->saveStatus().isOk());
}

TEST_F(ConcurrentChangesTest, StatusResetAndAdjustmentAppendToTheStoredNotes) {
  auto watch = newWatch("Nomos", 3);
  auto screen = open(*watch);

  wearElsewhere(*watch, 1);
  screen->changeWatchStatus();
  screen->pickerViewDidSelectRow(3);  // Grail
  screen->doneStatusPicker();
  EXPECT_EQ(reread(*watch)->varasarake3(),
            "\n12/5/26:  Wear count: 4\n12/5/26:  Status changed to: Grail");

  wearElsewhere(*watch, 1);
  screen->resetWristStats();
  EXPECT_EQ(reread(*watch)->varasarake3(),
            "\n12/5/26:  Wear count: 4\n12/5/26:  Status changed to: Grail"
            "\n12/5/26:  Wear count: 5"
            "\n12/5/26: Wrist-stats were reset. Wear count before reset: 5");

  wearElsewhere(*watch, 2);
  EXPECT_TRUE(screen->submitNewWearCount("60"));
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake4(), 60);
  EXPECT_EQ(stored->varasarake2(), "Grail");
  EXPECT_TRUE(stored->varasarake3()->ends_with(
      "\n12/5/26:  Wear count: 1\n12/5/26:  Wear count: 2"
      "\n12/5/26: Wrist-stats were adjusted to 60. Wear count before the adjustment: 2"));
  EXPECT_EQ(screen->outputs().notesTextView, stored->varasarake3());
}

TEST_F(ConcurrentChangesTest, ABusyStoreChangesNothingAndSaysSo) {
  auto watch = newWatch("Hamilton", 29);
  watch->setVarasarake2(std::string("Keeper"));
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = open(*watch);
  const WatchDetailOutputs before = screen->outputs();
  lockStore();

  screen->confirmWear();
  EXPECT_TRUE(isStoreBusy(screen->saveStatus()));
  ASSERT_EQ(presenter.events().size(), 1u);  // no badge: there was no wear
  expectBusyAlert(presenter.lastSheet());

  screen->resetWristStats();
  EXPECT_EQ(screen->scrollToTopRequests(), 0);
  expectBusyAlert(presenter.lastSheet());

  presenter.clear();
  EXPECT_FALSE(screen->submitNewWearCount("60"));
  ASSERT_EQ(presenter.events().size(), 1u);  // the alert, and the screen stays
  expectBusyAlert(presenter.lastSheet());

  screen->changeWatchStatus();
  screen->pickerViewDidSelectRow(1);
  screen->doneStatusPicker();
  expectBusyAlert(presenter.lastSheet());
  EXPECT_EQ(screen->outputs().statusTextField, "Keeper");  // the stored status again
  EXPECT_EQ(screen->outputs().statusButtonOutlet, "StatusKeeperBig");

  EXPECT_EQ(screen->outputs().timesWornLabel, before.timesWornLabel);
  EXPECT_EQ(screen->outputs().notesTextView, before.notesTextView);
  EXPECT_EQ(screen->outputs().dateLastWornLabel, before.dateLastWornLabel);
  EXPECT_FALSE(app.viewContext().hasChanges());
  unlockStore();
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake4(), 29);
  EXPECT_EQ(stored->varasarake2(), "Keeper");
  EXPECT_FALSE(stored->varasarake3());

  // Once the other program is done, the same screen works again.
  screen->confirmWear();
  EXPECT_TRUE(screen->saveStatus().isOk());
  EXPECT_EQ(reread(*watch)->varasarake4(), 30);
}

TEST_F(ConcurrentChangesTest, AWatchDeletedElsewhereIsLeftAlone) {
  auto watch = newWatch("Zenith", 5);
  auto screen = open(*watch);
  {
    AppDelegate other(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    other.viewContext().deleteObject(other.viewContext().existingObject<Kello>(watch->objectID()));
    ASSERT_TRUE(other.viewContext().save().isOk());
  }
  screen->confirmWear();
  EXPECT_TRUE(isRecordGone(screen->saveStatus()));
  EXPECT_EQ(screen->outputs().timesWornLabel, "5");
  EXPECT_TRUE(presenter.events().empty());
  EXPECT_FALSE(app.viewContext().hasChanges());
  EXPECT_FALSE(reread(*watch));
}

}  // namespace
}  // namespace tockary::testing
