#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace tockary::testing {
namespace {

using SaveTest = EditorTest;

TEST_F(SaveTest, NewWatchStoresTextsNumbersDatesAndGoesBackOneScreen) {
  auto screen = insertScreen();
  EXPECT_EQ(screen->title(), "Add Watch");
  ASSERT_TRUE(screen->replaceText("manufacturerTextField", 0, 0, "Alpha"));
  ASSERT_TRUE(screen->replaceText("modelTextField", 0, 0, "Beta"));
  ASSERT_TRUE(screen->enterValue("glassTextField", "Domed Sapphire "));
  ASSERT_TRUE(screen->enterValue("waterProofTextField", "250ATM"));
  ASSERT_TRUE(screen->enterValue("caseDiameterTextField", "40.5"));
  ASSERT_TRUE(screen->enterValue("priceTextField", "1200,50"));
  ASSERT_TRUE(screen->enterValue("soldPriceTextField", "1200.50"));
  ASSERT_TRUE(screen->enterValue("purchaseDateTextField", "2024-02-29"));
  const Result<ObjectID> saved = screen->saveWatchDetails();
  ASSERT_TRUE(saved.isOk());

  const auto watches = allWatches();
  ASSERT_EQ(watches.size(), 1u);
  const Kello& w = *watches[0];
  EXPECT_EQ(w.objectID(), saved.value());
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
  ASSERT_TRUE(screen->replaceText("priceTextField", 0, 0, "abc"));
  screen->enterNotes("Gift from Dad");
  ASSERT_TRUE(screen->saveWatchDetails().isOk());
  const auto watch = allWatches().at(0);
  EXPECT_EQ(watch->ostohinta(), 0);
  EXPECT_EQ(watch->varasarake3(),
            "5/17/24:  Watch was added to Tockary-collection.\n\nGift from Dad");
}

TEST_F(SaveTest, PicturesArePngUnlessCompressionIsOnAndPlaceholdersByDefault) {
  const AssetCatalog assets;
  const auto placeholder = codec.decode(assets.imageNamed("insertpic_front.png").value()).value();

  ASSERT_TRUE(insertScreen()->saveWatchDetails().isOk());  // never set
  defaults.setBool(false, kCompressWatchImagesSettingOn);
  auto withPicture = insertScreen();
  withPicture->tapForPhoto();
  ASSERT_TRUE(presenter.press("photoGallery"));
  (void)presenter.answerImagePick(pngOf(64, 48));
  ASSERT_TRUE(withPicture->saveWatchDetails().isOk());
  defaults.setBool(true, kCompressWatchImagesSettingOn);
  ASSERT_TRUE(insertScreen()->saveWatchDetails().isOk());

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
  ASSERT_TRUE(screen->enterValue("purchaseDateTextField", ""));
  ASSERT_TRUE(screen->enterValue("soldToTextField", "Collector"));
  EXPECT_EQ(screen->saveWatchDetails().value(), watch->objectID());

  EXPECT_FALSE(screen->isEditMode());
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

// Another program may leave the buyer null, which counts as sold; the form shows it empty.
TEST_F(SaveTest, AnEditStoresTheEmptyBuyerTheFormShowed) {
  auto watch = storedWatch();
  watch->setMyyntiliike(std::nullopt);
  ASSERT_TRUE(app.viewContext().save());
  auto screen = editScreen(watch);
  EXPECT_EQ(screen->text("soldToTextField"), "");
  ASSERT_TRUE(screen->enterValue("modelTextField", "SKX009"));
  ASSERT_TRUE(screen->saveWatchDetails().isOk());
  EXPECT_EQ(watch->myyntiliike(), "");
  EXPECT_EQ(watch->sarjanumero(), std::nullopt);  // other empty fields stay as they were
}

TEST_F(SaveTest, EnterValueRefusesWhatTheControlsCannotProduce) {
  auto screen = insertScreen();
  const auto refused = [&](std::string_view outlet, std::string_view value) {
    const std::string before = screen->text(outlet);
    const Status status = screen->enterValue(outlet, value);
    EXPECT_EQ(screen->text(outlet), before) << value;
    return status.isOk() ? std::string("accepted") : status.description();
  };
  EXPECT_EQ(refused("crownTypeTextField", "Screwdown"),
            "\"Screwdown\" is refused; accepted: \"Regular\", \"Screw-Down\", \"Multi-Function\", "
            "\"Protected\"");
  EXPECT_EQ(refused("yearTextField", "1799"),
            "\"1799\" is refused; accepted: a whole number from 1800 to 2025");
  EXPECT_EQ(refused("powerResTextField", "480"),
            "\"480\" is refused; accepted: a whole number from 0 to 479");
  for (const char* measure : {"40.05", "0", "101", "40.100", "40.", ".5", "040", "40,5"}) {
    EXPECT_NE(refused("caseDiameterTextField", measure), "accepted") << measure;
  }
  EXPECT_EQ(refused("priceTextField", "12 dollars"),
            "\"12 dollars\" is refused; accepted: a number without a currency sign, such as "
            "1200.50 or 1200,50");
  EXPECT_EQ(refused("priceTextField", "$12"),
            "\"$12\" is refused; accepted: a number without a currency sign, such as 1200.50 or "
            "1200,50");
  EXPECT_EQ(refused("purchaseDateTextField", "2024-02-30"),
            "\"2024-02-30\" is refused; accepted: a date such as 2024-05-17 or 5/17/24; an empty "
            "value clears it");
  EXPECT_NE(refused("purchaseDateTextField", "1930-01-01"), "accepted");

  EXPECT_TRUE(screen->enterValue("priceTextField", "0,00"));
  EXPECT_TRUE(screen->enterValue("lugToLugTextField", "100.99"));
  EXPECT_EQ(screen->text("lugToLugTextField"), "100.99");
  EXPECT_TRUE(screen->enterValue("purchaseDateTextField", "12/31/23"));
  EXPECT_EQ(screen->text("purchaseDateTextField"), "12/31/23");
  EXPECT_FALSE(screen->enterValue("statusTextField", "Keeper"));
}

}  // namespace
}  // namespace tockary::testing
