#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "records/fetched_results_table_view_controller.h"
#include "store/app_delegate.h"
#include "store/records.h"
#include "support/recording_presenter.h"
#include "support/screen_fixture.h"

namespace tockary::testing {
namespace {

class RecordListTest : public ScreenTest {
 protected:
  std::unique_ptr<RecordListTableViewController> openList() {
    auto list = std::make_unique<RecordListTableViewController>(
        services, RecordListDescription{"Huolto", "huoltoliike", "serviceCell",
                                        "TarkasteleHuoltoaTableViewController"});
    list->viewDidLoad();
    list->viewWillAppear();
    return list;
  }
  std::shared_ptr<Huolto> service(const std::string& shop) {
    auto record = app.viewContext().insertNewObject<Huolto>();
    record->setHuoltoliike(shop);
    EXPECT_TRUE(app.viewContext().save().isOk());
    return record;
  }
  std::vector<std::string> shops(const RecordListTableViewController& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.numberOfRowsInSection(0); ++row) {
      names.push_back(
          std::static_pointer_cast<Huolto>(list.objectAt({0, row}))->huoltoliike().value_or(""));
    }
    return names;
  }
};

TEST_F(RecordListTest, TheBaseShowsNothingAndOpensTheStore) {
  FetchedResultsTableViewController base(services);
  EXPECT_TRUE(app.isStoreOpen());
  EXPECT_EQ(base.numberOfSections(), 0);
  EXPECT_EQ(base.numberOfRowsInSection(0), 0);
}

TEST_F(RecordListTest, EmptyStoreIsOneSectionWithoutRows) {
  RecordListTableViewController unbuilt(services, {"Huolto", "huoltoliike", "c", "d"});
  EXPECT_EQ(unbuilt.numberOfSections(), 1);
  EXPECT_EQ(unbuilt.numberOfRowsInSection(0), 0);
  auto list = openList();
  EXPECT_EQ(list->numberOfSections(), 1);
  EXPECT_EQ(list->numberOfRowsInSection(0), 0);
  EXPECT_EQ(list->numberOfRowsInSection(3), 0);
  EXPECT_EQ(list->titleForHeaderInSection(0), "");
  EXPECT_TRUE(list->tableView.automaticRowHeight);
  EXPECT_EQ(list->tableView.estimatedRowHeight, list->tableView.rowHeight);
  EXPECT_EQ(list->navigationBar.barStyle, BarStyle::Black);
  EXPECT_TRUE(list->navigationBar.isTranslucent);
}

TEST_F(RecordListTest, SortedByTheKeyAndRebuiltOnEveryAppearance) {
  service("Watchmaker B");
  auto a = service("Watchmaker A");
  auto list = openList();
  EXPECT_EQ(shops(*list), (std::vector<std::string>{"Watchmaker A", "Watchmaker B"}));
  a->setHuoltoliike("Watchmaker C");  // edited on its detail screen
  ASSERT_TRUE(app.viewContext().save().isOk());
  list->viewWillAppear();
  EXPECT_EQ(shops(*list), (std::vector<std::string>{"Watchmaker B", "Watchmaker C"}));
}

TEST_F(RecordListTest, InsertsAndDeletesBetweenAppearancesFadeRowsInAndOut) {
  service("B");
  auto list = openList();
  const int reloads = list->tableView.reloadCount;
  service("A");
  ASSERT_EQ(list->tableView.rowChanges.size(), 1u);
  EXPECT_EQ(list->tableView.rowChanges[0],
            (TableRowChange{ResultsChangeType::Insert, {0, 0}, RowAnimation::Fade}));
  list->commitEditingStyle(EditingStyle::Delete, {0, 1});
  ASSERT_EQ(list->tableView.rowChanges.size(), 2u);
  EXPECT_EQ(list->tableView.rowChanges[1],
            (TableRowChange{ResultsChangeType::Delete, {0, 1}, RowAnimation::Fade}));
  EXPECT_EQ(list->tableView.reloadCount, reloads);
  EXPECT_EQ(shops(*list), (std::vector<std::string>{"A"}));
  EXPECT_FALSE(app.viewContext().hasChanges());
}

TEST_F(RecordListTest, DeletingTheLastRecordLeavesAnEmptySection) {
  service("Only");
  auto list = openList();
  list->commitEditingStyle(EditingStyle::None, {0, 0});
  EXPECT_EQ(list->numberOfRowsInSection(0), 1);
  list->commitEditingStyle(EditingStyle::Delete, {0, 0});
  EXPECT_EQ(list->numberOfSections(), 1);
  EXPECT_EQ(list->numberOfRowsInSection(0), 0);
  AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
  EXPECT_EQ(reopened.viewContext().count(Huolto::fetchRequest()).valueOr(-1), 0);
}

TEST_F(RecordListTest, SelectionOpensTheDetailWithTheRecordsId) {
  auto record = service("Shop");
  auto list = openList();
  list->didSelectRowAt({0, 0});
  list->didSelectRowAt({0, 1});
  ASSERT_EQ(presenter.events().size(), 1u);
  const auto& request = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(request.screen, "TarkasteleHuoltoaTableViewController");
  EXPECT_EQ(request.objectId, record->objectID().text());
}

TEST_F(RecordListTest, AFailedFetchKeepsWhatTheListShowed) {
  service("Shop");
  auto list = openList();
  FetchRequest broken("Huolto");
  broken.sortDescriptors = {{"noSuchAttribute", true}};
  list->buildFetchedResultsController(broken);
  EXPECT_EQ(shops(*list), (std::vector<std::string>{"Shop"}));
  service("Another");  // still the live list's delegate
  EXPECT_EQ(list->numberOfRowsInSection(0), 2);
}

}  // namespace
}  // namespace tockary::testing
