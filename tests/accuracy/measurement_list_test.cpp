#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "accuracy/accuracy_fixture.h"
#include "accuracy/accuracy_table_view_controller.h"
#include "accuracy/measurement.h"

namespace tockary::testing {
namespace {

class MeasurementListTest : public AccuracyTest {
 protected:
  void SetUp() override {
    AccuracyTest::SetUp();
    clock.set(at(2024, 5, 18, 12, 0));
  }
  std::unique_ptr<AccuracyTableViewController> openList() {
    auto list = std::make_unique<AccuracyTableViewController>(services);
    list->viewDidLoad();
    list->viewWillAppear();
    return list;
  }
  static std::vector<std::string> watches(const AccuracyTableViewController& list) {
    std::vector<std::string> shown;
    for (const auto& row : list.allRows()) shown.push_back(row.mitattuKelloLabel);
    return shown;
  }
  void finished(const std::string& watch, double rate) {
    measurement({.watch = watch,
                 .result = rateText(rate),
                 .duration = "Measure ready, duration: 26 hour(s)",
                 .status = "Valmis",
                 .realStart = at(2024, 5, 1),
                 .rate = rate});
  }
};

TEST_F(MeasurementListTest, RowsShowRunningTimesAndFinishedResults) {
  measurement({.watch = "A running",
               .result = "",
               .environment = "On winder",
               .status = "Started",
               .realStart = at(2024, 5, 18, 11, 1)});
  measurement({.watch = "B finished",
               .result = "4.8 sec/d",
               .environment = "In box",
               .duration = "Measure ready, duration: 26 hour(s)",
               .status = "Valmis",
               .realStart = at(2024, 5, 17, 10),
               .rate = 4.8});
  measurement({.watch = "C no start", .status = "Started"});
  auto list = openList();
  EXPECT_EQ(list->description().cellIdentifier, "watchAccuracy");
  EXPECT_EQ(list->titleViewImage, "ZozizuvEzuroziz.png");
  EXPECT_TRUE(list->timerScheduled);
  auto rows = list->allRows();
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[0].tulosLabel, "IN PROGRESS...");
  EXPECT_EQ(rows[0].mittausTapa, "On winder");
  EXPECT_EQ(rows[0].mittausPVMLabel, "Measure start date: 5/18/24");
  EXPECT_EQ(rows[0].mittauksenKestoLabel, "Measuring: 59 minute(s)");
  EXPECT_EQ(rows[1].tulosLabel, "4.8 sec/d");
  EXPECT_EQ(rows[1].mittauksenKestoLabel, "Measure ready, duration: 26 hour(s)");
  EXPECT_EQ(rows[2].mittausPVMLabel, "");
  EXPECT_EQ(rows[2].mittauksenKestoLabel, "");

  // The timer's refresh moves the running time on.
  clock.advance(std::chrono::minutes(1));
  const int reloads = list->tableView.reloadCount;
  list->reloadCollection();
  EXPECT_EQ(list->tableView.reloadCount, reloads + 1);
  EXPECT_EQ(list->allRows()[0].mittauksenKestoLabel, "Measuring: 1h 0min");
  clock.advance(std::chrono::hours(25) + std::chrono::minutes(5));
  EXPECT_EQ(list->allRows()[0].mittauksenKestoLabel, "Measuring: 26h 5min");
}

TEST_F(MeasurementListTest, TheThreeOrdersAndTheDefault) {
  finished("B", -3.5);
  measurement({.watch = "C", .status = "Started", .realStart = at(2024, 5, 18)});
  finished("A", 2.0);
  measurement({.watch = "D", .status = "Started", .realStart = at(2024, 5, 18)});
  finished("E", -7.25);
  auto list = openList();
  EXPECT_EQ(watches(*list), (std::vector<std::string>{"A", "B", "C", "D", "E"}));

  list->orderRowsBy();
  const Sheet* menu = presenter.lastSheet();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title, "Order the measurements by:");
  EXPECT_EQ(menu->message, "(Please choose one)");
  EXPECT_EQ(menu->actionList(),
            "orderByWatch (\"Watch\"), orderByTotalAccuracy (\"Accuracy\"), orderByAccuracyStatus "
            "(\"In progress measurements\"), cancel (\"Cancel\")");

  ASSERT_TRUE(presenter.press("orderByAccuracyStatus").isOk());
  EXPECT_EQ(watches(*list), (std::vector<std::string>{"C", "D", "B", "A", "E"}));
  EXPECT_EQ(defaults.flag("orderByAccuracyStatus"), true);
  EXPECT_EQ(defaults.flag("orderByWatch"), false);
  EXPECT_EQ(defaults.flag("orderByTotalAccuracy"), false);

  EXPECT_TRUE(list->chooseSortEntry("Accuracy"));
  // Running measurements hold no result yet: 0.
  EXPECT_EQ(watches(*list), (std::vector<std::string>{"E", "B", "C", "D", "A"}));
  EXPECT_EQ(watches(*openList()), (std::vector<std::string>{"E", "B", "C", "D", "A"}));

  list->orderRowsBy();
  ASSERT_TRUE(presenter.press("cancel").isOk());
  EXPECT_EQ(defaults.flag("orderByTotalAccuracy"), true);
  EXPECT_FALSE(list->chooseSortEntry("Brand"));
}

TEST_F(MeasurementListTest, DeleteRemovesTheRecordWithoutAQuestion) {
  finished("A", 1);
  finished("B", 2);
  auto list = openList();
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  EXPECT_TRUE(presenter.events().empty());
  EXPECT_EQ(watches(*list), (std::vector<std::string>{"B"}));
  EXPECT_EQ(list->summary().size(), 1U);
  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().count(Varataulu::fetchRequest()).valueOr(-1), 1);
}

TEST_F(MeasurementListTest, SelectionOpensTheMeasurementScreenWithTheRecord) {
  finished("A", 1);
  auto list = openList();
  list->didSelectRowAt({0, 0});
  list->insertNewMeasurement();
  ASSERT_EQ(presenter.events().size(), 2U);
  const auto& opened = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(opened.screen, "InsertAccuracyTableViewController");
  EXPECT_EQ(opened.objectId, list->allRows()[0].mittausID.text());
  EXPECT_EQ(std::get<ScreenRequest>(presenter.events()[1]).objectId, "");
}

TEST_F(MeasurementListTest, TheSummaryGivesEachWatchItsMeanAndRange) {
  finished("Seiko SKX007", 4.0);
  finished("Omega", 4.8);
  finished("Seiko SKX007", -2.0);
  measurement({.watch = "Seiko SKX007", .status = "Started", .realStart = at(2024, 5, 18)});
  measurement({.watch = "Tudor", .status = "Started", .realStart = at(2024, 5, 18)});
  auto list = openList();
  std::vector<std::string> lines;
  for (const WatchAccuracy& watch : list->summary()) lines.push_back(watch.text());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Omega: 1 measurement, +4.8 sec/d",
                       "Seiko SKX007: 2 measurements, mean +1.0 sec/d (lowest -2.0, highest +4.0)",
                   }));
  const WatchAccuracy& seiko = list->summary()[1];
  EXPECT_EQ(seiko.measurements, 2);
  EXPECT_DOUBLE_EQ(seiko.mean, 1.0);
  EXPECT_DOUBLE_EQ(seiko.lowest, -2.0);
  EXPECT_DOUBLE_EQ(seiko.highest, 4.0);
}

}  // namespace
}  // namespace tockary::testing
