#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

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

TEST_F(DetailCliTest, ThreeQuickWearsAreLoggedAndShownInTheNotes) {
  const std::string id = addWatch("Tudor");
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  ASSERT_EQ(tockary({"settings", "logEachWearSettingOn", "on"}).status, 0);
  for (int i = 0; i < 3; ++i) {
    const CliRun run = tockary({"wear", id});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("varasarake4: " + std::to_string(i + 1) + "\n"), std::string::npos)
        << run.out;
  }
  const std::string entry = "\n" + today() + ":  Wear count: 3";
  const std::string notes = stored(id)->varasarake3().value_or("");
  EXPECT_TRUE(notes.ends_with(entry)) << notes;
  EXPECT_EQ(stored(id)->varasarake4(), 3);

  const CliRun show = tockary({"show", "Kello/" + id});
  ASSERT_EQ(show.status, 0) << show.err;
  const std::string d = today();
  EXPECT_NE(show.out.find("notesTextView: \\n" + d + ":  Wear count: 1\\n" + d +
                          ":  Wear count: 2\\n" + d + ":  Wear count: 3\n"),
            std::string::npos)
      << show.out;
  EXPECT_NE(show.out.find("title: TUDOR\n"), std::string::npos);
  EXPECT_NE(show.out.find("timesWornLabel: 3\ndateLastWornLabel: " + d +
                          "\ndaysAgoLabel: 0\nkeeperRateLabel: 100.0%\ncostPerWearLabel: -----\n"),
            std::string::npos)
      << show.out;
  EXPECT_NE(show.out.find("tekstiView: (hidden)\n"), std::string::npos);
}

TEST_F(DetailCliTest, ShowFacesAndJson) {
  const std::string id = addWatch("Omega");
  const CliRun run = tockary({"--json", "show", id, "--face", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"kelloIsFaceUp\": 3"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"assetName\": \"Watch_Diagram.png\""), std::string::npos);
  EXPECT_NE(run.out.find("\"diameter\": \"??\""), std::string::npos);
  EXPECT_NE(run.out.find("\"basicWatchDetailsLabel\": \"Omega\""), std::string::npos);
  EXPECT_NE(run.out.find("\"complication5Textfield\": \"\""), std::string::npos);

  const CliRun back = tockary({"show", id, "--face", "2"});
  EXPECT_NE(back.out.find("kelloImageView.assetName: nopic.png\n"), std::string::npos) << back.out;
  EXPECT_EQ(tockary({"show", id, "--face", "4"}).status, 2);
}

TEST_F(DetailCliTest, ConfirmedWearAsksFirstThenShowsTheBadge) {
  const std::string id = addWatch("Sinn", 29);
  CliRun run = tockary({"wear", id, "--confirm"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "headline: Please confirm having worn this Watch today\n"
            "message: This will increment Wrist-Statistics counters and cannot be undone.\n"
            "actions: Confirm\n"
            "actions: Cancel\n");
  EXPECT_EQ(stored(id)->varasarake4(), 29);

  run = tockary({"wear", id, "--confirm", "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("sheet.headline: Badge unlocked for wearing a watch 30 times\n"
                          "sheet.message: Great job!\n"
                          "sheet.actions: OK\n",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.out.find("timesWornLabel: 30\n"), std::string::npos);
  EXPECT_EQ(stored(id)->varasarake4(), 30);

  run = tockary({"wear", id, "--confirm", "--yes"});
  EXPECT_EQ(run.out.find("sheet."), std::string::npos);  // 31: no badge
}

TEST_F(DetailCliTest, StatusResetAndAdjust) {
  const std::string id = addWatch("Rolex", 57);
  CliRun run = tockary({"status", id, "Grail"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("statusTextField: Grail\nstatusButtonOutlet: StatusGrailBig\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(stored(id)->varasarake2(), "Grail");

  run = tockary({"reset", id});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("headline: Please confirm that you wish to reset wrist statistics", 0),
            0u);
  EXPECT_EQ(stored(id)->varasarake4(), 57);

  run = tockary({"adjust", id, "60"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("headline: Adjust wear count\n", 0), 0u) << run.out;
  EXPECT_EQ(stored(id)->varasarake4(), 57);
  run = tockary({"adjust", id, "60", "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("timesWornLabel: 60\n"), std::string::npos);
  EXPECT_EQ(stored(id)->varasarake4(), 60);

  run = tockary({"reset", id, "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("timesWornLabel: 0\ndateLastWornLabel: -----\n"), std::string::npos);
  EXPECT_EQ(stored(id)->varasarake4(), 0);
  EXPECT_FALSE(stored(id)->varasarake5());
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
