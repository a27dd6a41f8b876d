#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "platform/notifications/freedesktop_notification_poster.h"
#include "platform/notifications/notification_fixture.h"
#include "support/child_process.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace tockary {
namespace {

using testing::ChildProcess;
using testing::reminder;

// What the stand-in service received in one Notify call.
struct Posted {
  std::string app;
  std::string summary;
  std::string body;
  std::string hints;  // names, comma-separated
  friend bool operator==(const Posted&, const Posted&) = default;
};

std::ostream& operator<<(std::ostream& out, const Posted& posted) {
  return out << "{" << posted.app << " | " << posted.summary << " | " << posted.body << " | "
             << posted.hints << "}";
}

std::string percentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      decoded += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

// A session bus of the test's own with no service on it, named by DBUS_SESSION_BUS_ADDRESS
// while the test runs; startService() puts the stand-in notification service on it.
class SessionBusTest : public testing::NotificationTest {
 protected:
  void SetUp() override { startBus(); }

  // Starts a bus (again: a bus started before goes away first).
  void startBus() {
    service_.reset();
    bus_.reset();
    daemon_.reset();
    const auto config = scratch.path() / "session.conf";
    std::filesystem::remove(scratch.path() / "bus");
    testing::writeFile(config,
                       "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                       "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                       "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:path=" +
                           (scratch.path() / "bus").string() +
                           "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                           "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{TOCKARY_DBUS_DAEMON, "--config-file=" + config.string(),
                                 "--print-address", "--nofork"},
        /*quiet=*/true);
    const auto address = daemon_->readLine();
    ASSERT_TRUE(address) << "dbus-daemon (" << TOCKARY_DBUS_DAEMON << ") did not start";
    bus_ = std::make_unique<testing::ScopedEnvironment>("DBUS_SESSION_BUS_ADDRESS", *address);
  }

  void startService(std::vector<std::string> options = {}) {
    options.insert(options.begin(), TOCKARY_NOTIFICATION_RECORDER);
    service_ = std::make_unique<ChildProcess>(options);
    ASSERT_EQ(service_->readLine(), "ready");
  }

  void stopService() {
    ASSERT_TRUE(service_->finish());
    service_.reset();
  }

  // The next Notify call the service received; nullopt when none came.
  std::optional<Posted> nextPosted() {
    const auto line = service_->readLine();
    if (!line) return std::nullopt;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t blank; (blank = line->find(' ', start)) != std::string::npos;) {
      fields.push_back(percentDecoded(line->substr(start, blank - start)));
      start = blank + 1;
    }
    fields.push_back(percentDecoded(line->substr(start)));
    EXPECT_EQ(fields.size(), 4u) << *line;
    fields.resize(4);
    return Posted{fields[0], fields[1], fields[2], fields[3]};
  }

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
  FreedesktopNotificationPoster poster;
  std::ostringstream fallback;
  std::unique_ptr<ChildProcess> daemon_;
  std::unique_ptr<ChildProcess> service_;
  std::unique_ptr<testing::ScopedEnvironment> bus_;
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
