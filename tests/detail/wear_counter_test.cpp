#include "watch/wear_counter.h"

#include <gtest/gtest.h>

#include "detail/detail_fixture.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"

namespace tockary::testing {
namespace {

class WearCounterTest : public DetailTest {
 protected:
  std::unique_ptr<TarkasteleKelloaTableViewController> open(const Kello& watch) {
    auto screen = std::make_unique<TarkasteleKelloaTableViewController>(services, watch.objectID());
    screen->viewDidLoad();
    return screen;
  }
  const WatchDetailOutputs& out(const TarkasteleKelloaTableViewController& screen) {
    return screen.outputs();
  }
};

TEST_F(WearCounterTest, BadgesOnlyAtExactPriorCounts) {
  struct Expected {
    double prior;
    const char* title;
    const char* message;
    const char* image;
  };
  const std::vector<Expected> earned = {
      {0, "Badge unlocked for wearing this watch for the first time", "Great job!", "Badge_1Big"},
      {29, "Badge unlocked for wearing a watch 30 times", "Great job!", "Badge_30Big"},
      {49, "Badge unlocked for wearing this watch 50 times", "Excellent!", "Badge_50Big"},
      {99, "Badge unlocked for wearing this watch 100 times", "Outstanding!", "Badge_100Big"},
      {499, "Badge unlocked for wearing this watch 500 times", "Awesome, five stars well deserved!",
       "Badge_500Big"},
      {999, "Badge unlocked for wearing this watch 1000 times",
       "Incredible, the ultimate watch wearer grand star deserved! ", "Badge_1000Big"},
  };
  for (const Expected& e : earned) {
    auto badge = badgeForPriorCount(e.prior);
    ASSERT_TRUE(badge) << e.prior;
    EXPECT_EQ(badge->title, e.title);
    EXPECT_EQ(badge->message, e.message);
    EXPECT_EQ(badge->imageName, e.image);
  }
  for (double prior : {1.0, 28.0, 30.0, 98.0, 100.0, 998.0, 1000.0, 1999.0}) {
    EXPECT_FALSE(badgeForPriorCount(prior)) << prior;
  }

  const Sheet sheet = badgeSheet(*badgeForPriorCount(99), 187.5);
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  ASSERT_EQ(sheet.actions.size(), 1u);
  EXPECT_EQ(sheet.actions[0].title, "OK");
  EXPECT_EQ(sheet.actions[0].style, ActionStyle::Cancel);
  ASSERT_EQ(sheet.images.size(), 1u);
  EXPECT_EQ(sheet.images[0].assetName, "Badge_100Big");
  EXPECT_EQ(sheet.images[0].frame, (Frame{157.5, -300, 50, 50}));
  EXPECT_EQ(sheet.images[0].animatedTo, (Frame{70.5, -320, 200, 200}));
}

TEST_F(WearCounterTest, ConfirmationSheetAndCancel) {
  auto watch = newWatch("Tudor", 4);
  auto screen = open(*watch);
  screen->increaseTimesWornCounter();
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet->displayedTitle(), "Please confirm having worn this Watch today");
  EXPECT_EQ(sheet->displayedMessage(),
            "This will increment Wrist-Statistics counters and cannot be undone.");
  ASSERT_EQ(sheet->actions.size(), 2u);
  EXPECT_EQ(sheet->actions[1].style, ActionStyle::Cancel);
  ASSERT_TRUE(presenter.press("cancel"));
  EXPECT_EQ(out(*screen).timesWornLabel, "4");
  EXPECT_EQ(reread(*watch)->varasarake4(), 4);
  ASSERT_TRUE(presenter.press("confirmWear"));
  EXPECT_EQ(out(*screen).timesWornLabel, "5");
}

TEST_F(WearCounterTest, FirstConfirmedWearOfTheOnlyWornWatch) {
  newWatch("Never worn");
  auto watch = newWatch("Sinn");  // no count stored at all
  watch->setOstohinta(900);
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = open(*watch);
  screen->confirmWear();
  ASSERT_TRUE(presenter.lastSheet());
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(),
            "Badge unlocked for wearing this watch for the first time");
  const WatchDetailOutputs& o = out(*screen);
  EXPECT_EQ(o.timesWornLabel, "1");
  EXPECT_EQ(o.dateLastWornLabel, "12/5/26");
  EXPECT_EQ(o.daysAgoLabel, "0");
  EXPECT_EQ(o.keeperRateLabel, "100.0%");
  EXPECT_EQ(o.costPerWearLabel, "$900");
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake4(), 1);
  EXPECT_EQ(stored->varasarake5(), at(2026, 12, 5));  // the day, not the moment

  // A refresh after the wear still shows it.
  screen->flipWatchPhoto();
  EXPECT_EQ(o.dateLastWornLabel, "12/5/26");
  EXPECT_EQ(o.daysAgoLabel, "0");
}

TEST_F(WearCounterTest, ConfirmedWearRateCountsThisWearInTheTotal) {
  newWatch("Other", 10);
  auto watch = newWatch("Oris", 29);
  watch->setVarasarake5(at(2026, 11, 1, 9));
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = open(*watch);
  EXPECT_EQ(out(*screen).daysAgoLabel, "34");
  logOn(true, true);
  screen->confirmWear();
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(), "Badge unlocked for wearing a watch 30 times");
  EXPECT_EQ(out(*screen).timesWornLabel, "30");
  EXPECT_EQ(out(*screen).keeperRateLabel, "75.0%");  // 30 of 40
  EXPECT_EQ(out(*screen).notesTextView, "\n12/5/26:  Wear count: 30\n12/5/26 : Wear count: 30");
  EXPECT_EQ(reread(*watch)->varasarake3(), out(*screen).notesTextView);
  EXPECT_EQ(lines, (std::vector<std::string>{"Laukesi jokaisen lokitus"}));

  presenter.clear();
  screen->confirmWear();  // 30 -> 31: no badge
  EXPECT_TRUE(presenter.events().empty());
  EXPECT_EQ(reread(*watch)->varasarake4(), 31);
}

TEST_F(WearCounterTest, ResetThenWearStartsOver) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = newWatch("Longines", 57);
  watch->setOstohinta(570);
  watch->setVarasarake5(at(2026, 12, 1));
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = open(*watch);
  EXPECT_EQ(out(*screen).costPerWearLabel, "$10");

  screen->wearStatsReset();
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->displayedTitle(),
            "Please confirm that you wish to reset wrist statistics for this watch or adjust the "
            "wear count value.");
  EXPECT_EQ(sheet->displayedMessage(),
            "(Resetting will reset all statistics for the watch and cannot be undone).");
  ASSERT_EQ(sheet->actions.size(), 3u);
  EXPECT_EQ(sheet->actions[0].title, "Confirm wrist-stats reset");
  EXPECT_EQ(sheet->actions[0].style, ActionStyle::Destructive);
  EXPECT_EQ(sheet->actions[1].title, "Adjust wear count");
  EXPECT_EQ(sheet->actions[1].style, ActionStyle::Destructive);
  EXPECT_EQ(sheet->actions[2].style, ActionStyle::Cancel);
  ASSERT_TRUE(presenter.press("resetWristStats"));

  const WatchDetailOutputs& o = out(*screen);
  EXPECT_EQ(o.timesWornLabel, "0");
  EXPECT_EQ(o.dateLastWornLabel, "-----");
  EXPECT_EQ(o.keeperRateLabel, "-----");
  EXPECT_EQ(o.daysAgoLabel, "-----");
  EXPECT_EQ(o.costPerWearLabel, "$10");  // kept
  EXPECT_EQ(screen->scrollToTopRequests(), 1);
  EXPECT_EQ(o.notesTextView, "\n12/5/26: Wrist-stats were reset. Wear count before reset: 57");
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake4(), 0);
  EXPECT_FALSE(stored->varasarake5());

  screen->resetWristStats();
  EXPECT_TRUE(o.notesTextView.ends_with("Wear count before reset: 0"));

  defaults.setBool(true, kLogEachWearSettingOn);
  screen->confirmWear();
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(),
            "Badge unlocked for wearing this watch for the first time");
  EXPECT_EQ(o.timesWornLabel, "1");
  EXPECT_TRUE(o.notesTextView.ends_with("\n12/5/26:  Wear count: 1"));
  EXPECT_TRUE(lines.empty());  // no console line for the first wear
}

TEST_F(WearCounterTest, AdjustmentSetsTheCountAndClosesTheScreen) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = newWatch("Nomos", 57);
  auto screen = open(*watch);
  screen->wearStatsReset();
  ASSERT_TRUE(presenter.press("adjustWearCount"));
  const Sheet* alert = presenter.lastSheet();
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->style, SheetStyle::Alert);
  EXPECT_EQ(alert->displayedTitle(), "Adjust wear count");
  EXPECT_EQ(alert->displayedMessage(),
            "This will adjust the wear count to the number specified here.");
  ASSERT_EQ(alert->textFields.size(), 1u);
  EXPECT_EQ(alert->textFields[0].keyboard, KeyboardKind::Number);
  *alert->textFields[0].text = "60";
  ASSERT_TRUE(presenter.press("submitNewWearCount"));

  EXPECT_EQ(out(*screen).timesWornLabel, "60");
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake4(), 60);
  EXPECT_EQ(stored->varasarake3(),
            "\n12/5/26: Wrist-stats were adjusted to 60. Wear count before the adjustment: 57");
  ASSERT_FALSE(presenter.events().empty());
  ASSERT_TRUE(std::holds_alternative<RecordingPresenter::Pop>(presenter.events().back()));
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(presenter.events().back()).count, 1);

  // Reopened: a count of 49 earns the 50 badge on the next wear.
  EXPECT_TRUE(open(*watch)->submitNewWearCount("49"));
  auto reopened = open(*watch);
  reopened->confirmWear();
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(),
            "Badge unlocked for wearing this watch 50 times");
  EXPECT_EQ(TarkasteleKelloaTableViewController::typedWearCount(" 007 "), 7);
  EXPECT_EQ(TarkasteleKelloaTableViewController::typedWearCount("0"), 0);
}

TEST_F(WearCounterTest, AnUnusableCountIsRefusedAndChangesNothing) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = newWatch("Nomos", 12);
  auto screen = open(*watch);
  for (const char* typed : {"", "  ", "abc", "-3", "1.5", "6 0", "1e3", "1234567890"}) {
    presenter.clear();
    EXPECT_FALSE(screen->submitNewWearCount(typed)) << typed;
    ASSERT_EQ(presenter.events().size(), 1u) << typed;  // the refusal, no pop
    const Sheet* refused = presenter.lastSheet();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->displayedMessage(),
              "The wear count must be a whole number of 0 or more, such as 60.");
    EXPECT_EQ(refused->actions.at(0).title, "OK");
  }
  EXPECT_EQ(out(*screen).timesWornLabel, "12");
  EXPECT_FALSE(app.viewContext().hasChanges());
  EXPECT_EQ(reread(*watch)->varasarake4(), 12);
  EXPECT_FALSE(reread(*watch)->varasarake3());
}

TEST_F(WearCounterTest, AFailedSaveOnTheDetailScreenKeepsTheFigures) {
  auto watch = newWatch("Hamilton", 3);
  auto screen = open(*watch);
  refuseWatchWrites();
  screen->confirmWear();  // no fatal stop: the failure is swallowed
  EXPECT_EQ(out(*screen).timesWornLabel, "4");
  EXPECT_TRUE(app.viewContext().hasChanges());
  allowWatchWrites();
  ASSERT_TRUE(app.viewContext().save().isOk());
  EXPECT_EQ(reread(*watch)->varasarake4(), 4);
}

}  // namespace
}  // namespace tockary::testing
