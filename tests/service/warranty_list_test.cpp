#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "service/my_warranties_table_view_controller.h"
#include "service/service_fixture.h"

namespace tockary::testing {
namespace {

class WarrantyListTest : public ServiceTest {
 protected:
  std::unique_ptr<MyWarrantiesTableViewController> openList() {
    auto list = std::make_unique<MyWarrantiesTableViewController>(services);
    list->viewDidLoad();
    list->viewWillAppear();
    return list;
  }
  static std::vector<std::string> titles(const MyWarrantiesTableViewController& list) {
    std::vector<std::string> shown;
    for (const auto& row : list.allRows()) shown.push_back(row.textLabel);
    return shown;
  }
};

TEST_F(WarrantyListTest, RowsAreTheWatchLabelsInOrder) {
  card("Seiko SKX007", png(2, 2));
  card("----------", std::nullopt);
  card(std::nullopt, png(2, 2));
  card("Omega Speedmaster", png(2, 2));
  auto list = openList();
  EXPECT_EQ(list->description().cellIdentifier, "warrantyCell");
  EXPECT_EQ(list->numberOfSections(), 1);
  // Binary order: "-" before capitals; a null label first, shown empty.
  EXPECT_EQ(titles(*list),
            (std::vector<std::string>{"", "----------", "Omega Speedmaster", "Seiko SKX007"}));
}

TEST_F(WarrantyListTest, SelectionOpensTheDetailWithTheCardAndTheAddButtonTheEditor) {
  card("Seiko SKX007", std::nullopt);
  auto omega = card("Omega Speedmaster", std::nullopt);
  auto list = openList();
  list->didSelectRowAt({0, 0});
  list->didSelectRowAt({0, 5});  // outside the list: nothing
  list->insertNewWarranty();
  ASSERT_EQ(presenter.events().size(), 2u);
  const auto& detail = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(detail.screen, "TarkasteleTakuutaTableViewController");
  EXPECT_EQ(detail.objectId, omega->objectID().text());
  const auto& editor = std::get<ScreenRequest>(presenter.events()[1]);
  EXPECT_EQ(editor.screen, "InsertWarrantyTableViewController");
  EXPECT_EQ(editor.objectId, "");
}

TEST_F(WarrantyListTest, DeletingTheLastCardLeavesAnEmptySection) {
  auto only = card("Omega Speedmaster", png(2, 2));
  auto list = openList();
  EXPECT_EQ(list->indexPathOf(only->objectID()), (IndexPath{0, 0}));
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  EXPECT_EQ(list->numberOfSections(), 1);
  EXPECT_EQ(list->numberOfRowsInSection(0), 0);
  EXPECT_EQ(list->indexPathOf(only->objectID()), std::nullopt);
  ASSERT_EQ(list->tableView.rowChanges.size(), 1u);
  EXPECT_EQ(list->tableView.rowChanges[0],
            (TableRowChange{ResultsChangeType::Delete, {0, 0}, RowAnimation::Fade}));
  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().count(Takuu::fetchRequest()).valueOr(-1), 0);
}

TEST_F(WarrantyListTest, AFailedSaveAfterADeleteStopsWithTheFatalMessage) {
  card("Omega Speedmaster", png(2, 2));
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
  EXPECT_EQ(reopened.viewContext().count(Takuu::fetchRequest()).valueOr(-1), 1);
}

}  // namespace
}  // namespace tockary::testing
