#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace tockary::testing {
namespace {

using SaveTest = EditorTest;

TEST_F(SaveTest, NewWatchStoresTextsNumbersDatesAndGoesBackOneScreen) {
  auto screen = insertScreen();
  EXPECT_EQ(screen->title, "Add Watch");
  screen->manufacturerTextField.text = "Alpha";
  screen->modelTextField.text = "Beta";
  ASSERT_TRUE(screen->enterValue(screen->glassTextField, "Domed Sapphire "));
  ASSERT_TRUE(screen->enterValue(screen->waterProofTextField, "250ATM"));
  ASSERT_TRUE(screen->enterValue(screen->caseDiameterTextField, "40.5"));
  ASSERT_TRUE(screen->enterValue(screen->priceTextField, "1200,50"));
  ASSERT_TRUE(screen->enterValue(screen->soldPriceTextField, "1200.50"));
  ASSERT_TRUE(screen->enterValue(screen->purchaseDateTextField, "2024-02-29"));
  screen->warrantyEndDateTexField.text = "not a date";
  screen->saveWatchDetails();
  EXPECT_TRUE(screen->saveStatus().isOk());

  const auto watches = allWatches();
  ASSERT_EQ(watches.size(), 1u);
  const Kello& w = *watches[0];
  EXPECT_EQ(w.merkki(), "Alpha");
  EXPECT_EQ(w.lasi(), "Domed Sapphire ");
  EXPECT_EQ(w.vedenpitavyys(), "250ATM");
  EXPECT_EQ(w.halkaisija(), "40.5");
  EXPECT_EQ(w.ostohinta(), 1200.5);
  EXPECT_EQ(w.myyntihinta(), 1200.5);
  EXPECT_EQ(w.myyntiliike(), "");  // unsold, not null
  EXPECT_EQ(w.sarjanumero(), "");
  EXPECT_EQ(w.ostopvm(), formatters.calendar().dateFrom(2024, 2, 29));
  EXPECT_EQ(w.takuupvm(), std::nullopt);
  EXPECT_EQ(w.varasarake3(), "");  // history log never set: no line
  EXPECT_EQ(w.varasarake4(), 0);

  ASSERT_EQ(presenter.events().size(), 1u);
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(presenter.events()[0]).count, 1);
}

TEST_F(SaveTest, LettersStoreZeroAndTheAddedLineComesFirst) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto screen = insertScreen();
  screen->priceTextField.text = "abc";
  screen->enterNotes("Gift from Dad");
  screen->saveWatchDetails();
  const auto watch = allWatches().at(0);
  EXPECT_EQ(watch->ostohinta(), 0);
  EXPECT_EQ(watch->varasarake3(),
            "5/17/24:  Watch was added to Tockary-collection.\n\nGift from Dad");
}

TEST_F(SaveTest, PicturesArePngUnlessCompressionIsOnAndPlaceholdersByDefault) {
  const AssetCatalog assets;
  const auto placeholder = codec.decode(assets.imageNamed("insertpic_front.png").value()).value();

  insertScreen()->saveWatchDetails();  // never set
  defaults.setBool(false, kCompressWatchImagesSettingOn);
  auto withPicture = insertScreen();
  withPicture->tapForPhoto();
  (void)presenter.pressOnLastSheet("Photo Gallery");
  (void)presenter.answerImagePick(pngOf(64, 48));
  withPicture->saveWatchDetails();
  defaults.setBool(true, kCompressWatchImagesSettingOn);
  insertScreen()->saveWatchDetails();

  const auto watches = allWatches();
  ASSERT_EQ(watches.size(), 3u);
  const auto front0 = codec.decode(watches[0]->kellokuva().value()).value();
  EXPECT_EQ(imageFormatOf(*watches[0]->kellokuva()), ImageFormat::Png);
  EXPECT_EQ(imageFormatOf(*watches[0]->varasarake6()), ImageFormat::Png);
  EXPECT_EQ(front0.width(), placeholder.width());
  EXPECT_EQ(front0.pixel(240, 210), placeholder.pixel(240, 210));
  EXPECT_NE(*watches[0]->kellokuva(), *watches[0]->varasarake6());

  const auto picked = codec.decode(watches[1]->kellokuva().value()).value();
  EXPECT_EQ(imageFormatOf(*watches[1]->kellokuva()), ImageFormat::Png);
  EXPECT_EQ(picked.width(), 48);
  EXPECT_EQ(picked.height(), 48);
  EXPECT_EQ(picked.pixel(0, 0), 0xFF336699);

  EXPECT_EQ(imageFormatOf(*watches[2]->kellokuva()), ImageFormat::Jpeg);
  EXPECT_EQ(imageFormatOf(*watches[2]->varasarake6()), ImageFormat::Jpeg);
}

TEST_F(SaveTest, EditKeepsWhatTheFormDoesNotShowAndGoesBackTwoScreens) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = storedWatch();
  const Bytes back = pngOf(10, 20);
  watch->setVarasarake6(back);
  ASSERT_TRUE(app.viewContext().save());
  auto screen = editScreen(watch);
  ASSERT_TRUE(screen->enterValue(screen->purchaseDateTextField, ""));
  ASSERT_TRUE(screen->enterValue(screen->soldToTextField, "Collector"));
  screen->saveWatchDetails();

  EXPECT_FALSE(screen->editingWatch);
  ASSERT_EQ(presenter.events().size(), 1u);
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(presenter.events()[0]).count, 2);
  const auto watches = allWatches();
  ASSERT_EQ(watches.size(), 1u);
  EXPECT_EQ(watch->varasarake2(), "In Rotation");
  EXPECT_EQ(watch->varasarake4(), 12);
  EXPECT_EQ(watch->varasarake5(), formatters.calendar().dateFrom(2024, 5, 1));
  EXPECT_EQ(watch->varasarake3(), "Bought at the fair");  // no second "added" line
  EXPECT_EQ(watch->ostopvm(), std::nullopt);
  EXPECT_EQ(watch->ostohinta(), 1200);
  EXPECT_EQ(watch->myyntiliike(), "Collector");
  EXPECT_EQ(watch->kellokuva(), std::nullopt);  // no picture: nothing written
  // The back picture is left as stored.
  EXPECT_EQ(codec.decode(watch->varasarake6().value())->height(), 20);
}

TEST_F(SaveTest, EnterValueRefusesWhatTheControlsCannotProduce) {
  auto screen = insertScreen();
  const auto refused = [&](FormTextField& field, std::string_view value) {
    const std::string before = field.text;
    const Status status = screen->enterValue(field, value);
    EXPECT_EQ(field.text, before) << value;
    return status.isOk() ? std::string("accepted") : status.description();
  };
  EXPECT_EQ(refused(screen->crownTypeTextField, "Screwdown"),
            "\"Screwdown\" is refused; accepted: \"Regular\", \"Screw-Down\", \"Multi-Function\", "
            "\"Protected\"");
  EXPECT_EQ(refused(screen->yearTextField, "1799"),
            "\"1799\" is refused; accepted: a whole number from 1800 to 2025");
  EXPECT_EQ(refused(screen->powerResTextField, "480"),
            "\"480\" is refused; accepted: a whole number from 0 to 479");
  for (const char* measure : {"40.05", "0", "101", "40.100", "40.", ".5", "040", "40,5"}) {
    EXPECT_NE(refused(screen->caseDiameterTextField, measure), "accepted") << measure;
  }
  EXPECT_EQ(refused(screen->priceTextField, "12 dollars"),
            "\"12 dollars\" is refused; accepted: a number such as 1200.50 or 1200,50");
  EXPECT_EQ(refused(screen->priceTextField, "$12"),
            "\"$12\" is refused; accepted: a bare number without a currency sign");
  EXPECT_EQ(refused(screen->purchaseDateTextField, "2024-02-30"),
            "\"2024-02-30\" is refused; accepted: a date such as 2024-05-17 or 5/17/24");
  EXPECT_NE(refused(screen->purchaseDateTextField, "1930-01-01"), "accepted");

  EXPECT_TRUE(screen->enterValue(screen->priceTextField, "0,00"));
  EXPECT_TRUE(screen->enterValue(screen->lugToLugTextField, "100.99"));
  EXPECT_EQ(screen->lugToLugTextField.text, "100.99");
  EXPECT_TRUE(screen->enterValue(screen->purchaseDateTextField, "12/31/23"));
  EXPECT_EQ(screen->purchaseDateTextField.text, "12/31/23");
}

}  // namespace
}  // namespace tockary::testing
