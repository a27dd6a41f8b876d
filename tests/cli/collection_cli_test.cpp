#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

class CollectionCliTest : public ::testing::Test {
 protected:
  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string()});
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

  static std::vector<std::string> valuesOf(const std::string& out, const std::string& name) {
    std::vector<std::string> values;
    const std::string prefix = name + ": ";
    std::size_t start = 0;
    while (start < out.size()) {
      std::size_t end = out.find('\n', start);
      if (end == std::string::npos) end = out.size();
      const std::string line = out.substr(start, end - start);
      if (line.rfind(prefix, 0) == 0) values.push_back(line.substr(prefix.size()));
      start = end + 1;
    }
    return values;
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
};

TEST_F(CollectionCliTest, ListPrintsEveryRowInOrderWithItsIdAndElements) {
  const auto ids = addWatches({{"Tudor", "Ranger", 3}, {"Omega", "Speedmaster", 1}});
  CliRun run = tockary({"list"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "id: " + ids[1] +
                         "\n"
                         "watchImageView: insertpic_front.png\n"
                         "watchImageView.alpha: 1.0\n"
                         "manufacturerLabel: Omega\n"
                         "modelLabel: Speedmaster\n"
                         "yearLabel: 2001\n"
                         "yearLabel.textColor: white\n"
                         "dotsButton: Dots\n"
                         "statusButtonOutlet: NotSetGrey\n"
                         "badge1Outlet: (hidden)\n"
                         "badge2Outlet: (hidden)\n"
                         "badge3Outlet: (hidden)\n"
                         "badge4Outlet: (hidden)\n"
                         "vuosiOutlet: (hidden)\n"
                         "indicatorButtonOutlet: (hidden)\n"
                         "wearRateLabel: \n"
                         "warrantyEndsLabel: \n"
                         "quickInfoButton: shown\n"
                         "dwrButton: KeeperRate\n"
                         "\n"
                         "id: " +
                         ids[0] + "\n" + "watchImageView: insertpic_front.png\n" +
                         run.out.substr(
                             run.out.find("watchImageView.alpha: 1.0\nmanufacturerLabel: Tudor")));

  // The first run stored the row defaults, so the second shows the wear rate.
  run = tockary({"list"});
  EXPECT_EQ(valuesOf(run.out, "wearRateLabel"),
            (std::vector<std::string>{"Wear Rate: 25.0%", "Wear Rate: 75.0%"}));
  run = tockary({"settings"});
  EXPECT_NE(run.out.find("wearRateSettingOn: on\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("ownershipSettingOn: off\n"), std::string::npos);
  EXPECT_NE(run.out.find("badgesSettingOn: not set\n"), std::string::npos);
}

TEST_F(CollectionCliTest, ModesPicturesAndJson) {
  addWatches({{"Sinn", "556", 2}}, true);
  CliRun run = tockary({"list", "--mode", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(valuesOf(run.out, "manufacturerLabel"), (std::vector<std::string>{"Wear count: 2"}));
  EXPECT_EQ(valuesOf(run.out, "dotsButton"), (std::vector<std::string>{"Dots2"}));
  EXPECT_EQ(valuesOf(run.out, "watchImageView"), (std::vector<std::string>{"kellokuva"}));
  run = tockary({"list", "--back"});
  EXPECT_EQ(valuesOf(run.out, "watchImageView"), (std::vector<std::string>{"insertpic_back.png"}));

  run = tockary({"--json", "list", "--mode", "3"});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("[\n  {\n    \"id\": ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\"manufacturerLabel\": \"Ref: ---\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"badge1Outlet\": \"(hidden)\""), std::string::npos);

  run = tockary({"list", "--mode", "6"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(CollectionCliTest, SortShowsTheSheetAndAnEntryReordersTheList) {
  addWatches({{"Alpina", "Alpiner", 1}, {"Zenith", "El Primero", 9}});
  CliRun run = tockary({"sort"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "headline: Order the Watches by:\n"
            "message: (Please choose one)\n"
            "actions: Brand and Model\n"
            "actions: Movement type\n"
            "actions: Purchase Date\n"
            "actions: Purchase Price\n"
            "actions: Watch Status\n"
            "actions: Wear Rate\n"
            "actions: Year of manufacture\n"
            "actions: Cancel\n");
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "manufacturerLabel"),
            (std::vector<std::string>{"Alpina", "Zenith"}));

  run = tockary({"sort", "Wear Rate"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("orderByWearStats: true\norderByBrandAndModel: false\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "manufacturerLabel"),
            (std::vector<std::string>{"Zenith", "Alpina"}));

  run = tockary({"sort", "wear rate"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "tockary: unknown sort entry \"wear rate\"; accepted: \"Brand and Model\", \"Movement "
            "type\", \"Purchase Date\", \"Purchase Price\", \"Watch Status\", \"Wear Rate\", "
            "\"Year of manufacture\"\n");
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "manufacturerLabel"),
            (std::vector<std::string>{"Zenith", "Alpina"}));
  EXPECT_NE(tockary({"sort", "--help"}).out.find("tockary sort \"Wear Rate\""), std::string::npos);
}

TEST_F(CollectionCliTest, DeleteAsksUnlessConfirmedAndRefusesUnknownIds) {
  const auto ids = addWatches({{"Casio", "F-91W"}, {"Seiko", "5"}});
  CliRun run = tockary({"delete", ids[0]});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "headline: Please confirm that you wish to delete this watch record\n"
            "message: (This cannot be undone).\n"
            "actions: Confirm delete\n"
            "actions: Cancel\n");
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "id").size(), 2u);

  run = tockary({"delete", "Kello/" + ids[0], "--yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\ndeleted: " + ids[0] + "\n"), std::string::npos) << run.out;
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "id"), (std::vector<std::string>{ids[1]}));

  run = tockary({"delete", ids[0], "--yes"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "tockary: unknown watch id \"" + ids[0] + "\"; `tockary list` shows the ids\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(tockary({"delete"}).status, 2);
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "id"), (std::vector<std::string>{ids[1]}));
}

TEST_F(CollectionCliTest, HiddenSoldWatchCannotBeDeletedFromTheList) {
  const auto ids = addWatches({{"Rolex", "Explorer", 0, "Dealer"}});
  ASSERT_EQ(tockary({"settings", "hideSoldWatchesSettingOn", "on"}).status, 0);
  EXPECT_EQ(tockary({"list"}).out, "");
  const CliRun run = tockary({"delete", ids[0], "--yes"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("hideSoldWatchesSettingOn"), std::string::npos) << run.err;
  ASSERT_EQ(tockary({"settings", "hideSoldWatchesSettingOn", "off"}).status, 0);
  EXPECT_EQ(valuesOf(tockary({"list"}).out, "dwrButton"), (std::vector<std::string>{"SellerRate"}));
}

}  // namespace
}  // namespace tockary::testing
