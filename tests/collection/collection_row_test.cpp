#include <gtest/gtest.h>

#include <set>

#include "store/watch_pictures.h"

#include "collection/collection_fixture.h"
#include "collection/my_watch_collection_table_view_cell.h"

namespace tockary::testing {
namespace {

using Strings = std::vector<std::string>;
using Cell = MyWatchCollectionTableViewCell;

class CollectionRowTest : public CollectionTest {
 protected:
  void SetUp() override {
    CollectionTest::SetUp();
    kello = watch("Omega", "Speedmaster");
    kello->setVuosimalli("1969");
  }

  Cell row(int mode = 0, bool faceUp = true) {
    inputs.screen = {faceUp, mode};
    inputs.now = clock.now();
    return fillRow(kello, inputs, defaults, formatters);
  }
  RowInputs allOn(double total = 10) {
    RowInputs on;
    on.preferences = {StoredFlag::True, StoredFlag::True, StoredFlag::True, StoredFlag::True,
                      StoredFlag::True, StoredFlag::True, StoredFlag::True, StoredFlag::True};
    on.collectionWearTotal = total;
    return on;
  }

  std::shared_ptr<Kello> kello;
  RowInputs inputs = allOn();
};

TEST_F(CollectionRowTest, InfoModesZeroToThree) {
  Cell cell = row(0);
  EXPECT_EQ(cell.manufacturerLabel.text, "Omega");
  EXPECT_EQ(cell.modelLabel.text, "Speedmaster");
  EXPECT_EQ(cell.yearLabel.text, "1969");
  EXPECT_EQ(cell.yearLabel.textColor, kWhite);
  EXPECT_EQ(cell.dotsButton.imageName, "Dots");

  cell = row(1);
  EXPECT_EQ(cell.manufacturerLabel.text, "Wear count: 0");
  EXPECT_EQ(cell.modelLabel.text, "Last worn: ---");
  EXPECT_EQ(cell.yearLabel.text, "Days since last worn: ---");
  EXPECT_EQ(cell.dotsButton.imageName, "Dots2");
  kello->setVarasarake4(12);
  kello->setVarasarake5(at(2025, 6, 9, 23, 59));  // yesterday, a few hours ago
  cell = row(1);
  EXPECT_EQ(cell.manufacturerLabel.text, "Wear count: 12");
  EXPECT_EQ(cell.modelLabel.text, "Last worn: 6/9/25");
  EXPECT_EQ(cell.yearLabel.text, "Days since last worn: 1");

  cell = row(2);
  EXPECT_EQ((Strings{cell.manufacturerLabel.text, cell.modelLabel.text, cell.yearLabel.text}),
            (Strings{"Movement type: ---", "Cal. ---", "Power reserve: ---"}));
  EXPECT_EQ(cell.dotsButton.imageName, "Dots3");
  kello->setKoneistotyyppi("Manual winding");
  kello->setKoneisto("321");
  kello->setPowerreserve("48");
  cell = row(2);
  EXPECT_EQ((Strings{cell.manufacturerLabel.text, cell.modelLabel.text, cell.yearLabel.text}),
            (Strings{"Manual winding", "Cal. 321", "Power reserve: 48h"}));

  cell = row(3);
  EXPECT_EQ((Strings{cell.manufacturerLabel.text, cell.modelLabel.text, cell.yearLabel.text}),
            (Strings{"Ref: ---", "Serial number: ---", ""}));
  EXPECT_EQ(cell.dotsButton.imageName, "Dots4");
  kello->setRefkoodi("145.022");
  kello->setSarjanumero("");
  kello->setSetlaajuus("Box and papers");
  cell = row(3);
  EXPECT_EQ((Strings{cell.manufacturerLabel.text, cell.modelLabel.text, cell.yearLabel.text}),
            (Strings{"Ref: 145.022", "Serial number: ---", "Box and papers"}));
}

TEST_F(CollectionRowTest, InfoModeFourDealResult) {
  Cell cell = row(4);
  EXPECT_EQ(cell.manufacturerLabel.text, "Purchase price: ---");
  EXPECT_EQ(cell.modelLabel.text, "Sold price: --- ");
  EXPECT_EQ(cell.yearLabel.text, "");
  EXPECT_EQ(cell.dotsButton.imageName, "Dots5");

  kello->setOstohinta(1000);
  kello->setMyyntihinta(1200);
  cell = row(4);
  EXPECT_EQ(cell.manufacturerLabel.text, "Purchase price: $1,000");
  EXPECT_EQ(cell.modelLabel.text, "Sold price: $1,200");
  EXPECT_EQ(cell.yearLabel.text, "Profit: $200");
  EXPECT_EQ(cell.yearLabel.textColor, kProfitGreen);
  EXPECT_TRUE(cell.yearLabel.hasShadow);

  kello->setMyyntihinta(799.5);
  cell = row(4);
  EXPECT_EQ(cell.yearLabel.text, "Loss: -$200.5");
  EXPECT_EQ(cell.yearLabel.textColor, kAlertRed);
  EXPECT_FALSE(cell.yearLabel.hasShadow);

  kello->setMyyntihinta(1000);
  cell = row(4);
  EXPECT_EQ(cell.yearLabel.text, "Even: $0");
  EXPECT_EQ(cell.yearLabel.textColor, kWhite);

  kello->setOstohinta(0);
  EXPECT_EQ(row(4).yearLabel.text, "");
}

TEST_F(CollectionRowTest, InfoModeFiveAgeAndOwnership) {
  Cell cell = row(5);
  EXPECT_EQ(cell.manufacturerLabel.text, "Watch age: 56 years");
  EXPECT_EQ(cell.modelLabel.text, "Owned: ---");
  EXPECT_EQ(cell.yearLabel.text, "");
  EXPECT_EQ(cell.dotsButton.imageName, "Dots6");
  kello->setVuosimalli("2024");
  EXPECT_EQ(row(5).manufacturerLabel.text, "Watch age: 1 year");
  kello->setVuosimalli("2025");
  EXPECT_EQ(row(5).manufacturerLabel.text, "Watch age: 0 year");
  kello->setVuosimalli("2026");  // ahead of today: the brand stays
  EXPECT_EQ(row(5).manufacturerLabel.text, "Omega");
  kello->setVuosimalli("");
  EXPECT_EQ(row(5).manufacturerLabel.text, "Watch age: ---");

  kello->setOstopvm(at(2023, 4, 30));
  EXPECT_EQ(row(5).modelLabel.text, "Owned: 2y, 1m, 11d");
  kello->setMyyntipvm(at(2024, 5, 1));
  EXPECT_EQ(row(5).modelLabel.text, "Ownership lasted: 1y, 0m, 1d");
}

TEST_F(CollectionRowTest, WearBadgeBoundaries) {
  const std::vector<std::pair<double, std::string>> cases = {{0, ""},
                                                             {1, "Badge_1"},
                                                             {29, "Badge_1"},
                                                             {30, "Badge_30"},
                                                             {49, "Badge_30"},
                                                             {50, "Badge_50"},
                                                             {99, "Badge_50"},
                                                             {100, "Badge_100"},
                                                             {149, "Badge_100"},
                                                             {150, "Badge_150"},
                                                             {200, "Badge_200"},
                                                             {300, "Badge_300"},
                                                             {499, "Badge_400"},
                                                             {500, "Badge_500"},
                                                             {999, "Badge_500"},
                                                             {1000, "Badge_1000"},
                                                             {25000, "Badge_1000"}};
  for (const auto& [wears, image] : cases) {
    kello->setVarasarake4(wears);
    const Cell cell = row();
    EXPECT_EQ(cell.badge4Outlet.isHidden, image.empty()) << wears;
    if (!image.empty()) {
      EXPECT_EQ(cell.badge4Outlet.imageName, image) << wears;
    }
  }
}

TEST_F(CollectionRowTest, CompletenessBadgesAndIndicator) {
  Cell cell = row();
  EXPECT_EQ(cell.indicatorButtonOutlet.imageName, "Ilmaisin3");  // brand, model, year
  EXPECT_TRUE(cell.badge1Outlet.isHidden);
  EXPECT_TRUE(cell.badge2Outlet.isHidden);
  EXPECT_TRUE(cell.badge3Outlet.isHidden);

  kello->setVuosimalli("");  // empty texts do not count
  EXPECT_EQ(row().indicatorButtonOutlet.imageName, "Ilmaisin2");

  for (const char* key :
       {"vuosimalli", "refkoodi", "sarjanumero", "koneistotyyppi", "koneisto", "bezelmateriaali",
        "powerreserve", "bph", "halkaisija", "lugivali", "varasarake1", "paksuus",
        "kuorenmateriaali", "tauluvari", "lasi", "kruunu", "vedenpitavyys", "setlaajuus"}) {
    kello->setValueForKey(key, std::string("x"));
  }
  cell = row();
  EXPECT_FALSE(cell.indicatorButtonOutlet.isHidden);
  EXPECT_EQ(cell.indicatorButtonOutlet.imageName, "Ilmaisin20");
  EXPECT_EQ(cell.badge3Outlet.imageName, "Badge_Data");
  EXPECT_EQ(cell.badge1Outlet.imageName, "Rotor");
  EXPECT_EQ(cell.badge2Outlet.imageName, "Badge_Diagram");
  EXPECT_FALSE(cell.badge1Outlet.isHidden || cell.badge2Outlet.isHidden ||
               cell.badge3Outlet.isHidden);

  inputs.preferences.badges = StoredFlag::False;
  inputs.preferences.dataIndicator = StoredFlag::False;
  cell = row();
  EXPECT_TRUE(cell.badge1Outlet.isHidden && cell.badge2Outlet.isHidden &&
              cell.badge3Outlet.isHidden && cell.badge4Outlet.isHidden);
  EXPECT_TRUE(cell.indicatorButtonOutlet.isHidden);

  for (const char* key :
       {"merkki",         "malli",    "vuosimalli",      "refkoodi",      "sarjanumero",
        "koneistotyyppi", "koneisto", "bezelmateriaali", "powerreserve",  "bph",
        "halkaisija",     "lugivali", "varasarake1",     "paksuus",       "kuorenmateriaali",
        "tauluvari",      "lasi",     "kruunu",          "vedenpitavyys", "setlaajuus"}) {
    kello->setValueForKey(key, std::string());
  }
  inputs.preferences.dataIndicator = StoredFlag::True;
  EXPECT_TRUE(row().indicatorButtonOutlet.isHidden);  // nothing filled in
}

TEST_F(CollectionRowTest, OwnershipStripeByCalendarComponents) {
  const std::vector<std::pair<Date, std::string>> cases = {
      {at(2025, 6, 10, 8), "Dayraita_0"},     {at(2025, 5, 11), "Dayraita_30"},
      {at(2025, 5, 10), "Kuukausiraita_1"},   {at(2024, 6, 11), "Kuukausiraita_11"},
      {at(2024, 6, 10), "Vuosiraita_1"},      {at(2015, 6, 10), "Vuosiraita_10"},
      {at(2014, 6, 10, 13), "Vuosiraita_10"}, {at(2014, 6, 10), "Vuosiraita_10+"}};
  for (const auto& [bought, image] : cases) {
    kello->setOstopvm(bought);
    const Cell cell = row();
    EXPECT_EQ(cell.vuosiOutlet.imageName, image) << formatters.shortDate(bought);
    EXPECT_FALSE(cell.vuosiOutlet.isHidden);
  }
}

TEST_F(CollectionRowTest, StripeHiddenForSoldWatchesAndWithoutPurchaseDate) {
  EXPECT_TRUE(row().vuosiOutlet.isHidden);  // no purchase date
  kello->setOstopvm(at(2020, 1, 1));
  EXPECT_FALSE(row().vuosiOutlet.isHidden);
  kello->setMyyntiliike("Forum buyer");
  EXPECT_TRUE(row().vuosiOutlet.isHidden);
  kello->setMyyntiliike("");
  kello->setMyyntihinta(10);
  EXPECT_TRUE(row().vuosiOutlet.isHidden);
  kello->setMyyntihinta(0);
  kello->setMyyntipvm(at(2024, 1, 1));
  EXPECT_TRUE(row().vuosiOutlet.isHidden);
  kello->setMyyntipvm(std::nullopt);
  inputs.preferences.ownership = StoredFlag::False;
  EXPECT_TRUE(row().vuosiOutlet.isHidden);
}

TEST_F(CollectionRowTest, FadeThresholdsByDaysSinceLastWorn) {
  EXPECT_FLOAT_EQ(row().watchImageView.alpha, 0.05F);  // never worn
  const std::vector<std::pair<int, float>> cases = {
      {0, 1.0F},  {6, 1.0F},   {7, 0.8F},   {10, 0.8F},  {11, 0.7F},  {15, 0.6F},
      {20, 0.6F}, {21, 0.5F},  {30, 0.5F},  {31, 0.4F},  {46, 0.3F},  {61, 0.2F},
      {75, 0.2F}, {76, 0.15F}, {81, 0.08F}, {99, 0.08F}, {100, 0.05F}};
  for (const auto& [days, alpha] : cases) {
    kello->setVarasarake5(clock.now() - std::chrono::hours(24 * days) + std::chrono::hours(11));
    EXPECT_FLOAT_EQ(row().watchImageView.alpha, alpha) << days;
  }
  inputs.preferences.fade = StoredFlag::Absent;
  EXPECT_FLOAT_EQ(row().watchImageView.alpha, 1.0F);
  inputs.preferences.fade = StoredFlag::False;
  EXPECT_FLOAT_EQ(row().watchImageView.alpha, 1.0F);
}

TEST_F(CollectionRowTest, WarrantyLines) {
  EXPECT_EQ(row().warrantyEndsLabel.text, "");
  const std::vector<std::tuple<Date, std::string, Rgba>> cases = {
      {at(2025, 6, 10, 23, 59), "Warranty expires in: 0 days", kAlertRed},
      {at(2025, 6, 17, 0, 1), "Warranty expires in: 7 days", kAlertRed},
      {at(2025, 6, 18), "Warranty until: 6/18/25", kWhite},
      {at(2025, 6, 9, 23, 59), "Warranty expired: 1 days ago", kAlertRed},
      {at(2024, 6, 10), "Warranty expired: 365 days ago", kAlertRed}};
  for (const auto& [ends, text, colour] : cases) {
    kello->setTakuupvm(ends);
    const Cell cell = row();
    EXPECT_EQ(cell.warrantyEndsLabel.text, text);
    EXPECT_EQ(cell.warrantyEndsLabel.textColor, colour) << text;
  }
  inputs.preferences.warrantyInfo = StoredFlag::False;
  EXPECT_EQ(row().warrantyEndsLabel.text, "");
}

TEST_F(CollectionRowTest, WearRateAgainstTheCollectionTotal) {
  inputs.collectionWearTotal = 0;
  EXPECT_EQ(row().wearRateLabel.text, "Wear Rate: -----");
  kello->setVarasarake4(1);
  inputs.collectionWearTotal = 1;
  EXPECT_EQ(row().wearRateLabel.text, "Wear Rate: 100.0%");
  inputs.collectionWearTotal = 3;
  EXPECT_EQ(row().wearRateLabel.text, "Wear Rate: 33.3%");
  inputs.preferences.wearRate = StoredFlag::False;
  EXPECT_EQ(row().wearRateLabel.text, "");
}

TEST_F(CollectionRowTest, StatusIconsAndRateButton) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"Keeper", "", "StatusKeeper"},
      {"In Service", "", "InService"},
      {"Not Set", "", "NotSetGrey"},
      {"_Not Set_", "", "NotSetGrey"},
      {"Needs a New Strap", "20", "StatusNeedStrap20"},
      {"Needs a New Strap", "24", "StatusNeedStrap24"},
      {"Needs a New Strap", "21", "StatusNeedStrap"},
      {"Needs a New Strap", "", "StatusNeedStrap"},
      {"In Watchbox", "", "StatusInWatchbox"},
      {"Grail", "", "StatusGrail"},
      {"grail", "", "NotSetGrey"}};
  for (const auto& [status, lugs, icon] : cases) {
    kello->setVarasarake2(status);
    kello->setLugivali(lugs);
    EXPECT_EQ(row().statusButtonOutlet.imageName, icon) << status << " " << lugs;
  }
  kello->setVarasarake2(std::nullopt);
  EXPECT_EQ(row().statusButtonOutlet.imageName, "NotSetGrey");

  EXPECT_EQ(row().dwrButton.imageName, "KeeperRate");
  kello->setMyyntiliike("Dealer");
  EXPECT_EQ(row().dwrButton.imageName, "SellerRate");
  inputs.preferences.dwrswr = StoredFlag::False;
  inputs.preferences.techDetails = StoredFlag::False;
  EXPECT_TRUE(row().dwrButton.isHidden);
  EXPECT_TRUE(row().quickInfoButton.isHidden);
}

TEST_F(CollectionRowTest, WinderRowsTurnAndOthersDoNot) {
  EXPECT_FALSE(row().watchImageView.rotation);
  kello->setVarasarake2("On Winder");
  const Cell cell = row();
  ASSERT_TRUE(cell.watchImageView.rotation);
  EXPECT_TRUE(cell.watchImageView.clippedToEllipse);
  EXPECT_EQ(cell.statusButtonOutlet.imageName, "StatusOnWinder");
}

TEST_F(CollectionRowTest, PicturesAreNamedByHandleAndReadOnlyWhenAsked) {
  kello->setKellokuva(Bytes{1, 2, 3});
  save();
  const AssetCatalog assets;
  const PictureReader reader(context(), assets);
  Cell front = row(0, true);
  EXPECT_EQ(front.watchImageView.picture.face(), "front");
  EXPECT_EQ(front.watchImageView.picture.assetName(), "insertpic_front.png");
  EXPECT_EQ(reader.read(front.watchImageView.picture), (Bytes{1, 2, 3}));
  Cell back = row(0, false);
  EXPECT_EQ(back.watchImageView.picture.face(), "back");
  // Without a back picture the handle gives the placeholder.
  EXPECT_FALSE(reader.hasStoredPicture(back.watchImageView.picture));
  EXPECT_EQ(reader.read(back.watchImageView.picture),
            assets.imageNamed("insertpic_back.png").value());
  kello->setVarasarake6(Bytes{9});
  EXPECT_EQ(reader.read(back.watchImageView.picture), (Bytes{9}));  // read when shown, not filled
}

// The command line and screen readers describe the row's pictures with these words.
TEST_F(CollectionRowTest, EveryRowPictureHasItsOwnWords) {
  std::set<std::string> seen;
  for (const std::string& name : rowImageNames()) {
    const std::string words = rowImageDescription(name);
    EXPECT_NE(words, name) << name;
    EXPECT_TRUE(seen.insert(words).second) << name << ": " << words;
  }
  EXPECT_EQ(rowImageDescription("StatusKeeper"), "Keeper");
  EXPECT_EQ(rowImageDescription("NotSetGrey"), "Not Set");
  EXPECT_EQ(rowImageDescription("StatusNeedStrap22"), "Needs a New Strap (22 mm)");
  EXPECT_EQ(rowImageDescription("Badge_1"), "badge for the first wear");
  EXPECT_EQ(rowImageDescription("Badge_1000"), "badge for 1000 wears");
  EXPECT_EQ(rowImageDescription("Vuosiraita_1"), "owned 1 year");
  EXPECT_EQ(rowImageDescription("Vuosiraita_10+"), "owned over 10 years");
  EXPECT_EQ(rowImageDescription("Kuukausiraita_11"), "owned 11 months");
  EXPECT_EQ(rowImageDescription("Dayraita_0"), "owned 0 days");
  EXPECT_EQ(rowImageDescription("Ilmaisin17"), "17 of 20 details filled in");
  EXPECT_EQ(rowImageDescription("Dots6"), "info 6 of 6");
  EXPECT_EQ(rowImageDescription("Somethingelse"), "Somethingelse");
}

TEST_F(CollectionRowTest, FirstTimeDefaultsAreWrittenOnlyForKeysNeverWritten) {
  kello->setTakuupvm(at(2026, 1, 1));
  inputs = RowInputs{};
  inputs.preferences = RowPreferences::read(defaults);
  defaults.setRaw(kWearRateSettingOn, "maybe");
  Cell cell = row();
  EXPECT_EQ(defaults.writtenKeys(), (Strings{"ownershipSettingOn", "techDetailsSettingOn",
                                             "dwrswrSettingOn", "warrantyInfoSettingOn"}));
  EXPECT_EQ(defaults.flag(kOwnershipSettingOn), false);
  EXPECT_EQ(defaults.flag(kTechDetailsSettingOn), true);
  EXPECT_EQ(defaults.flag(kWarrantyInfoSettingOn), true);
  EXPECT_EQ(defaults.value(kWearRateSettingOn), StoredFlag::NotBoolean);  // left alone
  EXPECT_EQ(defaults.value(kBadgesSettingOn), StoredFlag::Absent);
  // The first rows leave what the flags do not yet govern as a fresh row has it.
  EXPECT_EQ(cell.wearRateLabel.text, "");
  EXPECT_EQ(cell.warrantyEndsLabel.text, "");
  EXPECT_FALSE(cell.quickInfoButton.isHidden);
  EXPECT_TRUE(cell.badge4Outlet.isHidden);
  EXPECT_TRUE(cell.indicatorButtonOutlet.isHidden);

  defaults.clearWrittenKeys();
  row();  // a second row of the same refresh
  EXPECT_TRUE(defaults.writtenKeys().empty());
}

TEST_F(CollectionRowTest, ListRowsShareOneRefreshOfFlagsAndTotal) {
  kello->setVarasarake4(1);
  watch("Tudor")->setVarasarake4(3);
  save();
  defaults.setBool(true, kWearRateSettingOn);
  auto list = openList();
  EXPECT_EQ(list->cellForRowAt({0, 0})->wearRateLabel.text, "Wear Rate: 25.0%");
  kello->setVarasarake4(5);  // changed on another screen
  save();
  EXPECT_EQ(list->cellForRowAt({0, 1})->wearRateLabel.text, "Wear Rate: 75.0%");
  list->viewDidAppear();
  EXPECT_EQ(list->cellForRowAt({0, 0})->wearRateLabel.text, "Wear Rate: 62.5%");
  EXPECT_EQ(list->allRows().size(), 2u);
  EXPECT_FALSE(list->cellForRowAt({0, 2}));
}

}  // namespace
}  // namespace tockary::testing
