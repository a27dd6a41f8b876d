#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "settings/settings_table_view_controller.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace tockary {
namespace {

using Screen = SettingsTableViewController;

class SettingsScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousSink_ = setDiagnosticSink([this](std::string_view line) { lines_.emplace_back(line); });
    screen_.initiateNotifications = [this] { ++rebuilds_; };
  }
  void TearDown() override { setDiagnosticSink(previousSink_); }

  void load() {
    screen_.viewDidLoad();
    defaults_.clearWrittenKeys();
    lines_.clear();
  }

  MemoryUserDefaults defaults_;
  // The switches never open the store.
  testing::TempDir dir_;
  AppDelegate app_{dir_.path()};
  Formatters formatters_{"en_US", "UTC"};
  FixedClock clock_;
  RecordingPresenter presenter_;
  AppServices services_{app_, defaults_, formatters_, clock_, presenter_};
  Screen screen_{services_};
  std::vector<std::string> lines_;
  int rebuilds_ = 0;
  DiagnosticSink previousSink_;
};

TEST_F(SettingsScreenTest, FreshInstallShowsEverySwitchOffAndWritesNothing) {
  screen_.viewDidLoad();
  for (const SettingsSwitchInfo& info : settingsSwitches()) {
    const Switch* s = screen_.switchForKey(info.key);
    ASSERT_NE(s, nullptr) << info.key;
    EXPECT_FALSE(s->isOn) << info.key;
    EXPECT_TRUE(s->isEnabled) << info.key;
  }
  EXPECT_TRUE(defaults_.writtenKeys().empty());
  EXPECT_TRUE(lines_.empty());
  EXPECT_EQ(rebuilds_, 0);
  EXPECT_EQ(screen_.navigationBar.barStyle, BarStyle::Black);
  EXPECT_TRUE(screen_.navigationBar.isTranslucent);
  EXPECT_EQ(screen_.navigationBar.barTintColor, kBlack);
}

TEST_F(SettingsScreenTest, LoadShowsStoredValues) {
  // What a first collection row leaves behind, plus one flag set elsewhere.
  defaults_.setBool(true, kWarrantyInfoSettingOn);
  defaults_.setBool(true, kWearRateSettingOn);
  defaults_.setBool(true, kTechDetailsSettingOn);
  defaults_.setBool(true, kDwrswrSettingOn);
  defaults_.setBool(false, kOwnershipSettingOn);
  defaults_.setBool(true, kCompressWatchImagesSettingOn);
  defaults_.setRaw(kFadeSettingOn, "yes");
  defaults_.clearWrittenKeys();

  screen_.ownershipStatusDisplay.isOn = true;  // a stored false must turn a switch off
  screen_.viewDidLoad();

  std::vector<std::string_view> on;
  for (const SettingsSwitchInfo& info : settingsSwitches()) {
    if (screen_.switchForKey(info.key)->isOn) on.push_back(info.outlet);
  }
  EXPECT_EQ(on, (std::vector<std::string_view>{"warrantySwitchStatusDisplay",
                                               "wearRateSwitchStatusDisplay",
                                               "techDetailsStatusDisplay", "dwrswrStatusDisplay",
                                               "compressWatchImagesStatusDisplay"}));
  EXPECT_TRUE(defaults_.writtenKeys().empty());
}

struct SwitchCase {
  std::string_view key;
  void (Screen::*action)();
  Switch Screen::*outlet;
  const char* onLine;
  const char* offLine;
  bool rebuilds;
};

const SwitchCase kCases[] = {
    {"warrantyInfoSettingOn", &Screen::warrantySettingSwitch, &Screen::warrantySwitchStatusDisplay,
     "WarrantyOn", "WarrantyOff", false},
    {"wearRateSettingOn", &Screen::wearRateSettingSwitch, &Screen::wearRateSwitchStatusDisplay,
     "wear rate on", "wear rate off", false},
    {"hideSoldWatchesSettingOn", &Screen::hideSoldWatchesSettingSwitch,
     &Screen::hideSoldWatchesStatusDisplay, "hide sold watches on", "hide sold watches off", false},
    {"techDetailsSettingOn", &Screen::techDetailsSettingSwitch, &Screen::techDetailsStatusDisplay,
     "tech details on", "tech details off", false},
    {"dwrswrSettingOn", &Screen::dwrswrSettingSwitch, &Screen::dwrswrStatusDisplay,
     "dwrswr setting on", "dwrswr setting off", false},
    {"fadeSettingOn", &Screen::fadeSettingStatusSwitch, &Screen::fadeStatusDisplay,
     "fade setting on", "fade setting off", true},
    {"dataIndicatorSettingOn", &Screen::dataIndicatorSettingSwitch,
     &Screen::dataIndicatorStatusDisplay, "data indicator setting on", "data indicator setting off",
     true},
    {"badgesSettingOn", &Screen::badgesSettingSwitch, &Screen::badgesStatusDisplay,
     "badges setting on", "badges setting off", true},
    {"ownershipSettingOn", &Screen::ownershipSettingSwitch, &Screen::ownershipStatusDisplay,
     "ownership setting on", "ownership setting off", false},
    {"enableWotdReminderSettingOn", &Screen::enableWotdReminderSettingSwitch,
     &Screen::enableWotdReminderStatusDisplay, "WOTD_REMINDER_ON", "WOTD_REMINDER_OFF", true},
    {"enableLongAccuracyReminderSettingOn", &Screen::enableLongAccuracyReminderSettingSwitch,
     &Screen::enableLongAccuracyReminderStatusDisplay, "ACCURACY_REMINDER_ON",
     "ACCURACY_REMINDER_OFF", true},
    {"enableWarrantyExpiringReminderSettingOn", &Screen::enableWarrantyExpiringSettingSwitch,
     &Screen::enableWarrantyExpiringReminderStatusDisplay, "WARRANTY_REMINDER_ON",
     "WARRANTY_REMINDER_OFF", true},
    {"enableHistoryLogSettingOn", &Screen::enableHistoryLogSettingSwitch,
     &Screen::enableHistoryLogStatusDisplay, "history log enabled", "history log disabled", false},
    {"logEachWearSettingOn", &Screen::logEachWearSettingSwitch, &Screen::logEachWearStatusDisplay,
     "log each wear enabled", "log each wear disabled", false},
    {"logEvery10thWearSettingOn", &Screen::logEvery10thWearSettingSwitch,
     &Screen::logEvery10thWearStatusDisplay, "log every 10th wear enabled",
     "log every 10th wear disabled", false},
    {"compressWatchImagesSettingOn", &Screen::compressWatchImagesSwitch,
     &Screen::compressWatchImagesStatusDisplay, "COMPRESS ON", "COMPRESS OFF", false},
};

TEST_F(SettingsScreenTest, EachActionStoresItsSwitchAndPrintsItsLine) {
  for (const SwitchCase& c : kCases) {
    for (const bool on : {true, false}) {
      SCOPED_TRACE(std::string(c.key) + (on ? " on" : " off"));
      load();
      rebuilds_ = 0;
      (screen_.*c.outlet).isOn = on;
      (screen_.*c.action)();

      ASSERT_FALSE(defaults_.writtenKeys().empty());
      EXPECT_EQ(defaults_.writtenKeys().front(), c.key);
      EXPECT_EQ(defaults_.flag(c.key), on);
      EXPECT_EQ(lines_, std::vector<std::string>{on ? c.onLine : c.offLine});
      EXPECT_EQ(rebuilds_, c.rebuilds ? 1 : 0);
    }
  }
}

TEST_F(SettingsScreenTest, FrontEndTableMatchesTheScreen) {
  const auto infos = settingsSwitches();
  ASSERT_EQ(infos.size(), std::size(kCases));
  for (std::size_t i = 0; i < infos.size(); ++i) {
    EXPECT_EQ(infos[i].key, kCases[i].key);
    EXPECT_EQ(infos[i].key, kDisplaySettingKeys[i]);
    EXPECT_EQ(screen_.switchForKey(infos[i].key), &(screen_.*kCases[i].outlet)) << infos[i].key;
    EXPECT_FALSE(infos[i].label.empty());
  }
}

TEST_F(SettingsScreenTest, SetSwitchIsAUserToggle) {
  load();
  EXPECT_TRUE(screen_.setSwitch(kBadgesSettingOn, true));
  EXPECT_TRUE(screen_.badgesStatusDisplay.isOn);
  EXPECT_EQ(defaults_.flag(kBadgesSettingOn), true);
  EXPECT_EQ(lines_, std::vector<std::string>{"badges setting on"});
  EXPECT_EQ(rebuilds_, 1);
}

TEST_F(SettingsScreenTest, SetSwitchRefusesUnknownKeysAndDisabledSwitches) {
  load();
  EXPECT_FALSE(screen_.setSwitch("orderByYear", true));
  EXPECT_FALSE(screen_.setSwitch("warrantyInfoSettingon", true));
  screen_.logEachWearStatusDisplay.isEnabled = false;
  EXPECT_FALSE(screen_.setSwitch(kLogEachWearSettingOn, true));
  EXPECT_FALSE(screen_.logEachWearStatusDisplay.isOn);
  EXPECT_TRUE(defaults_.writtenKeys().empty());
  EXPECT_TRUE(lines_.empty());
}

TEST_F(SettingsScreenTest, SwitchesLeaveTheStoreClosed) {
  load();
  EXPECT_TRUE(screen_.setSwitch(kBadgesSettingOn, true));
  EXPECT_FALSE(app_.isStoreOpen());
}

TEST_F(SettingsScreenTest, RebuildHookIsOptional) {
  screen_.initiateNotifications = nullptr;
  load();
  EXPECT_TRUE(screen_.setSwitch(kFadeSettingOn, true));
  EXPECT_EQ(defaults_.flag(kFadeSettingOn), true);
}

class WearLoggingTest : public SettingsScreenTest {};

TEST_F(WearLoggingTest, EachWearOnTurnsEveryTenthOff) {
  defaults_.setBool(true, kLogEvery10thWearSettingOn);
  load();
  ASSERT_TRUE(screen_.logEvery10thWearStatusDisplay.isOn);

  ASSERT_TRUE(screen_.setSwitch(kLogEachWearSettingOn, true));
  EXPECT_EQ(defaults_.flag(kLogEachWearSettingOn), true);
  EXPECT_EQ(defaults_.flag(kLogEvery10thWearSettingOn), false);
  EXPECT_FALSE(screen_.logEvery10thWearStatusDisplay.isOn);
  EXPECT_TRUE(screen_.logEvery10thWearStatusDisplay.lastChangeAnimated);
  EXPECT_EQ(defaults_.writtenKeys(),
            (std::vector<std::string>{"logEachWearSettingOn", "logEvery10thWearSettingOn"}));
  EXPECT_EQ(lines_, std::vector<std::string>{"log each wear enabled"});

  ASSERT_TRUE(screen_.setSwitch(kLogEachWearSettingOn, false));
  EXPECT_EQ(defaults_.flag(kLogEachWearSettingOn), false);
  EXPECT_EQ(defaults_.flag(kLogEvery10thWearSettingOn), true);
  EXPECT_TRUE(screen_.logEvery10thWearStatusDisplay.isOn);
  EXPECT_TRUE(screen_.logEvery10thWearStatusDisplay.lastChangeAnimated);
}

TEST_F(WearLoggingTest, EveryTenthMirrorsEachWear) {
  defaults_.setBool(true, kLogEachWearSettingOn);
  load();

  ASSERT_TRUE(screen_.setSwitch(kLogEvery10thWearSettingOn, true));
  EXPECT_EQ(defaults_.flag(kLogEvery10thWearSettingOn), true);
  EXPECT_EQ(defaults_.flag(kLogEachWearSettingOn), false);
  EXPECT_FALSE(screen_.logEachWearStatusDisplay.isOn);
  EXPECT_TRUE(screen_.logEachWearStatusDisplay.lastChangeAnimated);

  ASSERT_TRUE(screen_.setSwitch(kLogEvery10thWearSettingOn, false));
  EXPECT_EQ(defaults_.flag(kLogEvery10thWearSettingOn), false);
  EXPECT_EQ(defaults_.flag(kLogEachWearSettingOn), true);
  EXPECT_TRUE(screen_.logEachWearStatusDisplay.isOn);
  EXPECT_EQ(lines_, (std::vector<std::string>{"log every 10th wear enabled",
                                              "log every 10th wear disabled"}));
}

TEST_F(WearLoggingTest, HistoryLogOnlyEnablesTheLoggingSwitches) {
  defaults_.setBool(true, kLogEachWearSettingOn);
  defaults_.setBool(false, kLogEvery10thWearSettingOn);
  load();

  ASSERT_TRUE(screen_.setSwitch(kEnableHistoryLogSettingOn, false));
  EXPECT_FALSE(screen_.logEachWearStatusDisplay.isEnabled);
  EXPECT_FALSE(screen_.logEvery10thWearStatusDisplay.isEnabled);
  EXPECT_TRUE(screen_.logEachWearStatusDisplay.isOn);
  EXPECT_EQ(defaults_.writtenKeys(), std::vector<std::string>{"enableHistoryLogSettingOn"});
  EXPECT_EQ(defaults_.flag(kLogEachWearSettingOn), true);
  EXPECT_EQ(defaults_.flag(kLogEvery10thWearSettingOn), false);

  ASSERT_TRUE(screen_.setSwitch(kEnableHistoryLogSettingOn, true));
  EXPECT_TRUE(screen_.logEachWearStatusDisplay.isEnabled);
  EXPECT_TRUE(screen_.logEvery10thWearStatusDisplay.isEnabled);
  EXPECT_EQ(lines_, (std::vector<std::string>{"history log disabled", "history log enabled"}));
}

TEST(SortChoiceTest, ExactlyOneOfTheGroupIsTrue) {
  MemoryUserDefaults defaults;
  defaults.setBool(true, kOrderByWearStats);
  defaults.clearWrittenKeys();

  ASSERT_TRUE(storeSortChoice(defaults, kCollectionSortKeys, kOrderByPrice));
  for (std::string_view key : kCollectionSortKeys) {
    EXPECT_EQ(defaults.flag(key), key == kOrderByPrice) << key;
  }
  // The chosen key last, so an interrupted step never leaves two true.
  ASSERT_EQ(defaults.writtenKeys().size(), 7u);
  EXPECT_EQ(defaults.writtenKeys().back(), "orderByPrice");
  // The other group is a separate choice.
  EXPECT_EQ(defaults.value(kOrderByWatch), StoredFlag::Absent);
}

TEST(SortChoiceTest, KeyOutsideTheGroupWritesNothing) {
  MemoryUserDefaults defaults;
  EXPECT_FALSE(storeSortChoice(defaults, kMeasurementSortKeys, kOrderByYear));
  EXPECT_TRUE(defaults.writtenKeys().empty());
}

TEST(PreferenceKeysTest, GroupsHoldTheirKeysInOrder) {
  EXPECT_EQ(kCollectionSortKeys,
            (std::array<std::string_view, 7>{"orderByWearStats", "orderByBrandAndModel",
                                             "orderByYear", "orderByPrice", "orderByPurchaseDate",
                                             "orderByMovementType", "orderByStatus"}));
  EXPECT_EQ(kMeasurementSortKeys,
            (std::array<std::string_view, 3>{"orderByWatch", "orderByTotalAccuracy",
                                             "orderByAccuracyStatus"}));
}

}  // namespace
}  // namespace tockary
