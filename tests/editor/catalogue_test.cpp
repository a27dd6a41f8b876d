#include <gtest/gtest.h>

#include "editor/watch_catalogues.h"
#include "editor_fixture.h"

namespace tockary::testing {
namespace {

TEST(CatalogueTest, ListsKeepTheirLengthsAndExactBytes) {
  EXPECT_EQ(movementTypeCatalogue().size(), 12u);
  EXPECT_EQ(bphCatalogue().size(), 11u);
  EXPECT_EQ(caseMaterialCatalogue().size(), 36u);
  EXPECT_EQ(bezelMaterialCatalogue().size(), 34u);
  EXPECT_EQ(glassCatalogue().size(), 13u);
  EXPECT_EQ(waterProofCatalogue().size(), 25u);
  EXPECT_EQ(dialColorCatalogue().size(), 29u);
  EXPECT_EQ(crownTypeCatalogue().size(), 4u);
  EXPECT_EQ(setCompletenessCatalogue().size(), 5u);
  EXPECT_EQ(complicationCatalogue().size(), 48u);

  EXPECT_EQ(glassCatalogue()[4], "Domed Sapphire ");
  EXPECT_EQ(complicationCatalogue()[24], "Half-Quarter Repeater ");
  EXPECT_EQ(waterProofCatalogue()[19], "250ATM");
  EXPECT_EQ(rowOf(glassCatalogue(), "Domed Sapphire"), -1);
  EXPECT_EQ(dialColorCatalogue()[11], "Ombré");
  EXPECT_EQ(bphCatalogue().back(), "262144Hz");
  EXPECT_EQ(complicationCatalogue().back(), "24 Hour Subdial");
  EXPECT_EQ(bezelMaterialCatalogue().back(), "None");
}

TEST(CatalogueTest, GeneratedListsAndMeasureColumns) {
  const auto years = yearList(2024);
  ASSERT_EQ(years.size(), 226u);
  EXPECT_EQ(years.front(), 2025);
  EXPECT_EQ(years.back(), 1800);
  const auto later = yearList(2031);
  EXPECT_EQ(later.front(), 2031);
  EXPECT_EQ(later.size(), 232u);

  const auto power = powerReserveList();
  ASSERT_EQ(power.size(), 480u);
  EXPECT_EQ(power.front(), 479);
  EXPECT_EQ(power[kPowerReserveStartRow], 40);
  EXPECT_EQ(power.back(), 0);
  const auto lugs = lugWidthList();
  ASSERT_EQ(lugs.size(), 100u);
  EXPECT_EQ(lugs[kLugWidthStartRow], 20);

  const auto& milli = milliData();
  EXPECT_EQ(milli[0].front(), "1");
  EXPECT_EQ(milli[0][kLugToLugStartRow], "42");
  EXPECT_EQ(milli[0].back(), "100");
  EXPECT_EQ(milli[1].size(), 100u);
  EXPECT_EQ(milli[2].size(), 101u);
  EXPECT_EQ(milli[2][5], "5");
}

class PickerDataSourceTest : public EditorTest {};

TEST_F(PickerDataSourceTest, AnswersForOwnMeasureCatalogueAndForeignPickers) {
  auto screen = insertScreen();
  const auto& s = *screen;
  EXPECT_EQ(s.numberOfComponents("leveysPicker"), 3);
  EXPECT_EQ(s.numberOfRows("leveysPicker", 0), 100);
  EXPECT_EQ(s.numberOfRows("leveysPicker", 1), 1);
  EXPECT_EQ(s.numberOfRows("lugToLugPicker", 2), 100);
  EXPECT_EQ(s.titleForRow("paksuusPicker", 99, 2), "99");
  EXPECT_EQ(s.titleForRow("paksuusPicker", 100, 2), "");  // "100" is never shown
  EXPECT_EQ(s.titleForRow("paksuusPicker", 0, 1), ".");
  EXPECT_EQ(s.widthForComponent("leveysPicker", 1), 48.0);

  EXPECT_EQ(s.numberOfComponents("glassPicker"), 1);
  EXPECT_EQ(s.numberOfRows("complicationPicker", 0), 48);
  EXPECT_EQ(s.titleForRow("glassPicker", 4, 0), "Domed Sapphire ");
  EXPECT_EQ(s.numberOfRows("yearPicker", 0), 226);
  EXPECT_EQ(s.titleForRow("yearPicker", 0, 0), "2025");
  EXPECT_EQ(s.titleForRow("yearPicker", 225, 0), "1800");
  EXPECT_EQ(s.titleForRow("powerPicker", 479, 0), "0");
  EXPECT_EQ(s.widthForComponent("bphPicker", 0), InsertWatchTableViewController::kScreenWidth);

  EXPECT_EQ(s.titleForRow("statusPicker", 0, 0), "No Info");
  EXPECT_EQ(s.numberOfComponents("statusPicker"), 1);
}

TEST_F(PickerDataSourceTest, YearListStartsAtThisYearOnceTwentyTwentyFiveIsOver) {
  clock.set(formatters.calendar().dateFrom(2027, 1, 1, 0, 0, 1));
  auto screen = insertScreen();
  EXPECT_EQ(screen->titleForRow("yearPicker", 0, 0), "2027");
  screen->textFieldDidBeginEditing("yearTextField");
  screen->doneYearPicker();
  EXPECT_EQ(screen->text("yearTextField"), "2027");
}

}  // namespace
}  // namespace tockary::testing
