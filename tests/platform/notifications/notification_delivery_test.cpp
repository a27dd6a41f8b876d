#include <sqlite3.h>

#include <gtest/gtest.h>

#include <sstream>

#include "platform/notifications/notification_delivery.h"
#include "platform/notifications/notification_fixture.h"
#include "platform/store/object_store.h"

namespace tockary {
namespace {

using testing::NotificationTest;
using testing::reminder;

TEST(NotificationTextTest, SummaryIsTheTitleOrElseTheSubtitleAndTheBodyTheRest) {
  const auto text = [](std::string title, std::string subtitle, std::string body) {
    NotificationContent content;
    content.title = std::move(title);
    content.subtitle = std::move(subtitle);
    content.body = std::move(body);
    return notificationText(content);
  };
  EXPECT_EQ(text("Seiko SKX007", "Has not been worn in: 30 days", "Consider wearing again soon."),
            (NotificationText{"Seiko SKX007",
                              "Has not been worn in: 30 days\nConsider wearing again soon."}));
  EXPECT_EQ(text("Seiko SKX007", "Warranty expires in: 1 day", ""),
            (NotificationText{"Seiko SKX007", "Warranty expires in: 1 day"}));
  EXPECT_EQ(text("Tockary tip", "", "Under the settings tab"),
            (NotificationText{"Tockary tip", "Under the settings tab"}));
  EXPECT_EQ(
      text("", "Has not been worn in: 60 days", "Consider giving it some wrist time."),
      (NotificationText{"Has not been worn in: 60 days", "Consider giving it some wrist time."}));
  EXPECT_EQ(text("", "", ""), (NotificationText{"", ""}));
}

// Shows what it is given, or refuses the titles it is told to.
class FakePoster final : public NotificationPoster {
 public:
  Status post(const NotificationContent& content) override {
    if (content.title == refused) {
      return Status::error("No notification service answers on the session bus: gone");
    }
    shown.push_back(content.title);
    return Status::ok();
  }
  std::string refused = "\x01";
  std::vector<std::string> shown;
};

TEST_F(NotificationTest, DeliveryPostsWhatIsDueOnceAndPrintsWhatCannotBeShown) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  ASSERT_TRUE(center->replacePendingNotificationRequests(
      {reminder("Seiko SKX007", "Has not been worn in: 30 days", "Consider wearing again soon.", 16,
                0),
       reminder("Rolex \xff Explorer", "", "Is it still in the watch box?", 16, 0),
       reminder("Did you wear a watch today?", "Remember to mark any watches worn today!", "", 18,
                0)}));
  FakePoster poster;
  poster.refused = "Rolex \xff Explorer";
  std::ostringstream fallback;

  auto delivered = deliverDueNotifications(*center, poster, at(2026, 12, 7, 16, 1), utc, fallback);
  ASSERT_TRUE(delivered) << delivered.status().description();
  ASSERT_EQ(delivered->size(), 2u);
  EXPECT_EQ(delivered->at(0).content.title, "Seiko SKX007");
  EXPECT_EQ(delivered->at(1).content.title, "Rolex \xff Explorer");
  EXPECT_EQ(poster.shown, std::vector<std::string>{"Seiko SKX007"});
  EXPECT_EQ(fallback.str(),
            "No notification service answers on the session bus: gone\n"
            "Rolex \xEF\xBF\xBD Explorer\n"
            "Is it still in the watch box?\n");

  // Printed counts as shown: neither comes again.
  poster.refused.clear();
  fallback.str("");
  delivered = deliverDueNotifications(*center, poster, at(2026, 12, 7, 16, 2), utc, fallback);
  ASSERT_TRUE(delivered);
  EXPECT_TRUE(delivered->empty());
  EXPECT_EQ(fallback.str(), "");
  EXPECT_EQ(poster.shown.size(), 1u);
}

TEST_F(NotificationTest, DeliveryWhileAnotherProcessHoldsTheFileDeliversNothing) {
  auto center = openCenter();
  ASSERT_TRUE(center);
  ASSERT_TRUE(
      center->replacePendingNotificationRequests({reminder("Seiko SKX007", "", "", 16, 0)}));
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open((data / "reminders.sqlite").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  FakePoster poster;
  std::ostringstream fallback;

  auto delivered = deliverDueNotifications(*center, poster, at(2026, 12, 7, 16, 1), utc, fallback);
  ASSERT_FALSE(delivered);
  EXPECT_TRUE(isStoreBusy(delivered.status()));
  EXPECT_EQ(delivered.status().description(),
            "Could not take the due reminders: database is locked");
  EXPECT_TRUE(poster.shown.empty());
  EXPECT_EQ(fallback.str(), "");

  // Nothing was marked: once the file is free the occurrence is still delivered.
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  delivered = deliverDueNotifications(*center, poster, at(2026, 12, 7, 16, 2), utc, fallback);
  ASSERT_TRUE(delivered);
  EXPECT_EQ(poster.shown, std::vector<std::string>{"Seiko SKX007"});
}

}  // namespace
}  // namespace tockary
