#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

// The test model with what a large collection needs: an index for a list order and the sum of
// the prices kept by the store.
ManagedObjectModel scaledModel() {
  ManagedObjectModel model = watchModel();
  model.entities[0].indexes = {{{"merkki", true}, {"ostohinta", false}}};
  model.entities[0].keptSums = {"ostohinta"};
  return model;
}

class IndexesAndKeptSumsTest : public StoreTest {
 protected:
  void SetUp() override {}  // each case opens the store with the model it needs

  std::unique_ptr<PersistentContainer> open(ManagedObjectModel model) {
    auto opened = std::make_unique<PersistentContainer>(
        "Test", std::move(model), dir.path() / "data", StoreOptions{std::chrono::milliseconds(50)});
    const Status status = opened->loadPersistentStores();
    EXPECT_TRUE(status.isOk()) << status.description() << " " << status.userInfoText();
    return opened;
  }

  // A connection of the test's own, as sqlite3 or another program would use the file.
  struct Raw {
    explicit Raw(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &db); }
    ~Raw() { sqlite3_close(db); }
    bool run(const std::string& sql) const {
      return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    std::vector<std::string> column(const std::string& sql) const {
      std::vector<std::string> values;
      sqlite3_stmt* stmt = nullptr;
      sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
      while (stmt != nullptr && sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = sqlite3_column_text(stmt, 0);
        values.emplace_back(text == nullptr ? "<null>" : reinterpret_cast<const char*>(text));
      }
      sqlite3_finalize(stmt);
      return values;
    }
    double number(const std::string& sql) const {
      const auto values = column(sql);
      return values.empty() ? -1 : std::stod(values.front());
    }
    sqlite3* db = nullptr;
  };

  double sumOfPrices() {
    auto sum = context().aggregate(FetchRequest("Kello"), AggregateFunction::Sum, "ostohinta");
    EXPECT_TRUE(sum.isOk());
    return sum ? sum->value_or(-1) : -1;
  }
  static constexpr const char* kStoredTotal = "SELECT total(ostohinta) FROM Kello";
  static constexpr const char* kKeptTotal =
      "SELECT total FROM Z_SUMS WHERE entity = 'Kello' AND attribute = 'ostohinta'";
};

TEST_F(IndexesAndKeptSumsTest, AStoreGainsThemOnceAndAStoreThatHasThemOpensWithoutALock) {
  // A store of the model without them, with records.
  container = open(watchModel());
  for (double price : {100.0, 250.0, 0.0}) insertWatch("Omega")->setValueForKey("ostohinta", price);
  insertWatch("Seiko");  // no price
  ASSERT_TRUE(context().save().isOk());
  container.reset();

  container = open(scaledModel());
  const Raw raw(container->storeFile());
  EXPECT_EQ(
      raw.column("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Kello'"),
      (std::vector<std::string>{"Kello_by_merkki_ostohinta_desc"}));
  EXPECT_EQ(
      raw.column("SELECT name FROM sqlite_master WHERE type = 'trigger' ORDER BY name"),
      (std::vector<std::string>{"Z_SUM_Kello_ostohinta_delete", "Z_SUM_Kello_ostohinta_insert",
                                "Z_SUM_Kello_ostohinta_update"}));
  EXPECT_EQ(raw.number(kKeptTotal), 350);
  EXPECT_EQ(raw.column("PRAGMA user_version"), (std::vector<std::string>{"1"}));
  container.reset();

  // Nothing is missing now: opening needs no write, so another program's lock does not stop it.
  ASSERT_TRUE(raw.run("BEGIN IMMEDIATE"));
  container = open(scaledModel());
  EXPECT_EQ(sumOfPrices(), 350);
  ASSERT_TRUE(raw.run("ROLLBACK"));
  container.reset();

  // A piece removed by hand is made again, with the sum recounted.
  ASSERT_TRUE(raw.run("DROP TRIGGER Z_SUM_Kello_ostohinta_update"));
  ASSERT_TRUE(raw.run("UPDATE Kello SET ostohinta = 1000 WHERE ostohinta = 100"));
  container = open(scaledModel());
  EXPECT_EQ(raw.number(kKeptTotal), 1250);
  EXPECT_EQ(raw.column("SELECT count(*) FROM sqlite_master WHERE type = 'trigger'"),
            (std::vector<std::string>{"3"}));
}

TEST_F(IndexesAndKeptSumsTest, TheKeptSumIsTheRecordsSumWhateverWritesThem) {
  container = open(scaledModel());
  const Raw raw(container->storeFile());
  EXPECT_EQ(sumOfPrices(), 0);

  auto omega = insertWatch("Omega");
  omega->setValueForKey("ostohinta", 1200.0);
  auto seiko = insertWatch("Seiko");
  seiko->setValueForKey("ostohinta", 300.0);
  EXPECT_EQ(sumOfPrices(), 1500);  // unsaved inserts count
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(raw.number(kKeptTotal), 1500);

  seiko->setValueForKey("ostohinta", 350.0);
  insertWatch("Tudor");
  EXPECT_EQ(sumOfPrices(), 1550);
  context().deleteObject(omega);
  EXPECT_EQ(sumOfPrices(), 350);
  ASSERT_TRUE(context().save().isOk());

  // Another program's writes are kept too.
  ASSERT_TRUE(raw.run("INSERT INTO Kello (merkki, ostohinta) VALUES ('Sinn', 40)"));
  ASSERT_TRUE(raw.run("UPDATE Kello SET ostohinta = ostohinta + 1"));
  EXPECT_EQ(sumOfPrices(), raw.number(kStoredTotal));
  EXPECT_EQ(sumOfPrices(), 392);

  // A failed save leaves the sum as stored.
  seiko->setValueForKey("ostohinta", 5000.0);
  ASSERT_TRUE(
      raw.run("CREATE TRIGGER refuse BEFORE UPDATE ON Kello BEGIN "
              "SELECT RAISE(ABORT, 'refused'); END"));
  EXPECT_FALSE(context().save().isOk());
  ASSERT_TRUE(raw.run("DROP TRIGGER refuse"));
  EXPECT_EQ(raw.number(kKeptTotal), 392);
}

TEST_F(IndexesAndKeptSumsTest, ValuesThatCouldRoundAreSummedFromTheRecords) {
  container = open(scaledModel());
  const Raw raw(container->storeFile());
  insertWatch("Omega")->setValueForKey("ostohinta", 100.0);
  ASSERT_TRUE(context().save().isOk());
  // The kept value is what a sum reads while every value is a small whole number.
  ASSERT_TRUE(raw.run("UPDATE Z_SUMS SET total = 7"));
  EXPECT_EQ(sumOfPrices(), 7);
  ASSERT_TRUE(raw.run("UPDATE Z_SUMS SET total = 100"));

  // A fraction, text or a large number: the records are summed, as total() sums them.
  for (const char* value : {"0.1", "'40.5 mm'", "1e300", "2097152"}) {
    ASSERT_TRUE(raw.run(std::string("UPDATE Kello SET ostohinta = ") + value));
    EXPECT_EQ(sumOfPrices(), raw.number(kStoredTotal)) << value;
  }
  // Whole numbers again: kept again, the odd values never having entered the kept sum.
  ASSERT_TRUE(raw.run("UPDATE Kello SET ostohinta = 12"));
  EXPECT_EQ(raw.number(kKeptTotal), 12);
  EXPECT_EQ(sumOfPrices(), 12);
  FetchRequest filtered("Kello");
  filtered.predicate = Predicate("merkki == %@", {std::string("Seiko")});
  EXPECT_EQ(context().aggregate(filtered, AggregateFunction::Sum, "ostohinta")->value_or(-1), 0);
}

}  // namespace
}  // namespace tockary::testing
