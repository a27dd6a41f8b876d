#include <sqlite3.h>

#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

using PendingChangesTest = StoreTest;

TEST_F(PendingChangesTest, FetchSeesUnsavedInsertsChangesAndDeletes) {
  auto omega = insertWatch("Omega");
  auto seiko = insertWatch("Seiko");
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Omega", "Seiko"}));
  ASSERT_TRUE(context().save().isOk());

  // A changed value is matched and sorted by its new value before any save.
  omega->setValueForKey("merkki", std::string("Tudor"));
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Seiko", "Tudor"}));
  FetchRequest tudor("Kello");
  tudor.predicate = Predicate("merkki == %@", {std::string("Tudor")});
  EXPECT_EQ(context().count(tudor).valueOr(-1), 1);

  context().deleteObject(seiko);
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Tudor"}));
  EXPECT_EQ(context().existingObject(seiko->objectID()), nullptr);

  auto unsaved = insertWatch("Zenith");
  context().deleteObject(unsaved);
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Tudor"}));

  ASSERT_TRUE(context().save().isOk());
  EXPECT_FALSE(context().hasChanges());
  container.reset();
  container = openContainer();
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Tudor"}));
}

TEST_F(PendingChangesTest, AnInsertChangedAfterAFetchIsSavedWithItsLatestValues) {
  auto watch = insertWatch("Omega");
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Omega"}));  // writes its row
  watch->setValueForKey("merkki", std::string("Tudor"));
  watch->setValueForKey("ostohinta", 900.0);
  ASSERT_TRUE(context().save().isOk());
  watch.reset();
  container.reset();
  container = openContainer();
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Tudor"}));
}

TEST_F(PendingChangesTest, OneObjectPerRecordAndIdsSurviveTheProcess) {
  auto watch = insertWatch("Omega");
  const ObjectID id = watch->objectID();
  EXPECT_EQ(context().existingObject(id), watch);
  ASSERT_TRUE(context().save().isOk());
  auto fetched = context().execute(byBrand());
  ASSERT_TRUE(fetched.isOk());
  ASSERT_EQ(fetched->size(), 1u);
  EXPECT_EQ(fetched->front(), watch);

  const std::string text = id.text();
  EXPECT_EQ(text, "Kello/1");
  watch.reset();
  fetched = context().execute(byBrand());  // drop the last strong reference
  fetched.value().clear();
  container.reset();
  container = openContainer();
  const auto parsed = ObjectID::fromText(text);
  ASSERT_TRUE(parsed.has_value());
  auto again = context().existingObject(*parsed);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(std::get<std::string>(again->valueForKey("merkki")), "Omega");
  EXPECT_EQ(context().existingObject({"Kello", 99}), nullptr);
  EXPECT_EQ(context().existingObject({"Nothing", 1}), nullptr);
}

TEST_F(PendingChangesTest, ObjectIdTextRejectsMalformedText) {
  for (const char* bad :
       {"", "Kello", "Kello/", "/3", "Kello/x", "Kello/3x", "Kello/0", "Kello/-2"}) {
    EXPECT_FALSE(ObjectID::fromText(bad).has_value()) << bad;
  }
  EXPECT_EQ(ObjectID::fromText("Huolto/12")->primaryKey, 12);
}

TEST_F(PendingChangesTest, NewRecordReadsNullAndZero) {
  auto watch = context().insertNewObject("Kello");
  EXPECT_TRUE(isNull(watch->valueForKey("merkki")));
  EXPECT_TRUE(isNull(watch->valueForKey("ostohinta")));
  EXPECT_TRUE(isNull(watch->valueForKey("nosuchkey")));
  ASSERT_TRUE(context().save().isOk());
  watch.reset();
  container.reset();
  container = openContainer();
  auto fetched = context().execute(byBrand());
  ASSERT_EQ(fetched->size(), 1u);
  EXPECT_TRUE(isNull(fetched->front()->valueForKey("ostopvm")));
}

TEST_F(PendingChangesTest, ValuesOfEveryKindRoundTrip) {
  auto watch = insertWatch("Omega", std::string("40.5"));
  const Date bought = dateFromSecondsSince1970(1715904000.25);
  watch->setValueForKey("ostohinta", 1200.5);
  watch->setValueForKey("ostopvm", bought);
  watch->setValueForKey("kellokuva", Bytes{0x89, 'P', 'N', 'G', 0});
  auto empty = insertWatch("Seiko");
  empty->setValueForKey("kellokuva", Bytes{});
  ASSERT_TRUE(context().save().isOk());
  watch.reset();
  empty.reset();
  container.reset();
  container = openContainer();
  auto fetched = context().execute(byBrand());
  ASSERT_EQ(fetched->size(), 2u);
  const auto& stored = fetched->front();
  EXPECT_EQ(std::get<std::string>(stored->valueForKey("halkaisija")), "40.5");
  EXPECT_EQ(std::get<double>(stored->valueForKey("ostohinta")), 1200.5);
  EXPECT_EQ(std::get<Date>(stored->valueForKey("ostopvm")), bought);
  EXPECT_EQ(std::get<Bytes>(stored->valueForKey("kellokuva")), (Bytes{0x89, 'P', 'N', 'G', 0}));
  // An empty picture stays an empty picture, not a missing one.
  EXPECT_EQ(std::get<Bytes>(fetched->back()->valueForKey("kellokuva")), Bytes{});
}

TEST_F(PendingChangesTest, FailedSaveIsReportedAndTheChangeStaysPending) {
  auto watch = insertWatch("Omega");
  ASSERT_TRUE(context().save().isOk());

  // Another connection holds the write lock for longer than the busy timeout.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(container->storeFile().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

  watch->setValueForKey("merkki", std::string("Tudor"));
  insertWatch("Seiko");
  Status failed = context().save();
  EXPECT_FALSE(failed.isOk());
  EXPECT_EQ(failed.userInfo().at("reason"), "database is locked");
  EXPECT_TRUE(context().hasChanges());
  EXPECT_EQ(std::get<std::string>(watch->valueForKey("merkki")), "Tudor");

  ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(other);
  ASSERT_TRUE(context().save().isOk());
  EXPECT_FALSE(context().hasChanges());
  watch.reset();
  container.reset();
  container = openContainer();
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Seiko", "Tudor"}));
}

TEST_F(PendingChangesTest, SaveWithoutChangesWritesNothing) {
  ASSERT_TRUE(context().save().isOk());
  // Holding the write lock elsewhere does not matter when there is nothing to write.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(container->storeFile().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_TRUE(context().save().isOk());
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
}

}  // namespace
}  // namespace tockary::testing
