#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "platform/notifications/freedesktop_notification_poster.h"
#include "platform/notifications/notification_fixture.h"
#include "support/session_bus.h"

namespace tockary {
namespace {

using testing::Posted;
using testing::reminder;

// A session bus of the test's own with no service on it, named by DBUS_SESSION_BUS_ADDRESS
// while the test runs; startService() puts the stand-in notification service on it.
class SessionBusTest : public testing::NotificationTest {
 protected:
  void SetUp() override { startBus(); }

  // Starts a bus (again: a bus started before goes away first).
  void startBus() {
    ASSERT_TRUE(bus_.start()) << "dbus-daemon (" << TOCKARY_DBUS_DAEMON << ") did not start";
  }
  void startService(std::vector<std::string> options = {}) {
    ASSERT_TRUE(bus_.startService(std::move(options)));
  }
  void stopService() { ASSERT_TRUE(bus_.stopService()); }
  std::optional<Posted> nextPosted() { return bus_.nextPosted(); }

  // Delivers what is due at `now` from `requests` through a poster on the test's bus.
  Result<std::vector<NotificationRequest>> deliverAt(std::vector<NotificationRequest> requests,
                                                     Date now) {
    auto center = openCenter();
    if (!center) return Status::error("no center");
    if (Status replaced = center->replacePendingNotificationRequests(std::move(requests));
        !replaced) {
      return replaced;
    }
    return deliverDueNotifications(*center, poster, now, utc, fallback);
  }

  testing::TempDir scratch;
  testing::SessionBus bus_{TOCKARY_DBUS_DAEMON, TOCKARY_NOTIFICATION_RECORDER};
  FreedesktopNotificationPoster poster;
  std::ostringstream fallback;
};

NotificationContent content(std::string title, std::string subtitle, std::string body) {
  return reminder(std::move(title), std::move(subtitle), std::move(body), 0, 0).content;
}

TEST_F(SessionBusTest, NotificationsArriveAsSentUnderTheAppsName) {
  startService({"--capabilities", "body,actions"});
  ASSERT_TRUE(poster.post(content("Seiko \"Turtle\" & <Co>", "Has not been worn in: 30 days",
                                  "Consider wearing again soon.")));
  EXPECT_EQ(nextPosted(),
            (Posted{"Tockary", "Seiko \"Turtle\" & <Co>",
                    "Has not been worn in: 30 days\nConsider wearing again soon.", ""}));
  auto quiet = content("", "Warranty expires in: 1 day 🍰", "a < b");
  quiet.defaultSound = false;
  ASSERT_TRUE(poster.post(quiet));
  EXPECT_EQ(nextPosted(),
            (Posted{"Tockary", "Warranty expires in: 1 day 🍰", "a < b", "suppress-sound"}));
}

TEST_F(SessionBusTest, BodyIsEscapedOnlyForAServiceThatReadsMarkup) {
  startService({"--capabilities", "body,body-markup"});
  const auto user = content("Tom & Jerry <b>", "", "Rolex <Explorer> & \"Sub\"\nline & two");
  ASSERT_TRUE(poster.post(user));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Tom & Jerry <b>",
                                  "Rolex &lt;Explorer&gt; &amp; \"Sub\"\nline &amp; two", ""}));
  // Another service takes the name: the poster asks again.
  stopService();
  startService({"--capabilities", "body"});
  ASSERT_TRUE(poster.post(user));
  EXPECT_EQ(nextPosted(),
            (Posted{"Tockary", "Tom & Jerry <b>", "Rolex <Explorer> & \"Sub\"\nline & two", ""}));
}

TEST_F(SessionBusTest, APosterKeepsPostingWhenTheBusIsRestarted) {
  startService();
  ASSERT_TRUE(poster.post(content("Before", "", "")));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Before", "", ""}));
  startBus();
  startService();
  ASSERT_TRUE(poster.post(content("After", "", "")));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "After", "", ""}));
}

TEST_F(SessionBusTest, ARefusalIsAnErrorInOneLine) {
  startService({"--refuse"});
  const Status posted = poster.post(content("Seiko", "", ""));
  ASSERT_FALSE(posted);
  EXPECT_EQ(posted.description(),
            "The notification service refused the notification: refused for test");
}

TEST_F(SessionBusTest, WithoutAServiceDeliveryPrintsTheNotificationWithTheReason) {
  auto delivered = deliverAt({reminder("Did you wear a watch today?",
                                       "Remember to mark any watches worn today!", "", 18, 0)},
                             at(2026, 12, 7, 18, 0));
  ASSERT_TRUE(delivered);
  EXPECT_EQ(delivered->size(), 1u);
  const std::string printed = fallback.str();
  const std::string reason = "No notification service answers on the session bus: ";
  ASSERT_EQ(printed.substr(0, reason.size()), reason) << printed;
  const auto firstLineEnd = printed.find('\n');
  EXPECT_EQ(printed.substr(firstLineEnd + 1),
            "Did you wear a watch today?\nRemember to mark any watches worn today!\n");

  // A service that appears later gets the next post: the poster keeps no stale answer.
  startService();
  ASSERT_TRUE(poster.post(content("Later", "", "")));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Later", "", ""}));
}

TEST_F(SessionBusTest, WithoutABusPostingIsAnErrorSayingSo) {
  testing::ScopedEnvironment nowhere("DBUS_SESSION_BUS_ADDRESS",
                                     "unix:path=" + (scratch.path() / "no-bus").string());
  FreedesktopNotificationPoster elsewhere(std::chrono::milliseconds(500));
  const Status posted = elsewhere.post(content("Seiko", "", ""));
  ASSERT_FALSE(posted);
  EXPECT_EQ(posted.description().rfind("No session bus to show the notification on: ", 0), 0u)
      << posted.description();
  EXPECT_EQ(posted.description().find('\n'), std::string::npos);
}

TEST_F(SessionBusTest, DueNotificationsArePostedOnceInOrder) {
  startService();
  const std::vector<NotificationRequest> warranties{
      reminder("Seiko SKX007", "Warranty expires in: 30 days", "", 10, 0),
      reminder("Omega", "Warranty expires in: 14 days", "", 10, 2),
      reminder("Rolex", "Warranty expires in: 1 day", "", 10, 5)};
  auto delivered = deliverAt(warranties, at(2026, 12, 7, 10, 2));
  ASSERT_TRUE(delivered);
  EXPECT_EQ(delivered->size(), 2u);
  EXPECT_EQ(fallback.str(), "");
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Seiko SKX007", "Warranty expires in: 30 days", ""}));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Omega", "Warranty expires in: 14 days", ""}));

  // The next minute's rebuild renews the set; nothing new is due.
  delivered = deliverAt(warranties, at(2026, 12, 7, 10, 4));
  ASSERT_TRUE(delivered);
  EXPECT_TRUE(delivered->empty());
  // Nothing was posted in between: the next call the service saw is this one.
  ASSERT_TRUE(poster.post(content("Marker", "", "")));
  EXPECT_EQ(nextPosted(), (Posted{"Tockary", "Marker", "", ""}));
}

}  // namespace
}  // namespace tockary
