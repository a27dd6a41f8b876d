#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/format/formatters.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

using Json = nlohmann::ordered_json;
using Strings = std::vector<std::string>;

class CollectionCliTest : public ::testing::Test {
 protected:
  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }

  // Watches written straight into the store, as the editor would leave them; returns their ids.
  struct Spec {
    Spec(std::string b, std::string m, double w = 0, std::string s = "")
        : brand(std::move(b)), model(std::move(m)), wears(w), soldTo(std::move(s)) {}
    std::string brand;
    std::string model;
    double wears = 0;
    std::string soldTo;
  };
  std::vector<std::string> addWatches(const std::vector<Spec>& specs, bool withPicture = false) {
    AppDelegate app(data, StoreOptions{std::chrono::milliseconds(50)});
    std::vector<std::shared_ptr<Kello>> watches;
    for (const Spec& spec : specs) {
      auto kello = app.viewContext().insertNewObject<Kello>();
      kello->setMerkki(spec.brand);
      kello->setMalli(spec.model);
      kello->setVuosimalli("2001");
      kello->setVarasarake4(spec.wears);
      kello->setMyyntiliike(spec.soldTo);
      if (withPicture) kello->setKellokuva(Bytes{0x89, 'P', 'N', 'G'});
      watches.push_back(kello);
    }
    EXPECT_TRUE(app.viewContext().save().isOk());
    std::vector<std::string> ids;
    for (const auto& kello : watches) ids.push_back(std::to_string(kello->objectID().primaryKey));
    return ids;
  }

  // One field of every row of `tockary --json list`.
  Strings listed(const std::string& field, std::vector<std::string> options = {}) {
    options.insert(options.begin(), {"--json", "list"});
    const Json rows = parsedJson(tockary(options));
    Strings values;
    for (const Json& row : rows) {
      values.push_back(row[field].is_string() ? row[field].get<std::string>() : row[field].dump());
    }
    return values;
  }

  static void expectOneLineRefusal(const CliRun& run, const std::string& line) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tockary: " + line + "\n");
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
};

TEST_F(CollectionCliTest, ListReadsLikeTheRowsInTheirOrder) {
  const auto ids = addWatches({{"Tudor", "Ranger", 3}, {"Omega", "Speedmaster", 1}});
  CliRun run = tockary({"list"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, ids[1] +
                         "  Omega · Speedmaster · 2001\n"
                         "    Picture: no front picture\n"
                         "    Status: Not Set\n"
                         "    Buttons: technical details, Keeper Rate\n"
                         "    Swipe to wear: Last:  / Wear count: 1\n"
                         "\n" +
                         ids[0] +
                         "  Tudor · Ranger · 2001\n"
                         "    Picture: no front picture\n"
                         "    Status: Not Set\n"
                         "    Buttons: technical details, Keeper Rate\n"
                         "    Swipe to wear: Last:  / Wear count: 3\n");

  // The first run stored the row defaults, so the second shows the wear rate.
  EXPECT_EQ(listed("wearRateLabel"), (Strings{"Wear Rate: 25.0%", "Wear Rate: 75.0%"}));
  run = tockary({"list"});
  EXPECT_NE(run.out.find("\n    Wear Rate: 75.0%\n"), std::string::npos) << run.out;
  EXPECT_EQ(
      runTockary({"--data-dir", (home.path() / "empty").string(), "list"}, scratch.path()).out,
      "No watches.\n");
}

TEST_F(CollectionCliTest, JsonRowsKeepTheirKeysWithNumbersAsNumbers) {
  addWatches({{"Sinn", "556", 2}}, true);
  ASSERT_EQ(tockary({"settings", "fadeSettingOn", "on"}).status, 0);
  ASSERT_EQ(tockary({"settings", "badgesSettingOn", "on"}).status, 0);
  const Json rows = parsedJson(tockary({"--json", "list", "--mode", "1"}));
  ASSERT_EQ(rows.size(), 1u);
  const Json& row = rows[0];
  EXPECT_TRUE(row["id"].is_number_integer());
  // Never worn on a date: the faintest the fade goes, with the precision it has.
  EXPECT_EQ(row["watchImageView.alpha"], 0.05);
  EXPECT_EQ(row["watchImageView"], "front");
  EXPECT_EQ(row["manufacturerLabel"], "Wear count: 2");
  EXPECT_EQ(row["dotsButton"], "Dots2");
  EXPECT_EQ(row["badge4Outlet"], "Badge_1");
  EXPECT_EQ(row["badge1Outlet"], "(hidden)");
  EXPECT_EQ(row["quickWearAction"], "Last: \nWear count: 2");

  EXPECT_EQ(listed("watchImageView", {"--back"}), (Strings{"insertpic_back.png"}));
  const CliRun plain = tockary({"list"});
  EXPECT_NE(plain.out.find("    Picture: front picture, faded to 0.05\n"), std::string::npos)
      << plain.out;
  EXPECT_NE(plain.out.find("    Badges: badge for the first wear\n"), std::string::npos);

  const CliRun refused = tockary({"list", "--mode", "6"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
  EXPECT_EQ(refused.out, "");
}

TEST_F(CollectionCliTest, SortShowsTheSheetAndAnEntryByTitleOrNameReordersTheList) {
  addWatches({{"Alpina", "Alpiner", 1}, {"Zenith", "El Primero", 9}});
  CliRun run = tockary({"sort"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Order the Watches by:\n"
            "(Please choose one)\n"
            "  Brand and Model  (--choose orderByBrandAndModel)\n"
            "  Movement type  (--choose orderByMovementType)\n"
            "  Purchase Date  (--choose orderByPurchaseDate)\n"
            "  Purchase Price  (--choose orderByPrice)\n"
            "  Watch Status  (--choose orderByStatus)\n"
            "  Wear Rate  (--choose orderByWearStats)\n"
            "  Year of manufacture  (--choose orderByYear)\n"
            "  Cancel  (--choose cancel)\n");
  const Json sheet = parsedJson(tockary({"--json", "sort"}));
  EXPECT_EQ(sheet["headline"], "Order the Watches by:");
  EXPECT_EQ(sheet["actions"][5],
            (Json{{"identity", "orderByWearStats"}, {"title", "Wear Rate"}, {"style", "default"}}));
  EXPECT_EQ(sheet["actions"].back()["style"], "cancel");
  EXPECT_EQ(listed("manufacturerLabel"), (Strings{"Alpina", "Zenith"}));

  run = tockary({"sort", "Wear Rate"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Order: Wear Rate\n");
  EXPECT_EQ(listed("manufacturerLabel"), (Strings{"Zenith", "Alpina"}));
  const Json keys = parsedJson(tockary({"--json", "sort", "orderByBrandAndModel"}));
  EXPECT_EQ(keys["orderByBrandAndModel"], true);
  EXPECT_EQ(keys["orderByWearStats"], false);
  EXPECT_EQ(listed("manufacturerLabel"), (Strings{"Alpina", "Zenith"}));

  expectOneLineRefusal(
      tockary({"sort", "wear rate"}),
      "The sheet \"Order the Watches by:\" has no action \"wear rate\"; it has: "
      "orderByBrandAndModel (\"Brand and Model\"), orderByMovementType (\"Movement type\"), "
      "orderByPurchaseDate (\"Purchase Date\"), orderByPrice (\"Purchase Price\"), orderByStatus "
      "(\"Watch Status\"), orderByWearStats (\"Wear Rate\"), orderByYear (\"Year of "
      "manufacture\"), cancel (\"Cancel\")");
  EXPECT_EQ(listed("manufacturerLabel"), (Strings{"Alpina", "Zenith"}));
  EXPECT_NE(tockary({"sort", "--help"}).out.find("tockary sort \"Wear Rate\""), std::string::npos);
}

TEST_F(CollectionCliTest, DeleteAsksUnlessAnsweredAndRefusesUnknownIdsAndActions) {
  const auto ids = addWatches({{"Casio", "F-91W"}, {"Seiko", "5"}});
  CliRun run = tockary({"delete", ids[0]});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Please confirm that you wish to delete this watch record\n"
            "(This cannot be undone).\n"
            "  Confirm delete  (--choose confirmDelete)\n"
            "  Cancel  (--choose cancel)\n"
            "Nothing was deleted: add --yes to delete Casio F-91W.\n");
  EXPECT_EQ(listed("id").size(), 2u);
  EXPECT_EQ(tockary({"delete", ids[0], "--choose", "cancel"}).out, "Nothing was deleted.\n");
  expectOneLineRefusal(tockary({"delete", ids[0], "--choose", "Delete"}),
                       "The sheet \"Please confirm that you wish to delete this watch record\" has "
                       "no action \"Delete\"; it has: confirmDelete (\"Confirm delete\"), cancel "
                       "(\"Cancel\")");
  EXPECT_EQ(listed("id").size(), 2u);

  run = tockary({"delete", "Kello/" + ids[0], "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Deleted watch " + ids[0] + " (Casio F-91W).\n");
  EXPECT_EQ(listed("id"), (Strings{ids[1]}));
  EXPECT_EQ(parsedJson(tockary({"--json", "delete", ids[1], "--choose", "Confirm delete"})),
            (Json{{"deleted", std::stoll(ids[1])}}));
  EXPECT_TRUE(listed("id").empty());

  expectOneLineRefusal(tockary({"delete", ids[0], "--yes"}),
                       "unknown watch id \"" + ids[0] + "\"; `tockary list` shows the ids");
  EXPECT_EQ(tockary({"delete"}).status, 2);
}

TEST_F(CollectionCliTest, HiddenSoldWatchCannotBeDeletedFromTheList) {
  const auto ids = addWatches({{"Rolex", "Explorer", 0, "Dealer"}});
  ASSERT_EQ(tockary({"settings", "hideSoldWatchesSettingOn", "on"}).status, 0);
  EXPECT_EQ(tockary({"--json", "list"}).out, "[]\n");
  const CliRun run = tockary({"delete", ids[0], "--yes"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("hideSoldWatchesSettingOn"), std::string::npos) << run.err;
  ASSERT_EQ(tockary({"settings", "hideSoldWatchesSettingOn", "off"}).status, 0);
  EXPECT_EQ(listed("dwrButton"), (Strings{"SellerRate"}));
}

}  // namespace
}  // namespace tockary::testing
