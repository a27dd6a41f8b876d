#include <sqlite3.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/notifications/notification_fixture.h"
#include "platform/notifications/pending_notifications.h"

namespace tockary {
namespace {

using testing::NotificationTest;
using testing::reminder;

std::vector<NotificationRequest> sampleSet() {
  auto anniversary = reminder("Seiko SKX007 anniversary: ", "2 year(s) 🍰🍾",
                              "Celebrate by wearing today!", 9, 0);
  anniversary.content.userInfo = {{"customData", "fizzbuzz"}, {"second", "entry"}};
  auto tip = reminder("Tockary tip", "", "", 14, 7, 29);
  tip.content.defaultSound = false;
  tip.content.userInfo.clear();
  auto once = reminder("", "", "", 17, 1, 25);
  once.trigger.repeats = false;
  auto odd = reminder(std::string("nul\0inside", 10), "", "bad \xff byte", 0, 0);
  return {anniversary, tip, once, odd};
}

unsigned modeOf(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

// Puts a database made by `sql` where `file` was.
void replaceWithDatabase(const std::filesystem::path& file, const char* sql) {
  std::filesystem::remove(file);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

TEST_F(NotificationTest, PendingSetIsKeptBetweenRunsInOrderAndWhole) {
  {
    auto center = openCenter();
    ASSERT_TRUE(center);
    ASSERT_TRUE(center->replacePendingNotificationRequests(sampleSet()));
  }
  auto reopened = openCenter();
  ASSERT_TRUE(reopened);
  auto pending = reopened->pendingNotificationRequests();
  ASSERT_TRUE(pending);
  EXPECT_EQ(*pending, sampleSet());
}

TEST_F(NotificationTest, ReplacingDropsTheEarlierSetAndAnEmptySetClearsIt) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  ASSERT_TRUE(center->replacePendingNotificationRequests(sampleSet()));
  const std::vector<NotificationRequest> next{
      reminder("Did you wear a watch today?", "", "", 18, 0)};
  ASSERT_TRUE(center->replacePendingNotificationRequests(next));
  EXPECT_EQ(center->pendingNotificationRequests().value(), next);
  ASSERT_TRUE(center->replacePendingNotificationRequests({}));
  EXPECT_TRUE(center->pendingNotificationRequests().value().empty());
}

TEST_F(NotificationTest, FileIsPrivateFromTheStartAndAuthorisationIsGranted) {
  data = home.path() / "missing" / "tockary";
  auto center = openCenter();
  ASSERT_TRUE(center);
  EXPECT_EQ(center->file(), data / "reminders.sqlite");
  EXPECT_EQ(modeOf(data / "reminders.sqlite"), 0600u);
  EXPECT_EQ(modeOf(data), 0700u);
  std::optional<bool> granted;
  center->requestAuthorization([&](bool answer) { granted = answer; });
  EXPECT_EQ(granted, true);
}

TEST_F(NotificationTest, AFileThatIsNotARemindersFileIsAnErrorAndLeftAsItWas) {
  std::filesystem::create_directories(data);
  const auto file = data / "reminders.sqlite";

  testing::writeFile(file, "not a database, but someone's notes");
  auto garbage = openPendingNotifications(data);
  ASSERT_FALSE(garbage);
  EXPECT_EQ(garbage.status().description(), "The reminders file could not be opened.");
  EXPECT_EQ(garbage.status().userInfo().at("path"), file.string());
  EXPECT_EQ(testing::readFile(file), "not a database, but someone's notes");

  replaceWithDatabase(file, "CREATE TABLE watches(name TEXT)");
  auto foreign = openPendingNotifications(data);
  ASSERT_FALSE(foreign);
  EXPECT_EQ(foreign.status().userInfo().at("reason"),
            "another program's database, not a reminders file");

  replaceWithDatabase(file, "PRAGMA user_version = 7");
  auto newer = openPendingNotifications(data);
  ASSERT_FALSE(newer);
  EXPECT_EQ(newer.status().userInfo().at("reason"),
            "written by a newer version of the program (schema 7)");

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(openPendingNotifications(data).status().userInfo().at("reason"), "not a regular file");

  testing::writeFile(home.path() / "plain", "");
  EXPECT_FALSE(openPendingNotifications(home.path() / "plain"));
}

TEST_F(NotificationTest, AReplacementInProgressIsNotSeenByAnotherReader) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  ASSERT_TRUE(center->replacePendingNotificationRequests(sampleSet()));
  // Another process halfway through its replacement: the old set gone, one new request written.
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open((data / "reminders.sqlite").c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(writer,
                   "BEGIN IMMEDIATE; DELETE FROM pendingUserInfo; DELETE FROM pending; "
                   "INSERT INTO pending VALUES(1, 'new', 'half', '', '', '', 1, NULL, 1, 2, 1)",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  EXPECT_EQ(center->pendingNotificationRequests().value(), sampleSet());
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
}

TEST_F(NotificationTest, ReadersSeeOneWholeSetWhileAnotherCenterKeepsReplacingIt) {
  const std::vector<NotificationRequest> small{
      reminder("Did you wear a watch today?", "", "", 18, 0)};
  std::vector<NotificationRequest> large;
  for (int i = 0; i < 16; ++i)
    large.push_back(reminder("Watch " + std::to_string(i), "", "", 16, i));
  auto reader = openCenter();
  auto writer = openCenter();
  ASSERT_TRUE(reader && writer);
  ASSERT_TRUE(writer->replacePendingNotificationRequests(small));

  std::atomic<bool> done{false};
  std::thread rebuilding([&] {
    for (int round = 0; round < 100; ++round) {
      EXPECT_TRUE(writer->replacePendingNotificationRequests(round % 2 == 0 ? large : small));
    }
    done = true;
  });
  int mixed = 0;
  int failed = 0;
  while (!done) {
    auto pending = reader->pendingNotificationRequests();
    if (!pending) ++failed;
    if (pending && *pending != small && *pending != large) ++mixed;
  }
  rebuilding.join();
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(mixed, 0);
}

}  // namespace
}  // namespace tockary
