#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/store/fetched_results_controller.h"
#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

constexpr std::size_t kBatch = FetchedResultsController::kBatchSize;

// A live list over more records than a few batches hold: its rows must be what one fetch of
// every record gives, in whatever order they are read, while only the rows read are built.
class BatchedListTest : public StoreTest {
 protected:
  // `count` saved watches of a few brands (some without one) and diameters, in no order; none
  // is held afterwards.
  std::vector<ObjectID> saveWatches(int count) {
    std::mt19937 random(11);
    const std::vector<Value> brands = {std::string("Omega"), std::string("Seiko"), Value{},
                                       std::string("Tudor"), std::string("")};
    std::vector<ObjectID> ids;
    for (int i = 0; i < count; ++i) {
      auto watch =
          insertWatch("", std::to_string(30 + random() % 15), random() % 10 == 0 ? "Buyer" : "");
      watch->setValueForKey("merkki", brands[random() % brands.size()]);
      ids.push_back(watch->objectID());
    }
    EXPECT_TRUE(context().save().isOk());
    return ids;
  }

  static FetchRequest byBrandAndDiameter() {
    FetchRequest request("Kello");
    request.sortDescriptors = {{"merkki", true}, {"halkaisija", false}};
    return request;
  }

  std::vector<ObjectID> fetchedIds(const FetchRequest& request) {
    std::vector<ObjectID> ids;
    auto objects = context().execute(request);
    EXPECT_TRUE(objects.isOk());
    if (objects) {
      for (const auto& object : objects.value()) ids.push_back(object->objectID());
    }
    return ids;
  }

  int registeredCount(const std::vector<ObjectID>& ids) {
    return static_cast<int>(std::count_if(ids.begin(), ids.end(), [this](const ObjectID& id) {
      return context().registeredObject(id) != nullptr;
    }));
  }
};

TEST_F(BatchedListTest, RowsInAnyReadingOrderAreTheFetchsRowsAndOnlyReadBatchesAreBuilt) {
  const std::vector<ObjectID> all = saveWatches(3 * static_cast<int>(kBatch) + 45);
  for (const bool unsoldOnly : {false, true}) {
    FetchRequest request = byBrandAndDiameter();
    if (unsoldOnly) request.predicate = Predicate("myyntiliike = %@", {std::string()});
    FetchedResultsController list(request, context());
    ASSERT_TRUE(list.performFetch().isOk());
    const std::vector<ObjectID> expected = fetchedIds(request);  // builds and drops every record
    ASSERT_EQ(list.sections()[0].objects.size(), expected.size());
    EXPECT_EQ(registeredCount(all), 0) << "the count and the order need no record";
    const int rows = static_cast<int>(expected.size());

    // Ids without records, then records read forwards, backwards and at random.
    for (int row = 0; row < rows; ++row) {
      ASSERT_EQ(list.objectIDAtIndexPath({0, row}), expected[row]) << row;
    }
    EXPECT_EQ(registeredCount(all), 0);
    EXPECT_EQ(list.objectIDAtIndexPath({0, rows}), std::nullopt);
    for (int row = 0; row < rows; ++row) {
      ASSERT_EQ(list.objectAtIndexPath({0, row})->objectID(), expected[row]) << row;
      EXPECT_LE(registeredCount(all), 2 * static_cast<int>(kBatch));
    }
    for (int row = rows - 1; row >= 0; --row) {
      ASSERT_EQ(list.objectAtIndexPath({0, row})->objectID(), expected[row]) << row;
    }
    std::mt19937 random(3);
    for (int i = 0; i < 300; ++i) {
      const int row = static_cast<int>(random() % static_cast<unsigned>(rows));
      ASSERT_EQ(list.objectAtIndexPath({0, row})->objectID(), expected[row]) << row;
    }
    // A record held elsewhere is the very object its row shows.
    const auto held = context().existingObject(expected[kBatch + 3]);
    EXPECT_EQ(list.objectAtIndexPath({0, static_cast<int>(kBatch) + 3}), held);
    EXPECT_EQ(list.indexPathForObject(expected[rows - 1]), (IndexPath{0, rows - 1}));

    std::vector<ObjectID> iterated;
    for (const auto& object : list.fetchedObjects()) iterated.push_back(object->objectID());
    EXPECT_EQ(iterated, expected);
  }
}

TEST_F(BatchedListTest, ABatchShowsUnsavedChangesAndARecordDeletedElsewhereIsAnEmptyRow) {
  saveWatches(static_cast<int>(kBatch) + 10);
  FetchRequest request = byBrandAndDiameter();
  FetchedResultsController list(request, context());
  ASSERT_TRUE(list.performFetch().isOk());
  const ObjectID changed = *list.objectIDAtIndexPath({0, 2});
  const ObjectID gone = *list.objectIDAtIndexPath({0, 5});

  // Changed after the fetch, before its batch is built: the row shows the change.
  context().existingObject(changed)->setValueForKey("halkaisija", std::string("changed"));
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(container->storeFile().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(
                other, ("DELETE FROM Kello WHERE id = " + std::to_string(gone.primaryKey)).c_str(),
                nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(other);

  EXPECT_EQ(std::get<std::string>(list.objectAtIndexPath({0, 2})->valueForKey("halkaisija")),
            "changed");
  EXPECT_EQ(list.objectAtIndexPath({0, 5}), nullptr);
  EXPECT_EQ(list.objectIDAtIndexPath({0, 5}), gone);  // until the list fetches again
  EXPECT_NE(list.objectAtIndexPath({0, 6}), nullptr);

  ASSERT_TRUE(list.performFetch().isOk());
  EXPECT_EQ(list.indexPathForObject(gone), std::nullopt);
  EXPECT_EQ(list.sections()[0].objects.size(), kBatch + 9);
}

}  // namespace
}  // namespace tockary::testing
