#include "detail/detail_presentation.h"
#include "detail/detail_captions.h"
#include "watch/wear_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace tockary::testing {
namespace {

using std::nullopt;
using Text = std::optional<std::string>;

class DetailPresentationTest : public ::testing::Test {
 protected:
  Formatters formatters{"en_US", "UTC"};
};

TEST_F(DetailPresentationTest, IdentityLineAndTitleFirstMatchingRule) {
  WatchIdentity all = watchIdentity("Alpha", "Beta", "1998", formatters);
  EXPECT_EQ(all.line, "Alpha, Beta  ( 1998 )");
  EXPECT_EQ(all.title, "ALPHA");
  EXPECT_EQ(watchIdentity("Alpha", "Beta", "", formatters).line, "Alpha, Beta");
  // A year without a model is not shown beside the brand.
  WatchIdentity brandOnly = watchIdentity("Alpha", "", "1998", formatters);
  EXPECT_EQ(brandOnly.line, "Alpha");
  EXPECT_EQ(brandOnly.title, "ALPHA");
  WatchIdentity modelOnly = watchIdentity(nullopt, "Speedmaster", "1998", formatters);
  EXPECT_EQ(modelOnly.line, "Speedmaster");
  EXPECT_EQ(modelOnly.title, "SPEEDMASTER");
  WatchIdentity yearOnly = watchIdentity("", nullopt, "1998", formatters);
  EXPECT_EQ(yearOnly.line, "Year 1998");
  EXPECT_FALSE(yearOnly.title);
  WatchIdentity nothing = watchIdentity(nullopt, nullopt, nullopt, formatters);
  EXPECT_EQ(nothing.line, "Please fill in Watch Details");
  EXPECT_FALSE(nothing.title);
  EXPECT_EQ(watchIdentity("Straße", nullopt, nullopt, formatters).title, "STRASSE");
  EXPECT_EQ(watchIdentity("istanbul", nullopt, nullopt, Formatters("tr_TR", "UTC")).title,
            "İSTANBUL");
}

TEST_F(DetailPresentationTest, EveryMovementSentenceRule) {
  struct Case {
    Text type, calibre, reserve, beat;
    std::string sentence;
  };
  const std::vector<Case> cases = {
      {nullopt, "8500", "60", "25200", "No movement details"},
      {"Automatic", "8500", "60", "25200",
       "This watch has an Automatic 8500 movement with 60 hours power reserve. The movement has "
       "a frequency of 25200 vph."},
      {"Manual", "2824", "42", "28800",
       "This watch has a Manual 2824 movement with 42 hours power reserve. The movement has a "
       "frequency of 28800 vph."},
      {"Spring Drive", "9R65", "72", "32768Hz",
       "This watch has a Spring Drive 9R65 movement with 72 hours power reserve. The movement "
       "has a vibration frequency of 32768Hz"},
      {"Spring Drive", "9R65", "", "32768Hz",
       "This watch has a Spring Drive 9R65 movement. The movement has a vibration frequency of "
       "32768Hz"},
      {"Mechanical Quartz", "VK63", "1", "32768Hz",
       "This watch has a Mechanical Quartz VK63 movement with 1 hours power reserve. The "
       "movement has a quartz vibration frequency of 32768Hz"},
      {"Quartz", "F06", nullopt, "32768Hz",
       "This watch has a Quartz F06 movement. The movement has a quartz vibration frequency of "
       "32768Hz"},
      {"Other", "X1", "50", "", "This watch has an Other X1 movement with 50 hours power reserve."},
      {"Manual", "2824", "42", nullopt,
       "This watch has a Manual 2824 movement with 42 hours power reserve."},
      {"", "X", "40", nullopt, "This watch has  X movement with 40 hours power reserve. "},
      {"Quartz", "F06", "40", nullopt,
       "This watch has Quartz F06 movement with 40 hours power reserve. "},
      {"Automatic", "", "40", nullopt,
       "This watch has Automatic  movement with 40 hours power reserve. "},
      {"Spring Drive", "9R65", "", "", "This watch has Spring Drive 9R65 movement"},
      {"", "X", nullopt, "28800", "This watch has  X movement"},
      {"Automatic", nullopt, "40", "28800", "This watch has an Automatic movement."},
      {"Other", nullopt, nullopt, nullopt, "This watch has an Other movement."},
      {"Manual", nullopt, nullopt, nullopt, "This watch has a Manual movement."},
      {"Quartz", nullopt, nullopt, "32768Hz", "This watch has a Quartz movement."},
      {"", nullopt, "40", "28800", "No movement details"},
      {"", "", nullopt, nullopt, "No movement details"},
      // Matching is exact: lower case is a plain type.
      {"automatic", nullopt, nullopt, nullopt, "This watch has a automatic movement."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(movementSentence(c.type, c.calibre, c.reserve, c.beat), c.sentence)
        << c.type.value_or("<absent>") << "/" << c.calibre.value_or("<absent>");
  }
}

TEST_F(DetailPresentationTest, WearRateAndCostPerWear) {
  EXPECT_EQ(wearRateText(8, 40), "20.0%");
  EXPECT_EQ(wearRateText(1, 1), "100.0%");
  EXPECT_EQ(wearRateText(1, 3), "33.3%");
  EXPECT_EQ(wearRateText(5, 0), "inf%");  // the sum query failed

  EXPECT_EQ(costPerWearText(1200, 8, formatters), "$150");
  EXPECT_EQ(costPerWearText(100, 3, formatters), "$33.33");
  EXPECT_EQ(costPerWearText(0, 5, formatters), "-----");
  EXPECT_EQ(costPerWearText(nullopt, 5, formatters), "-----");
  EXPECT_EQ(amountText(1234567.891, formatters), "$1,234,567.89");
}

// The rows take the words the editor and the command line use for the same attributes.
TEST(DetailCaptionsTest, EveryRowHasItsAttributesOneCaption) {
  std::set<std::string_view> seen;
  for (const OutletCaption& row : kDetailFieldCaptions) {
    EXPECT_FALSE(row.caption.empty()) << row.outlet;
    EXPECT_TRUE(seen.insert(row.caption).second) << row.caption;
  }
  EXPECT_EQ(kDetailFieldCaptions[0].caption, watchCaption("refkoodi"));
  EXPECT_EQ(kDetailFieldCaptions[22].caption, "Warranty until");
}

}  // namespace
}  // namespace tockary::testing
