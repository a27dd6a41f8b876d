#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

using Json = nlohmann::ordered_json;

class DetailCliTest : public ::testing::Test {
 protected:
  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }

  // Prepared through the store, as the editor would have saved it. Returns the id text.
  std::string addWatch(const std::string& brand, double timesWorn = 0) {
    AppDelegate app(data);
    auto watch = app.viewContext().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMyyntiliike(std::string());
    if (timesWorn != 0) watch->setVarasarake4(timesWorn);
    EXPECT_TRUE(app.viewContext().save().isOk());
    return std::to_string(watch->objectID().primaryKey);
  }

  std::shared_ptr<Kello> stored(const std::string& id) {
    reader = std::make_unique<AppDelegate>(data);
    return reader->viewContext().existingObject<Kello>(ObjectID{"Kello", std::stoll(id)});
  }

  static std::string today() { return Formatters("en_US", "UTC").shortDate(SystemClock().now()); }

  static void expectOneLineRefusal(const CliRun& run, const std::string& start) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("tockary: " + start, 0), 0u) << run.err;
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  std::unique_ptr<AppDelegate> reader;
};

TEST_F(DetailCliTest, QuickWearsSayWhatChangedAndShowReadsLikeTheScreen) {
  const std::string id = addWatch("Tudor");
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  ASSERT_EQ(tockary({"settings", "logEachWearSettingOn", "on"}).status, 0);
  const std::string d = today();
  for (int i = 1; i <= 3; ++i) {
    const CliRun run = tockary({"--json", "wear", id});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(parsedJson(run)["varasarake4"], i);
  }
  CliRun run = tockary({"wear", id});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Worn today: Tudor\nWear count: 4\nLast worn: " + d + ", ", 0), 0u)
      << run.out;
  EXPECT_TRUE(run.out.ends_with("\nAdded to the notes: " + d + ":  Wear count: 4\n")) << run.out;
  const std::string entry = "\n" + d + ":  Wear count: 4";
  const std::string notes = stored(id)->varasarake3().value_or("");
  EXPECT_TRUE(notes.ends_with(entry)) << notes;
  EXPECT_EQ(stored(id)->varasarake4(), 4);

  run = tockary({"show", "Kello/" + id});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "TUDOR\n"
            "Tudor\n"
            "No movement details\n"
            "Picture: no picture\n"
            "Status: Not Set\n"
            "Times worn: 4\n"
            "Last worn: " +
                d +
                "\n"
                "Days ago: 0\n"
                "Wear rate: 100.0%\n"
                "Cost per wear: -----\n"
                "Notes and history:\n"
                "\n"
                "  " +
                d + ":  Wear count: 1\n  " + d + ":  Wear count: 2\n  " + d +
                ":  Wear count: 3\n  " + d + ":  Wear count: 4\n");
}

TEST_F(DetailCliTest, ShowFacesAndJson) {
  const std::string id = addWatch("Omega");
  const CliRun run = tockary({"--json", "show", id, "--face", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json screen = parsedJson(run);
  EXPECT_EQ(screen["kelloIsFaceUp"], 3);
  EXPECT_EQ(screen["kelloImageView"], (Json{{"assetName", "Watch_Diagram.png"}}));
  EXPECT_EQ(screen["tekstiView"]["diameter"], "??");
  EXPECT_EQ(screen["basicWatchDetailsLabel"], "Omega");
  EXPECT_EQ(screen["complication5Textfield"], "");

  const CliRun diagram = tockary({"show", id, "--face", "3"});
  EXPECT_NE(diagram.out.find("Picture: dimension diagram\n  Diameter: ??\n  Lug width: ??\n"),
            std::string::npos)
      << diagram.out;
  EXPECT_EQ(parsedJson(tockary({"--json", "show", id, "--face", "2"}))["kelloImageView"],
            (Json{{"assetName", "nopic.png"}}));
  EXPECT_EQ(tockary({"show", id, "--face", "4"}).status, 2);
}

TEST_F(DetailCliTest, ConfirmedWearAsksFirstThenShowsTheBadgeItEarned) {
  const std::string id = addWatch("Sinn", 29);
  CliRun run = tockary({"wear", id, "--confirm"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Please confirm having worn this Watch today\n"
            "This will increment Wrist-Statistics counters and cannot be undone.\n"
            "  Confirm  (--choose confirmWear)\n"
            "  Cancel  (--choose cancel)\n"
            "Nothing was changed: add --yes to answer confirmWear, or --choose with another "
            "action.\n");
  const Json question = parsedJson(tockary({"--json", "wear", id, "--confirm"}));
  EXPECT_EQ(question["actions"][0]["identity"], "confirmWear");
  EXPECT_EQ(question["actions"][0]["title"], "Confirm");
  EXPECT_EQ(stored(id)->varasarake4(), 29);

  run = tockary({"wear", id, "--confirm", "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Badge unlocked for wearing a watch 30 times\n"
            "Great job!\n"
            "Picture: Badge_30Big\n"
            "  OK  (--choose ok)\n"
            "Wear logged.\n"
            "Times worn: 30\n"
            "Last worn: " +
                today() +
                "\n"
                "Days ago: 0\n"
                "Wear rate: 100.0%\n"
                "Cost per wear: -----\n");
  EXPECT_EQ(stored(id)->varasarake4(), 30);

  const Json next = parsedJson(tockary({"--json", "wear", id, "--confirm", "--choose", "Confirm"}));
  EXPECT_FALSE(next.contains("sheet"));  // 31: no badge
  EXPECT_EQ(next["timesWornLabel"], "31");
  EXPECT_EQ(stored(id)->varasarake4(), 31);
  expectOneLineRefusal(tockary({"wear", id, "--confirm", "--choose", "confirm"}),
                       "The sheet \"Please confirm having worn this Watch today\" has no action "
                       "\"confirm\"; it has: confirmWear (\"Confirm\"), cancel (\"Cancel\")");
  EXPECT_EQ(stored(id)->varasarake4(), 31);
}

TEST_F(DetailCliTest, StatusResetAndAdjust) {
  const std::string id = addWatch("Rolex", 57);
  CliRun run = tockary({"status", id, "Grail"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Status: Grail\n");
  EXPECT_EQ(parsedJson(tockary({"--json", "status", id, "Keeper"}))["statusButtonOutlet"],
            "StatusKeeperBig");
  EXPECT_EQ(stored(id)->varasarake2(), "Keeper");

  run = tockary({"reset", id});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Please confirm that you wish to reset wrist statistics", 0), 0u);
  EXPECT_EQ(stored(id)->varasarake4(), 57);

  run = tockary({"adjust", id, "60"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Adjust wear count\nThis will adjust the wear count to the number "
                          "specified here.\nField: (to fill in)\n",
                          0),
            0u)
      << run.out;
  EXPECT_EQ(stored(id)->varasarake4(), 57);
  run = tockary({"adjust", id, "60", "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Wear count adjusted.\nTimes worn: 60\n"), std::string::npos) << run.out;
  EXPECT_EQ(stored(id)->varasarake4(), 60);

  run = tockary({"reset", id, "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Wrist statistics reset.\nTimes worn: 0\nLast worn: -----\nDays ago: -----\n"
            "Wear rate: -----\nCost per wear: -----\n");
  EXPECT_EQ(stored(id)->varasarake4(), 0);
  EXPECT_FALSE(stored(id)->varasarake5());
  run = tockary({"reset", id, "--choose", "adjustWearCount"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Adjust wear count\n", 0), 0u) << run.out;
}

TEST_F(DetailCliTest, BadInputIsOneLineAndChangesNothing) {
  const std::string id = addWatch("Seiko", 5);
  expectOneLineRefusal(tockary({"status", id, "grail"}),
                       "unknown status \"grail\"; accepted: Not Set, Broken, For Sale, Grail, ");
  expectOneLineRefusal(tockary({"adjust", id, "abc", "--yes"}),
                       "wear count \"abc\" refused: The wear count must be a whole number of 0 "
                       "or more, such as 60.");
  expectOneLineRefusal(tockary({"adjust", id, "", "--yes"}), "wear count \"\" refused");
  for (const auto& command : std::vector<std::vector<std::string>>{{"show", "99"},
                                                                   {"wear", "99"},
                                                                   {"wear", "Takuu/1", "--confirm"},
                                                                   {"status", "99", "Grail"},
                                                                   {"reset", "99", "--yes"},
                                                                   {"adjust", "x", "6"}}) {
    expectOneLineRefusal(tockary(command), "unknown watch id");
  }
  auto watch = stored(id);
  EXPECT_EQ(watch->varasarake4(), 5);
  EXPECT_FALSE(watch->varasarake2());
}

}  // namespace
}  // namespace tockary::testing
