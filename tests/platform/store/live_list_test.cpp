#include "platform/store/fetched_results_controller.h"
#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

struct RecordingDelegate : FetchedResultsControllerDelegate {
  void controllerWillChangeContent() override { events.push_back("will"); }
  void didChange(const std::shared_ptr<ManagedObject>& object, ResultsChangeType type,
                 std::optional<IndexPath> from, std::optional<IndexPath> to) override {
    static const char* names[] = {"insert", "delete", "move", "update"};
    std::string e = names[static_cast<int>(type)] +
                    (" " + std::get<std::string>(object->valueForKey("merkki")));
    if (from) e += " from " + std::to_string(from->row);
    if (to) e += " to " + std::to_string(to->row);
    events.push_back(e);
  }
  void controllerDidChangeContent() override { events.push_back("did"); }
  std::vector<std::string> events;
};

using LiveListTest = StoreTest;

TEST_F(LiveListTest, EmptyStoreIsOneSectionWithoutRows) {
  FetchedResultsController list(byBrand(), context());
  ASSERT_TRUE(list.performFetch().isOk());
  ASSERT_EQ(list.sections().size(), 1u);
  EXPECT_TRUE(list.sections()[0].objects.empty());
  EXPECT_EQ(list.objectAtIndexPath({0, 0}), nullptr);
}

TEST_F(LiveListTest, SavesAreReportedAsInsertsDeletesMovesAndUpdates) {
  auto omega = insertWatch("Omega");
  auto tudor = insertWatch("Tudor");
  ASSERT_TRUE(context().save().isOk());
  FetchedResultsController list(byBrand(), context());
  RecordingDelegate delegate;
  list.delegate = &delegate;
  ASSERT_TRUE(list.performFetch().isOk());

  insertWatch("Seiko");
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"will", "insert Seiko to 1", "did"}));
  EXPECT_EQ(list.objectAtIndexPath({0, 2}), tudor);

  delegate.events.clear();
  context().deleteObject(tudor);
  omega->setValueForKey("merkki", std::string("Zenith"));
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"will", "delete Tudor from 2",
                                                       "move Zenith from 0 to 1", "did"}));

  delegate.events.clear();
  omega->setValueForKey("halkaisija", std::string("40"));
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(delegate.events,
            (std::vector<std::string>{"will", "update Zenith from 1 to 1", "did"}));

  // The last record deleted leaves one empty section.
  delegate.events.clear();
  for (const auto& object : list.fetchedObjects()) context().deleteObject(object);
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(delegate.events.size(), 4u);
  ASSERT_EQ(list.sections().size(), 1u);
  EXPECT_TRUE(list.sections()[0].objects.empty());
}

TEST_F(LiveListTest, PendingChangesReachTheListOnProcessPendingChanges) {
  FetchedResultsController list(byBrand(), context());
  RecordingDelegate delegate;
  list.delegate = &delegate;
  ASSERT_TRUE(list.performFetch().isOk());
  insertWatch("Omega");
  EXPECT_TRUE(delegate.events.empty());
  context().processPendingChanges();
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"will", "insert Omega to 0", "did"}));
}

TEST_F(LiveListTest, SectionsByKeyWithIndexTitles) {
  insertWatch("omega");
  insertWatch("Seiko");
  insertWatch("Seiko");
  FetchedResultsController list(byBrand(), context(), "merkki");
  ASSERT_TRUE(list.performFetch().isOk());
  ASSERT_EQ(list.sections().size(), 2u);
  EXPECT_EQ(list.sections()[0].name, "Seiko");
  EXPECT_EQ(list.sections()[0].objects.size(), 2u);
  EXPECT_EQ(list.sectionIndexTitles(), (std::vector<std::string>{"S", "O"}));
  EXPECT_EQ(list.sectionForSectionIndexTitle("O", 1), 1);
  EXPECT_EQ(list.sectionForSectionIndexTitle("X", 0), -1);
  EXPECT_EQ(list.indexPathForObject(list.objectAtIndexPath({1, 0})->objectID()), (IndexPath{1, 0}));
}

}  // namespace
}  // namespace tockary::testing
