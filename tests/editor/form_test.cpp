#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace tockary::testing {
namespace {

using FormTest = EditorTest;

TEST_F(FormTest, ProposalsReplaceTheFieldTextInBothModes) {
  auto edit = editScreen(storedWatch());
  EXPECT_EQ(edit->title, "Edit Watch Details");
  EXPECT_EQ(edit->movementTypeTextField.text, "Quartz");
  edit->textFieldDidBeginEditing(edit->movementTypeTextField);
  EXPECT_EQ(edit->movementTypeTextField.text, "Automatic");
  EXPECT_EQ(edit->movementTypePicker.selectedRows[0], 0);
  EXPECT_FALSE(edit->movementTypePicker.hidden);
  EXPECT_EQ(edit->movementTypeTextField.toolbarButtonTitle, "Choose movement type: ");
  EXPECT_TRUE(edit->pickerViewDidSelectRow(edit->movementTypePicker, 5, 0));
  EXPECT_EQ(edit->movementTypeTextField.text, "Quartz");
  EXPECT_TRUE(edit->movementTypeTextField.pressToolbarButton());
  EXPECT_TRUE(edit->movementTypePicker.hidden);
  EXPECT_FALSE(edit->movementTypeTextField.editing);
  EXPECT_EQ(edit->movementTypeTextField.text, "Quartz");

  auto insert = insertScreen();
  insert->glassTextField.text = "Hesalite";
  insert->textFieldDidBeginEditing(insert->glassTextField);
  EXPECT_EQ(insert->glassTextField.text, "Sapphire Crystal");
  EXPECT_EQ(insert->glassPicker.selectedRows[0], 12);
}

TEST_F(FormTest, TheSharedComplicationPickerWritesTheFieldBeingEdited) {
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing(screen->complication3TextField);
  EXPECT_EQ(screen->complication3TextField.text, "GMT");
  EXPECT_EQ(screen->complicationPicker.selectedRows[0], 21);
  EXPECT_EQ(screen->complication3TextField.toolbarButtonTitle, "Choose Complication Number 3: ");
  (void)screen->pickerViewDidSelectRow(screen->complicationPicker, 24, 0);
  EXPECT_EQ(screen->complication3TextField.text, "Half-Quarter Repeater ");
  EXPECT_EQ(screen->complication1TextField.text, "");
  screen->doneComplicationPicker();
  EXPECT_TRUE(screen->complicationPicker.hidden);

  screen->textFieldDidBeginEditing(screen->complication6TextField);
  EXPECT_EQ(screen->complication6TextField.text, "Moonphase");
  EXPECT_EQ(screen->complicationPicker.selectedRows[0], 30);
}

TEST_F(FormTest, WheelsReadTheFieldBackAndConfirmUntouchedStartingTexts) {
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing(screen->yearTextField);
  EXPECT_EQ(screen->yearTextField.toolbarButtonTitle, "Confirm Year Selection: ");
  screen->doneYearPicker();
  EXPECT_EQ(screen->yearTextField.text, "2025");
  screen->textFieldDidBeginEditing(screen->powerResTextField);
  screen->donePowerPicker();
  EXPECT_EQ(screen->powerResTextField.text, "40");
  screen->textFieldDidBeginEditing(screen->lugWidthTextField);
  EXPECT_EQ(screen->lugWidthTextField.toolbarButtonTitle, "Choose Lug Width(mm): ");
  screen->doneLugWidthPicker();
  EXPECT_EQ(screen->lugWidthTextField.text, "20");

  screen->yearTextField.text = "1998";
  screen->textFieldDidBeginEditing(screen->yearTextField);
  EXPECT_EQ(screen->yearPicker.selectedRows[0], 2025 - 1998);
  EXPECT_EQ(screen->vuosiComponent, "1998");
  (void)screen->pickerViewDidSelectRow(screen->yearPicker, 225, 0);
  EXPECT_EQ(screen->yearTextField.text, "1800");
  EXPECT_FALSE(screen->pickerViewDidSelectRow(screen->yearPicker, 226, 0));
  screen->doneYearPicker();
  EXPECT_EQ(screen->yearTextField.text, "1800");

  // Text no wheel produced leaves the wheel where it was.
  screen->powerResTextField.text = "about 40";
  screen->textFieldDidBeginEditing(screen->powerResTextField);
  EXPECT_EQ(screen->powerPicker.selectedRows[0], 439);
}

TEST_F(FormTest, MeasurePickersComposeWholeAndFraction) {
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing(screen->caseDiameterTextField);
  EXPECT_EQ(screen->caseDiameterTextField.toolbarButtonTitle, "Confirm case diameter(mm):");
  screen->doneDiameterPicker();
  EXPECT_EQ(screen->caseDiameterTextField.text, "0");
  screen->textFieldDidBeginEditing(screen->lugToLugTextField);
  screen->doneLugToLugPicker();
  EXPECT_EQ(screen->lugToLugTextField.text, "42");
  EXPECT_EQ(screen->lugToLugPicker.selectedRows[0], 41);

  screen->textFieldDidBeginEditing(screen->thicknessTextField);
  (void)screen->pickerViewDidSelectRow(screen->paksuusPicker, 39, 0);
  EXPECT_EQ(screen->thicknessTextField.text, "40.0");
  (void)screen->pickerViewDidSelectRow(screen->paksuusPicker, 5, 2);
  EXPECT_EQ(screen->thicknessTextField.text, "40.5");
  screen->doneThicknessPicker();
  EXPECT_EQ(screen->thicknessTextField.text, "40.5");
  screen->textFieldDidBeginEditing(screen->thicknessTextField);
  EXPECT_EQ(screen->paksuusPicker.selectedRows, (std::vector<int>{39, 0, 5}));
  (void)screen->pickerViewDidSelectRow(screen->paksuusPicker, 0, 2);
  screen->doneThicknessPicker();
  EXPECT_EQ(screen->thicknessTextField.text, "40");
  EXPECT_EQ(screen->caseDiameterTextField.text, "0");  // each picker keeps its own columns
}

TEST_F(FormTest, DateFieldsPutTodayAndTheSoldDateLogsWhenAsked) {
  auto screen = editScreen(storedWatch());
  EXPECT_EQ(screen->purchaseDateTextField.text, "3/4/20");
  screen->textFieldDidBeginEditing(screen->purchaseDateTextField);
  EXPECT_EQ(screen->purchaseDateTextField.text, "5/17/24");
  ASSERT_TRUE(screen->purchaseDateTextField.inputDatePicker);
  EXPECT_EQ(screen->purchaseDateTextField.inputDatePicker->height, 250.0);
  EXPECT_EQ(screen->purchaseDateTextField.toolbarButtonTitle, "Done");
  screen->datePickerValueChanged(formatters.calendar().dateFrom(2021, 12, 31));
  EXPECT_EQ(screen->purchaseDateTextField.text, "12/31/21");
  screen->donePurchaseDatePicker();
  EXPECT_FALSE(screen->purchaseDateTextField.inputDatePicker);
  EXPECT_FALSE(screen->purchaseDateTextField.editing);

  screen->textFieldDidBeginEditing(screen->soldDateTextField);
  screen->doneSoldDatePicker();
  EXPECT_EQ(screen->notesTextView.text, "Bought at the fair");
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  screen->textFieldDidBeginEditing(screen->soldDateTextField);
  screen->doneSoldDatePicker();
  screen->textFieldDidBeginEditing(screen->soldDateTextField);
  screen->doneSoldDatePicker();
  EXPECT_EQ(screen->notesTextView.text,
            "Bought at the fair\n5/17/24:  Watch was marked sold\n5/17/24:  Watch was marked sold");

  screen->insertDatestampToNotesField();
  EXPECT_TRUE(screen->notesTextView.firstResponder);
  EXPECT_TRUE(screen->notesTextView.text.ends_with("sold\n5/17/24 :"));
}

TEST_F(FormTest, InputFilterRefusesCurrencySignsAsAWhole) {
  auto screen = insertScreen();
  EXPECT_TRUE(screen->replaceText(screen->priceTextField, 0, 0, "1200"));
  EXPECT_FALSE(screen->replaceText(screen->priceTextField, 0, 4, "1 200 €"));
  EXPECT_FALSE(screen->replaceText(screen->priceTextField, 4, 0, "¥"));
  EXPECT_EQ(screen->priceTextField.text, "1200");
  EXPECT_FALSE(screen->replaceText(screen->movementTextField, 0, 0, "₮ 7S26"));
  EXPECT_TRUE(screen->replaceText(screen->movementTextField, 0, 0, "7S26"));
  EXPECT_TRUE(screen->replaceText(screen->priceTextField, 2, 2, ",5"));
  EXPECT_EQ(screen->priceTextField.text, "12,5");
}

TEST_F(FormTest, EditModeShowsPricesUngroupedAndZeroAsEmpty) {
  auto watch = storedWatch();
  watch->setMyyntihinta(0);
  auto screen = editScreen(watch);
  EXPECT_EQ(screen->priceTextField.text, "1200");  // "1,200" would read back as 1.2
  EXPECT_EQ(screen->soldPriceTextField.text, "");
  watch->setOstohinta(1234567.891);
  EXPECT_EQ(editScreen(watch)->priceTextField.text, "1234567.89");
  Formatters german{"de_DE", "UTC"};
  AppServices germanServices{app, defaults, german, clock, presenter};
  InsertWatchTableViewController screenDe(germanServices);
  screenDe.editingWatch = true;
  screenDe.handOver = handOverFrom(*watch);
  screenDe.viewDidLoad();
  EXPECT_EQ(screenDe.priceTextField.text, "1234567,89");
}

TEST_F(FormTest, PictureSlotsOfferCameraAndGalleryAndCropSquare) {
  auto screen = insertScreen();
  ASSERT_TRUE(screen->cameraImageView.image);  // the placeholder
  const double contentBefore = screen->preferredContentHeight;

  screen->tapForPhotoBack();
  EXPECT_EQ(screen->callingGesture, 2);
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet->displayedTitle(), "Choose Image");
  ASSERT_EQ(sheet->actions.size(), 3u);
  EXPECT_EQ(sheet->actions[0].title, "Camera");
  EXPECT_EQ(sheet->actions[1].title, "Photo Gallery");
  EXPECT_EQ(sheet->actions[2].title, "Cancel");
  EXPECT_EQ(sheet->actions[2].style, ActionStyle::Cancel);

  presenter.setCameraAvailable(false);
  EXPECT_TRUE(presenter.pressOnLastSheet("Camera"));
  EXPECT_FALSE(presenter.imagePickPending());
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(), "Warning");
  EXPECT_EQ(presenter.lastSheet()->displayedMessage(), "You don't have camera");
  EXPECT_EQ(presenter.lastSheet()->actions.at(0).title, "OK");

  screen->tapForPhotoBack();
  EXPECT_TRUE(presenter.pressOnLastSheet("Photo Gallery"));
  ASSERT_TRUE(presenter.imagePickPending());
  EXPECT_TRUE(presenter.answerImagePick(pngOf(300, 100)));
  ASSERT_TRUE(screen->cameraImageViewBack.image);
  EXPECT_EQ(screen->cameraImageViewBack.image->width(), 100);
  EXPECT_EQ(screen->cameraImageViewBack.image->height(), 100);
  EXPECT_EQ(screen->cameraImageViewBack.height, InsertWatchTableViewController::kPictureSlotWidth);
  EXPECT_EQ(screen->preferredContentHeight, contentBefore);  // square placeholder, square picture

  // A broken file changes nothing and says why.
  screen->tapForPhoto();
  (void)presenter.pressOnLastSheet("Photo Gallery");
  Bytes truncated = pngOf(10, 10);
  truncated.resize(truncated.size() / 2);
  (void)presenter.answerImagePick(truncated);
  EXPECT_EQ(screen->pictureError, "The picture cannot be used: the file is truncated or damaged");
  EXPECT_EQ(screen->cameraImageView.image->width(), 480);
  // So does a file the picker could not read: its reason is shown as it came.
  screen->tapForPhoto();
  (void)presenter.pressOnLastSheet("Photo Gallery");
  (void)presenter.answerImagePick(pictureRefusal("the file is a directory"));
  EXPECT_EQ(screen->pictureError, "The picture cannot be used: the file is a directory");
  EXPECT_EQ(screen->cameraImageView.image->width(), 480);
  screen->tapForPhoto();
  (void)presenter.pressOnLastSheet("Photo Gallery");
  (void)presenter.answerImagePick(std::nullopt);
  EXPECT_EQ(screen->cameraImageView.image->width(), 480);
}

TEST_F(FormTest, PictureViewFitsTheRatioAndCollapsesWithoutPicture) {
  auto watch = storedWatch();
  watch->setKellokuva(pngOf(200, 100));
  auto screen = editScreen(watch);
  EXPECT_EQ(screen->cameraImageView.height, InsertWatchTableViewController::kPictureSlotWidth / 2);
  EXPECT_EQ(screen->preferredContentHeight,
            InsertWatchTableViewController::kFormContentHeight +
                InsertWatchTableViewController::kPictureSlotWidth * 1.5);
  EXPECT_FALSE(screen->cameraImageViewBack.image);
}

}  // namespace
}  // namespace tockary::testing
