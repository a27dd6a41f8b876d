#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/watch_form.h"
#include "editor_fixture.h"

namespace tockary::testing {
namespace {

using FormTest = EditorTest;

// The descriptors are the one description of the form: front ends lay it out and make options
// from it, so each must name a field the screen really edits in the way its kind says.
TEST_F(FormTest, EveryFieldIsDescribedOnceAndEditsAsItsKindSays) {
  auto screen = insertScreen();
  std::set<std::string_view> outlets, options, attributes;
  int typed = 0, wheels = 0;
  for (const FieldDescriptor& field : InsertWatchTableViewController::formFields()) {
    SCOPED_TRACE(std::string(field.outlet));
    EXPECT_TRUE(outlets.insert(field.outlet).second);
    EXPECT_TRUE(options.insert(field.option).second);
    EXPECT_TRUE(attributes.insert(field.attribute).second);
    EXPECT_FALSE(field.caption.empty());
    EXPECT_FALSE(field.section.empty());
    EXPECT_FALSE(field.example.empty());
    EXPECT_FALSE(screen->acceptedValues(field.outlet).empty());

    screen->textFieldDidBeginEditing(field.outlet);
    const auto wheel = screen->shownWheel();
    switch (field.kind) {
      case FieldKind::Text:
      case FieldKind::Number:
        ++typed;
        EXPECT_EQ(screen->editedField(), field.outlet);
        EXPECT_FALSE(wheel);
        break;
      case FieldKind::Catalogue:
      case FieldKind::Wheel:
        ++wheels;
        ASSERT_TRUE(wheel);
        EXPECT_EQ(wheel->columns.size(), 1u);
        EXPECT_EQ(wheel->toolbarTitle, field.prompt);
        break;
      case FieldKind::Measure:
        ++wheels;
        ASSERT_TRUE(wheel);
        ASSERT_EQ(wheel->columns.size(), 3u);
        EXPECT_EQ(wheel->columns[1].width, 48.0);
        break;
      case FieldKind::Date:
        ++wheels;
        ASSERT_TRUE(wheel);
        EXPECT_EQ(wheel->columns.size(), 3u);
        EXPECT_EQ(wheel->toolbarTitle, "Done");
        break;
      case FieldKind::Notes:
      case FieldKind::Picture:
        EXPECT_EQ(screen->editedField(), "");
        EXPECT_FALSE(wheel);
        break;
    }
    screen->endEditing();
    EXPECT_FALSE(screen->shownWheel());
  }
  EXPECT_EQ(typed + wheels, 33);
  EXPECT_EQ(findField(InsertWatchTableViewController::formFields(), "diameter")->outlet,
            "caseDiameterTextField");
}

// Opening a wheel must not change the watch: a value the wheel offers stays, and only an empty
// field or text the wheel cannot show takes the proposal.
TEST_F(FormTest, ProposalsFillOnlyWhatTheWheelCannotShow) {
  auto edit = editScreen(storedWatch());
  EXPECT_EQ(edit->title(), "Edit Watch Details");
  EXPECT_EQ(edit->text("movementTypeTextField"), "Quartz");
  edit->textFieldDidBeginEditing("movementTypeTextField");
  EXPECT_EQ(edit->text("movementTypeTextField"), "Quartz");
  ASSERT_TRUE(edit->shownWheel());
  EXPECT_EQ(edit->shownWheel()->columns[0].selected, 5);
  EXPECT_EQ(edit->shownWheel()->toolbarTitle, "Choose movement type: ");
  EXPECT_FALSE(edit->formChanged());
  EXPECT_TRUE(edit->pickerViewDidSelectRow(0, 0));
  EXPECT_EQ(edit->text("movementTypeTextField"), "Automatic");
  EXPECT_TRUE(edit->pickerViewDidSelectRow(5, 0));
  EXPECT_EQ(edit->text("movementTypeTextField"), "Quartz");
  EXPECT_TRUE(edit->pressToolbarButton());
  EXPECT_FALSE(edit->shownWheel());
  EXPECT_EQ(edit->editedField(), "");
  EXPECT_EQ(edit->text("movementTypeTextField"), "Quartz");
  EXPECT_FALSE(edit->pressToolbarButton());

  auto insert = insertScreen();
  insert->textFieldDidBeginEditing("glassTextField");
  EXPECT_EQ(insert->text("glassTextField"), "Sapphire Crystal");
  EXPECT_EQ(insert->shownWheel()->columns[0].selected, 12);

  // Text from elsewhere that the catalogue does not hold.
  auto stored = storedWatch();
  stored->setLasi("Hesalite, domed");
  auto odd = editScreen(stored);
  odd->textFieldDidBeginEditing("glassTextField");
  EXPECT_EQ(odd->text("glassTextField"), "Sapphire Crystal");
}

TEST_F(FormTest, TheSharedComplicationPickerWritesTheFieldBeingEdited) {
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing("complication3TextField");
  EXPECT_EQ(screen->text("complication3TextField"), "GMT");
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 21);
  EXPECT_EQ(screen->shownWheel()->toolbarTitle, "Choose Complication Number 3: ");
  (void)screen->pickerViewDidSelectRow(24, 0);
  EXPECT_EQ(screen->text("complication3TextField"), "Half-Quarter Repeater ");
  EXPECT_EQ(screen->text("complication1TextField"), "");
  screen->doneComplicationPicker();
  EXPECT_FALSE(screen->shownWheel());

  screen->textFieldDidBeginEditing("complication6TextField");
  EXPECT_EQ(screen->text("complication6TextField"), "Moonphase");
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 30);
}

TEST_F(FormTest, WheelsReadTheFieldBackAndConfirmUntouchedStartingTexts) {
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing("yearTextField");
  EXPECT_EQ(screen->shownWheel()->toolbarTitle, "Confirm Year Selection: ");
  screen->doneYearPicker();
  EXPECT_EQ(screen->text("yearTextField"), "2025");
  screen->textFieldDidBeginEditing("powerResTextField");
  screen->donePowerPicker();
  EXPECT_EQ(screen->text("powerResTextField"), "40");
  screen->textFieldDidBeginEditing("lugWidthTextField");
  EXPECT_EQ(screen->shownWheel()->toolbarTitle, "Choose Lug Width(mm): ");
  screen->doneLugWidthPicker();
  EXPECT_EQ(screen->text("lugWidthTextField"), "20");

  ASSERT_TRUE(screen->enterValue("yearTextField", "1998"));
  screen->textFieldDidBeginEditing("yearTextField");
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 2025 - 1998);
  (void)screen->pickerViewDidSelectRow(225, 0);
  EXPECT_EQ(screen->text("yearTextField"), "1800");
  EXPECT_FALSE(screen->pickerViewDidSelectRow(226, 0));
  screen->doneYearPicker();
  EXPECT_EQ(screen->text("yearTextField"), "1800");

  // Text no wheel produced (kept from an older store) leaves the wheel where it was.
  auto watch = storedWatch();
  watch->setPowerreserve("about 40");
  auto edit = editScreen(watch);
  edit->textFieldDidBeginEditing("powerResTextField");
  EXPECT_EQ(edit->shownWheel()->columns[0].selected, 439);
}

TEST_F(FormTest, MeasurePickersComposeWholeAndFraction) {
  auto screen = insertScreen();
  // Confirmed untouched, a wheel stores what it shows: "1 . 0".
  screen->textFieldDidBeginEditing("caseDiameterTextField");
  EXPECT_EQ(screen->shownWheel()->toolbarTitle, "Confirm case diameter(mm):");
  screen->doneDiameterPicker();
  EXPECT_EQ(screen->text("caseDiameterTextField"), "1");
  screen->textFieldDidBeginEditing("lugToLugTextField");
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 41);
  screen->doneLugToLugPicker();
  EXPECT_EQ(screen->text("lugToLugTextField"), "42");

  screen->textFieldDidBeginEditing("thicknessTextField");
  (void)screen->pickerViewDidSelectRow(39, 0);
  EXPECT_EQ(screen->text("thicknessTextField"), "40.0");
  (void)screen->pickerViewDidSelectRow(5, 2);
  EXPECT_EQ(screen->text("thicknessTextField"), "40.5");
  EXPECT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->text("thicknessTextField"), "40.5");
  screen->textFieldDidBeginEditing("thicknessTextField");
  const auto wheel = screen->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->columns[0].selected, 39);
  EXPECT_EQ(wheel->columns[2].selected, 5);
  EXPECT_EQ(wheel->columns[0].titles.size(), 100u);
  EXPECT_EQ(wheel->columns[1].titles, std::vector<std::string>{"."});
  (void)screen->pickerViewDidSelectRow(0, 2);
  screen->doneThicknessPicker();
  EXPECT_EQ(screen->text("thicknessTextField"), "40");
  EXPECT_EQ(screen->text("caseDiameterTextField"), "1");  // each picker keeps its own columns
}

// A stored measure opens its wheels at itself: turning the fraction keeps the whole millimetres.
TEST_F(FormTest, MeasureWheelsOpenAtTheFieldsMeasure) {
  auto watch = storedWatch();
  watch->setHalkaisija("42");
  watch->setPaksuus("12.75");
  watch->setVarasarake1("40.05");  // not a text the wheels can show
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = editScreen(watch);

  screen->textFieldDidBeginEditing("caseDiameterTextField");
  EXPECT_EQ(screen->text("caseDiameterTextField"), "42");
  auto wheel = screen->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->columns[0].selected, 41);
  EXPECT_EQ(wheel->columns[2].selected, 0);
  ASSERT_TRUE(screen->pickerViewDidSelectRow(5, 2));
  EXPECT_EQ(screen->text("caseDiameterTextField"), "42.5");
  ASSERT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->text("caseDiameterTextField"), "42.5");

  screen->textFieldDidBeginEditing("thicknessTextField");
  wheel = screen->shownWheel();
  EXPECT_EQ(wheel->columns[0].selected, 11);
  EXPECT_EQ(wheel->columns[2].selected, 75);
  ASSERT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->text("thicknessTextField"), "12.75");

  // Text the wheels cannot show leaves them where they stand (lug-to-lug starts at 42) and stays
  // until a turn or a confirm replaces it with what they show.
  screen->textFieldDidBeginEditing("lugToLugTextField");
  EXPECT_EQ(screen->text("lugToLugTextField"), "40.05");
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 41);
  ASSERT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->text("lugToLugTextField"), "42");
}

TEST_F(FormTest, DateFieldsOpenAtTheirDateOrTodayAndTheSoldDateLogsWhenAsked) {
  auto screen = editScreen(storedWatch());
  EXPECT_EQ(screen->text("purchaseDateTextField"), "3/4/20");
  screen->textFieldDidBeginEditing("purchaseDateTextField");
  EXPECT_EQ(screen->text("purchaseDateTextField"), "3/4/20");
  ASSERT_TRUE(screen->shownWheel());
  EXPECT_EQ(screen->shownWheel()->toolbarTitle, "Done");
  // March, the 4th, 2020.
  EXPECT_EQ(screen->shownWheel()->columns[0].selected, 2);
  EXPECT_EQ(screen->shownWheel()->columns[1].selected, 3);
  EXPECT_EQ(screen->shownWheel()->columns[2].selected, 2020 - 1900);
  EXPECT_FALSE(screen->formChanged());
  screen->datePickerValueChanged(formatters.calendar().dateFrom(2021, 12, 31));
  EXPECT_EQ(screen->text("purchaseDateTextField"), "12/31/21");
  screen->donePurchaseDatePicker();
  EXPECT_FALSE(screen->shownWheel());
  EXPECT_EQ(screen->editedField(), "");

  screen->textFieldDidBeginEditing("soldDateTextField");
  screen->doneSoldDatePicker();
  EXPECT_EQ(screen->notesTextView().text, "Bought at the fair");
  defaults.setBool(true, kEnableHistoryLogSettingOn);
  screen->textFieldDidBeginEditing("soldDateTextField");
  screen->doneSoldDatePicker();
  screen->textFieldDidBeginEditing("soldDateTextField");
  EXPECT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->notesTextView().text,
            "Bought at the fair\n5/17/24:  Watch was marked sold\n5/17/24:  Watch was marked sold");

  screen->insertDatestampToNotesField();
  EXPECT_TRUE(screen->notesTextView().firstResponder);
  EXPECT_TRUE(screen->notesTextView().text.ends_with("sold\n5/17/24 :"));
}

// The date wheel is the model's: month names from the locale, the days the month has, the
// columns in the order of the locale's short date, and a day that no longer exists clamped.
TEST_F(FormTest, TheDateWheelTurnsByColumnAndKeepsTheDayInItsMonth) {
  clock.set(at(2024, 1, 31, 9));
  auto screen = insertScreen();
  screen->textFieldDidBeginEditing("warrantyEndDateTexField");
  auto wheel = screen->shownWheel();
  ASSERT_TRUE(wheel);
  ASSERT_EQ(wheel->columns.size(), 3u);
  // en_US: month, day, year.
  EXPECT_EQ(wheel->columns[0].titles.front(), "January");
  EXPECT_EQ(wheel->columns[0].titles.back(), "December");
  EXPECT_EQ(wheel->columns[1].titles.size(), 31u);
  EXPECT_EQ(wheel->columns[1].selected, 30);
  EXPECT_EQ(wheel->columns[2].titles.front(), "1900");
  EXPECT_EQ(wheel->columns[2].titles.back(), "2100");

  EXPECT_TRUE(screen->pickerViewDidSelectRow(1, 0));  // February of a leap year
  EXPECT_EQ(screen->text("warrantyEndDateTexField"), "2/29/24");
  EXPECT_EQ(screen->shownWheel()->columns[1].titles.size(), 29u);
  EXPECT_TRUE(screen->pickerViewDidSelectRow(2025 - 1900, 2));
  EXPECT_EQ(screen->text("warrantyEndDateTexField"), "2/28/25");
  EXPECT_FALSE(screen->pickerViewDidSelectRow(28, 1));  // no 29 February 2025
  EXPECT_FALSE(screen->pickerViewDidSelectRow(201, 2));
  EXPECT_TRUE(screen->pressToolbarButton());
  EXPECT_EQ(screen->text("warrantyEndDateTexField"), "2/28/25");

  Formatters finnish{"fi_FI", "UTC"};
  AppServices finnishServices{app, defaults, finnish, clock, presenter};
  InsertWatchTableViewController finnishScreen(finnishServices);
  finnishScreen.viewDidLoad();
  finnishScreen.textFieldDidBeginEditing("soldDateTextField");
  wheel = finnishScreen.shownWheel();
  ASSERT_TRUE(wheel);
  // fi_FI: day, month, year, and the month names are Finnish.
  EXPECT_EQ(wheel->columns[0].titles.size(), 31u);
  EXPECT_EQ(wheel->columns[1].titles.front(), "tammikuu");
}

TEST_F(FormTest, InputFilterRefusesCurrencySignsAsAWhole) {
  auto screen = insertScreen();
  EXPECT_TRUE(screen->replaceText("priceTextField", 0, 0, "1200"));
  EXPECT_FALSE(screen->replaceText("priceTextField", 0, 4, "1 200 €"));
  EXPECT_FALSE(screen->replaceText("priceTextField", 4, 0, "¥"));
  EXPECT_EQ(screen->text("priceTextField"), "1200");
  EXPECT_FALSE(screen->replaceText("movementTextField", 0, 0, "₮ 7S26"));
  EXPECT_TRUE(screen->replaceText("movementTextField", 0, 0, "7S26"));
  EXPECT_TRUE(screen->replaceText("priceTextField", 2, 2, ",5"));
  EXPECT_EQ(screen->text("priceTextField"), "12,5");
  // The brand is not filtered; a wheel field is not typed at all.
  EXPECT_TRUE(screen->replaceText("manufacturerTextField", 0, 0, "$wiss"));
  EXPECT_FALSE(screen->replaceText("glassTextField", 0, 0, "Glass"));
  EXPECT_EQ(screen->text("glassTextField"), "");
}

TEST_F(FormTest, EditModeShowsPricesUngroupedAndZeroAsEmpty) {
  auto watch = storedWatch();
  watch->setMyyntihinta(0);
  auto screen = editScreen(watch);
  EXPECT_EQ(screen->text("priceTextField"), "1200");  // "1,200" would read back as 1.2
  EXPECT_EQ(screen->text("soldPriceTextField"), "");
  watch->setOstohinta(1234567.891);
  EXPECT_EQ(editScreen(watch)->text("priceTextField"), "1234567.89");
  Formatters german{"de_DE", "UTC"};
  AppServices germanServices{app, defaults, german, clock, presenter};
  InsertWatchTableViewController screenDe(germanServices);
  screenDe.openForEdit(editRequestFor(*watch));
  screenDe.viewDidLoad();
  EXPECT_EQ(screenDe.text("priceTextField"), "1234567,89");
}

TEST_F(FormTest, PictureSlotsOfferCameraAndGalleryAndCropSquare) {
  auto screen = insertScreen();
  ASSERT_TRUE(screen->cameraImageView().image);  // the placeholder
  const double contentBefore = screen->preferredContentHeight();

  screen->tapForPhotoBack();
  EXPECT_EQ(screen->callingGesture(), 2);
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
  EXPECT_TRUE(presenter.press("camera"));
  EXPECT_FALSE(presenter.imagePickPending());
  EXPECT_EQ(presenter.lastSheet()->displayedTitle(), "Warning");
  EXPECT_EQ(presenter.lastSheet()->displayedMessage(), "You don't have camera");
  EXPECT_EQ(presenter.lastSheet()->actions.at(0).title, "OK");

  screen->tapForPhotoBack();
  EXPECT_TRUE(presenter.press("photoGallery"));
  ASSERT_TRUE(presenter.imagePickPending());
  EXPECT_TRUE(presenter.answerImagePick(pngOf(300, 100)));
  ASSERT_TRUE(screen->cameraImageViewBack().image);
  EXPECT_EQ(screen->cameraImageViewBack().image->width(), 100);
  EXPECT_EQ(screen->cameraImageViewBack().image->height(), 100);
  EXPECT_EQ(screen->cameraImageViewBack().height,
            InsertWatchTableViewController::kPictureSlotWidth);
  EXPECT_EQ(screen->preferredContentHeight(), contentBefore);  // square placeholder and picture

  // A broken file changes nothing and says why.
  screen->tapForPhoto();
  ASSERT_TRUE(presenter.press("photoGallery"));
  Bytes truncated = pngOf(10, 10);
  truncated.resize(truncated.size() / 2);
  (void)presenter.answerImagePick(truncated);
  EXPECT_EQ(screen->pictureError(), "The picture cannot be used: the file is truncated or damaged");
  EXPECT_EQ(screen->cameraImageView().image->width(), 480);
  // So does a file the picker could not read: its reason is shown as it came.
  screen->tapForPhoto();
  ASSERT_TRUE(presenter.press("photoGallery"));
  (void)presenter.answerImagePick(pictureRefusal("the file is a directory"));
  EXPECT_EQ(screen->pictureError(), "The picture cannot be used: the file is a directory");
  EXPECT_EQ(screen->cameraImageView().image->width(), 480);
  screen->tapForPhoto();
  ASSERT_TRUE(presenter.press("photoGallery"));
  (void)presenter.answerImagePick(std::nullopt);
  EXPECT_EQ(screen->cameraImageView().image->width(), 480);
}

TEST_F(FormTest, PictureViewFitsTheRatioAndCollapsesWithoutPicture) {
  auto watch = storedWatch();
  watch->setKellokuva(pngOf(200, 100));
  auto screen = editScreen(watch);
  EXPECT_EQ(screen->cameraImageView().height,
            InsertWatchTableViewController::kPictureSlotWidth / 2);
  EXPECT_EQ(screen->preferredContentHeight(),
            InsertWatchTableViewController::kFormContentHeight +
                InsertWatchTableViewController::kPictureSlotWidth * 1.5);
  EXPECT_FALSE(screen->cameraImageViewBack().image);
}

}  // namespace
}  // namespace tockary::testing
