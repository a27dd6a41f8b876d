#include <gtest/gtest.h>

#include <set>

#include "platform/store/object_store.h"
#include "store/collection_model.h"
#include "store/watch_hand_over.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

class CollectionModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(container.loadPersistentStores().isOk()); }
  ManagedObjectContext& context() { return container.viewContext(); }

  TempDir dir;
  PersistentContainer container{std::string(kModelName), collectionModel(), dir.path()};
};

TEST_F(CollectionModelTest, EveryEntityWithItsAttributeCount) {
  const ManagedObjectModel model = collectionModel();
  std::map<std::string, std::size_t> counts;
  for (const auto& entity : model.entities) counts[entity.name] = entity.attributes.size();
  EXPECT_EQ(counts, (std::map<std::string, std::size_t>{{"Huolto", 9},
                                                        {"Kello", 41},
                                                        {"Kellokuvat", 13},
                                                        {"Mittaustieto", 10},
                                                        {"Takuu", 5},
                                                        {"Varataulu", 10}}));
  const EntityDescription* watch = model.entity("Kello");
  ASSERT_NE(watch, nullptr);
  EXPECT_EQ(watch->relationships.size(), 5u);
  EXPECT_EQ(watch->attributes[watch->attributeIndex("varasarake4")].type, AttributeType::Double);
  EXPECT_EQ(watch->attributes[watch->attributeIndex("varasarake5")].type, AttributeType::Date);
  EXPECT_EQ(watch->attributes[watch->attributeIndex("kellokuva")].type, AttributeType::Bytes);
  EXPECT_EQ(container.storeFile().filename(), "Ro_Rurav_Ozaruvuziz.sqlite");
}

TEST_F(CollectionModelTest, RecordClassesComeBackTyped) {
  auto watch = context().insertNewObject<Kello>();
  ASSERT_NE(watch, nullptr);
  watch->setMerkki("Omega");
  watch->setVarasarake4(3);
  auto measurement = context().insertNewObject<Varataulu>();
  measurement->setVaraInt1(7);
  ASSERT_TRUE(context().save().isOk());

  auto watches = context().fetch<Kello>(Kello::fetchRequest());
  ASSERT_TRUE(watches.isOk());
  ASSERT_EQ(watches->size(), 1u);
  EXPECT_EQ(watches->front()->merkki(), "Omega");
  EXPECT_EQ(watches->front()->varasarake4(), 3.0);
  EXPECT_EQ(context().existingObject<Varataulu>(measurement->objectID())->varaInt1(), 7);
  EXPECT_EQ(context().existingObject<Huolto>(measurement->objectID()), nullptr);
}

TEST_F(CollectionModelTest, NeverWornWatchReadsZeroAndNoDate) {
  auto watch = context().insertNewObject<Kello>();
  EXPECT_EQ(watch->varasarake4(), 0.0);
  EXPECT_FALSE(watch->varasarake5().has_value());
  EXPECT_FALSE(watch->kellokuva().has_value());
  EXPECT_EQ(watch->ostohinta(), 0.0);
}

TEST_F(CollectionModelTest, SoldRuleDependsOnlyOnTheSoldToText) {
  auto unsold = context().insertNewObject<Kello>();
  unsold->setMerkki("Unsold");
  unsold->setMyyntiliike("");
  unsold->setMyyntipvm(Date{});
  unsold->setMyyntihinta(900);
  auto sold = context().insertNewObject<Kello>();
  sold->setMerkki("Sold");
  sold->setMyyntiliike("Bob");
  auto unknown = context().insertNewObject<Kello>();
  unknown->setMerkki("Unknown");

  EXPECT_FALSE(isSold(*unsold));
  EXPECT_TRUE(isSold(*sold));
  EXPECT_TRUE(isSold(*unknown));

  auto brands = [&](Predicate predicate) {
    FetchRequest request = Kello::fetchRequest();
    request.predicate = std::move(predicate);
    request.sortDescriptors = {{"merkki", true}};
    std::vector<std::string> names;
    for (const auto& w : context().fetch<Kello>(request).value()) names.push_back(*w->merkki());
    return names;
  };
  EXPECT_EQ(brands(unsoldWatchesPredicate()), (std::vector<std::string>{"Unsold"}));
  EXPECT_EQ(brands(soldWatchesPredicate()), (std::vector<std::string>{"Sold", "Unknown"}));
}

TEST_F(CollectionModelTest, WatchLabels) {
  auto watch = context().insertNewObject<Kello>();
  watch->setMerkki("Omega");
  watch->setMalli("Speedmaster");
  EXPECT_EQ(watchLabel(*watch), "Omega Speedmaster");
  watch->setMalli("");
  EXPECT_EQ(watchLabel(watch.get()), "Omega");
  watch->setMalli(std::nullopt);
  EXPECT_EQ(watchLabel(*watch), "Omega");
  EXPECT_EQ(watchLabel(nullptr), "----------");
  EXPECT_EQ(kNoWatchLabel.size(), 10u);
}

TEST_F(CollectionModelTest, TotalWearCountIncludesSoldWatches) {
  EXPECT_EQ(totalWearCount(context()), 0.0);
  auto kept = context().insertNewObject<Kello>();
  kept->setMyyntiliike("");
  kept->setVarasarake4(12);
  auto sold = context().insertNewObject<Kello>();
  sold->setMyyntiliike("Bob");
  sold->setVarasarake4(30);
  context().insertNewObject<Kello>();  // never worn
  EXPECT_EQ(totalWearCount(context()), 42.0);
}

TEST(MeasureText, SameLengthWhateverTheTrailingZeros) {
  EXPECT_TRUE(sameMeasure("40.5", "40.50"));
  EXPECT_TRUE(sameMeasure("40", "40.0"));
  EXPECT_TRUE(sameMeasure("40.25", "40.25"));
  EXPECT_FALSE(sameMeasure("40.5", "40.05"));
  EXPECT_FALSE(sameMeasure("40.5", "41.5"));
  EXPECT_FALSE(sameMeasure("40", "400"));
  EXPECT_TRUE(sameMeasure("", ""));
  EXPECT_FALSE(sameMeasure("40.", "40"));
  EXPECT_FALSE(sameMeasure("abc", "40"));
}

}  // namespace
}  // namespace tockary::testing

namespace tockary::testing {
namespace {

TEST_F(CollectionModelTest, HandOverTakesEveryFieldAndKeepsAbsentValuesAbsent) {
  auto watch = context().insertNewObject<Kello>();
  watch->setMerkki("Omega");
  watch->setVarasarake1("47.5");
  watch->setVarasarake3("Box");
  watch->setOstohinta(0);
  watch->setKellokuva(Bytes{1, 2});
  const WatchHandOver h = handOverFrom(*watch);
  EXPECT_EQ(h.tempEditMerkki, "Omega");
  EXPECT_EQ(h.tempEditLugToLug, "47.5");
  EXPECT_EQ(h.tempEditNotes, "Box");
  EXPECT_EQ(h.tempEditPurchasePrice, 0.0);  // set to 0 is present
  EXPECT_FALSE(h.tempEditSoldPrice.has_value());
  EXPECT_FALSE(h.tempEditMalli.has_value());
  EXPECT_FALSE(h.tempEditSoldDate.has_value());
  EXPECT_EQ(h.tempEditWatchPicture, (Bytes{1, 2}));
  EXPECT_FALSE(h.tempEditWatchPictureBack.has_value());
}

}  // namespace
}  // namespace tockary::testing
