#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/collection_model.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

using Json = nlohmann::ordered_json;
using Strings = std::vector<std::string>;

class SearchCliTest : public CliTest {
 protected:
  void SetUp() override {
    AppDelegate app(data, StoreOptions{std::chrono::milliseconds(50)});
    auto add = [&app](const char* brand, const char* model, const char* status,
                      const char* movement, const char* soldTo) {
      auto kello = app.viewContext().insertNewObject<Kello>();
      kello->setMerkki(brand);
      kello->setMalli(model);
      kello->setVarasarake2(status);
      kello->setKoneistotyyppi(movement);
      kello->setMyyntiliike(soldTo);
      return kello;
    };
    add("Omega", "Seamaster", "Keeper", "Automatic", "");
    add("OMEGA", "De Ville", "For Sale", "Quartz", "");
    add("Séiko", "Presage", "Keeper", "Automatic", "A friend");
    add("Seiko", "5", "In Safe", "Automatic", "")->setVarasarake3("Bought in Kyōto");
    add("Tudor", "Pelagos", "Keeper", "Automatic", "");
    ASSERT_TRUE(app.viewContext().save().isOk());
  }

  // The brand and model of every row `tockary --json list` prints with these options.
  Strings listed(std::vector<std::string> options) {
    options.insert(options.begin(), {"--json", "list"});
    const CliRun run = tockary(options);
    EXPECT_EQ(run.status, 0) << run.err;
    Strings rows;
    for (const Json& row : parsedJson(run)) {
      rows.push_back(row["manufacturerLabel"].get<std::string>() + " " +
                     row["modelLabel"].get<std::string>());
    }
    return rows;
  }
};

TEST_F(SearchCliTest, SearchAndFiltersNarrowTheListTogether) {
  EXPECT_EQ(listed({"--search", "omega"}), (Strings{"OMEGA De Ville", "Omega Seamaster"}));
  EXPECT_EQ(listed({"--search", "séiko"}), (Strings{"Seiko 5", "Séiko Presage"}));
  EXPECT_EQ(listed({"--search", "kyoto"}), (Strings{"Seiko 5"}));
  EXPECT_EQ(listed({"--status", "keeper", "--movement-type", "AUTOMATIC"}),
            (Strings{"Omega Seamaster", "Séiko Presage", "Tudor Pelagos"}));
  EXPECT_EQ(listed({"--status", "Keeper", "--unsold"}),
            (Strings{"Omega Seamaster", "Tudor Pelagos"}));
  EXPECT_EQ(listed({"--search", "se", "--sold"}), (Strings{"Séiko Presage"}));
  EXPECT_EQ(listed({"--search", "e", "--movement-type", "quartz"}), (Strings{"OMEGA De Ville"}));
  // The user's text is never query syntax.
  EXPECT_EQ(listed({"--search", "OR"}), (Strings{"Tudor Pelagos"}));
  for (const char* text : {"\"", "*", "-", "(", "omega OR tudor", "NEAR(a b)", "%", "_"}) {
    EXPECT_EQ(listed({"--search", text}), Strings{}) << text;
  }
}

TEST_F(SearchCliTest, ANarrowedListThatIsEmptySaysSo) {
  const CliRun run = tockary({"list", "--search", "rolex"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "No watch matches the search and filter.\n");
  EXPECT_EQ(parsedJson(tockary({"--json", "list", "--search", "rolex"})), Json::array());
}

TEST_F(SearchCliTest, UnknownFilterValuesAreRefused) {
  expectRefusal(tockary({"list", "--status", "Keepr"}),
                "unknown status \"Keepr\"; accepted: Not Set, Broken, For Sale, Grail, Incoming, "
                "In Safe, In Service, In Watchbox, Keeper, My Next Watch, Needs Battery, Needs a "
                "New Strap, Needs Service, On Loan, On Winder, Restoration Project, Short List, "
                "Serviced, Willing To Flip");
  expectRefusal(tockary({"list", "--movement-type", "Mechanical"}),
                "unknown movement type \"Mechanical\"; accepted: Automatic, Electro-Mechanical, "
                "Kinetic, Manual, Mechanical Quartz, Quartz, Smartwatch, Spring Drive, Solar, "
                "Tuning Fork, Tourbillon, Other");
  const CliRun both = tockary({"list", "--sold", "--unsold"});
  EXPECT_EQ(both.status, 2);
  EXPECT_EQ(both.out, "");
  EXPECT_NE(both.err.find("--sold"), std::string::npos) << both.err;
  const CliRun invalid = tockary({"list", "--search", "\xff"});
  EXPECT_EQ(invalid.status, 2);
  EXPECT_EQ(invalid.out, "");
}

TEST_F(SearchCliTest, AChangeMadeWithTheSqliteShellIsFoundByTheNextSearch) {
  const auto store = data / (std::string(kModelName) + ".sqlite");
  const std::string command = "sqlite3 '" + store.string() +
                              "' \"UPDATE Kello SET refkoodi = 'ST 145.022' WHERE malli = "
                              "'Seamaster'; INSERT INTO Kello (merkki, malli, myyntiliike) VALUES "
                              "('Zénith', 'El Primero', '')\" 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(listed({"--search", "145.02"}), (Strings{"Omega Seamaster"}));
  EXPECT_EQ(listed({"--search", "ZENITH"}), (Strings{"Zénith El Primero"}));
}

}  // namespace
}  // namespace tockary::testing
