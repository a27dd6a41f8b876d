#include <gtest/gtest.h>

#include "detail/detail_fixture.h"
#include "watch/wear_counter.h"

namespace tockary::testing {
namespace {

using WearRoutesTest = DetailTest;

TEST_F(WearRoutesTest, QuickLogCountsKeepsTheTimeOfDayAndSaves) {
  auto watch = newWatch("Tudor", 29);
  ASSERT_TRUE(quickLogWear(*watch, services).isOk());
  EXPECT_EQ(watch->varasarake4(), 30);
  EXPECT_EQ(watch->varasarake5(), at(2026, 12, 5, 14, 30));
  EXPECT_FALSE(watch->varasarake3().has_value());  // log off: notes untouched
  EXPECT_TRUE(presenter.events().empty());         // no badge, no question
  EXPECT_EQ(lines, (std::vector<std::string>{"Tempworn: 30"}));
  auto stored = reread(*watch);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->varasarake4(), 30);
  EXPECT_EQ(stored->varasarake5(), at(2026, 12, 5, 14, 30));
}

TEST_F(WearRoutesTest, QuickLogAppendsBothEntriesToTheStoredNotes) {
  logOn(true, true);
  auto watch = newWatch("Tudor", 19);
  watch->setVarasarake3(std::string("Bought in Geneva"));
  ASSERT_TRUE(quickLogWear(*watch, services).isOk());
  EXPECT_EQ(*watch->varasarake3(),
            "Bought in Geneva\n12/5/26:  Wear count: 20\n12/5/26 : Wear count: 20");

  // Absent notes count as empty: the first entry starts with its line break.
  auto fresh = newWatch("Seiko");
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(quickLogWear(*fresh, services).isOk());
  EXPECT_EQ(*reread(*fresh)->varasarake3(),
            "\n12/5/26:  Wear count: 1\n12/5/26:  Wear count: 2\n12/5/26:  Wear count: 3");
}

TEST_F(WearRoutesTest, QuickLogSaveFailureIsAFatalStop) {
  auto watch = newWatch("Tudor");
  refuseWatchWrites();
  try {
    (void)quickLogWear(*watch, services);
    FAIL() << "a failed save must stop the app";
  } catch (const FatalStop& stop) {
    EXPECT_TRUE(stop.message.starts_with("Unresolved error ")) << stop.message;
    EXPECT_NE(stop.message.find("watch writes refused"), std::string::npos) << stop.message;
  }
}

TEST_F(WearRoutesTest, BothRoutesChangeNothingWhileAnotherProgramHoldsTheStore) {
  logOn(true, true);
  auto watch = newWatch("Tudor", 9);
  lockStore();
  const Status quick = quickLogWear(*watch, services);  // no fatal stop
  EXPECT_TRUE(isStoreBusy(quick)) << quick.userInfoText();
  const Status popUp = logWatchOfTheDayWear(*watch, services);
  EXPECT_TRUE(isStoreBusy(popUp));
  EXPECT_EQ(lines, (std::vector<std::string>{"Save Failed"}));
  EXPECT_EQ(watch->varasarake4(), 9);
  EXPECT_FALSE(watch->varasarake3());
  EXPECT_FALSE(app.viewContext().hasChanges());  // nothing left to slip in with a later save
  unlockStore();
  EXPECT_EQ(reread(*watch)->varasarake4(), 9);
}

TEST_F(WearRoutesTest, QuickLogCountsFromTheStoreNotFromAStaleCopy) {
  logOn(true, false);
  auto watch = newWatch("Tudor", 4);
  // Another program logs two wears after this one read the watch.
  AppDelegate other(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  AppServices otherServices{other, defaults, formatters, clock, presenter};
  auto theirs = other.viewContext().existingObject<Kello>(watch->objectID());
  ASSERT_TRUE(quickLogWear(*theirs, otherServices).isOk());
  ASSERT_TRUE(quickLogWear(*theirs, otherServices).isOk());
  EXPECT_EQ(watch->varasarake4(), 4);

  ASSERT_TRUE(quickLogWear(*watch, services).isOk());
  EXPECT_EQ(watch->varasarake4(), 7);
  EXPECT_EQ(*reread(*watch)->varasarake3(),
            "\n12/5/26:  Wear count: 5\n12/5/26:  Wear count: 6\n12/5/26:  Wear count: 7");

  // A watch the other program deleted is not a broken store: nothing happens, no fatal stop.
  other.viewContext().deleteObject(theirs);
  ASSERT_TRUE(other.viewContext().save().isOk());
  EXPECT_TRUE(isRecordGone(quickLogWear(*watch, services)));
  EXPECT_FALSE(app.viewContext().hasChanges());
}

TEST_F(WearRoutesTest, WatchOfTheDayWritesItsOwnTenthEntryAndSurvivesAFailedSave) {
  logOn(false, true);
  auto watch = newWatch("Omega", 9);
  ASSERT_TRUE(logWatchOfTheDayWear(*watch, services).isOk());
  EXPECT_EQ(*watch->varasarake3(), "\n12/5/26:  Wear count: 10");
  EXPECT_EQ(lines.back(), "Item Saved");

  refuseWatchWrites();
  EXPECT_FALSE(logWatchOfTheDayWear(*watch, services).isOk());
  EXPECT_EQ(lines.back(), "Save Failed");
  EXPECT_EQ(watch->varasarake4(), 11);  // kept in memory for a later save
  allowWatchWrites();
  ASSERT_TRUE(app.viewContext().save().isOk());
  EXPECT_EQ(reread(*watch)->varasarake4(), 11);
}

}  // namespace
}  // namespace tockary::testing
