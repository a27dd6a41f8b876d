#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accuracy/measurement.h"
#include "forms/form_field.h"
#include "forms/watch_label_picker.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "platform/ui/navigation_bar.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"

namespace tockary {

// What the measurement screen shows beside its two fields, one member per outlet.
struct AccuracyOutputs {
  std::string userInfoLabel;
  std::string realStartDateLabel, startMeasurementDateLabel, startMeasurementTimeLabel;
  std::string realEndLabel, endMeasurementDateLabel, endMeasurementLabel;
  std::string resultLabel;
  std::string startButtonImage;  // an asset name
  bool startButtonHidden = false;
  bool plusMinButtonHidden = true;
  bool minusMinButtonHidden = true;
  bool kelloTaustaViewHidden = true;
  bool startMeasurementTimeLabelHidden = true;
  bool endMeasurementLabelHidden = true;
};

// A text outlet of the screen with the caption both front ends give it.
struct AccuracyLabel {
  std::string_view outlet;
  std::string_view caption;
  std::string AccuracyOutputs::*text;
};

// The text outlets in the order the screen shows them, top to bottom.
inline constexpr std::array<AccuracyLabel, 8> kAccuracyLabels = {{
    {"userInfoLabel", "Info", &AccuracyOutputs::userInfoLabel},
    {"realStartDateLabel", "Phone start", &AccuracyOutputs::realStartDateLabel},
    {"startMeasurementDateLabel", "Watch start", &AccuracyOutputs::startMeasurementDateLabel},
    {"startMeasurementTimeLabel", "Watch start time", &AccuracyOutputs::startMeasurementTimeLabel},
    {"realEndLabel", "Phone end", &AccuracyOutputs::realEndLabel},
    {"endMeasurementDateLabel", "Watch end", &AccuracyOutputs::endMeasurementDateLabel},
    {"endMeasurementLabel", "Watch end time", &AccuracyOutputs::endMeasurementLabel},
    {"resultLabel", "Result", &AccuracyOutputs::resultLabel},
}};

// Whether the screen shows the label now: the two times of day while they are being matched, any
// other label once it has a text.
bool labelShown(const AccuracyOutputs& outputs, const AccuracyLabel& label);

// Timing a watch against the clock, in two visits of one screen. The first visit (a new
// measurement) fixes the start: a press of the start button when the watch's second hand is at
// twelve, "+" and "-" until the shown minute equals the watch's, a second press that stores a
// record "Started" and returns to the list. The second visit (the stored record opened from the
// list) fixes the end the same way and shows the rate in the result alert, which finishes the
// record ("Valmis") or leaves it running. A finished record opens read-only.
class InsertAccuracyTableViewController {
 public:
  // The measurement state, measurementStatus(): what the next press of the start button does.
  static constexpr std::string_view kStateNew = "";
  static constexpr std::string_view kStateStarted = kMeasurementStarted;
  static constexpr std::string_view kStateEndPressed = "End Pressed";
  static constexpr std::string_view kStateEndConfirmed = "End confirmed";
  static constexpr std::string_view kStateReady = kMeasurementReady;

  // The start button's pictures.
  static constexpr std::string_view kStartImage = "AccuracyStart";
  static constexpr std::string_view kStartConfirmImage = "AccuracyStartConfirm";
  static constexpr std::string_view kStopImage = "AccuracyStop";
  static constexpr std::string_view kStopConfirmImage = "AccuracyStopConfirm";
  static std::vector<std::string> screenImageNames();

  // The screen's title, the caption of the live phone time and the button of ohje().
  static constexpr std::string_view kTitle = "Accuracy Measurement";
  static constexpr std::string_view kClockCaption = "Phone time";
  static constexpr std::string_view kInstructionsButtonTitle = "?";

  // The result alert's actions.
  static constexpr std::string_view kFinishAction = "finishMeasurement";
  static constexpr std::string_view kContinueAction = "continueMeasuring";
  // The instruction text of ohje(), seven numbered steps.
  static std::string_view instructionText();

  // `services` must outlive the screen.
  explicit InsertAccuracyTableViewController(AppServices& services);

  // What the list chooses before the screen loads: a new measurement (the default), or a stored
  // record, which is read into the temp fields at once. False (and a new measurement) when the
  // record is not a stored measurement.
  void openForInsert();
  bool openStored(const ObjectID& mittausID);

  // Lists the unsold watches by brand and model and shows the stored record: a running one is
  // ready for its end, a finished one shows its result and nothing to press. A new measurement
  // asks for its watch field to be edited first (firstResponder()).
  void viewDidLoad();

  // --- The fields.
  static std::span<const FieldDescriptor> formFields();
  // The text a field shows; empty for a name that is no field.
  const std::string& text(std::string_view outlet) const;
  std::string_view firstResponder() const { return firstResponder_; }
  // A finished measurement: its fields cannot be edited and the start button is hidden.
  bool isReadOnly() const;
  const std::vector<std::string>& kelloPickerData() const { return watchPicker_.labels(); }
  const std::string& kelloComponent() const { return watchPicker_.component(); }
  static std::span<const std::string_view> measureEnvironmentPickerData() {
    return kMeasureEnvironments;
  }

  // The watch field opens its wheel on its own label when offered, else on the first (or the
  // placeholder of an empty collection), which the field then shows; the environment field opens
  // its wheel on "On wrist", which the field then shows. Nothing on a finished measurement.
  void textFieldDidBeginEditing(std::string_view outlet);
  std::string_view editedField() const;
  // The wheel below the field being edited, with its toolbar button's title; nullopt when none.
  std::optional<Wheel> shownWheel() const;
  // Turns the shown wheel; its row's text goes into the field. False for a row it does not show.
  bool pickerViewDidSelectRow(int row, int component);
  // The toolbar button above the shown wheel: closes it and ends the editing of its field. False
  // when no wheel is shown.
  bool pressToolbarButton();
  void pickerChangedWatch();
  void doneMeasureEnvPicker();
  // Ends the editing of the field being edited. The environment of a stored measurement is saved
  // at once (a busy store shows the busy alert; saveStatus() tells).
  void endEditing();

  // Fills a field as its wheel would: the watch by a label the wheel offers or by the id of an
  // unsold watch ("Kello/3"), empty for none; the environment by one of its texts. Anything else
  // changes nothing and is an error naming the value and what is accepted.
  Status enterValue(std::string_view outlet, std::string_view value);
  std::string acceptedValues(std::string_view outlet) const;

  // --- The measurement.
  const std::string& measurementStatus() const { return measurementStatus_; }
  const AccuracyOutputs& outputs() const { return outputs_; }
  // The phone's time to the second, as the screen's dates are shown; a front end refreshes it.
  std::string clockText() const;

  // The start button: performs the current state's step (see the state constants). Storing the
  // start returns to the list and gives the store's answer; a busy store stores nothing, shows
  // the busy alert and keeps the screen as it was. Every other step gives ok.
  Status startAccuracyMetering();
  // "+" and "-": one minute later or earlier than shown, from the live minute (MinuteAdjustment);
  // they change the start while it is matched and the end while it is matched, nothing otherwise.
  void increaseAccuracyMinute();
  void decreaseAccuracyMinute();
  // The result alert as the last confirmed end presents it: the rate, what the phone time tells
  // about it, and "Finish measurement & save result" / "Continue measuring..". An end in the
  // second of the start has no rate: the alert says so and offers only to continue.
  Sheet resultAlert();
  // Whether the confirmed end lies after the start on the phone, so that there is a rate.
  bool hasResult() const { return iPhoneSeconds_ > 0; }
  // Presents the instructions, closed by "OK".
  void ohje();

  // The stored measurement: the one opened, or the one the start stored.
  const ObjectID& mittausID() const { return mittausID_; }
  // The outcome of the last write (the start, the finish, an environment): ok before any.
  const Status& saveStatus() const { return saveStatus_; }
  double iPhoneSeconds() const { return iPhoneSeconds_; }
  double watchSeconds() const { return watchSeconds_; }
  double apuLoppuTulos() const { return apuLoppuTulos_; }
  const MinuteAdjustment& minuteAdjustment() const { return adjustment_; }

  NavigationBarStyle navigationBar;

  // The stored record as read when opened.
  std::optional<std::string> tempKello, tempMittausOlosuhteet, tempLoppuTulos, tempStatus;
  std::optional<Date> tempPVM1, tempPVM2;
  // The first visit's real start and watch start.
  std::optional<Date> kantaRealStartDate, kantaRoundedStartDate;

 private:
  int indexOf(std::string_view outlet) const;
  std::string& textOf(std::string_view outlet);
  std::string dateText(Date date) const;
  void applyStoredRecord();
  // "+", "-" and their panel, with what to do with them.
  void showMinuteButtons(std::string_view info);
  void showAdjusted(Date adjusted);
  Status storeStart();
  void finishMeasurement();
  void saveEnvironment();

  AppServices& services_;
  bool editingMeasurement_ = false;
  ObjectID mittausID_;
  std::vector<std::string> texts_;
  std::string firstResponder_;
  WatchLabelPicker watchPicker_;
  int environmentRow_ = -1;  // the environment wheel's row while it is shown
  int edited_ = -1;          // the descriptor of the field being edited
  std::string measurementStatus_;
  AccuracyOutputs outputs_;
  MinuteAdjustment adjustment_;
  std::optional<Date> realEnd_, watchEnd_;
  double iPhoneSeconds_ = 0;
  double watchSeconds_ = 0;
  double apuLoppuTulos_ = 0;
  Status saveStatus_;
};

}  // namespace tockary
