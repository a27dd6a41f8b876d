#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

// Two containers on one file are two connections, as the app and the command line are.
class ConcurrentWritesTest : public StoreTest {
 protected:
  std::unique_ptr<PersistentContainer> secondContainer(
      std::chrono::milliseconds busyTimeout = std::chrono::milliseconds(50)) {
    auto other = std::make_unique<PersistentContainer>("Test", watchModel(), dir.path() / "data",
                                                       StoreOptions{busyTimeout});
    EXPECT_TRUE(other->loadPersistentStores().isOk());
    return other;
  }

  // A connection of the test's own, outside every context.
  sqlite3* rawConnection() {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(container->storeFile().c_str(), &db), SQLITE_OK);
    return db;
  }

  static std::string text(const ManagedObject& object, const char* key) {
    const Value v = object.valueForKey(key);
    return isNull(v) ? "<null>" : std::get<std::string>(v);
  }
  static double number(const ManagedObject& object, const char* key) {
    const Value v = object.valueForKey(key);
    return isNull(v) ? 0 : std::get<double>(v);
  }

  // One wear as a screen logs it: the count plus one and a line appended to the text.
  static std::function<void()> addOne(ManagedObjectContext& context, const ObjectID& id,
                                      const std::string& mark) {
    return [&context, id, mark] {
      auto object = context.existingObject(id);
      const double count = number(*object, "ostohinta") + 1;
      object->setValueForKey("ostohinta", count);
      const Value notes = object->valueForKey("halkaisija");
      object->setValueForKey("halkaisija",
                             (isNull(notes) ? std::string() : std::get<std::string>(notes)) + mark);
    };
  }

  // The stored row, read by a fresh connection.
  std::pair<double, std::string> storedCountAndText(const ObjectID& id) {
    auto reader = secondContainer();
    auto object = reader->viewContext().existingObject(id);
    if (!object) return {-1, "<gone>"};
    return {number(*object, "ostohinta"), text(*object, "halkaisija")};
  }
};

TEST_F(ConcurrentWritesTest, TwoConnectionsRacingReadModifyWritesLoseNothing) {
  auto watch = insertWatch("Omega");
  ASSERT_TRUE(context().save().isOk());
  const ObjectID id = watch->objectID();
  // Long enough that neither ever gives up waiting for the other.
  auto first = secondContainer(std::chrono::seconds(30));
  auto second = secondContainer(std::chrono::seconds(30));

  constexpr int kEach = 100;
  const auto run = [&id](ManagedObjectContext& context, const std::string& mark, int* failures) {
    for (int i = 0; i < kEach; ++i) {
      if (!context.performWrite({id}, addOne(context, id, mark)).isOk()) ++*failures;
    }
  };
  int failuresA = 0;
  int failuresB = 0;
  std::thread a(run, std::ref(first->viewContext()), "a", &failuresA);
  std::thread b(run, std::ref(second->viewContext()), "b", &failuresB);
  a.join();
  b.join();

  EXPECT_EQ(failuresA + failuresB, 0);
  const auto [count, marks] = storedCountAndText(id);
  EXPECT_EQ(count, 2 * kEach);
  EXPECT_EQ(std::count(marks.begin(), marks.end(), 'a'), kEach);
  EXPECT_EQ(std::count(marks.begin(), marks.end(), 'b'), kEach);
}

TEST_F(ConcurrentWritesTest, AStaleRegisteredObjectIsReadAgainInsideTheLock) {
  auto watch = insertWatch("Omega");
  watch->setValueForKey("ostohinta", 5.0);
  watch->setValueForKey("kellokuva", Bytes{1, 2, 3});
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(std::get<Bytes>(watch->valueForKey("kellokuva")), (Bytes{1, 2, 3}));

  // Another process wears the watch and changes its picture after this one read it.
  auto other = secondContainer();
  ASSERT_TRUE(other->viewContext()
                  .performWrite({watch->objectID()},
                                [&] {
                                  auto theirs =
                                      other->viewContext().existingObject(watch->objectID());
                                  theirs->setValueForKey("ostohinta", 6.0);
                                  theirs->setValueForKey("kellokuva", Bytes{9});
                                  theirs->setValueForKey("merkki", std::string("Their brand"));
                                })
                  .isOk());
  EXPECT_EQ(number(*watch, "ostohinta"), 5);  // the identity map still holds the old copy

  // An unsaved change of this context survives the re-read; the rest takes the stored values.
  watch->setValueForKey("merkki", std::string("Our brand"));
  ASSERT_TRUE(context()
                  .performWrite({watch->objectID()}, addOne(context(), watch->objectID(), "x"))
                  .isOk());
  EXPECT_EQ(number(*watch, "ostohinta"), 7);
  EXPECT_EQ(text(*watch, "merkki"), "Our brand");
  EXPECT_EQ(std::get<Bytes>(watch->valueForKey("kellokuva")), Bytes{9});
  EXPECT_FALSE(context().hasChanges());
  EXPECT_EQ(storedCountAndText(watch->objectID()), std::make_pair(7.0, std::string("x")));
}

TEST_F(ConcurrentWritesTest, AHeldLockGivesTheBusyStatusAndChangesNothing) {
  auto watch = insertWatch("Omega");
  ASSERT_TRUE(context().save().isOk());
  watch->setValueForKey("merkki", std::string("Pending"));  // unsaved, from before

  sqlite3* locker = rawConnection();
  ASSERT_EQ(sqlite3_exec(locker, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  bool ran = false;
  const Status busy = context().performWrite({watch->objectID()}, [&] { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_TRUE(isStoreBusy(busy)) << busy.description() << " " << busy.userInfoText();
  EXPECT_FALSE(isRecordGone(busy));
  EXPECT_EQ(busy.userInfo().at("reason"), "database is locked");
  EXPECT_TRUE(context().hasChanges());
  EXPECT_EQ(text(*watch, "merkki"), "Pending");
  // A plain save says the same, so every writer can tell a busy store from a broken one.
  EXPECT_TRUE(isStoreBusy(context().save()));
  ASSERT_EQ(sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(locker);

  auto reader = secondContainer();
  EXPECT_EQ(text(*reader->viewContext().existingObject(watch->objectID()), "merkki"), "Omega");
  // Once the lock is free the pending change is written as before.
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(storedCountAndText(watch->objectID()).first, 0);
  EXPECT_FALSE(isStoreBusy(Status::ok()));
  EXPECT_FALSE(isStoreBusy(Status::error("Could not save", {{"sqliteCode", "19"}})));
}

TEST_F(ConcurrentWritesTest, ARecordDeletedElsewhereIsReportedAndNothingRuns) {
  auto watch = insertWatch("Omega");
  auto kept = insertWatch("Seiko");
  ASSERT_TRUE(context().save().isOk());
  auto other = secondContainer();
  other->viewContext().deleteObject(other->viewContext().existingObject(watch->objectID()));
  ASSERT_TRUE(other->viewContext().save().isOk());

  kept->setValueForKey("merkki", std::string("Seiko 5"));
  bool ran = false;
  const Status gone = context().performWrite({watch->objectID()}, [&] { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_TRUE(isRecordGone(gone));
  EXPECT_FALSE(isStoreBusy(gone));
  EXPECT_EQ(gone.userInfo().at("id"), watch->objectID().text());
  // The other pending change was neither lost nor written; the lock is free again.
  EXPECT_TRUE(context().hasChanges());
  EXPECT_EQ(text(*secondContainer()->viewContext().existingObject(kept->objectID()), "merkki"),
            "Seiko");
  ASSERT_TRUE(other->viewContext().performWrite({}, {}).isOk());

  // A record deleted here but not yet saved is gone as well.
  context().deleteObject(kept);
  EXPECT_TRUE(isRecordGone(context().performWrite({kept->objectID()}, [&] { ran = true; })));
  EXPECT_FALSE(ran);
}

TEST_F(ConcurrentWritesTest, AFailedSaveAfterTheLockKeepsTheChangePendingAndWritesNothing) {
  auto watch = insertWatch("Omega");
  ASSERT_TRUE(context().save().isOk());
  sqlite3* db = rawConnection();
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TRIGGER refuse BEFORE UPDATE ON Kello "
                         "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);

  const ObjectID id = watch->objectID();
  const Status failed = context().performWrite({id}, addOne(context(), id, "x"));
  EXPECT_FALSE(failed.isOk());
  EXPECT_FALSE(isStoreBusy(failed));
  EXPECT_EQ(failed.userInfo().at("reason"), "refused");
  EXPECT_TRUE(context().hasChanges());
  EXPECT_EQ(number(*watch, "ostohinta"), 1);
  EXPECT_EQ(storedCountAndText(id), std::make_pair(0.0, std::string("<null>")));

  ASSERT_EQ(sqlite3_exec(db, "DROP TRIGGER refuse", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  // The next write starts from the pending change, not from the stored row.
  ASSERT_TRUE(context().performWrite({id}, addOne(context(), id, "y")).isOk());
  EXPECT_EQ(storedCountAndText(id), std::make_pair(2.0, std::string("xy")));
}

TEST_F(ConcurrentWritesTest, AnUnsavedInsertIsWrittenWithTheChange) {
  auto fresh = insertWatch("Zenith");
  ASSERT_TRUE(context()
                  .performWrite({fresh->objectID()}, addOne(context(), fresh->objectID(), "z"))
                  .isOk());
  EXPECT_FALSE(context().hasChanges());
  EXPECT_EQ(text(*fresh, "merkki"), "Zenith");
  EXPECT_EQ(storedCountAndText(fresh->objectID()), std::make_pair(1.0, std::string("z")));
}

TEST_F(ConcurrentWritesTest, ADetachedObjectIsNeverSavedOrFetched) {
  auto detached = context().makeDetachedObject("Kello");
  ASSERT_TRUE(detached);
  EXPECT_EQ(context().makeDetachedObject("Nothing"), nullptr);
  detached->setValueForKey("merkki", std::string("Draft"));
  EXPECT_EQ(text(*detached, "merkki"), "Draft");
  EXPECT_EQ(detached->managedObjectContext(), nullptr);
  EXPECT_FALSE(context().hasChanges());
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(context().count(FetchRequest("Kello")).valueOr(-1), 0);
}

}  // namespace
}  // namespace tockary::testing
