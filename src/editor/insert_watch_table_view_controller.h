#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/watch_catalogues.h"
#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "platform/ui/presenter.h"
#include "store/app_services.h"
#include "store/collection_model.h"
#include "store/watch_hand_over.h"
#include "watch/history_log.h"

namespace tockary {

// A wheel picker shown instead of the keyboard: one selected row per column.
struct PickerView {
  std::vector<int> selectedRows;
  bool hidden = true;
  double width = 0;
};

// The date wheel of the three date fields.
struct DatePickerView {
  Date date;
  double width = 0;
  double height = 0;
};

struct FormTextField {
  std::string text;
  bool editing = false;
  // The screen filters what is typed into the fields it is the delegate of.
  bool filtered = false;
  // What is shown instead of the keyboard while the field is edited, and the toolbar above it.
  const PickerView* inputPicker = nullptr;
  std::optional<DatePickerView> inputDatePicker;
  std::optional<std::string> toolbarButtonTitle;
  std::function<void()> toolbarAction;  // the picker's Done action

  // Taps the toolbar button; false when there is none.
  bool pressToolbarButton() const;
};

struct NotesTextView {
  std::string text;
  bool firstResponder = false;
};

// Every built-in picture the form uses, for the asset check.
inline std::vector<std::string> editorImageNames() {
  return {std::string(kFrontPlaceholderPicture), std::string(kBackPlaceholderPicture)};
}

// A picture slot and the frame of its image view.
struct PictureSlot {
  std::optional<Image> image;
  double width = 0;
  double height = 0;
};

// The form through which a watch is added (insert mode) or changed (edit mode). It reads and
// writes the store only in saveWatchDetails(); leaving without saving discards everything.
class InsertWatchTableViewController {
 public:
  static constexpr double kScreenWidth = 375.0;
  static constexpr double kPictureSlotWidth = 343.0;
  static constexpr double kMeasureColumnWidth = 48.0;
  static constexpr double kDatePickerHeight = 250.0;
  static constexpr double kFormContentHeight = 1800.0;  // without the two pictures
  static constexpr double kJpegQuality = 0.1;

  // `services` and `assets` must outlive the screen.
  explicit InsertWatchTableViewController(AppServices& services);
  InsertWatchTableViewController(AppServices& services, const AssetCatalog& assets);
  ~InsertWatchTableViewController();
  InsertWatchTableViewController(const InsertWatchTableViewController&) = delete;
  InsertWatchTableViewController& operator=(const InsertWatchTableViewController&) = delete;

  // What the opener sets before the screen loads. Insert: tempInsertUusiKello = true. Edit:
  // editingWatch = true, kelloID, tempTitleMuutos = "Edit Watch Details" and the hand-over.
  bool tempInsertUusiKello = false;
  bool editingWatch = false;
  ObjectID kelloID;
  std::string tempTitleMuutos;
  WatchHandOver handOver;

  // Builds the pickers and fills the form: the hand-over in edit mode, the placeholder pictures
  // in insert mode.
  void viewDidLoad();

  // --- What the screen shows.
  std::string title;
  FormTextField manufacturerTextField, modelTextField, yearTextField, refTextField,
      serialNumberTextField, movementTypeTextField, movementTextField, powerResTextField,
      bphTextField, caseDiameterTextField, caseMaterialTextField, thicknessTextField,
      lugWidthTextField, lugToLugTextField, bezelMaterialTextField, glassTextField,
      waterProofTextField, dialColorTextField, crownTypeTextField, complication1TextField,
      complication2TextField, complication3TextField, complication4TextField,
      complication5TextField, complication6TextField, setCompletenessTextField,
      purchasedFromTextField, purchaseDateTextField, warrantyEndDateTexField, priceTextField,
      soldToTextField, soldDateTextField, soldPriceTextField;
  NotesTextView notesTextView;
  PictureSlot cameraImageView, cameraImageViewBack;
  double preferredContentHeight = kFormContentHeight + 2 * kPictureSlotWidth;
  // Why the last picked picture was not used; nullopt after a picture was placed.
  std::optional<std::string> pictureError;
  int callingGesture = 0;  // 1 front, 2 back

  // --- Pickers and their current texts.
  PickerView movementTypePicker, bphPicker, caseMaterialPicker, bezelMaterialPicker, glassPicker,
      waterProofPicker, dialColorPicker, crownTypePicker, setCompletenessPicker, complicationPicker,
      yearPicker, powerPicker, lugWidthPicker, leveysPicker, paksuusPicker, lugToLugPicker;
  std::string vuosiComponent, powerComponent, lugComponent;
  std::string leveysFirstComponent, leveysSecondComponent, leveysThirdComponent;
  std::string paksuusFirstComponent, paksuusSecondComponent, paksuusThirdComponent;
  std::string lugToLugFirstComponent, lugToLugSecondComponent, lugToLugThirdComponent;

  // --- Picker data source. A picker the screen does not own has one column of "No Info".
  int numberOfComponents(const PickerView& picker) const;
  int numberOfRows(const PickerView& picker, int component) const;
  std::string titleForRow(const PickerView& picker, int row, int component) const;
  double widthForComponent(const PickerView& picker, int component) const;

  // --- Editing.
  // The begin-editing callback: attaches the field's picker and toolbar; catalogue fields take
  // their proposal, date fields today's date.
  void textFieldDidBeginEditing(FormTextField& field);
  // The change filter: refuses a replacement that holds any of "€₳$₡£₵¥₮".
  bool shouldChangeCharacters(const FormTextField& field, std::string_view replacement) const;
  // Types or pastes `replacement` over `length` bytes at `location`, as the keyboard does: asked
  // of the filter when the screen is the field's delegate. False when refused (text unchanged).
  bool replaceText(FormTextField& field, std::size_t location, std::size_t length,
                   std::string_view replacement);
  // The picker selection callback; false for a row or column the picker does not show.
  bool pickerViewDidSelectRow(const PickerView& picker, int row, int component);
  // The date wheel of the field being edited turned to `date`.
  void datePickerValueChanged(Date date);
  void endEditing();

  // Done actions of the pickers' toolbars.
  void doneMovementTypePicker();
  void doneBphPicker();
  void doneCaseMaterialPicker();
  void doneBezelMaterialPicker();
  void doneGlassPicker();
  void doneWaterProofPicker();
  void doneDialColorPicker();
  void doneCrownTypePicker();
  void doneSetCompletenessPicker();
  void doneComplicationPicker();
  void doneYearPicker();
  void donePowerPicker();
  void doneLugWidthPicker();
  void doneDiameterPicker();
  void doneThicknessPicker();
  void doneLugToLugPicker();
  void donePurchaseDatePicker();
  void doneWarrantyEndDatePicker();
  // Also appends the "marked sold" history line to the notes when the history log is on.
  void doneSoldDatePicker();

  // Appends a line break, today's date and " :" to the notes.
  void insertDatestampToNotesField();

  // The picture slots: the "Choose Image" sheet for the front (1) or the back (2).
  void tapForPhoto();
  void tapForPhotoBack();

  // Writes the form into a new or the edited Kello, saves and closes the screen (insert: one
  // screen back, edit: two). Edit mode writes, inside the store's write lock, only what the form
  // changed since it opened, so what another program wrote meanwhile stays (text added to the
  // notes goes after entries appended since). A failed save is not shown to the user; it is kept
  // in saveStatus(). A busy store saves nothing, shows the busy alert and keeps the screen open.
  void saveWatchDetails();
  const Status& saveStatus() const { return saveStatus_; }
  // The watch written by the last save (the new one in insert mode).
  const std::shared_ptr<Kello>& savedWatch() const { return savedWatch_; }

  // --- Filling a field as a user would with its own control: the catalogue row, the wheel row,
  // the measure columns, the date wheel (ISO 8601 "2024-05-17" or the locale's short date; empty
  // clears), typed text (prices must read as numbers; empty is allowed). A value the control
  // cannot produce changes nothing and is an error naming the value and what is accepted.
  Status enterValue(FormTextField& field, std::string_view value);
  // Replaces the notes text.
  void enterNotes(std::string_view text) { notesTextView.text = std::string(text); }
  // Whether a typed price reads as a number (else it would be stored as 0).
  static bool isReadableNumber(std::string_view text);

 private:
  enum class Kind { Keyboard, Catalogue, Year, Power, LugWidth, Measure, Date };
  struct FieldSetup {
    FormTextField* field;
    Kind kind;
    PickerView* picker;
    Catalogue catalogue;
    Proposal proposal;
    std::string prompt;
    void (InsertWatchTableViewController::*done)();
  };
  struct MeasureState {
    std::string* first;
    std::string* second;
    std::string* third;
  };

  void setUpFields();
  const FieldSetup* setupOf(const FormTextField& field) const;
  const FieldSetup* setupOf(const PickerView& picker) const;
  MeasureState measureOf(const PickerView& picker);
  const std::vector<int>* numberListOf(const PickerView& picker) const;
  std::string* wheelTextOf(const PickerView& picker);
  void doneCatalogue(FormTextField& field, PickerView& picker);
  void doneWheel(FormTextField& field, PickerView& picker, const std::string& text);
  void doneMeasure(FormTextField& field, PickerView& picker, const MeasureState& state);
  void doneDate(FormTextField& field);
  std::vector<FormTextField*> complicationFields();

  void presentImageChoice();
  void pictureChosen(PickedImage picked);
  void place(PictureSlot& slot, std::optional<Image> image);
  std::string priceText(double value) const;
  Result<std::optional<Date>> dateFromUserText(std::string_view text) const;
  void writeForm(Kello& watch) const;
  void writeDates(Kello& watch) const;
  // What the form writes (without pictures), as a record outside the store.
  std::shared_ptr<Kello> formRecord() const;
  void writePicture(Kello& watch, const PictureSlot& slot, bool front) const;

  AppServices& services_;
  std::optional<AssetCatalog> ownAssets_;
  const AssetCatalog& assets_;
  ImageCodec codec_;
  HistoryLog historyLog_;
  std::vector<FieldSetup> setups_;
  std::vector<int> years_, powerReserves_, lugWidths_;
  FormTextField* complicationBeingEdited_ = nullptr;
  FormTextField* dateBeingEdited_ = nullptr;
  Status saveStatus_;
  std::shared_ptr<Kello> savedWatch_;
  // Edit mode: the form as it opened, and which pictures the user chose since.
  std::shared_ptr<Kello> openedForm_;
  bool frontPictureChosen_ = false;
  bool backPictureChosen_ = false;
  // Sheet and picker callbacks check this, so a late answer after the screen closed is dropped.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tockary
