#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

class MeasureCliTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(tockary({"add", "--brand", "Seiko", "--model", "SKX007"}).status, 0);
    ASSERT_EQ(tockary({"add", "--brand", "Rolex", "--model", "GMT", "--sold-to", "A buyer"}).status,
              0);
  }

  // In en_US, with this test's own reader of the store closed while the program runs.
  CliRun tockary(std::vector<std::string> arguments) {
    reader.reset();
    arguments.insert(arguments.begin(), {"--locale", "en_US"});
    return CliTest::tockary(std::move(arguments));
  }

  std::vector<std::shared_ptr<Varataulu>> measurements() {
    reader = std::make_unique<AppDelegate>(data);
    return reader->viewContext().fetch<Varataulu>(Varataulu::fetchRequest()).value();
  }

  // A measurement written straight into the store, as an earlier run of the app left it.
  void storeMeasurement(const std::string& watch, const std::string& status, double rate,
                        std::chrono::minutes ago) {
    AppDelegate app(data);
    auto& context = app.viewContext();
    auto record = context.insertNewObject<Varataulu>();
    const Date start =
        std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()) -
        ago;
    record->setVaraString1(watch);
    record->setVaraString5(status);
    record->setVaraPVM1(start);
    record->setVaraPVM2(std::chrono::floor<std::chrono::minutes>(start));
    record->setVaraDouble1(rate);
    record->setVaraString2(status == "Valmis" ? std::to_string(static_cast<int>(rate)) + ".0 sec/d"
                                              : "");
    record->setVaraString4(status == "Valmis" ? "Measure ready, duration: 26 hour(s)" : "");
    record->setVaraString3("On wrist");
    ASSERT_TRUE(context.save().isOk());
  }

  std::unique_ptr<AppDelegate> reader;
};

TEST_F(MeasureCliTest, StartStoresARunningMeasurementMatchedToTheWatch) {
  const CliRun started = tockary(
      {"measure", "start", "--watch", "Seiko SKX007", "--env", "On winder", "--adjust", "2"});
  EXPECT_EQ(started.status, 0) << started.err;
  EXPECT_EQ(started.out, "Started measurement 1.\n");
  // Without a watch the record names none; a bare watch id names the unsold watch.
  EXPECT_EQ(tockary({"measure", "start", "--adjust", "-1"}).status, 0);
  EXPECT_EQ(tockary({"--json", "measure", "start", "--watch", "1"}).out, "{\n  \"id\": 3\n}\n");

  const auto stored = measurements();
  ASSERT_EQ(stored.size(), 3U);
  EXPECT_EQ(stored[0]->varaString1(), "Seiko SKX007");
  EXPECT_EQ(stored[0]->varaString3(), "On winder");
  EXPECT_EQ(stored[0]->varaString5(), "Started");
  EXPECT_EQ(stored[1]->varaString1(), "----------");
  EXPECT_EQ(stored[1]->varaString3(), "");
  EXPECT_EQ(stored[2]->varaString1(), "Seiko SKX007");
  // The watch start is the minute of the press moved by the presses (one more should the minute
  // have turned between the press and the presses).
  const auto moved = [](const Varataulu& record) {
    return std::chrono::floor<std::chrono::minutes>(
               *record.varaPVM2() - std::chrono::floor<std::chrono::minutes>(*record.varaPVM1()))
        .count();
  };
  EXPECT_TRUE(moved(*stored[0]) == 2 || moved(*stored[0]) == 3) << moved(*stored[0]);
  EXPECT_TRUE(moved(*stored[1]) == -1 || moved(*stored[1]) == 0) << moved(*stored[1]);
}

TEST_F(MeasureCliTest, UnknownEnvironmentsAndSoldWatchesAreRefused) {
  expectRefusal(tockary({"measure", "start", "--env", "In a drawer"}),
                "--env \"In a drawer\" is refused; accepted: one of \"On wrist\", \"In box\", "
                "\"On winder\", \"On table crown up\", \"On table crown down\", \"On table dial "
                "up\", \"On table dial down\", \"Mixed use\"");
  const std::string accepted =
      " is refused; accepted: a watch label the picker offers (\"Seiko SKX007\"), the id of one "
      "of these watches such as Kello/1, or \"\" for none";
  expectRefusal(tockary({"measure", "start", "--watch", "Rolex GMT"}),
                "--watch \"Rolex GMT\"" + accepted);
  expectRefusal(tockary({"measure", "start", "--watch", "2"}), "--watch \"2\"" + accepted);
  EXPECT_EQ(tockary({"measure", "start", "--adjust", "5000"}).status, 2);
  EXPECT_TRUE(measurements().empty());
}

TEST_F(MeasureCliTest, EndShowsTheResultAndFinishesOrContinues) {
  storeMeasurement("Seiko SKX007", "Started", 0, std::chrono::hours(26) + std::chrono::minutes(5));
  const CliRun continued = tockary({"measure", "end", "1", "--continue"});
  EXPECT_EQ(continued.status, 0) << continued.err;
  EXPECT_EQ(continued.out.rfind("Measurement result so far: \n \n ", 0), 0U) << continued.out;
  EXPECT_NE(continued.out.find("\nThis measurement has been taken based on a period of longer "
                               "than 12 hours"),
            std::string::npos);
  EXPECT_NE(continued.out.find("Measurement 1 keeps running.\n"), std::string::npos);
  EXPECT_EQ(measurements()[0]->varaString5(), "Started");

  const auto finished =
      parsedJson(tockary({"--json", "measure", "end", "1", "--adjust", "-1", "--finish"}));
  EXPECT_EQ(finished["answer"], "finishMeasurement");
  EXPECT_EQ(finished["measurementStatus"], "Valmis");
  const std::string result = finished["resultLabel"];
  EXPECT_TRUE(std::regex_match(result, std::regex("-?[0-9]+\\.[0-9] sec/d"))) << result;
  const auto stored = measurements();
  EXPECT_EQ(stored[0]->varaString5(), "Valmis");
  EXPECT_EQ(stored[0]->varaString2(), result);
  EXPECT_EQ(stored[0]->varaDouble1(), finished["apuLoppuTulos"].get<double>());
  EXPECT_EQ(stored[0]->varaString4(), "Measure ready, duration: 26 hour(s)");

  expectRefusal(tockary({"measure", "end", "1", "--finish"}),
                "measurement 1 is not running; only a running measurement can be ended");
  expectRefusal(tockary({"measure", "end", "7", "--finish"}),
                "unknown measurement id \"7\"; `tockary measure list` shows the ids");
  EXPECT_EQ(tockary({"measure", "end", "1"}).status, 2);
  EXPECT_EQ(tockary({"measure", "end", "1", "--finish", "--continue"}).status, 2);

  const CliRun shown = tockary({"measure", "show", "1"});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out.rfind("Watch: Seiko SKX007\nEnvironment: On wrist\nInfo:\n  This "
                            "measurement is ready. The accuracy of the watch was: \n",
                            0),
            0U)
      << shown.out;
  EXPECT_NE(shown.out.find("Result: " + result + "\n"), std::string::npos);
}

TEST_F(MeasureCliTest, FinishWithoutPhoneTimeSaysThereIsNoResultYet) {
  // A start ahead of the clock (the clock was set back) leaves no phone time to divide by.
  storeMeasurement("Seiko SKX007", "Started", 0, -std::chrono::hours(1));
  expectRefusal(tockary({"measure", "end", "1", "--finish"}),
                "measurement 1 has no result to store yet: No time has passed on the phone since "
                "the start, so there is no result yet. Please end the measurement later.");
  EXPECT_EQ(measurements()[0]->varaString5(), "Started");
}

TEST_F(MeasureCliTest, ListSortSummaryAndDelete) {
  storeMeasurement("Seiko SKX007", "Valmis", 4, std::chrono::hours(30));
  storeMeasurement("Omega", "Valmis", -3, std::chrono::hours(30));
  storeMeasurement("Seiko SKX007", "Valmis", -2, std::chrono::hours(30));
  storeMeasurement("Tudor", "Started", 0, std::chrono::hours(30));

  const CliRun summary = tockary({"measure", "summary"});
  EXPECT_EQ(summary.status, 0) << summary.err;
  EXPECT_EQ(summary.out,
            "Omega: 1 measurement, -3.0 sec/d\n"
            "Seiko SKX007: 2 measurements, mean +1.0 sec/d (lowest -2.0, highest +4.0)\n");
  const auto json = parsedJson(tockary({"--json", "measure", "summary"}));
  EXPECT_EQ(json[1]["mean"], 1.0);
  EXPECT_EQ(json[1]["measurements"], 2);

  const CliRun sorted = tockary({"measure", "sort", "Accuracy"});
  EXPECT_EQ(sorted.out, "Order: Accuracy\n");
  std::vector<long long> ids;
  for (const auto& row : parsedJson(tockary({"--json", "measure", "list"})))
    ids.push_back(row["id"].get<long long>());
  EXPECT_EQ(ids, (std::vector<long long>{2, 3, 4, 1}));
  const CliRun list = tockary({"measure", "list"});
  EXPECT_EQ(list.out.substr(0, list.out.find("    Measure start date: ")),
            "2  Omega (On wrist)\n"
            "    -3.0 sec/d\n"
            "    Measure ready, duration: 26 hour(s)\n");
  EXPECT_NE(list.out.find("4  Tudor (On wrist)\n    IN PROGRESS...\n    Measuring: 30h "),
            std::string::npos)
      << list.out;
  const CliRun refused = tockary({"measure", "sort", "Brand"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("orderByAccuracyStatus (\"In progress measurements\")"),
            std::string::npos)
      << refused.err;

  const CliRun deleted = tockary({"measure", "delete", "2"});
  EXPECT_EQ(deleted.status, 0) << deleted.err;
  EXPECT_EQ(deleted.out, "Deleted measurement 2 (Omega).\n");
  EXPECT_EQ(measurements().size(), 3U);
  EXPECT_EQ(tockary({"measure", "summary"}).out,
            "Seiko SKX007: 2 measurements, mean +1.0 sec/d (lowest -2.0, highest +4.0)\n");
}

TEST_F(MeasureCliTest, InstructionsAndAnEmptyList) {
  EXPECT_EQ(tockary({"measure", "list"}).out, "No measurements.\n");
  EXPECT_EQ(tockary({"measure", "summary"}).out, "No finished measurements.\n");
  const CliRun shown = tockary({"measure", "instructions"});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out.rfind("Accuracy measurement instructions: \n1. ", 0), 0U) << shown.out;
  EXPECT_NE(shown.out.find("\n 7. "), std::string::npos);
  EXPECT_NE(shown.out.find("  OK  (--choose ok)\n"), std::string::npos);
}

}  // namespace
}  // namespace tockary::testing
