#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

ManagedObjectModel searchedModel() {
  ManagedObjectModel model = watchModel();
  model.entities[0].searchedAttributes = {"merkki", "halkaisija"};
  return model;
}

class TextSearchTest : public StoreTest {
 protected:
  void SetUp() override { container = open(searchedModel()); }

  std::unique_ptr<PersistentContainer> open(ManagedObjectModel model) {
    container.reset();
    auto opened = std::make_unique<PersistentContainer>(
        "Test", std::move(model), dir.path() / "data", StoreOptions{std::chrono::milliseconds(50)});
    const Status status = opened->loadPersistentStores();
    EXPECT_TRUE(status.isOk()) << status.description() << " " << status.userInfoText();
    return opened;
  }

  // Another program's connection, as the sqlite3 shell has it: built-in SQL only.
  bool runElsewhere(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open((dir.path() / "data" / "Test.sqlite").c_str(), &db);
    const bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
  }

  static FetchRequest search(const std::string& text) {
    FetchRequest request = byBrand();
    request.predicate = Predicate("SELF CONTAINS[cd] %@", {text});
    return request;
  }

  std::vector<std::string> found(const std::string& text) { return brands(search(text)); }

  void addAndSave(const std::vector<std::string>& names) {
    for (const auto& name : names) insertWatch(name);
    ASSERT_TRUE(context().save().isOk());
  }
};

using Names = std::vector<std::string>;

TEST_F(TextSearchTest, IgnoresCaseAndAccentsOnBothSides) {
  addAndSave(
      {"OMEGA", "Séiko", "Seiko", "SÉIKO", "Se\u0301iko decomposed", "Straße", "Ørsted", "Tudor"});
  EXPECT_EQ(found("omega"), Names({"OMEGA"}));
  EXPECT_EQ(found("seiko"), Names({"Seiko", "Se\u0301iko decomposed", "SÉIKO", "Séiko"}));
  EXPECT_EQ(found("séiko"), found("seiko"));
  EXPECT_EQ(found("SÉÏKÖ"), found("seiko"));
  EXPECT_EQ(found("strasse"), Names({"Straße"}));
  EXPECT_EQ(found("orsted"), Names({"Ørsted"}));
}

TEST_F(TextSearchTest, FindsTextInsideWordsAndEveryWordSomewhere) {
  insertWatch("Omega", std::string("41.5 mm"));
  insertWatch("Tudor", std::string("39 mm"));
  insertWatch("Longines", std::string("omegalike"));
  ASSERT_TRUE(context().save().isOk());
  EXPECT_EQ(found("mega"), Names({"Longines", "Omega"}));  // inside a word, either attribute
  EXPECT_EQ(found("eg"), Names({"Longines", "Omega"}));    // shorter than the index's trigrams
  EXPECT_EQ(found("9"), Names({"Tudor"}));
  EXPECT_EQ(found("omega 41"), Names({"Omega"}));  // words in different attributes
  EXPECT_EQ(found("  tudor\t39  "), Names({"Tudor"}));
  EXPECT_EQ(found("tudor 41"), Names({}));
  // The attributes are not one text: a word never spans the end of one and the next.
  EXPECT_EQ(found("ega41"), Names({}));
  EXPECT_EQ(found("a4"), Names({}));
}

TEST_F(TextSearchTest, TakesTheUsersTextAsItIs) {
  addAndSave({"Tag \"Heuer\"", "Orient", "Doxa*", "Glashütte (Original)", "100%", "A_B",
              "back\\slash", "Zenith"});
  EXPECT_EQ(found("\"heuer\""), Names({"Tag \"Heuer\""}));
  EXPECT_EQ(found("\""), Names({"Tag \"Heuer\""}));
  EXPECT_EQ(found("OR"), Names({"Glashütte (Original)", "Orient"}));
  EXPECT_EQ(found("*"), Names({"Doxa*"}));
  EXPECT_EQ(found("doxa*"), Names({"Doxa*"}));
  EXPECT_EQ(found("-"), Names({}));
  EXPECT_EQ(found("(original"), Names({"Glashütte (Original)"}));
  EXPECT_EQ(found("("), Names({"Glashütte (Original)"}));
  EXPECT_EQ(found("%"), Names({"100%"}));
  EXPECT_EQ(found("_"), Names({"A_B"}));
  EXPECT_EQ(found("\\"), Names({"back\\slash"}));
  EXPECT_EQ(found("zen NOT"), Names({}));
  EXPECT_EQ(found("NEAR(zenith"), Names({}));
  EXPECT_EQ(found("\x1f"), brands(byBrand()));  // the attributes' separator is no word
}

TEST_F(TextSearchTest, CombinesWithOtherConditionsAndKeepsTheOrder) {
  insertWatch("Omega B", std::string("40"), std::string());
  insertWatch("Omega A", std::string("40"), std::string("Buyer"));
  insertWatch("Omega C", std::string("38"), std::string());
  insertWatch("Seiko", std::string("40"), std::string());
  ASSERT_TRUE(context().save().isOk());
  FetchRequest request = search("omega");
  request.predicate =
      Predicate::andPredicate({Predicate("myyntiliike = %@", {std::string()}), *request.predicate,
                               Predicate("halkaisija = %@", {std::string("40")})});
  EXPECT_EQ(brands(request), Names({"Omega B"}));
  request.predicate =
      Predicate("SELF CONTAINS[cd] %@ AND myyntiliike = %@", {std::string("omega"), std::string()});
  request.sortDescriptors = {{"merkki", false}};
  EXPECT_EQ(brands(request), Names({"Omega C", "Omega B"}));
  auto counted = context().count(request);
  ASSERT_TRUE(counted.isOk());
  EXPECT_EQ(*counted, 2);
  // No word: the search takes nothing away.
  EXPECT_EQ(found("  "), brands(byBrand()));
}

TEST_F(TextSearchTest, SeesUnsavedChanges) {
  auto watch = insertWatch("Sinn");
  EXPECT_EQ(found("sinn"), Names({"Sinn"}));
  ASSERT_TRUE(context().save().isOk());
  watch->setValueForKey("merkki", std::string("Stowa"));
  EXPECT_EQ(found("sinn"), Names({}));
  EXPECT_EQ(found("stowa"), Names({"Stowa"}));
  context().deleteObject(watch);
  EXPECT_EQ(found("stowa"), Names({}));
}

TEST_F(TextSearchTest, ChangesByAnotherProgramAreFoundByTheNextSearch) {
  addAndSave({"Oris", "Sinn"});
  ASSERT_TRUE(runElsewhere("INSERT INTO Kello (merkki) VALUES ('Zodiac Sea-Wolf')"));
  EXPECT_EQ(found("sea-wolf"), Names({"Zodiac Sea-Wolf"}));
  ASSERT_TRUE(runElsewhere("UPDATE Kello SET halkaisija = 'Grand Seiko' WHERE merkki = 'Oris'"));
  EXPECT_EQ(found("seiko"), Names({"Oris"}));
  ASSERT_TRUE(runElsewhere("UPDATE Kello SET id = 99 WHERE merkki = 'Sinn'"));
  EXPECT_EQ(found("sinn"), Names({"Sinn"}));
  ASSERT_TRUE(runElsewhere("DELETE FROM Kello WHERE merkki = 'Oris'"));
  EXPECT_EQ(found("seiko"), Names({}));
}

TEST_F(TextSearchTest, AStoreWithoutTheIndexHasItBuiltOnOpen) {
  container = open(watchModel());
  addAndSave({"Élysée", "Oris"});
  container = open(searchedModel());
  EXPECT_EQ(found("elysee"), Names({"Élysée"}));
  // An index another program dropped is built again too.
  container.reset();
  ASSERT_TRUE(runElsewhere("DROP TABLE Kello_search"));
  container = open(searchedModel());
  EXPECT_EQ(found("ORIS"), Names({"Oris"}));
  // A current index is left as it is: opening needs no write lock.
  container.reset();
  sqlite3* other = nullptr;
  sqlite3_open((dir.path() / "data" / "Test.sqlite").c_str(), &other);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  container = open(searchedModel());
  EXPECT_TRUE(container->isLoaded());
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
}

TEST_F(TextSearchTest, RefusesASearchItCannotRun) {
  for (const auto& [format, argument] : std::vector<std::pair<std::string, Value>>{
           {"merkki CONTAINS[cd] %@", std::string("x")}, {"SELF CONTAINS[cd] %@", 4.0}}) {
    FetchRequest request("Kello");
    request.predicate = Predicate(format, {argument});
    EXPECT_FALSE(context().execute(request).isOk()) << format;
  }
  container = open(watchModel());
  EXPECT_FALSE(context().execute(search("x")).isOk());
}

}  // namespace
}  // namespace tockary::testing
