#include "platform/store/store_fixture.h"

namespace tockary::testing {
namespace {

using FetchSemanticsTest = StoreTest;

TEST_F(FetchSemanticsTest, NotEqualIsTrueForNull) {
  insertWatch("Unsold", {}, std::string());
  insertWatch("Sold", {}, std::string("Bob"));
  insertWatch("Unknown", {}, Value());
  FetchRequest sold = byBrand();
  sold.predicate = Predicate("myyntiliike != %@", {std::string()});
  EXPECT_EQ(brands(sold), (std::vector<std::string>{"Sold", "Unknown"}));
  FetchRequest unsold = byBrand();
  unsold.predicate = Predicate("myyntiliike = %@", {std::string()});
  EXPECT_EQ(brands(unsold), (std::vector<std::string>{"Unsold"}));
}

TEST_F(FetchSemanticsTest, ArgumentIsReadAsTheAttributeType) {
  auto zero = insertWatch("Zero", std::string("0"));
  zero->setValueForKey("ostohinta", 0.0);
  auto point = insertWatch("PointZero", std::string("0.0"));
  point->setValueForKey("ostohinta", 100.0);
  // Double: the text "0.0" is the number 0.
  FetchRequest priced = byBrand();
  priced.predicate = Predicate("ostohinta != %@", {std::string("0.0")});
  EXPECT_EQ(brands(priced), (std::vector<std::string>{"PointZero"}));
  // String: the text "0" is not the text "0.0".
  FetchRequest measured = byBrand();
  measured.predicate = Predicate("halkaisija != %@", {std::string("0.0")});
  EXPECT_EQ(brands(measured), (std::vector<std::string>{"Zero"}));
}

TEST_F(FetchSemanticsTest, AverageOfTextUsesTheStoresNumericReading) {
  insertWatch("A", std::string("40.5"));
  insertWatch("B", std::string("0.0"));
  insertWatch("C", std::string(""));
  insertWatch("D", std::string("abc"));
  insertWatch("E", std::string("43.5"));
  FetchRequest request("Kello");
  request.predicate = Predicate::andPredicate({Predicate("myyntiliike = %@", {std::string()}),
                                               Predicate("halkaisija != %@", {std::string("0.0")}),
                                               Predicate("halkaisija != %@", {std::string()})});
  auto average = context().aggregate(request, AggregateFunction::Average, "halkaisija");
  ASSERT_TRUE(average.isOk()) << average.status().description();
  // 40.5, 43.5 and "abc" as 0: "0.0" and "" are left out by the predicate.
  EXPECT_DOUBLE_EQ(average->value(), 28.0);
  auto sum = context().aggregate(request, AggregateFunction::Sum, "halkaisija");
  EXPECT_DOUBLE_EQ(sum->value(), 84.0);
}

TEST_F(FetchSemanticsTest, AggregatesOfNothing) {
  FetchRequest request("Kello");
  auto sum = context().aggregate(request, AggregateFunction::Sum, "ostohinta");
  ASSERT_TRUE(sum.isOk());
  EXPECT_EQ(sum->value(), 0.0);
  auto average = context().aggregate(request, AggregateFunction::Average, "ostohinta");
  ASSERT_TRUE(average.isOk());
  EXPECT_FALSE(average->has_value());
  EXPECT_FALSE(context().aggregate(request, AggregateFunction::Sum, "nosuch").isOk());
}

TEST_F(FetchSemanticsTest, NullsFirstAscendingLastDescendingTiesInKeyOrder) {
  insertWatch("b");
  insertWatch("B");
  context().insertNewObject("Kello");  // no brand
  insertWatch("a");
  insertWatch("B");
  // Binary order: upper case before lower case.
  EXPECT_EQ(brands(byBrand(true)), (std::vector<std::string>{"<null>", "B", "B", "a", "b"}));
  EXPECT_EQ(brands(byBrand(false)), (std::vector<std::string>{"b", "a", "B", "B", "<null>"}));

  FetchRequest bs = byBrand(false);
  bs.predicate = Predicate("merkki == %@", {std::string("B")});
  auto equal = context().execute(bs);
  ASSERT_EQ(equal->size(), 2u);
  EXPECT_LT(equal->at(0)->objectID().primaryKey, equal->at(1)->objectID().primaryKey);
}

TEST_F(FetchSemanticsTest, SecondSortKeyAndLimitAndCount) {
  auto a = insertWatch("Omega");
  a->setValueForKey("ostohinta", 500.0);
  auto b = insertWatch("Omega");
  b->setValueForKey("ostohinta", 900.0);
  insertWatch("Seiko");
  FetchRequest request("Kello");
  request.sortDescriptors = {{"merkki", true}, {"ostohinta", false}};
  auto all = context().execute(request);
  ASSERT_EQ(all->size(), 3u);
  EXPECT_EQ(all->at(0), b);
  request.fetchLimit = 2;
  EXPECT_EQ(context().execute(request)->size(), 2u);
  EXPECT_EQ(context().count(request).valueOr(-1), 2);
  request.fetchLimit.reset();
  EXPECT_EQ(context().count(request).valueOr(-1), 3);
}

TEST_F(FetchSemanticsTest, UnreadablePredicatesAndKeysAreErrors) {
  for (const char* format : {"merkki %@", "merkki = ", "= %@", "merkki = %@ OR malli = %@",
                             "nosuch = %@", "merkki = %@ AND"}) {
    FetchRequest request("Kello");
    request.predicate = Predicate(format, {std::string("x"), std::string("y")});
    EXPECT_FALSE(context().execute(request).isOk()) << format;
  }
  FetchRequest tooFew("Kello");
  tooFew.predicate = Predicate("merkki = %@ AND halkaisija = %@", {std::string("x")});
  EXPECT_FALSE(context().count(tooFew).isOk());
  FetchRequest badSort("Kello");
  badSort.sortDescriptors = {{"nosuch", true}};
  EXPECT_FALSE(context().execute(badSort).isOk());
  EXPECT_FALSE(context().execute(FetchRequest("Nothing")).isOk());
}

TEST_F(FetchSemanticsTest, PredicateFormsOfTheApp) {
  Predicate both = Predicate::andPredicate(
      {Predicate("a == %@", {std::string("x")}), Predicate("b != %@", {std::string("y")})});
  EXPECT_EQ(both.format(), "a == %@ AND b != %@");
  auto comparisons = both.comparisons();
  ASSERT_TRUE(comparisons.isOk());
  ASSERT_EQ(comparisons->size(), 2u);
  EXPECT_EQ(comparisons->at(0).op, "=");
  EXPECT_EQ(comparisons->at(1).attribute, "b");
  EXPECT_EQ(comparisons->at(1).op, "!=");
  EXPECT_TRUE(Predicate("a <> %@ && b >= %@", {1.0, 2.0}).comparisons().isOk());
}

}  // namespace
}  // namespace tockary::testing
