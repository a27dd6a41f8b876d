#include <gtest/gtest.h>

#include <cmath>

#include "collection/collection_fixture.h"
#include "collection/collection_statistics.h"
#include "store/collection_model.h"

namespace tockary::testing {
namespace {

class CollectionStatisticsTest : public CollectionTest {
 protected:
  std::shared_ptr<Kello> sized(const std::string& brand, const std::string& diameter,
                               const std::string& soldTo = "") {
    auto kello = watch(brand, "", soldTo);
    kello->setHalkaisija(diameter);
    save();
    return kello;
  }
};

TEST_F(CollectionStatisticsTest, EmptyFamiliesGiveZeroAveragesNanSharesAndInfiniteCloseness) {
  auto sold = sized("Rolex", "40", "buyer");
  sold->setTauluvari("Black");
  save();
  DreamWatch dream(context());
  EXPECT_EQ(dream.averageDiameter(), 0.0);
  EXPECT_EQ(dream.averagePurchasePrice(), 0.0);
  EXPECT_TRUE(std::isnan(dream.brandShare("Rolex")));
  EXPECT_TRUE(std::isnan(dream.dialColourShare("Black")));
  EXPECT_EQ(dream.diameterCloseness(sold->objectID()), -INFINITY);
  sold->setHalkaisija("0");
  EXPECT_EQ(dream.diameterCloseness(sold->objectID()), 100.0);
  EXPECT_EQ(lines.back(), "Halkaisija tulos(class): 100.0");
  EXPECT_EQ(SoldWatch(context()).brandShare("Rolex"), 100.0);
}

TEST_F(CollectionStatisticsTest, ClosenessExamples) {
  auto a = sized("A", "40");
  auto b = sized("B", "40.0");  // "0.0"-free text still counts as 40
  DreamWatch dream(context());
  EXPECT_EQ(dream.averageDiameter(), 40.0);
  EXPECT_EQ(dream.diameterCloseness(a->objectID()), 100.0);
  b->setHalkaisija("44");
  // Average is now 42: a is 100 - 2/42*100 below, b above by the same.
  EXPECT_NEAR(dream.diameterCloseness(a->objectID()), 100 - 2.0 / 42 * 100, 1e-9);
  EXPECT_NEAR(dream.diameterCloseness(b->objectID()), 100 - 2.0 / 42 * 100, 1e-9);
  EXPECT_DOUBLE_EQ(closenessToAverage(44, 40), 90.0);
  EXPECT_DOUBLE_EQ(closenessToAverage(36, 40), 90.0);
  EXPECT_DOUBLE_EQ(closenessToAverage(1990, 2000), 99.5);
  EXPECT_DOUBLE_EQ(closenessToAverage(100, 40), -50.0);  // no clamping
  EXPECT_EQ(closenessToAverage(NAN, 40), 0.0);

  a->setVuosimalli("1990");
  b->setVuosimalli("2010");
  EXPECT_DOUBLE_EQ(dream.yearCloseness(a->objectID()), 99.5);
  EXPECT_EQ(lines.back(), "Vuosi tulos(class): 99.5");
}

TEST_F(CollectionStatisticsTest, ClosenessNeedsACompleteDecimalWithAPoint) {
  auto a = sized("A", "40.5");
  sized("B", "41.5");
  DreamWatch dream(context());
  EXPECT_NE(dream.diameterCloseness(a->objectID()), 0.0);
  for (const char* text : {"40,5", "40 mm", "", " 40"}) {
    a->setHalkaisija(std::string(text));
    EXPECT_EQ(dream.diameterCloseness(a->objectID()), 0.0) << text;
  }
  a->setHalkaisija(std::nullopt);
  EXPECT_EQ(dream.diameterCloseness(a->objectID()), 0.0);
  auto gone = a->objectID();
  context().deleteObject(a);
  save();
  EXPECT_EQ(dream.thicknessCloseness(gone), 0.0);
  EXPECT_EQ(lines.back(), "Paksuus tulos(class): 0.0");
}

TEST_F(CollectionStatisticsTest, AveragesLeaveOutEmptyAndZeroPointZeroButNotTextZero) {
  sized("A", "0.0");
  sized("B", "");
  sized("C", "42");
  DreamWatch dream(context());
  EXPECT_EQ(dream.averageDiameter(), 42.0);
  sized("D", "0");
  EXPECT_EQ(dream.averageDiameter(), 21.0);

  auto cheap = watch("E");
  cheap->setOstohinta(0);
  auto dear = watch("F");
  dear->setOstohinta(900);
  auto sold = watch("G", "", "x");
  sold->setOstohinta(5000);
  sold->setMyyntihinta(6000);
  save();
  EXPECT_EQ(dream.averagePurchasePrice(), 900.0);
  EXPECT_EQ(SoldWatch(context()).averageSoldPrice(), 6000.0);
  EXPECT_EQ(SoldWatch(context()).averageDiameter(), 0.0);
}

TEST_F(CollectionStatisticsTest, SharesCountOnlyWatchesWithTheAttributeBrandsCountAll) {
  watch("Seiko")->setTauluvari("Blue");
  watch("Seiko")->setTauluvari("Black");
  watch("Orient")->setTauluvari("Blue");
  watch("")->setTauluvari("");
  watch("Seiko", "", "sold")->setTauluvari("Blue");
  save();
  DreamWatch dream(context());
  EXPECT_NEAR(dream.dialColourShare("Blue"), 200.0 / 3, 1e-9);
  EXPECT_EQ(dream.dialColourShare(""), 0.0);   // an empty colour matches nothing
  EXPECT_EQ(dream.brandShare("Seiko"), 50.0);  // the empty brand is in the denominator
  EXPECT_EQ(SoldWatch(context()).dialColourShare("Blue"), 100.0);
  // A movement type never written is not the empty text, so the sold watch is counted.
  EXPECT_EQ(SoldWatch(context()).movementTypeShare("Automatic"), 0.0);
}

TEST_F(CollectionStatisticsTest, WearTotalIncludesSoldWatches) {
  watch("A")->setVarasarake4(4);
  watch("B", "", "sold")->setVarasarake4(6);
  save();
  EXPECT_EQ(DreamWatch(context()).totalWearCount(), 10.0);
  EXPECT_EQ(sumOfWatches(context(), "varasarake4", soldWatchesPredicate()), 6.0);
}

}  // namespace
}  // namespace tockary::testing
