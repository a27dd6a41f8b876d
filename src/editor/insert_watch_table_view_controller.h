#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/watch_catalogues.h"
#include "forms/date_wheel.h"
#include "forms/editor_form.h"
#include "forms/form_field.h"
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

// Every built-in picture the form uses, for the asset check.
inline std::vector<std::string> editorImageNames() {
  return {std::string(kFrontPlaceholderPicture), std::string(kBackPlaceholderPicture)};
}

struct NotesTextView {
  std::string text;
  bool firstResponder = false;
};

// The form through which a watch is added (insert mode) or changed (edit mode). Its fields are
// the descriptors of watchFormFields(), named by their outlets; the screen keeps each field's
// text and every rule of its wheel. It reads and writes the store only in saveWatchDetails();
// leaving without saving discards everything.
// Inserts into `context` a new watch holding every value `form` holds (null ones stay null), as a
// save in insert mode does inside its write.
std::shared_ptr<Kello> insertWatch(ManagedObjectContext& context, const Kello& form);

class InsertWatchTableViewController : public EditorForm {
 public:
  static constexpr double kScreenWidth = 375.0;
  static constexpr double kPictureSlotWidth = 343.0;
  static constexpr double kMeasureColumnWidth = 48.0;
  static constexpr double kFormContentHeight = 1800.0;  // without the two pictures
  static constexpr double kJpegQuality = 0.1;
  static constexpr std::string_view kInsertTitle = "Add Watch";

  // `services` and `assets` must outlive the screen.
  explicit InsertWatchTableViewController(AppServices& services);
  InsertWatchTableViewController(AppServices& services, const AssetCatalog& assets);
  ~InsertWatchTableViewController() override;
  InsertWatchTableViewController(const InsertWatchTableViewController&) = delete;
  InsertWatchTableViewController& operator=(const InsertWatchTableViewController&) = delete;

  // What the opener chooses before the screen loads: insert mode (the default), or edit mode
  // with the detail screen's request.
  void openForInsert();
  void openForEdit(WatchEditRequest request);

  // Builds the wheels and fills the form: the hand-over in edit mode, the placeholder pictures
  // in insert mode.
  void viewDidLoad() override;

  // --- The form.
  static std::span<const FieldDescriptor> formFields();
  std::span<const FieldDescriptor> fields() const override { return formFields(); }
  const std::string& title() const override { return title_; }
  bool isEditMode() const override { return editingWatch_; }
  // The text a field shows, the notes' text for the notes; empty for a name that is no field of
  // the form.
  const std::string& text(std::string_view outlet) const override;
  const NotesTextView& notesTextView() const { return notesTextView_; }
  const PictureSlot& cameraImageView() const { return cameraImageView_; }
  const PictureSlot& cameraImageViewBack() const { return cameraImageViewBack_; }
  double preferredContentHeight() const { return preferredContentHeight_; }
  // Why the last picked picture was not used; nullopt after a picture was placed.
  const std::optional<std::string>& pictureError() const override { return pictureError_; }
  int callingGesture() const { return callingGesture_; }  // 1 front, 2 back

  // --- Editing a field as the user does.
  // The begin-editing callback: catalogue fields take their proposal, date fields today's date,
  // wheel and measure fields stand at their text's rows (a measure wheel then holds the texts it
  // shows); the field's wheel (if any) is shown.
  void textFieldDidBeginEditing(std::string_view outlet) override;
  // The outlet of the field being edited, empty when none is.
  std::string_view editedField() const override;
  // The wheel shown below the field being edited, nullopt when none is.
  std::optional<Wheel> shownWheel() const override;
  // The selection callback of the shown wheel; false for a row or column it does not show.
  bool pickerViewDidSelectRow(int row, int component) override;
  // The date wheel of the date field being edited turned to `date`.
  void datePickerValueChanged(Date date);
  // The toolbar button above the shown wheel (the picker's Done action); false when none is shown.
  bool pressToolbarButton() override;
  void endEditing() override;
  // The change filter: refuses a replacement that holds any of "€₳$₡£₵¥₮".
  bool shouldChangeCharacters(std::string_view outlet, std::string_view replacement) const override;
  // Types or pastes `replacement` over `length` bytes at `location` of a typed field, as the
  // keyboard does, through the filter where the screen is the field's delegate. False when
  // refused (text unchanged) or when the field is not typed.
  bool replaceText(std::string_view outlet, std::size_t location, std::size_t length,
                   std::string_view replacement) override;
  void enterNotes(std::string_view text) { notesTextView_.text = std::string(text); }
  // Appends a line break, today's date and " :" to the notes.
  void insertDatestampToNotesField();
  std::string_view datestampTitle() const override;
  void insertDatestamp() override { insertDatestampToNotesField(); }

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

  // --- Picker data source, by the picker's name ("yearPicker"). A picker the screen does not
  // own has one column of "No Info".
  int numberOfComponents(std::string_view picker) const;
  int numberOfRows(std::string_view picker, int component) const;
  std::string titleForRow(std::string_view picker, int row, int component) const;
  double widthForComponent(std::string_view picker, int component) const;

  // The picture slots: the "Choose Image" sheet for the front (1) or the back (2).
  void tapForPhoto();
  void tapForPhotoBack();
  // The slots by their outlets ("cameraImageView", "cameraImageViewBack").
  const PictureSlot* pictureSlot(std::string_view outlet) const override;
  void tapPicture(std::string_view outlet) override;

  // Writes the form into a new or the edited Kello, saves and closes the screen (insert: one
  // screen back, edit: two). Returns the saved watch's id; a failed save is not shown to the
  // user, only returned. Edit mode writes, inside the store's write lock, only what the form
  // changed since it opened, so what another program wrote meanwhile stays (text added to the
  // notes goes after entries appended since). A busy store saves nothing, shows the busy alert,
  // keeps the screen open and returns the busy status.
  Result<ObjectID> saveWatchDetails();
  Result<ObjectID> save() override { return saveWatchDetails(); }
  // What saving the form now in insert mode stores, as a record outside the store: every field
  // as it shows, the pictures (the placeholders where none was chosen) and the notes with the
  // history log's "added" line when the log is on.
  std::shared_ptr<Kello> insertRecord() const;

  // --- Leaving without saving.
  // Whether the form differs from what it opened with: the watch's values in edit mode, the empty
  // form with its placeholder pictures in insert mode. A chosen picture is a change.
  bool formChanged() const;
  // Leaving the form unsaved (the back button, Esc, another tab): runs `close` at once when the
  // form is unchanged, else presents "Discard changes?", whose discardChanges runs `close` and
  // saves nothing and whose cancel ("Keep editing") keeps the form as it is.
  void leaveForm(std::function<void()> close) override;
  // The back button: leaveForm, closing this screen.
  void goBack();

  // --- Filling a field as a user would with its own control: the catalogue row, the wheel row,
  // the measure columns, the date wheel (ISO 8601 "2024-05-17" or the locale's short date; empty
  // clears), typed text (prices must read as numbers; empty is allowed). A value the control
  // cannot produce changes nothing and is an error naming the value and what is accepted.
  Status enterValue(std::string_view outlet, std::string_view value) override;
  // What a field accepts, in words, for refusals and help texts.
  std::string acceptedValues(std::string_view outlet) const override;
  // Whether a typed price reads as a number (else it would be stored as 0).
  static bool isReadableNumber(std::string_view text);

 private:
  struct PickerState {
    std::vector<int> selectedRows;
    bool hidden = true;
    // What the wheel shows: a number wheel's text, or a measure's three columns.
    std::string components[3];
  };

  int indexOf(std::string_view outlet) const;
  const FieldDescriptor* field(std::string_view outlet) const;
  std::string& textOf(const FieldDescriptor& field);
  PickerState* pickerOf(std::string_view picker);
  const PickerState* pickerOf(std::string_view picker) const;
  const std::vector<int>* numberListOf(std::string_view picker) const;
  void runDoneAction(const FieldDescriptor& field);
  void doneCatalogue(std::string_view picker);
  void doneWheel(std::string_view outlet);
  void doneMeasure(std::string_view outlet);
  void doneDate(std::string_view outlet);
  void fill(const FieldDescriptor& field, const WatchHandOver& handOver);

  void presentImageChoice();
  void pictureChosen(PickedImage picked);
  void place(PictureSlot& slot, std::optional<Image> image);
  Result<std::optional<Date>> dateFromUserText(std::string_view text) const;
  // Writes the form's fields into `watch`; its pictures only where `pictures` says so.
  enum class Pictures { All, Chosen, None };
  void writeForm(Kello& watch, Pictures pictures) const;
  // What the form writes (without pictures), as a record outside the store.
  std::shared_ptr<Kello> formRecord() const;
  void writePicture(Kello& watch, const PictureSlot& slot, bool front) const;

  AppServices& services_;
  std::optional<AssetCatalog> ownAssets_;
  const AssetCatalog& assets_;
  ImageCodec codec_;
  HistoryLog historyLog_;

  // The opener's hand-over.
  bool tempInsertUusiKello = true;
  bool editingWatch_ = false;
  ObjectID kelloID_;
  std::string tempTitleMuutos;
  WatchHandOver handOver_;

  std::string title_;
  std::vector<std::string> texts_;  // one per descriptor, in order
  NotesTextView notesTextView_;
  PictureSlot cameraImageView_, cameraImageViewBack_;
  double preferredContentHeight_ = kFormContentHeight + 2 * kPictureSlotWidth;
  std::optional<std::string> pictureError_;
  int callingGesture_ = 0;

  std::map<std::string, PickerState, std::less<>> pickers_;
  std::vector<int> years_, powerReserves_, lugWidths_;
  int edited_ = -1;  // the descriptor of the field being edited
  std::optional<DateWheel> dateWheel_;
  // The form as it opened (both modes), and which pictures the user chose since.
  std::shared_ptr<Kello> openedForm_;
  bool frontPictureChosen_ = false;
  bool backPictureChosen_ = false;
  // Sheet and picker callbacks check this, so a late answer after the screen closed is dropped.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tockary
