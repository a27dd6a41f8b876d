#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "accuracy/accuracy_fixture.h"
#include "accuracy/insert_accuracy_table_view_controller.h"

namespace tockary::testing {
namespace {

using Screen = InsertAccuracyTableViewController;
constexpr std::string_view kWatch = "watchToMeasureTextField";
constexpr std::string_view kEnvironment = "measureEnvironmentTextField";

class MeasurementScreenTest : public AccuracyTest {
 protected:
  std::unique_ptr<Screen> openNew() {
    auto screen = std::make_unique<Screen>(services);
    screen->openForInsert();
    screen->viewDidLoad();
    return screen;
  }
  std::unique_ptr<Screen> openStored(const ObjectID& id) {
    auto screen = std::make_unique<Screen>(services);
    EXPECT_TRUE(screen->openStored(id));
    screen->viewDidLoad();
    return screen;
  }
  int pops() const {
    int count = 0;
    for (const auto& event : presenter.events())
      if (const auto* pop = std::get_if<RecordingPresenter::Pop>(&event)) count += pop->count;
    return count;
  }
  // A running measurement started at `realStart` on a watch showing `watchStart`.
  ObjectID running(Date realStart, Date watchStart) {
    return measurement({.watch = "Seiko SKX007",
                        .result = "",
                        .environment = "In box",
                        .status = "Started",
                        .realStart = realStart,
                        .watchStart = watchStart})
        ->objectID();
  }
  // Ends the measurement at `end` with `adjust` minute presses and returns the result alert.
  Sheet endAt(Screen& screen, Date end, int adjust = 0) {
    clock.set(end);
    EXPECT_TRUE(screen.startAccuracyMetering().isOk());
    for (int i = 0; i < adjust; ++i) screen.increaseAccuracyMinute();
    for (int i = 0; i > adjust; --i) screen.decreaseAccuracyMinute();
    EXPECT_TRUE(screen.startAccuracyMetering().isOk());
    EXPECT_NE(presenter.lastSheet(), nullptr);
    return presenter.lastSheet() ? *presenter.lastSheet() : Sheet{};
  }
};

TEST_F(MeasurementScreenTest, TheFirstVisitMatchesTheStartAndStoresARunningRecord) {
  watch("Seiko", "SKX007");
  auto screen = openNew();
  EXPECT_EQ(screen->firstResponder(), kWatch);
  EXPECT_EQ(screen->outputs().startButtonImage, "AccuracyStart");
  EXPECT_TRUE(screen->outputs().plusMinButtonHidden);
  EXPECT_TRUE(screen->outputs().kelloTaustaViewHidden);

  clock.set(at(2024, 5, 17, 14, 58, 20));
  EXPECT_EQ(screen->clockText(), "5/17/24, 2:58:20\u202fPM");
  ASSERT_TRUE(screen->enterValue(kWatch, "Seiko SKX007").isOk());
  ASSERT_TRUE(screen->enterValue(kEnvironment, "On winder").isOk());
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  EXPECT_EQ(screen->measurementStatus(), "Started");
  const AccuracyOutputs& shown = screen->outputs();
  EXPECT_EQ(shown.startButtonImage, "AccuracyStartConfirm");
  EXPECT_EQ(shown.realStartDateLabel, "5/17/24, 2:58:20\u202fPM");
  EXPECT_EQ(shown.startMeasurementDateLabel, "5/17/24, 2:58:00\u202fPM");
  EXPECT_EQ(shown.startMeasurementTimeLabel, "14:58");
  EXPECT_FALSE(shown.plusMinButtonHidden || shown.minusMinButtonHidden ||
               shown.kelloTaustaViewHidden || shown.startMeasurementTimeLabelHidden);
  EXPECT_EQ(shown.userInfoLabel,
            "Use the + and - buttons to adjust the time to match your watch at the moment of "
            "starting the test.");

  std::vector<std::string> times;
  for (int i = 0; i < 3; ++i) {
    screen->increaseAccuracyMinute();
    times.push_back(shown.startMeasurementTimeLabel);
  }
  EXPECT_EQ(times, (std::vector<std::string>{"14:59", "15:00", "15:01"}));
  EXPECT_EQ(shown.startMeasurementDateLabel, "5/17/24, 3:01:00\u202fPM");

  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  EXPECT_EQ(pops(), 1);
  EXPECT_EQ(screen->measurementStatus(), "End Pressed");
  EXPECT_EQ(shown.startButtonImage, "AccuracyStop");
  EXPECT_TRUE(shown.startMeasurementTimeLabelHidden);
  const auto record = stored(screen->mittausID());
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->varaString1(), "Seiko SKX007");
  EXPECT_EQ(record->varaString3(), "On winder");
  EXPECT_EQ(record->varaString5(), "Started");
  EXPECT_EQ(record->varaString2(), "");
  EXPECT_EQ(record->varaPVM1(), at(2024, 5, 17, 14, 58, 20));
  EXPECT_EQ(record->varaPVM2(), at(2024, 5, 17, 15, 1));
}

TEST_F(MeasurementScreenTest, AnEmptyWatchFieldStoresTenHyphens) {
  auto screen = openNew();
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  const auto record = stored(screen->mittausID());
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->varaString1(), "----------");
  EXPECT_EQ(record->varaString3(), "");
}

TEST_F(MeasurementScreenTest, TheWatchWheelOffersUnsoldWatchesByBrandAndModel) {
  watch("Seiko", "SKX007");
  watch("Omega", "");
  watch("Rolex", "Submariner", "A buyer");
  watch("Omega", "Speedmaster");
  auto screen = openNew();
  EXPECT_EQ(screen->kelloPickerData(),
            (std::vector<std::string>{"Omega", "Omega Speedmaster", "Seiko SKX007"}));
  screen->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(screen->text(kWatch), "Omega");
  const auto wheel = screen->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->toolbarTitle, "Choose Watch for measurement: ");
  ASSERT_TRUE(screen->pickerViewDidSelectRow(2, 0));
  EXPECT_EQ(screen->text(kWatch), "Seiko SKX007");
  EXPECT_TRUE(screen->pressToolbarButton());
  EXPECT_FALSE(screen->shownWheel());

  const Status sold = screen->enterValue(kWatch, "Rolex Submariner");
  EXPECT_FALSE(sold);
  EXPECT_NE(sold.description().find("\"Omega Speedmaster\""), std::string::npos);
}

TEST_F(MeasurementScreenTest, AnEmptyCollectionProposesThePlaceholder) {
  watch("Rolex", "Submariner", "A buyer");
  auto screen = openNew();
  screen->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(screen->text(kWatch), "Placeholder(Watch collection is empty)");
  ASSERT_TRUE(screen->shownWheel());
  EXPECT_EQ(screen->shownWheel()->columns.at(0).titles,
            (std::vector<std::string>{"Placeholder(Watch collection is empty)"}));
  EXPECT_FALSE(screen->pickerViewDidSelectRow(0, 0));
}

TEST_F(MeasurementScreenTest, TheEnvironmentOpensOnWristAndIsSavedAtOnceOnAStoredRecord) {
  const ObjectID id = running(at(2024, 5, 17, 10), at(2024, 5, 17, 10));
  auto screen = openStored(id);
  EXPECT_EQ(screen->text(kEnvironment), "In box");
  screen->textFieldDidBeginEditing(kEnvironment);
  EXPECT_EQ(screen->text(kEnvironment), "On wrist");
  const auto wheel = screen->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->toolbarTitle, "Choose measure environment: ");
  EXPECT_EQ(wheel->columns.at(0).titles.size(), 8U);
  EXPECT_EQ(wheel->columns.at(0).selected, 0);
  ASSERT_TRUE(screen->pickerViewDidSelectRow(7, 0));
  EXPECT_EQ(stored(id)->varaString3(), "In box");  // not before the editing ends
  screen->endEditing();
  EXPECT_EQ(stored(id)->varaString3(), "Mixed use");
  EXPECT_EQ(stored(id)->varaString5(), "Started");

  const Status refused = screen->enterValue(kEnvironment, "In a drawer");
  EXPECT_EQ(refused.description(),
            "\"In a drawer\" is refused; accepted: one of \"On wrist\", \"In box\", \"On winder\", "
            "\"On table crown up\", \"On table crown down\", \"On table dial up\", \"On table dial "
            "down\", \"Mixed use\"");
}

TEST_F(MeasurementScreenTest, TheSecondVisitGivesTheRateAndFinishStoresIt) {
  // The phone ran 89,995 s, the watch 90,000 s.
  const ObjectID id = running(at(2024, 5, 17, 10, 0, 55), at(2024, 5, 17, 10, 0));
  auto screen = openStored(id);
  EXPECT_EQ(screen->measurementStatus(), "End Pressed");
  EXPECT_EQ(screen->outputs().startButtonImage, "AccuracyStop");
  EXPECT_EQ(screen->outputs().realStartDateLabel, "5/17/24, 10:00:55\u202fAM");

  clock.set(at(2024, 5, 18, 11, 0, 50));
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  EXPECT_EQ(screen->measurementStatus(), "End confirmed");
  EXPECT_EQ(screen->outputs().startButtonImage, "AccuracyStopConfirm");
  EXPECT_EQ(screen->outputs().endMeasurementLabel, "11:00");
  EXPECT_EQ(screen->outputs().realEndLabel, "5/18/24, 11:00:50\u202fAM");
  EXPECT_FALSE(screen->outputs().endMeasurementLabelHidden);
  screen->increaseAccuracyMinute();
  EXPECT_EQ(screen->outputs().endMeasurementLabel, "11:01");
  screen->decreaseAccuracyMinute();
  EXPECT_EQ(screen->outputs().endMeasurementDateLabel, "5/18/24, 11:00:00\u202fAM");
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  EXPECT_EQ(screen->iPhoneSeconds(), 89995);
  EXPECT_EQ(screen->watchSeconds(), 90000);
  EXPECT_EQ(screen->outputs().resultLabel, "4.8 sec/d");

  const Sheet* alert = presenter.lastSheet();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->displayedTitle(), "Measurement result so far: \n \n 4.8 sec/d");
  EXPECT_EQ(alert->attributedTitle->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(alert->attributedTitle->fontSize, 18);
  EXPECT_EQ(alert->attributedMessage->fontSize, 14);
  EXPECT_EQ(alert->actionList(),
            "finishMeasurement (\"Finish measurement & save result\"), continueMeasuring "
            "(\"Continue measuring..\")");
  EXPECT_EQ(alert->displayedMessage().rfind("This measurement has been taken", 0), 0U);

  clock.set(at(2024, 5, 18, 12, 10));
  ASSERT_TRUE(presenter.press("finishMeasurement").isOk());
  EXPECT_TRUE(screen->saveStatus().isOk());
  EXPECT_EQ(pops(), 1);
  const auto record = stored(id);
  EXPECT_EQ(record->varaString5(), "Valmis");
  EXPECT_EQ(record->varaString2(), "4.8 sec/d");
  EXPECT_NEAR(record->varaDouble1(), 4.80027, 1e-5);
  EXPECT_EQ(record->varaString1(), "Seiko SKX007");
  EXPECT_EQ(record->varaString3(), "In box");
  EXPECT_EQ(record->varaString4(), "Measure ready, duration: 26 hour(s)");
}

TEST_F(MeasurementScreenTest, ContinueLeavesTheRecordRunningAndALosingWatchIsNegative) {
  // The phone ran 90,010 s, the watch 90,000 s.
  const ObjectID id = running(at(2024, 5, 17, 10), at(2024, 5, 17, 10));
  auto screen = openStored(id);
  const Sheet alert = endAt(*screen, at(2024, 5, 18, 11, 0, 10));
  EXPECT_EQ(alert.displayedTitle(), "Measurement result so far: \n \n -9.6 sec/d");
  ASSERT_TRUE(presenter.press("continueMeasuring").isOk());
  EXPECT_EQ(pops(), 1);
  const auto record = stored(id);
  EXPECT_EQ(record->varaString5(), "Started");
  EXPECT_EQ(record->varaString2(), "");
  EXPECT_EQ(record->varaDouble1(), 0);
  // It can be ended again later.
  EXPECT_EQ(openStored(id)->measurementStatus(), "End Pressed");
}

TEST_F(MeasurementScreenTest, TheResultAlertCallsTwelveHoursAccurate) {
  const Date start = at(2024, 5, 17, 10);
  const ObjectID shortRun = running(start, start);
  const ObjectID exactly = running(start, start);
  const Sheet rough = endAt(*openStored(shortRun), start + std::chrono::seconds(43199));
  EXPECT_EQ(rough.displayedMessage(),
            "Measurement duration is less than 12 hours. For a more accurate result, please wait "
            "at least 12 hours.");
  EXPECT_EQ(rough.attributedMessage->fontName, "HelveticaNeue");
  const Sheet twelve = endAt(*openStored(exactly), start + std::chrono::hours(12));
  EXPECT_EQ(twelve.displayedMessage(),
            "This measurement has been taken based on a period of longer than 12 hours, this "
            "result can be considered accurate within the abilities of this test.");
}

TEST_F(MeasurementScreenTest, AnEndInTheSecondOfTheStartHasNoResultToStore) {
  const Date start = at(2024, 5, 17, 10, 0, 30);
  const ObjectID id = running(start, at(2024, 5, 17, 10));
  auto screen = openStored(id);
  const Sheet alert = endAt(*screen, start + std::chrono::milliseconds(400), 1);
  EXPECT_FALSE(screen->hasResult());
  EXPECT_EQ(alert.displayedTitle(), "Measurement result so far: \n \n ");
  EXPECT_EQ(alert.displayedMessage(),
            "No time has passed on the phone since the start, so there is no result yet. Please "
            "end the measurement later.");
  EXPECT_EQ(alert.actionList(), "continueMeasuring (\"Continue measuring..\")");
  EXPECT_FALSE(presenter.press("finishMeasurement"));
  EXPECT_EQ(stored(id)->varaString5(), "Started");
}

TEST_F(MeasurementScreenTest, FinishingSoonAfterTheStartStoresMinutes) {
  const Date start = at(2024, 5, 17, 10, 0, 30);
  const ObjectID id = running(start, at(2024, 5, 17, 10));
  auto screen = openStored(id);
  endAt(*screen, start + std::chrono::minutes(45));
  ASSERT_TRUE(presenter.press("finishMeasurement").isOk());
  EXPECT_EQ(stored(id)->varaString4(), "Measure ready, duration: 45 minute(s)");
}

TEST_F(MeasurementScreenTest, AFinishedRecordOpensReadOnly) {
  const ObjectID id = measurement({.watch = "Omega",
                                   .result = "4.8 sec/d",
                                   .environment = "On wrist",
                                   .duration = "Measure ready, duration: 26 hour(s)",
                                   .status = "Valmis",
                                   .realStart = at(2024, 5, 17, 10),
                                   .rate = 4.8})
                          ->objectID();
  auto screen = openStored(id);
  EXPECT_TRUE(screen->isReadOnly());
  EXPECT_EQ(screen->outputs().userInfoLabel,
            "This measurement is ready. The accuracy of the watch was: \n\n  4.8 sec/d");
  EXPECT_TRUE(screen->outputs().startButtonHidden);
  EXPECT_TRUE(screen->outputs().plusMinButtonHidden && screen->outputs().minusMinButtonHidden);
  EXPECT_EQ(screen->outputs().resultLabel, "4.8 sec/d");
  EXPECT_EQ(screen->text(kWatch), "Omega");

  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  screen->textFieldDidBeginEditing(kEnvironment);
  EXPECT_FALSE(screen->shownWheel());
  EXPECT_FALSE(screen->enterValue(kEnvironment, "In box"));
  EXPECT_TRUE(presenter.events().empty());
  EXPECT_EQ(stored(id)->varaString3(), "On wrist");
}

TEST_F(MeasurementScreenTest, AFinishElsewhereOrADeletionMeanwhileIsNotOverwritten) {
  const Date start = at(2024, 5, 17, 10);
  const ObjectID id = running(start, start);
  auto first = openStored(id);
  auto second = openStored(id);
  endAt(*first, start + std::chrono::hours(20));
  ASSERT_TRUE(presenter.press("finishMeasurement").isOk());
  endAt(*second, start + std::chrono::hours(30), 5);
  ASSERT_TRUE(presenter.press("finishMeasurement").isOk());
  EXPECT_FALSE(second->saveStatus());
  EXPECT_EQ(stored(id)->varaString2(), "0.0 sec/d");
  EXPECT_EQ(stored(id)->varaString4(), "Measure ready, duration: 20 hour(s)");

  const ObjectID gone = running(start, start);
  auto screen = openStored(gone);
  endAt(*screen, start + std::chrono::hours(20));
  context().deleteObject(context().existingObject(gone));
  ASSERT_TRUE(context().save().isOk());
  ASSERT_TRUE(presenter.press("finishMeasurement").isOk());
  EXPECT_EQ(screen->saveStatus().description().rfind("The measurement no longer exists", 0), 0U);
  EXPECT_EQ(pops(), 3);  // each screen still returns to the list
  EXPECT_EQ(context().count(Varataulu::fetchRequest()).valueOr(-1), 1);
}

TEST_F(MeasurementScreenTest, ABusyStoreKeepsTheStartForAnotherTry) {
  auto screen = openNew();
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  lockStore();
  const Status busy = screen->startAccuracyMetering();
  EXPECT_TRUE(isStoreBusy(busy));
  EXPECT_EQ(screen->measurementStatus(), "Started");
  EXPECT_EQ(pops(), 0);
  ASSERT_NE(presenter.lastSheet(), nullptr);
  EXPECT_EQ(presenter.lastSheet()->title, "Collection busy");
  unlockStore();
  ASSERT_TRUE(screen->startAccuracyMetering().isOk());
  EXPECT_EQ(pops(), 1);
  EXPECT_EQ(context().count(Varataulu::fetchRequest()).valueOr(-1), 1);
}

TEST_F(MeasurementScreenTest, TheInstructionsAreSevenStepsNamingTockary) {
  auto screen = openNew();
  screen->ohje();
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->title, "Accuracy measurement instructions:");
  EXPECT_EQ(sheet->displayedTitle(), "Accuracy measurement instructions: ");
  EXPECT_EQ(sheet->attributedTitle->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(sheet->attributedMessage->fontSize, 12);
  ASSERT_EQ(sheet->actions.size(), 1U);
  EXPECT_EQ(sheet->actions[0].title, "OK");
  EXPECT_EQ(sheet->actions[0].style, ActionStyle::Cancel);
  const std::string text(Screen::instructionText());
  EXPECT_EQ(sheet->displayedMessage(), text);
  EXPECT_EQ(text.rfind("1. ", 0), 0U);
  for (const char* step : {" \n 2. ", " \n 3. ", " \n 4. ", " \n 5. ", " \n 6. ", " \n 7. "})
    EXPECT_NE(text.find(step), std::string::npos) << step;
  EXPECT_EQ(text.find(" \n 8. "), std::string::npos);
  EXPECT_NE(text.find("Tockary"), std::string::npos);
  EXPECT_NEAR(static_cast<double>(text.size()), 1600, 100);
}

TEST(AccuracyLabelsTest, TimesOfDayShowWhileMatchedAndOtherLabelsOnceTheyHaveText) {
  AccuracyOutputs outputs;
  const auto shown = [&outputs](std::string_view outlet) {
    for (const AccuracyLabel& label : kAccuracyLabels)
      if (label.outlet == outlet) return labelShown(outputs, label);
    ADD_FAILURE() << outlet;
    return false;
  };
  // A time of day is shown by its flag, even before it has a text.
  EXPECT_FALSE(shown("startMeasurementTimeLabel"));
  outputs.startMeasurementTimeLabelHidden = false;
  EXPECT_TRUE(shown("startMeasurementTimeLabel"));
  outputs.endMeasurementLabel = "15:01";
  EXPECT_FALSE(shown("endMeasurementLabel"));
  // Any other label shows once it says something.
  EXPECT_FALSE(shown("resultLabel"));
  outputs.resultLabel = "4.8 sec/d";
  EXPECT_TRUE(shown("resultLabel"));
  EXPECT_FALSE(shown("realEndLabel"));
}

}  // namespace
}  // namespace tockary::testing
