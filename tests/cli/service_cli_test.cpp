#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

class ServiceCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(tockary({"add", "--brand", "Seiko", "--model", "SKX007"}).status, 0);
  }

  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }

  std::vector<std::shared_ptr<Huolto>> services() {
    reader = std::make_unique<AppDelegate>(data);
    return reader->viewContext().fetch<Huolto>(Huolto::fetchRequest()).value();
  }

  static void expectRefusal(const CliRun& run, const std::string& line) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tockary: " + line + "\n");
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  std::unique_ptr<AppDelegate> reader;
};

TEST_F(ServiceCliTest, AddStoresTheWatchLabelOrTheNoWatchMark) {
  const CliRun labelled = tockary({"service", "add", "--watch", "Seiko SKX007"});
  EXPECT_EQ(labelled.status, 0) << labelled.err;
  EXPECT_EQ(labelled.out, "Added service record 1.\n");
  // A bare watch id, as `tockary list` prints it, names the same watch.
  EXPECT_EQ(tockary({"service", "add", "--watch", "1"}).status, 0);
  EXPECT_EQ(tockary({"service", "add", "--service-centre", "Watchmaker Oy"}).status, 0);

  const auto stored = services();
  ASSERT_EQ(stored.size(), 3U);
  EXPECT_EQ(stored[0]->huollonkello(), "Seiko SKX007");
  EXPECT_EQ(stored[1]->huollonkello(), "Seiko SKX007");
  EXPECT_EQ(stored[2]->huollonkello(), "----------");
  EXPECT_EQ(stored[2]->huoltoliike(), "Watchmaker Oy");
}

TEST_F(ServiceCliTest, EditKeepsWhatIsLeftOutAndEmptiesTheWatch) {
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007", "--service-centre", "Oy",
                     "--start-date", "2024-05-17", "--cost", "120"})
                .status,
            0);
  const CliRun edited = tockary({"service", "edit", "1", "--watch", "", "--reason", "Slow"});
  EXPECT_EQ(edited.status, 0) << edited.err;
  EXPECT_EQ(edited.out, "Saved service record 1.\n");

  const auto stored = services();
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0]->huollonkello(), "");
  EXPECT_EQ(stored[0]->huoltoliike(), "Oy");
  EXPECT_EQ(stored[0]->huoltosyy(), "Slow");
  EXPECT_EQ(stored[0]->huoltohinta(), 120.0);
  EXPECT_TRUE(stored[0]->huoltopvm().has_value());
}

TEST_F(ServiceCliTest, ListShowsEachSubtitleForm) {
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007", "--service-centre", "Oy",
                     "--start-date", "2024-05-17", "--return-date", "2024-06-01",
                     "--warranty-end-date", "2026-06-01"})
                .status,
            0);
  ASSERT_EQ(tockary({"service", "add", "--service-centre", "Ab", "--start-date", "2024-01-02",
                     "--return-date", "2024-01-09"})
                .status,
            0);
  ASSERT_EQ(
      tockary({"service", "add", "--service-centre", "Cd", "--start-date", "2023-12-31"}).status,
      0);
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007"}).status, 0);

  const CliRun list = tockary({"service", "list"});
  EXPECT_EQ(list.status, 0) << list.err;
  // By watch label: "----------" sorts before "Seiko".
  EXPECT_EQ(list.out,
            "2  ---------- (Ab)\n"
            "    1/2/24 -> 1/9/24\n"
            "3  ---------- (Cd)\n"
            "    12/31/23 ->\n"
            "1  Seiko SKX007 (Oy)\n"
            "    (5/17/24 -> 6/1/24)  Warranty until: 6/1/26\n"
            "4  Seiko SKX007\n");
}

TEST_F(ServiceCliTest, ListOfNoRecordsSaysSo) {
  EXPECT_EQ(tockary({"service", "list"}).out, "No service records.\n");
  EXPECT_EQ(tockary({"--json", "service", "list"}).out, "[]\n");
}

TEST_F(ServiceCliTest, ShowPrintsTheDetailLinesWithCaptions) {
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007", "--start-date", "2024-05-17",
                     "--cost", "0", "--description", "Full service\nnew gaskets"})
                .status,
            0);
  const CliRun show = tockary({"service", "show", "1"});
  EXPECT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.out,
            "Service Centre: -----\n"
            "Watch: Seiko SKX007\n"
            "Service Start Date: 5/17/24\n"
            "Return Date: -----\n"
            "Service Warranty Until: -----\n"
            "Reason: -----\n"
            "Cost: -----\n"
            "Description:\n"
            "  Full service\n"
            "  new gaskets\n");
}

TEST_F(ServiceCliTest, JsonReadsBackWithTheSameFields) {
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007", "--service-centre", "Oy",
                     "--start-date", "2024-05-17", "--cost", "250.50"})
                .status,
            0);
  const auto added = parsedJson(tockary({"--json", "service", "add", "--reason", "Slow"}));
  EXPECT_EQ(added["id"], 2);

  const auto list = parsedJson(tockary({"--json", "service", "list"}));
  ASSERT_EQ(list.size(), 2U);
  EXPECT_EQ(list[1]["id"], 1);
  EXPECT_EQ(list[1]["title"], "Seiko SKX007 (Oy)");
  EXPECT_EQ(list[1]["subtitle"], "5/17/24 ->");
  EXPECT_EQ(list[0]["title"], "----------");
  EXPECT_EQ(list[0]["subtitle"], "");

  const auto show = parsedJson(tockary({"--json", "service", "show", "1"}));
  EXPECT_EQ(show["id"], 1);
  EXPECT_EQ(show["watch"], "Seiko SKX007");
  EXPECT_EQ(show["service-centre"], "Oy");
  EXPECT_EQ(show["start-date"], "5/17/24");
  EXPECT_EQ(show["return-date"], "-----");
  EXPECT_EQ(show["cost"], "$250.5");
  EXPECT_EQ(show["description"], "");
}

TEST_F(ServiceCliTest, RefusedValuesWriteNothing) {
  // The good values given before and after the bad one are not saved either.
  expectRefusal(tockary({"service", "add", "--service-centre", "Oy", "--start-date", "2024-13-40",
                         "--reason", "Slow"}),
                "--start-date \"2024-13-40\" is refused; accepted: a date such as 2024-05-17 or "
                "5/17/24; an empty value clears it");
  expectRefusal(tockary({"service", "add", "--service-centre", "Oy", "--cost", "$120"}),
                "--cost \"$120\" is refused; accepted: a number without a currency sign, such "
                "as 250.50 or 250,50");
  expectRefusal(
      tockary({"service", "add", "--watch", "Omega"}),
      "--watch \"Omega\" is refused; accepted: a watch label the picker offers "
      "(\"Seiko SKX007\"), the id of one of these watches such as Kello/1, or \"\" for none");
  expectRefusal(
      tockary({"service", "add", "--watch", "7"}),
      "--watch \"7\" is refused; accepted: a watch label the picker offers "
      "(\"Seiko SKX007\"), the id of one of these watches such as Kello/1, or \"\" for none");
  EXPECT_TRUE(services().empty());

  ASSERT_EQ(tockary({"service", "add", "--reason", "Slow"}).status, 0);
  expectRefusal(tockary({"service", "edit", "1", "--reason", "Fast", "--cost", "€5"}),
                "--cost \"€5\" is refused; accepted: a number without a currency sign, such "
                "as 250.50 or 250,50");
  expectRefusal(tockary({"service", "edit", "9", "--reason", "Fast"}),
                "unknown service id \"9\"; `tockary service list` shows the ids");
  expectRefusal(tockary({"service", "show", "9"}),
                "unknown service id \"9\"; `tockary service list` shows the ids");
  expectRefusal(tockary({"service", "delete", "9", "--yes"}),
                "unknown service id \"9\"; `tockary service list` shows the ids");
  const auto stored = services();
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0]->huoltosyy(), "Slow");
}

TEST_F(ServiceCliTest, DeleteNeedsYes) {
  ASSERT_EQ(tockary({"service", "add", "--watch", "Seiko SKX007", "--service-centre", "Oy"}).status,
            0);
  const CliRun asked = tockary({"service", "delete", "1"});
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_EQ(asked.out,
            "Nothing was deleted: add --yes to delete service record 1 (Seiko SKX007 (Oy)).\n");
  EXPECT_EQ(services().size(), 1U);

  const auto deleted = parsedJson(tockary({"--json", "service", "delete", "1", "--yes"}));
  EXPECT_EQ(deleted["deleted"], 1);
  EXPECT_TRUE(services().empty());
}

}  // namespace
}  // namespace tockary::testing
