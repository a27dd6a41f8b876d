#include "watch/history_log.h"

#include <gtest/gtest.h>

#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

class HistoryLogTest : public ::testing::Test {
 protected:
  void logOn(bool each, bool tenth) {
    defaults.setBool(true, kEnableHistoryLogSettingOn);
    defaults.setBool(each, kLogEachWearSettingOn);
    defaults.setBool(tenth, kLogEvery10thWearSettingOn);
  }
  MemoryUserDefaults defaults;
  Formatters formatters{"en_US", "UTC"};
  FixedClock clock{formatters.calendar().dateFrom(2026, 12, 5, 23, 59)};
  HistoryLog log{defaults, formatters, clock};
};

TEST_F(HistoryLogTest, NothingWithTheLogOffWhateverTheWearSwitches) {
  defaults.setBool(true, kLogEachWearSettingOn);
  defaults.setBool(true, kLogEvery10thWearSettingOn);
  EXPECT_EQ(log.wear(10, WearRoute::DetailScreen), "");
  EXPECT_EQ(log.statusChanged("Grail"), "");
  EXPECT_EQ(log.markedSold(), "");
  EXPECT_EQ(log.reset(5), "");
  EXPECT_EQ(log.adjusted("6", 5), "");
  EXPECT_FALSE(log.watchAdded("notes").has_value());
  defaults.setBool(false, kEnableHistoryLogSettingOn);
  EXPECT_EQ(log.wear(10, WearRoute::ListQuickLog), "");
}

TEST_F(HistoryLogTest, EntriesWithTheirExactSpacing) {
  logOn(false, false);
  EXPECT_EQ(*log.watchAdded("Box and papers"),
            "12/5/26:  Watch was added to Tockary-collection.\n\nBox and papers");
  EXPECT_EQ(*log.watchAdded(""), "12/5/26:  Watch was added to Tockary-collection.\n\n");
  EXPECT_EQ(log.markedSold(), "\n12/5/26:  Watch was marked sold");
  EXPECT_EQ(log.statusChanged("Grail"), "\n12/5/26:  Status changed to: Grail");
  EXPECT_EQ(log.statusChanged("Not Set"), "\n12/5/26:  Status changed to: Not Set");
  EXPECT_EQ(log.reset(57), "\n12/5/26: Wrist-stats were reset. Wear count before reset: 57");
  EXPECT_EQ(log.adjusted("60", 57),
            "\n12/5/26: Wrist-stats were adjusted to 60. Wear count before the adjustment: 57");
  EXPECT_EQ(log.wear(3, WearRoute::DetailScreen), "");
}

TEST_F(HistoryLogTest, EachWearAndEveryTenth) {
  logOn(true, false);
  EXPECT_EQ(log.wear(3, WearRoute::ListQuickLog), "\n12/5/26:  Wear count: 3");
  EXPECT_EQ(log.wear(1200, WearRoute::DetailScreen), "\n12/5/26:  Wear count: 1200");

  logOn(false, true);
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(log.wear(n, WearRoute::DetailScreen), "") << n;
  EXPECT_EQ(log.wear(10, WearRoute::DetailScreen), "\n12/5/26 : Wear count: 10");
  EXPECT_EQ(log.wear(10, WearRoute::ListQuickLog), "\n12/5/26 : Wear count: 10");
  EXPECT_EQ(log.wear(10, WearRoute::WatchOfTheDay), "\n12/5/26:  Wear count: 10");

  logOn(true, true);
  EXPECT_EQ(log.wear(20, WearRoute::DetailScreen),
            "\n12/5/26:  Wear count: 20\n12/5/26 : Wear count: 20");
  EXPECT_EQ(log.wear(21, WearRoute::DetailScreen), "\n12/5/26:  Wear count: 21");
}

TEST_F(HistoryLogTest, DateFollowsTheLocale) {
  logOn(true, false);
  Formatters german("de_DE", "UTC");
  HistoryLog germanLog(defaults, german, clock);
  EXPECT_EQ(germanLog.wear(1, WearRoute::ListQuickLog), "\n05.12.26:  Wear count: 1");
  // A non-boolean value reads as off.
  MemoryUserDefaults odd;
  odd.setRaw(kEnableHistoryLogSettingOn, "yes");
  HistoryLog oddLog(odd, formatters, clock);
  EXPECT_EQ(oddLog.markedSold(), "");
}

}  // namespace
}  // namespace tockary::testing
