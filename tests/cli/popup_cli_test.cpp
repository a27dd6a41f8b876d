#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

using Json = nlohmann::ordered_json;

class PopupCliTest : public CliTest {
 protected:
  CliRun run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--locale", "en_US"});
    return tockary(std::move(arguments));
  }

  // Saved through the store as the editor would; returns the id text.
  std::string addWatch(const std::string& brand, const std::string& soldTo = "",
                       double timesWorn = 0, std::optional<std::string> notes = std::nullopt) {
    AppDelegate app(data);
    auto watch = app.viewContext().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMalli("Model");
    watch->setHalkaisija("40");
    watch->setPaksuus("12");
    watch->setVuosimalli("2000");
    watch->setTauluvari("Black");
    watch->setKuorenmateriaali("Steel");
    watch->setKoneistotyyppi("Automatic");
    watch->setMyyntiliike(soldTo);
    watch->setVarasarake4(timesWorn);
    watch->setOstohinta(1000);
    if (!soldTo.empty()) watch->setMyyntihinta(1200);
    watch->setVarasarake3(std::move(notes));
    EXPECT_TRUE(app.viewContext().save().isOk());
    return std::to_string(watch->objectID().primaryKey);
  }

  // The watch as stored now, read by a store of its own that lives until the next read.
  std::shared_ptr<Kello> stored(const std::string& id) {
    reader = std::make_unique<AppDelegate>(data);
    auto watch = reader->viewContext().existingObject<Kello>(ObjectID{"Kello", std::stoll(id)});
    EXPECT_NE(watch, nullptr);
    return watch;
  }
  std::unique_ptr<AppDelegate> reader;

  static void expectRefusal(const CliRun& result, const std::string& line) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tockary: " + line + "\n");
  }
};

TEST_F(PopupCliTest, CompareShowsTheSheetAndItsRateAction) {
  const std::string id = addWatch("Omega", "", 4);
  const CliRun shown = run({"compare", id});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out,
            "Omega Model\nCompared to my Collection\n(excluding sold watches): \n"
            "Brand: Omega (100.0%)  \nDiameter: 40mm  (Avg.  40.0mm)\nThickness: 12mm  (Avg.  "
            "12.0mm)  \nDial Color: Black (100.0%) \nCase Material: Steel (100.0%) \nMovement "
            "type:Automatic (100.0%) \nYear: 2000 (Avg. 2000.0)  \nPrice:$1,000 (Avg. $1,000) "
            "\nWear Count: 4/4 (100.0%)\n(Wear Count includes also sold watches,\n but it can be "
            "reset per each watch).\n"
            "  Keeper Rate  (--choose keeperRate)\n  OK  (--choose ok)\n");

  const CliRun rate = run({"--json", "compare", id, "--choose", "Keeper Rate"});
  ASSERT_EQ(rate.status, 0) << rate.err;
  const Json json = parsedJson(rate);
  EXPECT_EQ(json["id"], "Kello/" + id);
  EXPECT_TRUE(json["sheet"]["headline"].get<std::string>().starts_with("Keeper Rate:\n"));
  EXPECT_TRUE(json["sheet"]["message"].get<std::string>().ends_with("\nKeeper Rate: 100.0% "));
  EXPECT_EQ(json["sheet"]["actions"].size(), 1U);

  expectRefusal(run({"compare", id, "--choose", "sellerRate"}),
                "The sheet \"Omega Model\nCompared to my Collection\n(excluding sold watches): "
                "\" has no action \"sellerRate\"; it has: keeperRate (\"Keeper Rate\"), ok "
                "(\"OK\")");
}

TEST_F(PopupCliTest, KeeperRateIsLoggedOnlyWithTheHistoryLogOn) {
  const std::string id = addWatch("Omega", "", 0, "Bought used");
  ASSERT_EQ(run({"keeper-rate", id}).status, 0);
  EXPECT_EQ(stored(id)->varasarake3(), "Bought used");
  ASSERT_EQ(run({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  const CliRun rate = run({"keeper-rate", id});
  ASSERT_EQ(rate.status, 0) << rate.err;
  EXPECT_TRUE(rate.out.ends_with("\nKeeper Rate: 0% \n  OK  (--choose ok)\n")) << rate.out;
  const std::string notes = stored(id)->varasarake3().value_or("");
  EXPECT_TRUE(notes.starts_with("Bought used\n")) << notes;
  EXPECT_TRUE(notes.ends_with(": Keeper Rate: 0 %")) << notes;
}

TEST_F(PopupCliTest, EachWatchGetsOnlyTheRateThatFitsIt) {
  const std::string kept = addWatch("Omega");
  const std::string sold = addWatch("Rolex", "buyer");
  expectRefusal(
      run({"keeper-rate", sold}),
      "watch " + sold + " is sold: its rate is the Seller Rate (tockary seller-rate " + sold + ")");
  expectRefusal(run({"seller-rate", kept}),
                "watch " + kept +
                    " is not sold: its rate is the Keeper Rate (tockary keeper-rate " + kept + ")");
  const CliRun rate = run({"seller-rate", sold});
  ASSERT_EQ(rate.status, 0) << rate.err;
  EXPECT_TRUE(rate.out.starts_with("Seller Rate:\n")) << rate.out;
  EXPECT_NE(rate.out.find("\nSeller Rate: 100.0% \n"), std::string::npos) << rate.out;
  expectRefusal(run({"seller-rate", "99"}),
                "unknown watch id \"99\"; `tockary list` shows the ids");
}

TEST_F(PopupCliTest, WatchOfTheDayDrawsOnlyUnsoldWatchesAndWearsThem) {
  const CliRun none = run({"wotd"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "No unsold watch to draw.\n");
  addWatch("Rolex", "buyer");
  EXPECT_EQ(run({"wotd"}).out, "No unsold watch to draw.\n");

  const std::string kept = addWatch("Omega", "", 9);
  const CliRun drawn = run({"--json", "wotd"});
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  const Json json = parsedJson(drawn);
  EXPECT_EQ(json["id"], "Kello/" + kept);
  EXPECT_EQ(json["sheet"]["headline"], "Watch Of The Day: \n \n Omega");
  // Without a picture of its own the watch shows the empty frames.
  EXPECT_EQ(json["sheet"]["images"], Json::array({"frame", "frame"}));
  EXPECT_EQ(json["sheet"]["actions"][1]["identity"], "wearToday");
  EXPECT_EQ(stored(kept)->varasarake4(), 9);
  // People get the drawn watch's id too, on the first line.
  EXPECT_EQ(
      run({"wotd"}).out.rfind("Drawn: Omega Model (Kello/" + kept + ")\nWatch Of The Day: \n", 0),
      0u);

  const CliRun worn = run({"wotd", "--choose", "Wear today"});
  ASSERT_EQ(worn.status, 0) << worn.err;
  EXPECT_EQ(worn.out, "Worn today: Omega Model (Kello/" + kept + ")\nWear count: 10\n");
  EXPECT_EQ(stored(kept)->varasarake4(), 10);
  EXPECT_EQ(run({"wotd", "--choose", "cancel"}).status, 0);
  EXPECT_EQ(stored(kept)->varasarake4(), 10);
}

TEST_F(PopupCliTest, SummaryOwnershipBadgesAndTechnicalSheets) {
  const std::string kept = addWatch("Omega", "", 30);
  addWatch("Rolex", "buyer");
  const CliRun summary = run({"summary"});
  ASSERT_EQ(summary.status, 0) << summary.err;
  EXPECT_EQ(summary.out,
            "My watch collection summary: \nWatches in collection: 1\nSold watches: 1\nTotal cost "
            "of watches in collection: $1,000\nTotal cost of sold watches: $1,000\nProfit from "
            "sold watches: $1,200\nResult of my watch deals: $200\n"
            "---------------------------------- \nAverage Diameter: 40.0mm\nAverage Thickness: "
            "12.0mm\nAverage Lug-to-lug: 0.0mm  \n  OK  (--choose ok)\n");

  const CliRun badge = run({"badge", kept, "4"});
  ASSERT_EQ(badge.status, 0) << badge.err;
  EXPECT_NE(badge.out.find("\nCurrent wear count: 30 \nNumber of wears needed to reach the next "
                           "level: 20 \n"),
            std::string::npos)
      << badge.out;
  expectRefusal(run({"badge", kept, "2"}),
                "watch " + kept + " has not earned badge 2, so its row does not show it");
  EXPECT_EQ(run({"badge", kept, "5"}).status, 2);
  expectRefusal(run({"ownership", kept}),
                "watch " + kept + " has no purchase date; the ownership sheet needs one");
  ASSERT_EQ(run({"edit", kept, "--purchase-date", "2020-01-01"}).status, 0);
  const CliRun owned = run({"ownership", kept});
  ASSERT_EQ(owned.status, 0) << owned.err;
  EXPECT_TRUE(owned.out.starts_with("Ownership duration for this watch so far: \n")) << owned.out;

  const CliRun tech = run({"--json", "tech", kept});
  ASSERT_EQ(tech.status, 0) << tech.err;
  EXPECT_EQ(parsedJson(tech)["sheet"]["headline"], "Watch Technical Info: ");
  EXPECT_TRUE(
      parsedJson(tech)["sheet"]["message"].get<std::string>().starts_with("Omega Model \n"));
}

}  // namespace
}  // namespace tockary::testing
