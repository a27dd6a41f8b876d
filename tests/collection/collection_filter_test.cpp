#include <gtest/gtest.h>

#include "collection/collection_captions.h"
#include "collection/collection_filter.h"
#include "collection/collection_fixture.h"

namespace tockary::testing {
namespace {

using Strings = std::vector<std::string>;

class CollectionFilterTest : public CollectionTest {
 protected:
  // Six watches, each findable by one field only.
  void SetUp() override {
    CollectionTest::SetUp();
    auto omega = watch("OMEGA", "Speedmaster");
    omega->setKoneistotyyppi("Manual");
    omega->setVarasarake2("Keeper");
    auto seiko = watch("Séiko", "SKX007");
    seiko->setKoneistotyyppi("Automatic");
    seiko->setVarasarake2("On Winder");
    auto tudor = watch("Tudor", "Black Bay", "Chrono24");
    tudor->setRefkoodi("79230N");
    tudor->setKoneistotyyppi("Automatic");
    tudor->setVarasarake2("Keeper");
    auto casio = watch("Casio", "F-91W");
    casio->setSarjanumero("SN-44817");
    casio->setKoneistotyyppi("Quartz");
    auto sinn = watch("Sinn", "104");
    sinn->setKoneisto("SW220-1");
    sinn->setKoneistotyyppi("Automatic");
    sinn->setVarasarake2("_Not Set_");
    auto oris = watch("Oris", "Aquis", "Friend");
    oris->setVarasarake3("10.06.2025: worn to the wedding in Évian");
    oris->setKoneistotyyppi("Automatic");
    oris->setVarasarake2("Grail");
    save();
  }

  Strings found(const CollectionFilter& filter) {
    auto list = openList();
    list->setFilter(filter);
    return brands(*list);
  }
  Strings searched(const std::string& text) { return found({text, {}, {}, SoldFilter::Any}); }
};

TEST_F(CollectionFilterTest, SearchLooksInTheSixFieldsIgnoringCaseAndAccents) {
  EXPECT_EQ(searched("omega"), Strings{"OMEGA Speedmaster"});   // brand, other case
  EXPECT_EQ(searched("seiko"), Strings{"Séiko SKX007"});        // brand, accent
  EXPECT_EQ(searched("skx"), Strings{"Séiko SKX007"});          // model
  EXPECT_EQ(searched("9230n"), Strings{"Tudor Black Bay"});     // reference, inside
  EXPECT_EQ(searched("44817"), Strings{"Casio F-91W"});         // serial number
  EXPECT_EQ(searched("sw220"), Strings{"Sinn 104"});            // caliber
  EXPECT_EQ(searched("evian wedding"), Strings{"Oris Aquis"});  // notes and history
  EXPECT_EQ(searched("chrono24"), Strings{});                   // the buyer is not searched
  EXPECT_EQ(searched("manual"), Strings{});                     // nor the movement type
  EXPECT_EQ(searched("").size(), 6U);
}

TEST_F(CollectionFilterTest, FiltersCombineWithTheSearchAndKeepTheOrder) {
  defaults.setBool(true, kOrderByStatus);
  EXPECT_EQ(found({"", {}, std::string("Automatic"), SoldFilter::Any}),
            (Strings{"Oris Aquis", "Tudor Black Bay", "Séiko SKX007", "Sinn 104"}));
  EXPECT_EQ(found({"", std::string("Keeper"), std::string("Automatic"), SoldFilter::Any}),
            Strings{"Tudor Black Bay"});
  EXPECT_EQ(found({"", {}, std::string("Automatic"), SoldFilter::Sold}),
            (Strings{"Oris Aquis", "Tudor Black Bay"}));
  EXPECT_EQ(found({"o", {}, std::string("Automatic"), SoldFilter::Unsold}),
            (Strings{"Séiko SKX007"}));
  // No status sorts first.
  EXPECT_EQ(found({"a", {}, {}, SoldFilter::Unsold}),
            (Strings{"Casio F-91W", "OMEGA Speedmaster"}));
}

TEST_F(CollectionFilterTest, NotSetIsEveryWatchWithoutAKnownStatus) {
  auto odd = watch("Vostok");
  odd->setVarasarake2("keeper");  // not a status: the row shows none
  save();
  EXPECT_EQ(found({"", std::string(kNotSetStatus), {}, SoldFilter::Any}),
            (Strings{"Casio F-91W", "Sinn 104", "Vostok"}));
}

TEST_F(CollectionFilterTest, TheSoldSettingStillHoldsUnderTheFilter) {
  defaults.setBool(true, kHideSoldWatchesSettingOn);
  EXPECT_EQ(found({"", {}, {}, SoldFilter::Sold}), Strings{});
  EXPECT_EQ(searched("aquis"), Strings{});
  EXPECT_EQ(searched("a"), (Strings{"Casio F-91W", "OMEGA Speedmaster"}));
}

TEST_F(CollectionFilterTest, TheMenuNarrowsAndClearsAndTheLineSaysSo) {
  auto list = openList();
  EXPECT_EQ(list->filterLine(), "");
  EXPECT_EQ(list->emptyListText(), kEmptyCollectionText);
  list->presentFilterMenu();
  ASSERT_NE(presenter.lastSheet(), nullptr);
  EXPECT_EQ(presenter.lastSheet()->title, "Filter the Watches by:");
  EXPECT_FALSE(presenter.lastSheet()->action(kClearFilterAction));  // nothing to clear yet
  ASSERT_TRUE(presenter.press(kStatusFilterAction).isOk());
  EXPECT_EQ(presenter.lastSheet()->title, "Show the Watches with the Status:");
  ASSERT_TRUE(presenter.press("Keeper").isOk());
  EXPECT_EQ(brands(*list), (Strings{"OMEGA Speedmaster", "Tudor Black Bay"}));
  list->presentFilterMenu();
  ASSERT_TRUE(presenter.press(kSoldOnlyAction).isOk());
  EXPECT_EQ(brands(*list), Strings{"Tudor Black Bay"});
  EXPECT_EQ(list->filterLine(), "Keeper \u00B7 Sold \u00B7 1 of 6 watches");
  list->searchFor("omega");
  EXPECT_EQ(brands(*list), Strings{});
  EXPECT_EQ(list->emptyListText(), kNoMatchingWatchesText);
  list->presentFilterMenu();
  ASSERT_TRUE(presenter.press(kClearFilterAction).isOk());
  EXPECT_EQ(list->filter().searchText, "omega");  // the search field keeps its text
  EXPECT_EQ(list->filterLine(), "1 of 6 watches");
  list->searchFor(" ");
  EXPECT_EQ(list->filterLine(), "");
  list->presentFilterMenu();
  ASSERT_TRUE(presenter.press(kMovementFilterAction).isOk());
  ASSERT_TRUE(presenter.press("Quartz").isOk());
  EXPECT_EQ(list->filterLine(), "Quartz \u00B7 1 of 6 watches");
  list->presentFilterMenu();
  ASSERT_TRUE(presenter.press(kMovementFilterAction).isOk());
  ASSERT_TRUE(presenter.press(kAnyMovementType.identity).isOk());
  EXPECT_EQ(brands(*list).size(), 6U);
}

TEST(CollectionFilterNames, TypedNamesIgnoreCaseOnly) {
  EXPECT_EQ(statusNamed("on winder"), "On Winder");
  EXPECT_EQ(statusNamed("NOT SET"), "Not Set");
  EXPECT_EQ(statusNamed("OnWinder"), std::nullopt);
  EXPECT_EQ(statusNamed("_Not Set_"), std::nullopt);
  EXPECT_EQ(movementTypeNamed("spring drive"), "Spring Drive");
  EXPECT_EQ(movementTypeNamed("Automatic "), std::nullopt);
  EXPECT_EQ(filterLineText({"", {}, {}, SoldFilter::Unsold}, 1, 1), "Unsold \u00B7 1 of 1 watch");
  EXPECT_EQ(filterLineText({"x", {}, {}, SoldFilter::Any}, 0, 300), "0 of 300 watches");
  EXPECT_EQ(filterLineText({" ", {}, {}, SoldFilter::Any}, 3, 3), "");
}

}  // namespace
}  // namespace tockary::testing
