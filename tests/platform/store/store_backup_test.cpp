#include "platform/store/store_backup.h"

#include <sqlite3.h>

#include "platform/defaults/user_defaults.h"
#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

std::string pragma(const std::filesystem::path& file, const std::string& name) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* read = nullptr;
  std::string value;
  if (sqlite3_prepare_v2(db, ("PRAGMA " + name).c_str(), -1, &read, nullptr) == SQLITE_OK &&
      sqlite3_step(read) == SQLITE_ROW) {
    value = reinterpret_cast<const char*>(sqlite3_column_text(read, 0));
  }
  sqlite3_finalize(read);
  sqlite3_close(db);
  return value;
}

// Backup and restore under a store the process keeps open, as the app does.
class StoreBackupTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    auto opened = SqliteUserDefaults::open(files().preferences);
    ASSERT_TRUE(opened) << opened.status().description();
    defaults = std::move(opened).value();
  }

  StoreFiles files() const {
    return {container->storeFile(), dir.path() / "data" / "preferences.sqlite",
            std::chrono::milliseconds(50)};
  }

  std::filesystem::path backup = dir.path() / "backup.sqlite";
  std::unique_ptr<SqliteUserDefaults> defaults;
};

TEST_F(StoreBackupTest, TheOpenContextShowsTheRestoredStoreOnceReset) {
  insertWatch("Omega");
  auto seiko = insertWatch("Seiko");
  ASSERT_TRUE(context().save());
  defaults->setBool(true, "badgesSettingOn");
  auto made = writeBackup(files(), container->managedObjectModel(), backup, Date{});
  ASSERT_TRUE(made) << made.status().description();
  EXPECT_EQ(made->created, "1970-01-01T00:00:00Z");
  EXPECT_EQ(made->records,
            (std::vector<std::pair<std::string, std::int64_t>>{{"Kello", 2}, {"Takuu", 0}}));

  context().deleteObject(seiko);
  insertWatch("Tudor");
  ASSERT_TRUE(context().save());
  defaults->setBool(false, "badgesSettingOn");
  defaults->setBool(true, "fadeSettingOn");
  insertWatch("Unsaved");                   // dropped by the reset
  EXPECT_EQ(brands(byBrand()).size(), 3U);  // the fetch writes it into an open transaction

  auto restored = restoreBackup(backup, files(), container->managedObjectModel());
  // The context's open write keeps the restore waiting, and then it changes nothing.
  ASSERT_FALSE(restored);
  EXPECT_TRUE(isStoreBusy(restored.status())) << restored.status().description();
  EXPECT_FALSE(std::filesystem::exists(beforeRestoreFile(files().store)));
  context().reset();
  EXPECT_FALSE(context().hasChanges());
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Omega", "Tudor"}));

  auto omega = context().execute(byBrand()).value().front();
  // Another program with the store open, which is not told of the restore.
  auto other = openContainer();
  ASSERT_EQ(other->viewContext().execute(byBrand()).value().size(), 2U);
  restored = restoreBackup(backup, files(), container->managedObjectModel());
  ASSERT_TRUE(restored) << restored.status().description();
  // Its next fetch shows the restored records.
  auto seen = other->viewContext().execute(byBrand());
  ASSERT_TRUE(seen) << seen.status().description();
  ASSERT_EQ(seen->size(), 2U);
  EXPECT_EQ(std::get<std::string>(seen->back()->valueForKey("merkki")), "Seiko");
  context().reset();
  EXPECT_EQ(omega->managedObjectContext(), nullptr);
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Omega", "Seiko"}));
  EXPECT_EQ(defaults->value("badgesSettingOn"), StoredFlag::True);
  EXPECT_EQ(defaults->value("fadeSettingOn"), StoredFlag::Absent);
  // The store stays what the app opened: write-ahead log, and it takes changes.
  EXPECT_EQ(pragma(files().store, "journal_mode"), "wal");
  insertWatch("After");
  EXPECT_TRUE(context().save());
  // The replaced store is kept as it was.
  EXPECT_EQ(pragma(restored->storeKept, "integrity_check"), "ok");
  EXPECT_EQ(pragma(restored->storeKept, "journal_mode"), "delete");
}

TEST_F(StoreBackupTest, AnOlderBackupIsBroughtToTheCurrentSchemaAndANewerOneRefused) {
  insertWatch("Omega");
  ASSERT_TRUE(context().save());
  ASSERT_TRUE(writeBackup(files(), container->managedObjectModel(), backup, Date{}));

  // A newer program (schema version 2) restores it and keeps its own version.
  container.reset();
  container = openContainer(2);
  auto restored = restoreBackup(backup, files(), watchModel(2));
  ASSERT_TRUE(restored) << restored.status().description();
  EXPECT_EQ(pragma(files().store, "user_version"), "2");
  context().reset();
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Omega"}));

  // Its backups are refused by the older one.
  const auto newer = dir.path() / "newer.sqlite";
  ASSERT_TRUE(writeBackup(files(), watchModel(2), newer, Date{}));
  auto checked = checkBackup(newer, watchModel(1));
  ASSERT_FALSE(checked);
  EXPECT_TRUE(isBackupRefused(checked.status()));
  EXPECT_EQ(checked.status().description(),
            "was made by a newer Tockary (schema version 2; this one reads up to 1)");
  // A backup of another kind of store is refused too.
  ManagedObjectModel other = watchModel(2);
  other.name = "Other";
  checked = checkBackup(newer, other);
  ASSERT_FALSE(checked);
  EXPECT_EQ(checked.status().description(), "is a backup of another kind of store (Test)");
}

}  // namespace
}  // namespace tockary::testing
