#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_runner.h"
#include "support/scoped_environment.h"
#include "support/session_bus.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

// A collection with one watch whose warranty ends on 6 January 2027, seen on 7 December 2026
// (TZ=UTC): the 30-day warranty notice and the four tips are pending at 10:00.
class RemindersCliTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(tockary({"add", "--brand", "Seiko", "--model", "Turtle & <Co>", "--warranty-end-date",
                       "2027-01-06"})
                  .status,
              0);
  }

  CliRun at(const std::string& now, std::vector<std::string> arguments) {
    const ScopedEnvironment clock("TOCKARY_NOW", now);
    return tockary(std::move(arguments));
  }

  void turnOn(const std::string& key) { ASSERT_EQ(tockary({"settings", key, "on"}).status, 0); }
};

TEST_F(RemindersCliTest, PrintsThePendingSetInOrderOrSaysHowToTurnItOn) {
  const CliRun none = at("2026-12-07T09:00", {"reminders"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out,
            "No reminders are pending: turn them on with tockary settings "
            "(enableWotdReminderSettingOn, enableLongAccuracyReminderSettingOn, "
            "enableWarrantyExpiringReminderSettingOn).\n");

  turnOn("enableWarrantyExpiringReminderSettingOn");
  const CliRun run = at("2026-12-07T09:00", {"reminders"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(
      run.out.starts_with("Seiko Turtle & <Co>\n"
                          "  Warranty expires in: 30 days\n"
                          "  daily 10:00\n"
                          "Collection facts\n"
                          "  Average diameter: 0.0mm\n"))
      << run.out;
  EXPECT_NE(run.out.find("Tockary tip\n  Under the settings tab"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("  day 29 of each month, 14:07\n")) << run.out;

  const auto json = parsedJson(at("2026-12-07T09:00", {"--json", "reminders"}));
  ASSERT_EQ(json["reminders"].size(), 5U);
  const auto& first = json["reminders"][0];
  EXPECT_EQ(first["title"], "Seiko Turtle & <Co>");
  EXPECT_EQ(first["subtitle"], "Warranty expires in: 30 days");
  EXPECT_EQ(first["body"], "");
  EXPECT_EQ(
      first["trigger"],
      (nlohmann::ordered_json{{"day", nullptr}, {"hour", 10}, {"minute", 0}, {"repeats", true}}));
  EXPECT_EQ(first["when"], "daily 10:00");
  EXPECT_EQ(json["reminders"][1]["trigger"]["day"], 10);
  EXPECT_EQ(first["identifier"].get<std::string>().size(), 36U);

  // A day later the warranty is 29 days away.
  EXPECT_EQ(parsedJson(at("2026-12-08T09:00", {"--json", "reminders"}))["reminders"].size(), 4U);
}

TEST_F(RemindersCliTest, WithoutANotificationServiceTheDueOnesArePrintedOnceWithTheReason) {
  turnOn("enableWarrantyExpiringReminderSettingOn");
  const ScopedEnvironment noBus("DBUS_SESSION_BUS_ADDRESS",
                                "unix:path=" + (scratch.path() / "no-bus").string());
  const CliRun early = at("2026-12-07T09:59", {"reminders", "--deliver-due"});
  EXPECT_EQ(early.status, 0);
  EXPECT_EQ(early.out, "");

  const CliRun due = at("2026-12-07T10:02", {"reminders", "--deliver-due"});
  EXPECT_EQ(due.status, 0) << due.err;
  const std::string reminder = "Seiko Turtle & <Co>\nWarranty expires in: 30 days\n";
  ASSERT_TRUE(due.out.ends_with("\n" + reminder)) << due.out;
  EXPECT_TRUE(due.out.starts_with("No session bus to show the notification on: ")) << due.out;
  EXPECT_EQ(std::count(due.out.begin(), due.out.end(), '\n'), 3);

  // The same time of firing is shown once, whoever delivers it; the next day it fires again.
  EXPECT_EQ(at("2026-12-07T10:04", {"reminders", "--deliver-due"}).out, "");
  const auto json = parsedJson(at("2026-12-07T10:04", {"--json", "reminders", "--deliver-due"}));
  EXPECT_EQ(json["delivered"].size(), 0U);
  const ScopedEnvironment later("TOCKARY_NOW", "2026-12-08T10:00");
  ASSERT_EQ(tockary({"edit", "1", "--warranty-end-date", "2027-01-07"}).status, 0);
  const auto nextDay = parsedJson(tockary({"--json", "reminders", "--deliver-due"}));
  ASSERT_EQ(nextDay["delivered"].size(), 1U);
  EXPECT_EQ(nextDay["delivered"][0]["title"], "Seiko Turtle & <Co>");
  EXPECT_TRUE(nextDay["shownOnStandardOutput"].get<std::string>().ends_with(reminder));
}

TEST_F(RemindersCliTest, DueRemindersReachTheDesktopsNotificationService) {
  SessionBus bus(TOCKARY_DBUS_DAEMON, TOCKARY_NOTIFICATION_RECORDER);
  ASSERT_TRUE(bus.start());
  ASSERT_TRUE(bus.startService({"--capabilities", "body,body-markup"}));
  turnOn("enableWarrantyExpiringReminderSettingOn");

  const CliRun run = at("2026-12-07T10:00:30", {"reminders", "--deliver-due"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");  // silent for a timer
  // The summary is plain text to every service; only a body is read as markup.
  EXPECT_EQ(bus.nextPosted(),
            (Posted{"Tockary", "Seiko Turtle & <Co>", "Warranty expires in: 30 days", ""}));

  // The tip of the 10th at 14:04, from a second program in the same minute: shown once.
  const CliRun tip = at("2026-12-10T14:04", {"reminders", "--deliver-due"});
  const CliRun again = at("2026-12-10T14:04:59", {"reminders", "--deliver-due"});
  EXPECT_EQ(tip.status, 0);
  EXPECT_EQ(again.status, 0);
  const auto posted = bus.nextPosted();
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->summary, "Collection facts");
  EXPECT_EQ(posted->body,
            "Average diameter: 0.0mm\nKnowing the average diameter of watches in your collection "
            "could help when choosing future watches.");
  ASSERT_TRUE(bus.stopService());
}

TEST_F(RemindersCliTest, WritesTheCalendarFileWholeAndRefusesWhereItCannot) {
  turnOn("enableWarrantyExpiringReminderSettingOn");
  const fs::path file = scratch.path() / "reminders.ics";
  const CliRun run = at("2026-12-07T09:00", {"reminders", "--ics", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, file.string() + "\n");
  const std::string text = readFile(file);
  EXPECT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")) << text;
  EXPECT_NE(text.find("SUMMARY:Seiko Turtle & <Co>\r\n"), std::string::npos);
  EXPECT_NE(text.find("DTSTART:20261207T100000\r\nRRULE:FREQ=DAILY\r\n"), std::string::npos);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  const auto json =
      parsedJson(at("2026-12-07T09:00", {"--json", "reminders", "--ics", file.string()}));
  EXPECT_EQ(json, (nlohmann::ordered_json{{"path", file.string()}, {"events", 5}}));

  expectRefusal(tockary({"reminders", "--ics", scratch.path().string()}),
                "--ics \"" + scratch.path().string() +
                    "\" is a directory; name a file in it, such as " +
                    (scratch.path() / "Tockary reminders.ics").string());
  const fs::path missing = scratch.path() / "nowhere" / "r.ics";
  expectRefusal(tockary({"reminders", "--ics", missing.string()}),
                "--ics \"" + missing.string() + "\" is in a folder that does not exist");
  expectRefusal(tockary({"reminders", "--deliver-due", "--ics", file.string()}),
                "--deliver-due excludes --ics");
  expectRefusal(at("tomorrow", {"reminders"}),
                "TOCKARY_NOW \"tomorrow\" refused; accepted: a local date and time such as "
                "2026-12-07T18:00");
}

TEST_F(RemindersCliTest, TheListAndTheReminderSwitchesRebuildTheSet) {
  turnOn("enableWarrantyExpiringReminderSettingOn");  // rebuilt by the switch
  const fs::path file = data / "reminders.sqlite";
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  fs::remove(file);
  fs::remove(data / "reminders.sqlite-wal");
  fs::remove(data / "reminders.sqlite-shm");
  ASSERT_EQ(tockary({"list"}).status, 0);
  EXPECT_TRUE(fs::exists(file));

  // A pending set that cannot be kept does not stop the list.
  fs::remove(file);
  fs::create_directory(file);
  const CliRun list = tockary({"list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.err.find("tockary: warning: the reminders cannot be kept: "), std::string::npos)
      << list.err;
  EXPECT_EQ(tockary({"reminders"}).status, 1);
}

}  // namespace
}  // namespace tockary::testing
