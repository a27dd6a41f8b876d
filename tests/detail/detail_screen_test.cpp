#include <gtest/gtest.h>

#include "store/watch_pictures.h"

#include "detail/detail_fixture.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"

namespace tockary::testing {
namespace {

class DetailScreenTest : public DetailTest {
 protected:
  std::unique_ptr<TarkasteleKelloaTableViewController> open(const Kello& watch) {
    auto screen = std::make_unique<TarkasteleKelloaTableViewController>(services, watch.objectID());
    screen->viewDidLoad();
    return screen;
  }
  void save() { ASSERT_TRUE(app.viewContext().save().isOk()); }
};

TEST_F(DetailScreenTest, AFullWatchFillsEveryOutlet) {
  newWatch("Other", 32);  // the rest of the collection's wears
  auto watch = newWatch("Omega", 8);
  watch->setMalli(std::string("Speedmaster"));
  watch->setVuosimalli(std::string("1998"));
  watch->setRefkoodi(std::string("3570.50"));
  watch->setSarjanumero(std::string("S123"));
  watch->setKoneistotyyppi(std::string("Manual"));
  watch->setKoneisto(std::string("1861"));
  watch->setHalkaisija(std::string("42"));
  watch->setKomplikaatio5(std::string("Chronograph"));
  watch->setVarasarake2(std::string("In Service"));
  watch->setVarasarake3(std::string("Box and papers"));
  watch->setOstohinta(1200);
  watch->setOstopvm(at(2020, 2, 29));
  watch->setTakuupvm(at(2025, 2, 28));
  watch->setVarasarake5(at(2026, 12, 4, 23, 59));  // yesterday, late
  save();

  auto screen = open(*watch);
  const WatchDetailOutputs& o = screen->outputs();
  EXPECT_EQ(screen->title(), "OMEGA");
  EXPECT_EQ(o.basicWatchDetailsLabel, "Omega, Speedmaster  ( 1998 )");
  EXPECT_EQ(o.movementDetailsLabel, "This watch has Manual 1861 movement");
  EXPECT_EQ(o.referenceTextField, "3570.50");
  EXPECT_EQ(o.serialNumberTextField, "S123");
  EXPECT_EQ(o.halkaisijaTextField, "42");
  EXPECT_EQ(o.complication5Textfield, "Chronograph");
  EXPECT_EQ(o.notesTextView, "Box and papers");
  EXPECT_EQ(o.statusTextField, "In Service");
  EXPECT_EQ(o.statusButtonOutlet, "InServiceBig");
  EXPECT_EQ(o.purchasedDateTextField, "2/29/20");
  EXPECT_EQ(o.warrantyEndsTextField, "2/28/25");
  EXPECT_EQ(o.priceTextField, "$1,200");
  EXPECT_EQ(o.soldPriceTextField, "");  // no sale price: left as it was
  EXPECT_EQ(o.timesWornLabel, "8");
  EXPECT_EQ(o.keeperRateLabel, "20.0%");
  EXPECT_EQ(o.costPerWearLabel, "$150");
  EXPECT_EQ(o.dateLastWornLabel, "12/4/26");
  EXPECT_EQ(o.daysAgoLabel, "1");
  EXPECT_EQ(o.kelloImageView, PictureHandle::asset("nopic.png"));
  EXPECT_FALSE(o.tekstiView);
}

TEST_F(DetailScreenTest, MissingValuesLeaveOutletsAsTheyWere) {
  auto watch = newWatch("Seiko", 5);
  watch->setRefkoodi(std::string("SKX007"));
  watch->setVarasarake2(std::string("Keeper"));
  watch->setOstohinta(300);
  save();
  auto screen = open(*watch);
  EXPECT_EQ(screen->outputs().costPerWearLabel, "$60");

  // The same screen fetched again after the values went away.
  watch->setRefkoodi(std::nullopt);
  watch->setVarasarake4(0);
  watch->setOstohinta(0);
  for (const char* status : {"_Not Set_", "keeper", "Unknown"}) {
    watch->setVarasarake2(std::string(status));
    save();
    screen->fetch();
    screen->load();
    const WatchDetailOutputs& o = screen->outputs();
    EXPECT_EQ(o.referenceTextField, "SKX007");
    EXPECT_EQ(o.statusTextField, "Keeper") << status;
    EXPECT_EQ(o.statusButtonOutlet, "StatusKeeperBig") << status;
    EXPECT_EQ(o.timesWornLabel, "5");
    EXPECT_EQ(o.priceTextField, "$300");
  }
}

TEST_F(DetailScreenTest, ANeverWornWatchShowsPlaceholders) {
  auto watch = newWatch("");
  watch->setVarasarake2(std::string("_Not Set_"));
  watch->setOstohinta(500);
  save();
  auto screen = open(*watch);
  const WatchDetailOutputs& o = screen->outputs();
  EXPECT_EQ(o.basicWatchDetailsLabel, "Please fill in Watch Details");
  EXPECT_EQ(screen->title(), "");  // the brand as stored
  EXPECT_EQ(o.movementDetailsLabel, "No movement details");
  EXPECT_EQ(o.statusTextField, "Not Set");
  EXPECT_EQ(o.timesWornLabel, "0");
  EXPECT_EQ(o.keeperRateLabel, "-----");
  EXPECT_EQ(o.costPerWearLabel, "-----");
  EXPECT_EQ(o.dateLastWornLabel, "-----");
  EXPECT_EQ(o.daysAgoLabel, "-----");
}

TEST_F(DetailScreenTest, FacesCycleFrontBackDiagram) {
  auto watch = newWatch("Tudor");
  watch->setKellokuva(Bytes{1, 2, 3});
  watch->setHalkaisija(std::string("39"));
  watch->setLugivali(std::string(""));
  watch->setLasi(std::string("Sapphire"));
  save();
  auto screen = open(*watch);
  screen->setScreenCentreX(200);
  const WatchDetailOutputs& o = screen->outputs();
  EXPECT_EQ(o.kelloImageView.token(), watch->objectID().text() + "/front/nopic.png");
  const AssetCatalog assets;
  EXPECT_EQ(PictureReader(context(), assets).read(o.kelloImageView), (Bytes{1, 2, 3}));

  screen->flipWatchPhoto();
  EXPECT_EQ(screen->kelloIsFaceUp(), 2);
  EXPECT_EQ(o.kelloImageView, PictureHandle::asset("nopic.png"));

  screen->flipWatchPhoto();
  EXPECT_EQ(o.kelloImageView, PictureHandle::asset("Watch_Diagram.png"));
  ASSERT_TRUE(o.tekstiView);
  EXPECT_EQ(o.tekstiView->frame, (Frame{0, -1, 500, 500}));
  EXPECT_EQ(o.tekstiView->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(o.tekstiView->fontSize, 12);
  std::vector<std::string> texts;
  for (const auto& t : o.tekstiView->texts) texts.push_back(t.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"39 mm", "??", "??", "??", "Sapphire", "??", "??", "??"}));

  screen->flipWatchPhoto();
  EXPECT_EQ(screen->kelloIsFaceUp(), 1);
  EXPECT_FALSE(o.tekstiView);
  EXPECT_EQ(o.kelloImageView.face(), "front");

  // Without a front picture the front face shows the placeholder, not the diagram.
  auto bare = open(*newWatch("Casio"));
  for (int i = 0; i < 3; ++i) bare->flipWatchPhoto();
  EXPECT_EQ(bare->outputs().kelloImageView, PictureHandle::asset("nopic.png"));
}

TEST_F(DetailScreenTest, StatusPickerStoresTheChoiceWithItsEntry) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = newWatch("Rolex");
  watch->setVarasarake2(std::string("Keeper"));
  save();
  auto screen = open(*watch);
  ASSERT_EQ(screen->statusPickerData().size(), 19u);
  EXPECT_EQ(screen->statusPickerData()[11].name, "Needs a New Strap");

  screen->changeWatchStatus();
  EXPECT_TRUE(screen->isStatusPickerShown());
  EXPECT_EQ(screen->outputs().statusTextField, "Not Set");  // always opens at Not Set
  EXPECT_EQ(screen->outputs().statusButtonOutlet, "StatusNotSetBig");
  screen->pickerViewDidSelectRow(3);
  screen->pickerViewDidSelectRow(19);  // no such row
  EXPECT_EQ(screen->outputs().statusButtonOutlet, "StatusGrailBig");
  screen->doneStatusPicker();
  EXPECT_FALSE(screen->isStatusPickerShown());
  EXPECT_EQ(reread(*watch)->varasarake2(), "Grail");
  EXPECT_EQ(screen->outputs().notesTextView, "\n12/5/26:  Status changed to: Grail");

  screen->flipWatchPhoto();  // a refresh keeps the new status
  EXPECT_EQ(screen->outputs().statusTextField, "Grail");

  screen->textFieldDidBeginEditing();
  screen->doneStatusPicker();
  auto stored = reread(*watch);
  EXPECT_EQ(stored->varasarake2(), "_Not Set_");
  EXPECT_EQ(stored->varasarake3(),
            "\n12/5/26:  Status changed to: Grail\n12/5/26:  Status changed to: Not Set");

  defaults.setBool(false, kEnableHistoryLogSettingOn);
  screen->changeWatchStatus();
  screen->pickerViewDidSelectRow(18);
  screen->doneStatusPicker();
  EXPECT_EQ(reread(*watch)->varasarake2(), "Willing To Flip");
  EXPECT_EQ(reread(*watch)->varasarake3(), stored->varasarake3());
}

TEST_F(DetailScreenTest, EditHandsOverTheCurrentValues) {
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  auto watch = newWatch("Grand Seiko");
  watch->setVarasarake6(Bytes{9});
  save();
  auto screen = open(*watch);
  screen->changeWatchStatus();
  screen->doneStatusPicker();
  screen->editSelectedWatch();
  ASSERT_EQ(presenter.events().size(), 1u);
  const auto& request = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(request.screen, "InsertWatchTableViewController");
  EXPECT_EQ(request.objectId, watch->objectID().text());
  auto handOver = screen->editHandOver();
  ASSERT_TRUE(handOver);
  EXPECT_TRUE(handOver->editMode);
  EXPECT_EQ(handOver->title, "Edit Watch Details");
  EXPECT_EQ(handOver->kelloID, watch->objectID());
  EXPECT_EQ(handOver->values.tempEditMerkki, "Grand Seiko");
  EXPECT_EQ(handOver->values.tempEditWatchPictureBack, Bytes{9});
  EXPECT_EQ(handOver->values.tempEditNotes, "\n12/5/26:  Status changed to: Not Set");
}

TEST_F(DetailScreenTest, AWatchThatIsGoneShowsNothingAndWritesNothing) {
  auto watch = newWatch("Zenith");
  const ObjectID id = watch->objectID();
  app.viewContext().deleteObject(watch);
  save();
  TarkasteleKelloaTableViewController screen(services, id);
  screen.viewDidLoad();
  EXPECT_FALSE(screen.found());
  EXPECT_FALSE(screen.title());
  EXPECT_EQ(screen.outputs().basicWatchDetailsLabel, "Please fill in Watch Details");
  screen.confirmWear();
  screen.doneStatusPicker();
  EXPECT_FALSE(app.viewContext().hasChanges());
  EXPECT_FALSE(screen.editHandOver());
}

}  // namespace
}  // namespace tockary::testing
