#include <gtest/gtest.h>

#include "collection/collection_fixture.h"
#include "collection/collection_summary.h"

namespace tockary::testing {
namespace {

using CollectionSummaryTest = CollectionTest;

TEST_F(CollectionSummaryTest, CountsMoneyAndAverages) {
  auto a = watch("A");
  a->setOstohinta(500);
  a->setHalkaisija("40");
  a->setPaksuus("10");
  a->setVarasarake1("48");
  auto b = watch("B");
  b->setOstohinta(1500);
  b->setHalkaisija("42");
  b->setPaksuus("12");
  b->setVarasarake1("0.0");  // left out of the average
  auto sold = watch("C", "", "buyer");
  sold->setOstohinta(1000);
  sold->setMyyntihinta(1200);
  sold->setHalkaisija("50");  // sold: not in the averages
  save();

  showCollectionFacts(services);
  const Sheet& sheet = *presenter.lastSheet();
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet.title, "Collection statistics:");
  EXPECT_EQ(sheet.attributedTitle->text, "My watch collection summary: ");
  EXPECT_EQ(sheet.attributedTitle->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(sheet.attributedMessage->fontName, "HelveticaNeue");
  // The sold price goes to "Profit", the gain over the purchase price to "Result".
  EXPECT_EQ(sheet.message,
            "Watches in collection: 2\nSold watches: 1\nTotal cost of watches in collection: "
            "$2,000\nTotal cost of sold watches: $1,000\nProfit from sold watches: "
            "$1,200\nResult of my watch deals: $200\n---------------------------------- "
            "\nAverage Diameter: 41.0mm\nAverage Thickness: 11.0mm\nAverage Lug-to-lug: 48.0mm  ");
  ASSERT_EQ(sheet.actions.size(), 1U);
  EXPECT_EQ(sheet.actions[0].title, "OK");
  EXPECT_EQ(sheet.actions[0].style, ActionStyle::Cancel);
}

TEST_F(CollectionSummaryTest, NoSoldWatchAndNoMeasures) {
  watch("A")->setOstohinta(1234.5);
  save();
  EXPECT_EQ(*collectionSummarySheet(services).message,
            "Watches in collection: 1\nSold watches: 0\nTotal cost of watches in collection: "
            "$1,234.5\nTotal cost of sold watches: $0\nProfit from sold watches: $0\nResult of "
            "my watch deals: $0\n---------------------------------- \nAverage Diameter: "
            "0.0mm\nAverage Thickness: 0.0mm\nAverage Lug-to-lug: 0.0mm  ");
}

TEST_F(CollectionSummaryTest, LossIsNegative) {
  auto sold = watch("C", "", "buyer");
  sold->setOstohinta(1000);
  sold->setMyyntihinta(800);
  save();
  EXPECT_NE(collectionSummarySheet(services).message->find("Result of my watch deals: -$200\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tockary::testing
