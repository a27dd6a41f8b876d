#include "accuracy/insert_accuracy_table_view_controller.h"

#include <algorithm>

#include "accuracy/accuracy_form.h"
#include "forms/field_input.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "store/records.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

constexpr std::string_view kWatchField = "watchToMeasureTextField";
constexpr std::string_view kEnvironmentField = "measureEnvironmentTextField";

constexpr std::string_view kFirstInfo =
    "Tap the button when the second hand of your watch is exactly at twelve.";
constexpr std::string_view kAdjustStartInfo =
    "Use the + and - buttons to adjust the time to match your watch at the moment of starting "
    "the test.";
constexpr std::string_view kAdjustEndInfo =
    "Use the + and - buttons to adjust the time to match your watch at the moment of ending the "
    "test.";
constexpr std::string_view kReadyInfo =
    "This measurement is ready. The accuracy of the watch was: \n\n  ";

constexpr std::string_view kNoPhoneTime =
    "No time has passed on the phone since the start, so there is no result yet. Please end the "
    "measurement later.";

constexpr std::string_view kInstructionsTitle = "Accuracy measurement instructions:";
constexpr std::string_view kResultTitle = "Measurement result so far: \n \n ";
constexpr std::string_view kBoldFont = "HelveticaNeue-Bold";
constexpr std::string_view kPlainFont = "HelveticaNeue";

// Seven steps, separated by a blank, a line feed and a blank.
constexpr std::string_view kInstructions =
    "1. First set your mechanical watch to the right time. Just as important: its second hand "
    "should pass twelve at the very moment the minute hand moves on to the next minute. If the "
    "seconds of your watch stop when you pull out the crown, stop them at twelve and push the "
    "crown back in just as the minute changes on another clock. \n "
    "2. Wait until the second hand of your watch is exactly at twelve, at any minute you like "
    "(for example at 14:45), and tap \"START\" at that moment. The Tockary App notes the phone's "
    "time of your tap to the second. \n "
    "3. The Tockary measurement display now shows the minute of your tap. Tap + and - until the "
    "time shown is the time your watch showed when you tapped, then tap the button again to "
    "confirm the start. \n "
    "4. Wear or keep the watch as you chose in the environment field and let the test run, "
    "preferably for at least 12 hours. You may close the app meanwhile: the measurement keeps "
    "running and waits for you in the list of measurements. \n "
    "5. To end the test, open the running measurement from the list, wait until the second hand "
    "of your watch is exactly at twelve again and tap \"END\" at that moment. \n "
    "6. Tap + and - once more until the time shown is the time your watch showed when you tapped "
    "\"END\", then confirm the end time with the button. \n "
    "7. Once you confirm the end time, Tockary will show how many seconds a day your watch gains "
    "or loses. You can then finish the measurement and save the result, or continue measuring "
    "and end it again later: a test that has run close to 24 hours gives the most dependable "
    "result.";

// The unsold watches, by brand and model.
FetchRequest unsoldWatchesRequest() {
  FetchRequest request = Kello::fetchRequest();
  request.predicate = unsoldWatchesPredicate();
  request.sortDescriptors = watchOrder(WatchOrder::BrandAndModel);
  return request;
}

const std::string kNoText;

}  // namespace

bool labelShown(const AccuracyOutputs& outputs, const AccuracyLabel& label) {
  if (label.text == &AccuracyOutputs::startMeasurementTimeLabel)
    return !outputs.startMeasurementTimeLabelHidden;
  if (label.text == &AccuracyOutputs::endMeasurementLabel)
    return !outputs.endMeasurementLabelHidden;
  return !(outputs.*label.text).empty();
}

std::vector<std::string> InsertAccuracyTableViewController::screenImageNames() {
  return {std::string(kStartImage), std::string(kStartConfirmImage), std::string(kStopImage),
          std::string(kStopConfirmImage)};
}

std::string_view InsertAccuracyTableViewController::instructionText() { return kInstructions; }

InsertAccuracyTableViewController::InsertAccuracyTableViewController(AppServices& services)
    : services_(services), texts_(accuracyFormFields().size()) {
  outputs_.userInfoLabel = kFirstInfo;
  outputs_.startButtonImage = kStartImage;
}

std::span<const FieldDescriptor> InsertAccuracyTableViewController::formFields() {
  return accuracyFormFields();
}

void InsertAccuracyTableViewController::openForInsert() {
  editingMeasurement_ = false;
  mittausID_ = {};
}

bool InsertAccuracyTableViewController::openStored(const ObjectID& mittausID) {
  const auto record = services_.context().existingObject<Varataulu>(mittausID);
  if (!record) {
    openForInsert();
    return false;
  }
  editingMeasurement_ = true;
  mittausID_ = mittausID;
  tempKello = record->varaString1();
  tempMittausOlosuhteet = record->varaString3();
  tempLoppuTulos = record->varaString2();
  tempStatus = record->varaString5();
  tempPVM1 = record->varaPVM1();
  tempPVM2 = record->varaPVM2();
  return true;
}

int InsertAccuracyTableViewController::indexOf(std::string_view outlet) const {
  const auto fields = formFields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].outlet == outlet) return static_cast<int>(i);
  return -1;
}

std::string& InsertAccuracyTableViewController::textOf(std::string_view outlet) {
  return texts_[static_cast<std::size_t>(indexOf(outlet))];
}

const std::string& InsertAccuracyTableViewController::text(std::string_view outlet) const {
  const int index = indexOf(outlet);
  return index < 0 ? kNoText : texts_[static_cast<std::size_t>(index)];
}

std::string InsertAccuracyTableViewController::dateText(Date date) const {
  return services_.formatters.shortDateMediumTime(date);
}

std::string InsertAccuracyTableViewController::clockText() const {
  return dateText(services_.clock.now());
}

bool InsertAccuracyTableViewController::isReadOnly() const {
  return measurementStatus_ == kStateReady;
}

void InsertAccuracyTableViewController::viewDidLoad() {
  firstResponder_ = editingMeasurement_ ? std::string() : std::string(kWatchField);
  applyStoredRecord();
  navigationBar = NavigationBarStyle{BarStyle::Black, true, kBlack};
  outputs_.endMeasurementLabelHidden = true;
  outputs_.startMeasurementTimeLabelHidden = true;
  outputs_.minusMinButtonHidden = true;
  outputs_.plusMinButtonHidden = true;
  outputs_.kelloTaustaViewHidden = true;
  watchPicker_.load(services_.context(), unsoldWatchesRequest());
}

void InsertAccuracyTableViewController::applyStoredRecord() {
  if (!editingMeasurement_) return;
  if (tempKello && !tempKello->empty()) textOf(kWatchField) = *tempKello;
  if (tempMittausOlosuhteet && !tempMittausOlosuhteet->empty())
    textOf(kEnvironmentField) = *tempMittausOlosuhteet;
  if (tempLoppuTulos && !tempLoppuTulos->empty()) outputs_.resultLabel = *tempLoppuTulos;
  // The start is shown with the end it is measured against.
  if (tempPVM1) outputs_.realStartDateLabel = dateText(*tempPVM1);
  if (tempPVM2) outputs_.startMeasurementDateLabel = dateText(*tempPVM2);
  if (tempStatus == kMeasurementStarted) {
    outputs_.startButtonImage = kStopImage;
    measurementStatus_ = kStateEndPressed;
  } else if (tempStatus == kMeasurementReady) {
    outputs_.startButtonHidden = true;
    outputs_.minusMinButtonHidden = true;
    outputs_.plusMinButtonHidden = true;
    outputs_.userInfoLabel = std::string(kReadyInfo) + tempLoppuTulos.value_or("");
    outputs_.kelloTaustaViewHidden = true;
    measurementStatus_ = kStateReady;
  } else {
    // Not a measurement this screen wrote: there is nothing to start or end on it.
    outputs_.startButtonHidden = true;
  }
}

// --- The fields.

void InsertAccuracyTableViewController::textFieldDidBeginEditing(std::string_view outlet) {
  const int index = indexOf(outlet);
  if (index < 0 || isReadOnly()) return;
  if (edited_ >= 0 && edited_ != index) endEditing();
  edited_ = index;
  if (outlet == kWatchField) {
    textOf(outlet) = watchPicker_.open(text(outlet));
  } else {
    environmentRow_ = 0;
    textOf(outlet) = kMeasureEnvironments.front();
  }
}

std::string_view InsertAccuracyTableViewController::editedField() const {
  return edited_ < 0 ? std::string_view() : formFields()[static_cast<std::size_t>(edited_)].outlet;
}

std::optional<Wheel> InsertAccuracyTableViewController::shownWheel() const {
  if (edited_ < 0) return std::nullopt;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  Wheel wheel{std::string(f.outlet), std::string(f.prompt), {}};
  if (f.outlet == kWatchField) {
    if (!watchPicker_.isOpen()) return std::nullopt;
    WheelColumn column = watchPicker_.column();
    // An empty collection shows its placeholder as the one row.
    if (column.titles.empty())
      column.titles.emplace_back(WatchLabelPicker::kEmptyCollectionPlaceholder);
    wheel.columns.push_back(std::move(column));
  } else {
    WheelColumn column{
        {kMeasureEnvironments.begin(), kMeasureEnvironments.end()}, 0, environmentRow_};
    wheel.columns.push_back(std::move(column));
  }
  return wheel;
}

bool InsertAccuracyTableViewController::pickerViewDidSelectRow(int row, int component) {
  if (edited_ < 0) return false;
  const std::string_view outlet = editedField();
  if (outlet == kWatchField) {
    auto label = watchPicker_.select(row, component);
    if (!label) return false;
    textOf(outlet) = std::move(*label);
    return true;
  }
  if (component != 0 || row < 0 || row >= static_cast<int>(kMeasureEnvironments.size()))
    return false;
  environmentRow_ = row;
  textOf(outlet) = kMeasureEnvironments[static_cast<std::size_t>(row)];
  return true;
}

bool InsertAccuracyTableViewController::pressToolbarButton() {
  if (!shownWheel()) return false;
  if (editedField() == kWatchField) {
    pickerChangedWatch();
  } else {
    doneMeasureEnvPicker();
  }
  return true;
}

void InsertAccuracyTableViewController::pickerChangedWatch() {
  if (editedField() == kWatchField) endEditing();
}

void InsertAccuracyTableViewController::doneMeasureEnvPicker() {
  if (editedField() == kEnvironmentField) endEditing();
}

void InsertAccuracyTableViewController::endEditing() {
  const bool environment = editedField() == kEnvironmentField;
  edited_ = -1;
  environmentRow_ = -1;
  watchPicker_.close();
  if (environment && editingMeasurement_) saveEnvironment();
}

void InsertAccuracyTableViewController::saveEnvironment() {
  auto& context = services_.context();
  const std::string environment = text(kEnvironmentField);
  saveStatus_ = context.performWrite({mittausID_}, [&] {
    if (auto record = context.existingObject<Varataulu>(mittausID_))
      record->setVaraString3(environment);
  });
  if (!saveStatus_) diagnostic("Measurement environment not saved: " + saveStatus_.description());
  presentIfStoreBusy(saveStatus_, services_.presenter);
}

std::string InsertAccuracyTableViewController::acceptedValues(std::string_view outlet) const {
  if (outlet == kWatchField) return watchPicker_.acceptedValues();
  if (outlet != kEnvironmentField) return {};
  std::string accepted = "one of ";
  for (std::string_view environment : kMeasureEnvironments) {
    if (environment != kMeasureEnvironments.front()) accepted += ", ";
    accepted += "\"" + std::string(environment) + "\"";
  }
  return accepted;
}

Status InsertAccuracyTableViewController::enterValue(std::string_view outlet,
                                                     std::string_view value) {
  if (indexOf(outlet) < 0) return Status::error("not a field of this form");
  if (isReadOnly())
    return Status::error("the measurement is finished; its fields stay as they are");
  std::optional<std::string> chosen;
  if (outlet == kWatchField) {
    if (value.empty()) {
      textOf(outlet).clear();
      return Status::ok();
    }
    auto label = watchPicker_.labelFor(value);
    if (!label) return label.status();
    chosen = *label;
  } else if (std::ranges::find(kMeasureEnvironments, value) != kMeasureEnvironments.end()) {
    chosen = std::string(value);
  } else {
    return fieldRefusal(value, acceptedValues(outlet));
  }
  // As the user does: open the wheel, turn it to the row, close it.
  textFieldDidBeginEditing(outlet);
  const auto& rows = outlet == kWatchField ? watchPicker_.labels()
                                           : std::vector<std::string>(kMeasureEnvironments.begin(),
                                                                      kMeasureEnvironments.end());
  const auto row = std::ranges::find(rows, *chosen) - rows.begin();
  (void)pickerViewDidSelectRow(static_cast<int>(row), 0);
  (void)pressToolbarButton();
  return Status::ok();
}

// --- The measurement.

Status InsertAccuracyTableViewController::startAccuracyMetering() {
  const Calendar& calendar = services_.formatters.calendar();
  const Date now = services_.clock.now();
  if (measurementStatus_ == kStateNew) {
    // A stored record that is no measurement has nothing to start.
    if (editingMeasurement_) return Status::ok();
    kantaRealStartDate = now;
    kantaRoundedStartDate = currentMinute(calendar, now);
    outputs_.realStartDateLabel = dateText(now);
    outputs_.startMeasurementDateLabel = dateText(*kantaRoundedStartDate);
    outputs_.startMeasurementTimeLabel = timeOfDayText(calendar, *kantaRoundedStartDate);
    outputs_.startButtonImage = kStartConfirmImage;
    outputs_.startMeasurementTimeLabelHidden = false;
    showMinuteButtons(kAdjustStartInfo);
    measurementStatus_ = kStateStarted;
    return Status::ok();
  }
  if (measurementStatus_ == kStateStarted) {
    Status stored = storeStart();
    if (isStoreBusy(stored)) return stored;
    outputs_.startButtonImage = kStopImage;
    outputs_.startMeasurementTimeLabelHidden = true;
    measurementStatus_ = kStateEndPressed;
    return stored;
  }
  if (measurementStatus_ == kStateEndPressed) {
    outputs_.endMeasurementLabelHidden = false;
    showMinuteButtons(kAdjustEndInfo);
    outputs_.startButtonImage = kStopConfirmImage;
    realEnd_ = now;
    outputs_.realEndLabel = dateText(now);
    iPhoneSeconds_ = static_cast<double>(elapsedSeconds(tempPVM1.value_or(now), now));
    watchEnd_ = currentMinute(calendar, now);
    outputs_.endMeasurementDateLabel = dateText(*watchEnd_);
    outputs_.endMeasurementLabel = timeOfDayText(calendar, *watchEnd_);
    measurementStatus_ = kStateEndConfirmed;
    return Status::ok();
  }
  if (measurementStatus_ == kStateEndConfirmed) {
    const Date watchStart = tempPVM2.value_or(currentMinute(calendar, now));
    watchSeconds_ = static_cast<double>(elapsedSeconds(watchStart, watchEnd_.value_or(now)));
    // Without phone time the rate would be infinite; the alert then offers no result to store.
    if (hasResult()) {
      apuLoppuTulos_ = accuracyRate(iPhoneSeconds_, watchSeconds_);
      outputs_.resultLabel = rateText(apuLoppuTulos_);
    }
    measurementStatus_ = kStateReady;
    services_.presenter.present(resultAlert());
  }
  return Status::ok();
}

void InsertAccuracyTableViewController::showMinuteButtons(std::string_view info) {
  outputs_.plusMinButtonHidden = false;
  outputs_.minusMinButtonHidden = false;
  outputs_.kelloTaustaViewHidden = false;
  outputs_.userInfoLabel = info;
}

void InsertAccuracyTableViewController::showAdjusted(Date adjusted) {
  const Calendar& calendar = services_.formatters.calendar();
  if (measurementStatus_ == kStateStarted) {
    outputs_.startMeasurementTimeLabel = timeOfDayText(calendar, adjusted);
    outputs_.startMeasurementDateLabel = dateText(adjusted);
    kantaRoundedStartDate = adjusted;
  } else if (measurementStatus_ == kStateEndConfirmed) {
    outputs_.endMeasurementLabel = timeOfDayText(calendar, adjusted);
    outputs_.endMeasurementDateLabel = dateText(adjusted);
    watchEnd_ = adjusted;
  }
}

void InsertAccuracyTableViewController::increaseAccuracyMinute() {
  showAdjusted(adjustment_.increase(services_.formatters.calendar(), services_.clock.now()));
}

void InsertAccuracyTableViewController::decreaseAccuracyMinute() {
  showAdjusted(adjustment_.decrease(services_.formatters.calendar(), services_.clock.now()));
}

Status InsertAccuracyTableViewController::storeStart() {
  auto& context = services_.context();
  const std::string watch =
      text(kWatchField).empty() ? std::string(kNoWatchLabel) : text(kWatchField);
  std::shared_ptr<Varataulu> record;
  saveStatus_ = context.performWrite({}, [&] {
    record = context.insertNewObject<Varataulu>();
    record->setVaraString1(watch);
    record->setVaraPVM1(kantaRealStartDate);
    record->setVaraPVM2(kantaRoundedStartDate);
    record->setVaraString5(std::string(kMeasurementStarted));
    record->setVaraString2(outputs_.resultLabel);
    record->setVaraString3(text(kEnvironmentField));
  });
  if (!saveStatus_) diagnostic("Measurement not saved: " + saveStatus_.description());
  // Nothing was written: the start stays as matched for another try.
  if (presentIfStoreBusy(saveStatus_, services_.presenter)) return saveStatus_;
  if (saveStatus_) {
    // The screen now shows the stored measurement, should it stay open.
    editingMeasurement_ = true;
    mittausID_ = record->objectID();
    tempKello = watch;
    tempPVM1 = kantaRealStartDate;
    tempPVM2 = kantaRoundedStartDate;
    tempStatus = std::string(kMeasurementStarted);
  }
  services_.presenter.pop(1);
  return saveStatus_;
}

Sheet InsertAccuracyTableViewController::resultAlert() {
  const std::string title = std::string(kResultTitle) + (hasResult() ? outputs_.resultLabel : "");
  const std::string message(hasResult() ? resultDurationMessage(iPhoneSeconds_) : kNoPhoneTime);
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = title;
  sheet.message = message;
  sheet.attributedTitle = AttributedText{title, std::string(kBoldFont), 18};
  sheet.attributedMessage = AttributedText{message, std::string(kPlainFont), 14};
  if (hasResult()) {
    sheet.actions.push_back({std::string(kFinishAction), "Finish measurement & save result",
                             ActionStyle::Default, [this] { finishMeasurement(); }});
  }
  sheet.actions.push_back({std::string(kContinueAction), "Continue measuring..",
                           ActionStyle::Default, [this] { services_.presenter.pop(1); }});
  return sheet;
}

void InsertAccuracyTableViewController::finishMeasurement() {
  auto& context = services_.context();
  const Date now = services_.clock.now();
  const Calendar& calendar = services_.formatters.calendar();
  bool alreadyFinished = false;
  bool found = false;
  // Read inside the write: another program may have finished or deleted the record meanwhile.
  saveStatus_ = context.performWrite({mittausID_}, [&] {
    auto record = context.existingObject<Varataulu>(mittausID_);
    found = record != nullptr;
    if (!record) return;
    if (record->varaString5() == kMeasurementReady) {
      alreadyFinished = true;
      return;
    }
    record->setVaraString1(text(kWatchField));
    record->setVaraString5(measurementStatus_);
    record->setVaraString2(outputs_.resultLabel);
    record->setVaraDouble1(apuLoppuTulos_);
    record->setVaraString3(text(kEnvironmentField));
    record->setVaraString4(durationText(calendar, record->varaPVM1().value_or(now), now));
  });
  if (isStoreBusy(saveStatus_)) {
    // Nothing was written: one more press shows the result again.
    measurementStatus_ = kStateEndConfirmed;
    presentIfStoreBusy(saveStatus_, services_.presenter);
    return;
  }
  if (isRecordGone(saveStatus_) || (saveStatus_ && !found)) {
    saveStatus_ = Status::error("The measurement no longer exists", {{"id", mittausID_.text()}});
  } else if (alreadyFinished) {
    // The first finish stands; this one would overwrite its result.
    saveStatus_ = Status::error("The measurement was finished meanwhile; its result stays",
                                {{"id", mittausID_.text()}});
  }
  if (!saveStatus_) diagnostic("Measurement not finished: " + saveStatus_.description());
  services_.presenter.pop(1);
}

void InsertAccuracyTableViewController::ohje() {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = std::string(kInstructionsTitle);
  sheet.message = std::string(kInstructions);
  sheet.attributedTitle =
      AttributedText{std::string(kInstructionsTitle) + " ", std::string(kBoldFont), 12};
  sheet.attributedMessage = AttributedText{std::string(kInstructions), std::string(kPlainFont), 12};
  sheet.actions.push_back(okAction(ActionStyle::Cancel));
  services_.presenter.present(std::move(sheet));
}

}  // namespace tockary
