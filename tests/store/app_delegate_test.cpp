#include <gtest/gtest.h>
#include <sqlite3.h>

#include "store/app_delegate.h"
#include "store/collection_model.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

class AppDelegateTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path storeFile() const { return dir.path() / "Ro_Rurav_Ozaruvuziz.sqlite"; }
};

TEST_F(AppDelegateTest, StoreOpensOnFirstReadNotWhenBuilt) {
  AppDelegate app(dir.path());
  EXPECT_FALSE(app.isStoreOpen());
  EXPECT_FALSE(std::filesystem::exists(storeFile()));
  ManagedObjectContext& context = app.viewContext();
  EXPECT_TRUE(app.isStoreOpen());
  EXPECT_TRUE(std::filesystem::exists(storeFile()));
  EXPECT_EQ(&context, &app.persistentContainer().viewContext());
}

TEST_F(AppDelegateTest, TerminationSavesWhatAScreenLeftUnsaved) {
  {
    AppDelegate app(dir.path());
    app.viewContext().insertNewObject<Kello>()->setMerkki("Omega");
    app.applicationWillTerminate();
  }
  AppDelegate again(dir.path());
  auto watches = again.viewContext().fetch<Kello>(Kello::fetchRequest());
  ASSERT_EQ(watches->size(), 1u);
  EXPECT_EQ(watches->front()->merkki(), "Omega");
}

TEST_F(AppDelegateTest, TerminationWithoutChangesDoesNotWrite) {
  AppDelegate app(dir.path(), {std::chrono::milliseconds(20)});
  (void)app.persistentContainer();
  // A save would fail against this lock and stop the program.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(storeFile().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  app.applicationWillTerminate();
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
}

using AppDelegateDeathTest = AppDelegateTest;

TEST_F(AppDelegateDeathTest, UnreadableStoreStopsWithTheMessageAndKeepsTheFile) {
  const std::string garbage(3000, 'x');
  writeFile(storeFile(), garbage);
  EXPECT_EXIT(
      {
        AppDelegate app(dir.path());
        (void)app.persistentContainer();
      },
      ::testing::ExitedWithCode(1),
      "^Unresolved error Could not open the store, \\{path = \".*Ro_Rurav_Ozaruvuziz.sqlite\"; "
      "reason = \"file is not a database\"; sqliteCode = 26;\\}\n$");
  EXPECT_EQ(readFile(storeFile()), garbage);
}

TEST_F(AppDelegateDeathTest, FailedTerminationSaveStops) {
  EXPECT_EXIT(
      {
        AppDelegate app(dir.path(), {std::chrono::milliseconds(20)});
        app.viewContext().insertNewObject<Kello>();
        sqlite3* other = nullptr;
        sqlite3_open(storeFile().c_str(), &other);
        sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        app.applicationWillTerminate();
      },
      ::testing::ExitedWithCode(1), "^Unresolved error Could not begin a transaction, .*locked");
}

}  // namespace
}  // namespace tockary::testing
