#include "reminders/reminders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "accuracy/measurement.h"
#include "settings/preference_keys.h"
#include "support/memory_notification_center.h"
#include "support/screen_fixture.h"
#include "watch/wear_counter.h"

namespace tockary {
namespace {

using std::chrono::hours;
using std::chrono::minutes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RemindersTest : public testing::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    clock.set(at(2026, 12, 7, 12, 0));
  }

  // One flag on, the other two off.
  void only(std::string_view flag) {
    for (std::string_view key : {kEnableWotdReminderSettingOn, kEnableLongAccuracyReminderSettingOn,
                                 kEnableWarrantyExpiringReminderSettingOn}) {
      defaults.setBool(key == flag, key);
    }
  }

  std::vector<NotificationRequest> rebuild() {
    reminders.initiateNotifications();
    return center.pending;
  }

  std::shared_ptr<Kello> wornOn(const std::string& brand, const std::string& model, Date lastWorn,
                                const std::string& soldTo = "") {
    auto record = watch(brand, model, soldTo);
    record->setVarasarake5(lastWorn);
    EXPECT_TRUE(context().save().isOk());
    return record;
  }

  void measurementStartedAt(Date started, std::string_view state = kMeasurementStarted) {
    auto record = context().insertNewObject<Varataulu>();
    record->setVaraString5(std::string(state));
    record->setVaraPVM1(started);
    ASSERT_TRUE(context().save().isOk());
  }

  testing::MemoryNotificationCenter center;
  Reminders reminders{services, center};
};

TEST_F(RemindersTest, WithEveryFlagOffNothingStaysPending) {
  center.pending.push_back({"old", {"Stale", "", "", "alarm", {}, true}, {}});
  wornOn("Alpha", "Beta", at(2026, 11, 7, 9, 0));
  for (std::string_view key : kDisplaySettingKeys) defaults.setBool(false, key);
  EXPECT_THAT(rebuild(), IsEmpty());
  EXPECT_EQ(center.replacements, 1);

  // Absent flags count as off.
  MemoryUserDefaults none;
  AppServices fresh{app, none, formatters, clock, presenter};
  Reminders untouched(fresh, center);
  untouched.initiateNotifications();
  EXPECT_THAT(center.pending, IsEmpty());
}

TEST_F(RemindersTest, TheWarrantyFlagAloneOnAnEmptyCollectionSchedulesTheFourTipsWithText) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  const auto pending = rebuild();
  ASSERT_EQ(pending.size(), 4U);
  EXPECT_THAT(center.titles(),
              ElementsAre("Collection facts", "Tockary tip", "Tockary tip", "Tockary tip"));
  EXPECT_EQ(pending[0].content.subtitle, "Average diameter: 0.0mm");
  EXPECT_EQ(pending[0].content.body,
            "Knowing the average diameter of watches in your collection could help when "
            "choosing future watches.");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{10, 14, 4, true}));
  EXPECT_EQ(pending[1].trigger, (CalendarTrigger{15, 14, 5, true}));
  EXPECT_THAT(pending[1].content.body, ::testing::HasSubstr("\"Back Up…\" under the settings tab"));
  EXPECT_EQ(pending[2].trigger, (CalendarTrigger{22, 14, 6, true}));
  EXPECT_EQ(pending[3].trigger, (CalendarTrigger{29, 14, 7, true}));
  for (const auto& request : pending) {
    EXPECT_EQ(request.content.categoryIdentifier, "alarm");
    EXPECT_EQ(request.content.userInfo,
              (std::vector<std::pair<std::string, std::string>>{{"customData", "fizzbuzz"}}));
    EXPECT_TRUE(request.content.defaultSound);
    EXPECT_TRUE(std::regex_match(request.identifier,
                                 std::regex("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}")));
  }
  EXPECT_THAT(lines,
              ::testing::IsSupersetOf({"Tip-1 (Diameter) toteutui", "Tip-2 (Backups) toteutui",
                                       "Tip-3 (CSV-tip) toteutui", "Tip-4 (Compress) toteutui"}));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("TockaryPro") != l.npos; }),
            0);
  // The tip's average is the unsold watches'.
  watch("Alpha", "Beta")->setHalkaisija("40");
  watch("Gamma", "Delta")->setHalkaisija("43");
  watch("Sold", "One", "A buyer")->setHalkaisija("50");
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(rebuild()[0].content.subtitle, "Average diameter: 41.5mm");
}

TEST_F(RemindersTest, EveryRebuildGivesNewIdentifiers) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  const auto first = rebuild();
  const auto second = rebuild();
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_NE(first[i].identifier, second[i].identifier);
  }
}

TEST_F(RemindersTest, AWatchNotWornForExactlyThirtyDaysWhateverTheHour) {
  only(kEnableWotdReminderSettingOn);
  clock.set(at(2026, 12, 7, 0, 1));
  wornOn("Alpha", "Beta", at(2026, 11, 7, 23, 59));
  wornOn("Today", "Worn", at(2026, 12, 7, 0, 0));  // no evening question
  auto pending = rebuild();
  ASSERT_EQ(pending.size(), 1U);
  EXPECT_EQ(pending[0].content.title, "Alpha Beta");
  EXPECT_EQ(pending[0].content.subtitle, "Has not been worn in: 30 days");
  EXPECT_EQ(pending[0].content.body, "Consider wearing again soon.");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{std::nullopt, 16, 0, true}));
  EXPECT_THAT(lines, ::testing::Contains("30 toteutui"));

  clock.set(at(2026, 12, 7, 23, 59));
  EXPECT_EQ(rebuild().size(), 1U);
  clock.set(at(2026, 12, 8, 0, 0));  // 31 days
  rebuild();
  EXPECT_THAT(center.titles(), ::testing::Not(::testing::Contains("Alpha Beta")));
}

TEST_F(RemindersTest, TheOtherUnwornSpansAndWhichWatchIsNamed) {
  only(kEnableWotdReminderSettingOn);
  wornOn("Today", "Worn", at(2026, 12, 7, 8, 0));
  wornOn("Sixty", "Later", at(2026, 10, 8, 20, 0));
  wornOn("Sixty", "Earlier", at(2026, 10, 8, 7, 0));
  wornOn("Sixty", "Sold", at(2026, 10, 8, 6, 0), "A buyer");
  wornOn("Hundred", "", at(2026, 8, 29, 12, 0));
  wornOn("Year", "Old", at(2025, 12, 7, 12, 0));
  const auto pending = rebuild();
  ASSERT_EQ(pending.size(), 3U);
  EXPECT_EQ(pending[0].content.title, "Sixty Earlier");
  EXPECT_EQ(pending[0].content.subtitle, "Has not been worn in: 60 days");
  EXPECT_EQ(pending[0].trigger.minute, 30);
  EXPECT_EQ(pending[1].content.title, "Hundred ");  // one blank, even before an empty model
  EXPECT_EQ(pending[1].content.body, "Probably could use some wear.");
  EXPECT_EQ(pending[2].content.title, "Year Old");
  EXPECT_EQ(pending[2].content.subtitle, "Has not been worn in: 365 days");
  EXPECT_EQ(pending[2].content.body, "Is it still in the watch box?");
  EXPECT_EQ(pending[2].trigger, (CalendarTrigger{std::nullopt, 16, 35, true}));
}

TEST_F(RemindersTest, TheEveningQuestionGoesOnceAnUnsoldWatchIsWornToday) {
  only(kEnableWotdReminderSettingOn);
  EXPECT_THAT(rebuild(), IsEmpty());  // nothing to wear: nothing to ask

  auto kept = wornOn("Alpha", "Beta", at(2026, 12, 6, 23, 59));
  wornOn("Sold", "Watch", at(2026, 12, 7, 9, 0), "A buyer");
  const auto pending = rebuild();
  ASSERT_EQ(pending.size(), 1U);
  EXPECT_EQ(pending[0].content.title, "Did you wear a watch today?");
  EXPECT_EQ(pending[0].content.subtitle, "Remember to mark any watches worn today!");
  EXPECT_EQ(pending[0].content.body, "");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{std::nullopt, 18, 0, true}));
  EXPECT_THAT(lines, ::testing::Contains("AJASTETTIIN WOTD HÄLYTYS"));

  ASSERT_TRUE(quickLogWear(*kept, services).isOk());
  EXPECT_THAT(rebuild(), IsEmpty());
}

TEST_F(RemindersTest, WarrantiesEndingInThirtyFourteenAndOneDays) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  auto ended = watch("Ended", "Before");
  ended->setTakuupvm(at(2026, 11, 7, 12, 0));  // 30 days ago
  ASSERT_TRUE(context().save().isOk());
  auto pending = rebuild();
  EXPECT_EQ(pending.size(), 4U);  // the tips only

  auto ending = watch("Alpha", "Beta");
  ending->setTakuupvm(at(2027, 1, 6, 23, 30));
  auto fortnight = watch("Two", "Weeks");
  fortnight->setTakuupvm(at(2026, 12, 21, 0, 0));
  auto tomorrow = watch("One", "Day");
  tomorrow->setTakuupvm(at(2026, 12, 8, 1, 0));
  auto sold = watch("Sold", "Too", "A buyer");
  sold->setTakuupvm(at(2027, 1, 6, 12, 0));
  ASSERT_TRUE(context().save().isOk());
  pending = rebuild();
  ASSERT_EQ(pending.size(), 7U);
  EXPECT_EQ(pending[0].content.title, "Alpha Beta");
  EXPECT_EQ(pending[0].content.subtitle, "Warranty expires in: 30 days");
  EXPECT_EQ(pending[0].content.body, "");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{std::nullopt, 10, 0, true}));
  EXPECT_EQ(pending[1].content.title, "Two Weeks");
  EXPECT_EQ(pending[1].content.subtitle, "Warranty expires in: 14 days");
  EXPECT_EQ(pending[2].content.title, "One Day");
  EXPECT_EQ(pending[2].content.subtitle, "Warranty expires in: 1 day");
  EXPECT_EQ(pending[2].trigger.minute, 5);
  EXPECT_THAT(lines,
              ::testing::IsSupersetOf({"30 days warranty toteutui", "14 days warranty toteutui",
                                       "1 day warranty toteutui"}));
}

TEST_F(RemindersTest, PurchaseAnniversariesInWholeYears) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  auto today = watch("Bought", "Today");
  today->setOstopvm(at(2026, 12, 7, 8, 0));
  auto almost = watch("Bought", "Tomorrow");
  almost->setOstopvm(at(2025, 12, 8, 8, 0));
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(rebuild().size(), 4U);

  // Bought later in the day than now: still this calendar day a year ago.
  auto year = watch("Alpha", "Beta");
  year->setOstopvm(at(2025, 12, 7, 23, 0));
  ASSERT_TRUE(context().save().isOk());
  auto pending = rebuild();
  ASSERT_EQ(pending.size(), 5U);
  EXPECT_EQ(pending[0].content.title, "Alpha Beta anniversary: ");
  EXPECT_EQ(pending[0].content.subtitle, "1 year(s) 🍰🍾");
  EXPECT_EQ(pending[0].content.body, "Celebrate by wearing today!");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{std::nullopt, 9, 0, true}));
  EXPECT_THAT(lines, ::testing::Contains("Anniversary toteutui"));

  // Of several, the one worn earliest (never worn first).
  year->setVarasarake5(at(2026, 12, 1));
  auto decade = watch("Old", "Friend");
  decade->setOstopvm(at(2016, 12, 7, 10, 0));
  ASSERT_TRUE(context().save().isOk());
  pending = rebuild();
  EXPECT_EQ(pending[0].content.title, "Old Friend anniversary: ");
  EXPECT_EQ(pending[0].content.subtitle, "10 year(s) 🍰🍾");

  // Sold watches have no anniversary.
  decade->setMyyntiliike("A buyer");
  year->setMyyntiliike("A buyer");
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(rebuild().size(), 4U);
}

TEST_F(RemindersTest, ALeapDayPurchaseIsCelebratedAsTheCalendarCountsYears) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  watch("Leap", "Day")->setOstopvm(at(2024, 2, 29, 12, 0));
  ASSERT_TRUE(context().save().isOk());
  clock.set(at(2025, 2, 28, 9, 0));
  ASSERT_EQ(reminders.purchaseAnniversary().has_value(), true);
  EXPECT_EQ(reminders.purchaseAnniversary()->years, 1);
  clock.set(at(2025, 3, 1, 9, 0));
  EXPECT_FALSE(reminders.purchaseAnniversary().has_value());
  clock.set(at(2028, 2, 29, 9, 0));
  EXPECT_EQ(reminders.purchaseAnniversary()->years, 4);
  clock.set(at(2028, 2, 28, 9, 0));
  EXPECT_FALSE(reminders.purchaseAnniversary().has_value());
}

TEST_F(RemindersTest, AMeasurementRunningADayOrMore) {
  only(kEnableLongAccuracyReminderSettingOn);
  measurementStartedAt(clock.now() - hours(100), kMeasurementReady);
  measurementStartedAt(clock.now() - hours(23) - minutes(59));
  EXPECT_THAT(rebuild(), IsEmpty());

  clock.advance(minutes(1));
  const auto pending = rebuild();
  ASSERT_EQ(pending.size(), 1U);
  EXPECT_EQ(pending[0].content.title, "Active long running accuracy measurement");
  EXPECT_EQ(pending[0].content.subtitle, "");
  EXPECT_EQ(pending[0].content.body, "Remember to finish the measurement!");
  EXPECT_EQ(pending[0].trigger, (CalendarTrigger{std::nullopt, 15, 30, true}));
}

TEST_F(RemindersTest, AllFlagsOnScheduleInTheFixedOrder) {
  for (std::string_view key : {kEnableWotdReminderSettingOn, kEnableLongAccuracyReminderSettingOn,
                               kEnableWarrantyExpiringReminderSettingOn}) {
    defaults.setBool(true, key);
  }
  auto alpha = wornOn("Alpha", "Beta", at(2026, 11, 7));
  alpha->setTakuupvm(at(2027, 1, 6));
  alpha->setOstopvm(at(2020, 12, 7));
  ASSERT_TRUE(context().save().isOk());
  measurementStartedAt(at(2026, 12, 1));
  std::vector<std::string> triggers;
  for (const auto& request : rebuild()) triggers.push_back(triggerDescription(request.trigger));
  EXPECT_THAT(triggers,
              ElementsAre("daily 18:00", "daily 16:00", "daily 15:30", "daily 10:00", "daily 09:00",
                          "day 10 of each month, 14:04", "day 15 of each month, 14:05",
                          "day 22 of each month, 14:06", "day 29 of each month, 14:07"));
}

// A center that cannot keep what it is given.
class FailingCenter final : public UserNotificationCenter {
 public:
  void requestAuthorization(std::function<void(bool)> completion) override { completion(false); }
  Status replacePendingNotificationRequests(std::vector<NotificationRequest>) override {
    return Status::error("disk full");
  }
  Result<std::vector<NotificationRequest>> pendingNotificationRequests() const override {
    return Status::error("disk full");
  }
};

TEST_F(RemindersTest, AFailedSchedulingSaysSoAndClaimsNothing) {
  only(kEnableWarrantyExpiringReminderSettingOn);
  FailingCenter failing;
  Reminders broken(services, failing);
  broken.initiateNotifications();
  broken.printPendingRequests();
  EXPECT_THAT(lines, ::testing::Contains("D'oh"));
  EXPECT_THAT(lines, ::testing::Contains("Could not schedule the notifications: disk full"));
  EXPECT_THAT(lines, ::testing::Contains("Could not read the pending notifications: disk full"));
  EXPECT_THAT(lines, ::testing::Not(::testing::Contains("Tip-1 (Diameter) toteutui")));
}

}  // namespace
}  // namespace tockary
