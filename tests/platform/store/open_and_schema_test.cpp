#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

class OpenStoreTest : public StoreTest {
 protected:
  void SetUp() override {}  // each case opens the store itself

  Status openOnly(int version = 1) {
    container =
        std::make_unique<PersistentContainer>("Test", watchModel(version), dir.path() / "data");
    return container->loadPersistentStores();
  }

  static int mode(const std::filesystem::path& p) {
    struct stat info {};
    ::stat(p.c_str(), &info);
    return static_cast<int>(info.st_mode & 0777);
  }
};

TEST_F(OpenStoreTest, CreatesThePrivateDirectoryFileAndSchema) {
  ASSERT_TRUE(openOnly().isOk());
  EXPECT_EQ(container->storeFile(), dir.path() / "data" / "Test.sqlite");
  EXPECT_EQ(mode(dir.path() / "data"), 0700);
  EXPECT_EQ(mode(container->storeFile()), 0600);
  EXPECT_EQ(container->schemaVersion(), 1);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(container->storeFile().c_str(), &db), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT name, type FROM pragma_table_info('Kello') ORDER BY cid", -1,
                     &stmt, nullptr);
  std::vector<std::string> columns;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    columns.push_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) +
                      " " + reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  EXPECT_EQ(columns, (std::vector<std::string>{"id INTEGER", "merkki TEXT", "halkaisija TEXT",
                                               "myyntiliike TEXT", "ostohinta REAL", "ostopvm REAL",
                                               "kellokuva BLOB", "takuunKello_id INTEGER"}));
}

TEST_F(OpenStoreTest, FolderNamedLikeAUriIsOnlyAFolder) {
  // Handed to SQLite as it is, "file:other.db#/Test.sqlite" would open other.db.
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  container = std::make_unique<PersistentContainer>("Test", watchModel(1), "file:other.db#");
  const Status opened = container->loadPersistentStores();
  std::filesystem::current_path(previous);
  ASSERT_TRUE(opened.isOk()) << opened.userInfoText();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "other.db"));
  EXPECT_EQ(mode(dir.path() / "file:other.db#" / "Test.sqlite"), 0600);
}

TEST_F(OpenStoreTest, UnreadableFileIsAnErrorAndLeftByteForByte) {
  std::filesystem::create_directories(dir.path() / "data");
  const auto file = dir.path() / "data" / "Test.sqlite";
  const std::string garbage = "This is not a store.\n" + std::string(5000, '\x7f');
  writeFile(file, garbage);
  Status opened = openOnly();
  ASSERT_FALSE(opened.isOk());
  EXPECT_EQ(opened.description(), "Could not open the store");
  EXPECT_EQ(opened.userInfo().at("reason"), "file is not a database");
  EXPECT_EQ(opened.userInfo().at("path"), file.string());
  EXPECT_EQ(readFile(file), garbage);
  EXPECT_FALSE(std::filesystem::exists(file.string() + "-wal"));
  EXPECT_FALSE(container->isLoaded());
}

TEST_F(OpenStoreTest, StoreOfANewerModelIsRefusedUntouched) {
  ASSERT_TRUE(openOnly(3).isOk());
  context().insertNewObject("Kello");
  ASSERT_TRUE(context().save().isOk());
  container.reset();
  const auto file = dir.path() / "data" / "Test.sqlite";
  const std::string before = readFile(file);
  Status opened = openOnly(2);
  EXPECT_FALSE(opened.isOk());
  EXPECT_NE(opened.userInfo().at("reason").find("version 3"), std::string::npos);
  EXPECT_EQ(readFile(file), before);
}

TEST_F(OpenStoreTest, OlderStoreGainsTheNewColumnsAndKeepsItsRecords) {
  ASSERT_TRUE(openOnly().isOk());
  auto watch = context().insertNewObject("Kello");
  watch->setValueForKey("merkki", std::string("Omega"));
  ASSERT_TRUE(context().save().isOk());
  watch.reset();
  container.reset();

  ManagedObjectModel grown = watchModel(2);
  grown.entities[0].attributes.push_back({"malli", AttributeType::String});
  container = std::make_unique<PersistentContainer>("Test", grown, dir.path() / "data");
  ASSERT_TRUE(container->loadPersistentStores().isOk());
  EXPECT_EQ(container->schemaVersion(), 2);
  auto fetched = context().execute(FetchRequest("Kello"));
  ASSERT_EQ(fetched->size(), 1u);
  EXPECT_EQ(std::get<std::string>(fetched->front()->valueForKey("merkki")), "Omega");
  EXPECT_TRUE(isNull(fetched->front()->valueForKey("malli")));
}

// The GUI and the CLI may use one store at the same time.
TEST_F(OpenStoreTest, TwoProcessesShareOneStore) {
  ASSERT_TRUE(openOnly().isOk());
  auto mine = insertWatch("Parent");
  ASSERT_TRUE(context().save().isOk());
  ASSERT_EQ(brands(byBrand()), (std::vector<std::string>{"Parent"}));

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A process of its own: fresh container, no state shared with the parent.
    PersistentContainer other("Test", watchModel(), dir.path() / "data");
    bool ok = other.loadPersistentStores().isOk();
    if (ok) {
      auto watch = other.viewContext().insertNewObject("Kello");
      watch->setValueForKey("merkki", std::string("Child"));
      auto parents = other.viewContext().execute(FetchRequest("Kello"));
      ok = parents.isOk() && parents->size() == 2;  // the child's own insert and the parent's
      if (ok && !parents->empty()) {
        for (auto& object : parents.value()) {
          if (object != watch) object->setValueForKey("halkaisija", std::string("41"));
        }
      }
      ok = ok && other.viewContext().save().isOk();
    }
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);

  // The next fetch shows the other process's insert and its change to a clean object.
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Child", "Parent"}));
  EXPECT_EQ(std::get<std::string>(mine->valueForKey("halkaisija")), "41");
  auto another = insertWatch("Later");
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(another->objectID().primaryKey, 3);
}

TEST_F(OpenStoreTest, InsertRaceWithAnotherProcessTakesTheNextKey) {
  ASSERT_TRUE(openOnly().isOk());
  auto mine = insertWatch("Mine");  // reserves key 1
  {
    PersistentContainer other("Test", watchModel(), dir.path() / "data");
    ASSERT_TRUE(other.loadPersistentStores().isOk());
    other.viewContext().insertNewObject("Kello")->setValueForKey("merkki", std::string("Theirs"));
    ASSERT_TRUE(other.viewContext().save().isOk());
  }
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(mine->objectID().primaryKey, 2);
  EXPECT_EQ(context().existingObject({"Kello", 2}), mine);
  EXPECT_EQ(brands(byBrand()), (std::vector<std::string>{"Mine", "Theirs"}));
}

}  // namespace
}  // namespace tockary::testing
