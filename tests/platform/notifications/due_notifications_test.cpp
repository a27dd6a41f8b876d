#include <sqlite3.h>

#include <gtest/gtest.h>

#include <barrier>
#include <map>
#include <mutex>
#include <thread>

#include "platform/notifications/notification_fixture.h"
#include "platform/notifications/pending_notifications.h"

namespace tockary {
namespace {

using testing::NotificationTest;
using testing::reminder;

class DueNotificationTest : public NotificationTest {
 protected:
  // Whether `request` alone is due at `now` on a fresh file.
  bool dueAt(const NotificationRequest& request, Date now, const Calendar& calendar) {
    testing::TempDir fresh;
    auto center = openPendingNotifications(fresh.path());
    EXPECT_TRUE(center);
    EXPECT_TRUE(center.value()->replacePendingNotificationRequests({request}));
    auto due = center.value()->takeDueNotificationRequests(now, calendar);
    EXPECT_TRUE(due) << due.status().description();
    return due && due->size() == 1;
  }
  bool dueAt(const NotificationRequest& request, Date now) { return dueAt(request, now, utc); }

  std::vector<std::string> takeTitles(PendingNotificationCenter& center, Date now) {
    auto due = center.takeDueNotificationRequests(now, utc);
    EXPECT_TRUE(due) << due.status().description();
    std::vector<std::string> titles;
    for (const auto& request : due.valueOr({})) titles.push_back(request.content.title);
    return titles;
  }
};

TEST_F(DueNotificationTest, DailyTriggerIsDueFromItsMinuteToTheEndOfTheGrace) {
  const auto evening = reminder("Did you wear a watch today?", "", "", 18, 0);
  EXPECT_TRUE(dueAt(evening, at(2026, 12, 7, 18, 0)));
  EXPECT_TRUE(dueAt(evening, at(2026, 12, 7, 18, 3, 30)));
  EXPECT_TRUE(dueAt(evening, at(2026, 12, 7, 18, 5)));
  EXPECT_FALSE(dueAt(evening, at(2026, 12, 7, 18, 5, 1)));
  EXPECT_FALSE(dueAt(evening, at(2026, 12, 7, 17, 59, 59)));
  // Just after midnight the occurrence is yesterday's, across the year's end too.
  const auto late = reminder("Late", "", "", 23, 58);
  EXPECT_TRUE(dueAt(late, at(2027, 1, 1, 0, 2)));
  EXPECT_FALSE(dueAt(late, at(2027, 1, 1, 0, 3, 1)));
}

TEST_F(DueNotificationTest, MonthlyTriggerFiresOnlyOnItsDayAndOnlyInMonthsThatHaveIt) {
  const auto tip = reminder("Collection facts", "Average diameter: 40.5mm", "", 14, 4, 10);
  EXPECT_TRUE(dueAt(tip, at(2026, 12, 10, 14, 4)));
  EXPECT_FALSE(dueAt(tip, at(2026, 12, 9, 14, 4)));
  EXPECT_FALSE(dueAt(tip, at(2026, 12, 11, 14, 4)));

  const auto thirtyFirst = reminder("Tip", "", "", 14, 0, 31);
  EXPECT_TRUE(dueAt(thirtyFirst, at(2026, 12, 31, 14, 0)));
  // November has no 31st: it is not carried over to the 1st.
  EXPECT_FALSE(dueAt(thirtyFirst, at(2026, 12, 1, 14, 0)));
  EXPECT_FALSE(dueAt(thirtyFirst, at(2026, 11, 30, 14, 0)));

  const auto twentyNinth = reminder("Tockary tip", "", "", 14, 7, 29);
  EXPECT_TRUE(dueAt(twentyNinth, at(2028, 2, 29, 14, 7)));
  EXPECT_FALSE(dueAt(twentyNinth, at(2027, 3, 1, 14, 7)));

  const auto yearEnd = reminder("Year end", "", "", 23, 58, 31);
  EXPECT_TRUE(dueAt(yearEnd, at(2027, 1, 1, 0, 1)));
}

TEST_F(DueNotificationTest, TriggersFollowTheWallClockOfTheCalendarsZone) {
  const Calendar helsinki("Europe/Helsinki");
  const auto evening = reminder("Did you wear a watch today?", "", "", 18, 0);
  // 16:00 UTC is 18:00 in Helsinki in winter.
  EXPECT_TRUE(dueAt(evening, at(2026, 12, 7, 16, 0), helsinki));
  EXPECT_FALSE(dueAt(evening, at(2026, 12, 7, 16, 0), utc));
  // 03:30 does not exist on 2027-03-28 in Helsinki: it fires when the clocks resume at 04:00
  // (01:00 UTC).
  const auto skipped = reminder("Skipped", "", "", 3, 30);
  EXPECT_TRUE(dueAt(skipped, at(2027, 3, 28, 1, 2), helsinki));
}

TEST_F(DueNotificationTest, TriggersThatCannotFireAreNeverDue) {
  EXPECT_FALSE(dueAt(reminder("Day 32", "", "", 0, 0, 32), at(2026, 12, 1, 0, 0)));
  EXPECT_FALSE(dueAt(reminder("Day 0", "", "", 0, 0, 0), at(2026, 12, 1, 0, 0)));
  EXPECT_FALSE(dueAt(reminder("Hour 24", "", "", 24, 0), at(2026, 12, 2, 0, 0)));
  EXPECT_FALSE(dueAt(reminder("Minute 60", "", "", 17, 60), at(2026, 12, 1, 18, 0)));
}

TEST_F(DueNotificationTest, AnOccurrenceIsTakenOnceThroughRebuildsAndByOtherCenters) {
  auto app = openCenter();
  auto commandLine = openCenter();
  ASSERT_TRUE(app && commandLine);
  auto thirty = reminder("Seiko SKX007", "Has not been worn in: 30 days",
                         "Consider wearing again soon.", 16, 0);
  auto sixty = reminder("Omega Seamaster", "Has not been worn in: 60 days",
                        "Consider giving it some wrist time.", 16, 0);
  ASSERT_TRUE(app->replacePendingNotificationRequests({thirty, sixty}));
  EXPECT_EQ(takeTitles(*commandLine, at(2026, 12, 7, 16, 0)),
            (std::vector<std::string>{"Seiko SKX007", "Omega Seamaster"}));
  EXPECT_TRUE(takeTitles(*commandLine, at(2026, 12, 7, 16, 1)).empty());
  EXPECT_TRUE(takeTitles(*app, at(2026, 12, 7, 16, 2)).empty());

  // The rebuild a minute later renews the identifiers; the content and trigger are the same.
  thirty.identifier = "renewed-1";
  sixty.identifier = "renewed-2";
  auto other = reminder("Rolex Explorer", "Has not been worn in: 30 days",
                        "Consider wearing again soon.", 16, 0);
  ASSERT_TRUE(app->replacePendingNotificationRequests({thirty, other, sixty}));
  EXPECT_EQ(takeTitles(*app, at(2026, 12, 7, 16, 3)), std::vector<std::string>{"Rolex Explorer"});

  // Tomorrow's occurrence is another one.
  EXPECT_EQ(takeTitles(*commandLine, at(2026, 12, 8, 16, 0)),
            (std::vector<std::string>{"Seiko SKX007", "Rolex Explorer", "Omega Seamaster"}));
}

TEST_F(DueNotificationTest, TwoProcessesTakingAtOnceDeliverEachOccurrenceOnce) {
  std::vector<NotificationRequest> set;
  for (int i = 0; i < 16; ++i) set.push_back(reminder("Watch " + std::to_string(i), "", "", 9, 0));
  ASSERT_TRUE(openCenter()->replacePendingNotificationRequests(set));

  std::mutex lock;
  std::map<std::pair<int, std::string>, int> taken;
  // Both read one clock: they take each day's occurrences together.
  std::barrier sameMinute(2);
  auto deliverer = [&] {
    auto center = openPendingNotifications(data);
    EXPECT_TRUE(center);
    for (int day = 1; day <= 30; ++day) {
      sameMinute.arrive_and_wait();
      if (!center) continue;
      auto due = center.value()->takeDueNotificationRequests(at(2026, 11, day, 9, 1), utc);
      EXPECT_TRUE(due) << due.status().description();
      std::lock_guard guard(lock);
      for (const auto& request : due.valueOr({})) ++taken[{day, request.content.title}];
    }
  };
  std::thread first(deliverer);
  std::thread second(deliverer);
  first.join();
  second.join();
  EXPECT_EQ(taken.size(), 30u * 16u);
  for (const auto& [occurrence, times] : taken) {
    EXPECT_EQ(times, 1) << occurrence.second << " on day " << occurrence.first;
  }
}

TEST_F(DueNotificationTest, AOneTimeRequestLeavesTheSetWhenTaken) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  auto once = reminder("Once", "", "", 10, 0);
  once.trigger.repeats = false;
  const auto daily = reminder("Daily", "", "", 10, 0);
  ASSERT_TRUE(center->replacePendingNotificationRequests({once, daily}));
  EXPECT_TRUE(takeTitles(*center, at(2026, 12, 7, 9, 0)).empty());
  EXPECT_EQ(center->pendingNotificationRequests().value().size(), 2u);
  EXPECT_EQ(takeTitles(*center, at(2026, 12, 7, 10, 0)),
            (std::vector<std::string>{"Once", "Daily"}));
  EXPECT_EQ(center->pendingNotificationRequests().value(), std::vector<NotificationRequest>{daily});
}

TEST_F(DueNotificationTest, OldDeliveryMarksArePruned) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  ASSERT_TRUE(center->replacePendingNotificationRequests({reminder("Daily", "", "", 10, 0)}));
  for (int day = 1; day <= 20; ++day) {
    EXPECT_EQ(takeTitles(*center, at(2026, 12, day, 10, 0)).size(), 1u);
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((data / "reminders.sqlite").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* count = nullptr;
  sqlite3_prepare_v2(db, "SELECT count(*) FROM delivered", -1, &count, nullptr);
  ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
  EXPECT_LE(sqlite3_column_int(count, 0), 3);
  sqlite3_finalize(count);
  sqlite3_close(db);
}

}  // namespace
}  // namespace tockary
