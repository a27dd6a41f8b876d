#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "service/my_services_table_view_controller.h"
#include "service/service_fixture.h"

namespace tockary::testing {
namespace {

class ServiceListTest : public ServiceTest {
 protected:
  std::unique_ptr<MyServicesTableViewController> openList() {
    auto list = std::make_unique<MyServicesTableViewController>(services);
    list->viewDidLoad();
    list->viewWillAppear();
    return list;
  }
  std::vector<std::string> titles(const MyServicesTableViewController& list) {
    std::vector<std::string> shown;
    for (const auto& row : list.allRows()) shown.push_back(row.textLabel);
    return shown;
  }
};

TEST_F(ServiceListTest, TitleNamesWatchAndCentreWhicheverAreThere) {
  service({.watch = "Seiko SKX007", .centre = "Watchmaker Oy"});
  service({.watch = "Omega", .centre = ""});
  service({.watch = "", .centre = "Corner Shop"});
  service({.watch = std::nullopt, .centre = "Null Watch Shop"});
  service({.watch = "", .centre = ""});
  auto list = openList();
  // Sorted by watch label: null first, then "" (both), then the labels.
  EXPECT_EQ(titles(*list), (std::vector<std::string>{"Null Watch Shop", "Corner Shop", "", "Omega",
                                                     "Seiko SKX007 (Watchmaker Oy)"}));
  EXPECT_EQ(list->description().cellIdentifier, "huoltoCell");
}

TEST_F(ServiceListTest, SubtitleForEveryCombinationOfDates) {
  const Date start = at(2024, 5, 17), back = at(2024, 6, 1), warranty = at(2026, 6, 1);
  struct Case {
    ServiceTest::ServiceValues values;
    std::string subtitle;
  };
  const Case cases[] = {
      {{.watch = "A", .start = start}, "5/17/24 ->"},
      {{.watch = "B", .start = start, .warranty = warranty}, "5/17/24 ->"},
      {{.watch = "C", .start = start, .back = back}, "5/17/24 -> 6/1/24"},
      {{.watch = "D", .start = start, .back = back, .warranty = warranty},
       "(5/17/24 -> 6/1/24)  Warranty until: 6/1/26"},
      {{.watch = "E", .back = back}, ""},
      {{.watch = "F", .back = back, .warranty = warranty}, ""},
      {{.watch = "G"}, ""},
  };
  for (const Case& c : cases) service(c.values);
  auto list = openList();
  const auto rows = list->allRows();
  ASSERT_EQ(rows.size(), std::size(cases));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].detailTextLabel, cases[i].subtitle) << rows[i].textLabel;
  }
}

TEST_F(ServiceListTest, SelectionOpensTheDetailAndTheAddButtonTheEditor) {
  auto record = service({.watch = "Seiko SKX007"});
  auto list = openList();
  list->didSelectRowAt({0, 0});
  list->insertNewService();
  ASSERT_EQ(presenter.events().size(), 2u);
  const auto& detail = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(detail.screen, "TarkasteleHuoltoaTableViewController");
  EXPECT_EQ(detail.objectId, record->objectID().text());
  const auto& editor = std::get<ScreenRequest>(presenter.events()[1]);
  EXPECT_EQ(editor.screen, "InsertServiceTableViewController");
  EXPECT_EQ(editor.objectId, "");
}

TEST_F(ServiceListTest, DeleteRemovesTheRecordFromListAndStore) {
  service({.watch = "A"});
  auto keep = service({.watch = "B"});
  auto list = openList();
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  EXPECT_EQ(titles(*list), (std::vector<std::string>{"B"}));
  EXPECT_EQ(list->indexPathOf(keep->objectID()), (IndexPath{0, 0}));
  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().count(Huolto::fetchRequest()).valueOr(-1), 1);
}

TEST_F(ServiceListTest, AFailedSaveAfterADeleteStopsWithTheFatalMessage) {
  service({.watch = "A"});
  auto list = openList();
  lockStore();
  try {
    list->commitEditingStyle(EditingStyle::Delete, {0, 0});
    FAIL() << "the failed save did not stop the program";
  } catch (const FatalStop& stop) {
    EXPECT_EQ(stop.message.rfind("Unresolved error ", 0), 0u) << stop.message;
    EXPECT_NE(stop.message.find(", "), std::string::npos);
  }
  unlockStore();
  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().count(Huolto::fetchRequest()).valueOr(-1), 1);
}

}  // namespace
}  // namespace tockary::testing
