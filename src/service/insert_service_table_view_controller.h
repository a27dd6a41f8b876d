#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/date_wheel.h"
#include "forms/editor_form.h"
#include "forms/form_field.h"
#include "forms/watch_label_picker.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "store/app_services.h"

namespace tockary {

// The form through which a service record is added (insert mode) or changed (edit mode). Its
// fields are the descriptors of serviceFormFields(), named by their outlets. It reads the watches
// when it loads and writes the store only in saveNewService().
class InsertServiceTableViewController : public EditorForm {
 public:
  static constexpr std::string_view kInsertTitle = "Add Service";
  static constexpr std::string_view kEmptyCollectionPlaceholder =
      WatchLabelPicker::kEmptyCollectionPlaceholder;
  static constexpr double kDatePickerHeight = 250.0;

  // `services` must outlive the screen.
  explicit InsertServiceTableViewController(AppServices& services);

  // What the opener chooses before the screen loads: insert mode (the default), or edit mode
  // with the record and the title the detail screen hands over.
  void openForInsert();
  void openForEdit(ObjectID huoltoID, std::string title);

  // Fills the form from the record in edit mode (an unknown record leaves it empty) and lists the
  // labels of every watch, sold ones included, in store order. In insert mode the watch field
  // asks to be edited first (firstResponder()); the front end then begins editing it.
  void viewDidLoad() override;

  // --- The form.
  static std::span<const FieldDescriptor> formFields();
  std::span<const FieldDescriptor> fields() const override { return formFields(); }
  const std::string& title() const override { return title_; }
  bool isEditMode() const override { return editingService_; }
  // The text a field shows; empty for a name that is no field of the form.
  const std::string& text(std::string_view outlet) const override;
  // The field that asked to be edited when the screen loaded; empty when none did.
  std::string_view firstResponder() const override { return firstResponder_; }
  const std::vector<std::string>& kelloPickerData() const { return watchPicker_.labels(); }
  // The label the watch picker last proposed.
  const std::string& kelloComponent() const { return watchPicker_.component(); }

  // --- Editing a field as the user does.
  // The watch field opens its picker on its own label when the picker offers it, else on the
  // first label (or the placeholder of an empty collection), which the field then shows. A date
  // field opens its wheel on its date, or on today's date, which the field then shows.
  void textFieldDidBeginEditing(std::string_view outlet) override;
  // The outlet of the field being edited, empty when none is.
  std::string_view editedField() const override;
  // The wheel below the field being edited, with its toolbar button's title; nullopt when none.
  std::optional<Wheel> shownWheel() const override;
  // The selection callback of the shown wheel; false for a row or column it does not show
  // (always for the watch picker of an empty collection).
  bool pickerViewDidSelectRow(int row, int component) override;
  // The date wheel of the date field being edited turned to `date`.
  void datePickerValueChanged(Date date);
  // The toolbar button above the shown wheel; false when none is shown.
  bool pressToolbarButton() override;
  void doneWatchPicker();
  void doneServiceStartDatePicker();
  void doneServiceEndDatePicker();
  void doneServiceWarrantyEndDatePicker();
  void endEditing() override;
  // The change filter of the watch, date and cost fields: refuses a replacement holding any of
  // "€₳$₡£₵¥₮". Other fields take any text.
  bool shouldChangeCharacters(std::string_view outlet, std::string_view replacement) const override;
  // Types or pastes `replacement` over `length` bytes at `location` of a typed field, through the
  // filter. False when refused (text unchanged) or when the field is not typed.
  bool replaceText(std::string_view outlet, std::size_t location, std::size_t length,
                   std::string_view replacement) override;

  // --- Filling a field from outside as its own control would: the watch by a label the picker
  // offers or by a watch's id ("Kello/3"), empty for none; a date as ISO 8601 or the locale's
  // short date, empty clears it; a cost that reads as a number without a currency sign; any text
  // elsewhere. A value the control cannot produce changes nothing and is an error naming the
  // value and what is accepted.
  Status enterValue(std::string_view outlet, std::string_view value) override;
  // What a field accepts, in words.
  std::string acceptedValues(std::string_view outlet) const override;

  // Writes the form into a new record (an empty watch field stores "----------") or into the
  // edited one (an empty watch field stores ""), saves and closes the screen: one screen back
  // after an insert, two after an edit. A failed save is not shown to the user, only returned;
  // a busy store saves nothing, shows the busy alert, keeps the screen and returns the status.
  // Returns the record's id.
  Result<ObjectID> saveNewService();
  Result<ObjectID> save() override { return saveNewService(); }

 private:
  int indexOf(std::string_view outlet) const;
  std::string& textOf(const FieldDescriptor& field);
  void writeForm(class Huolto& service) const;
  void doneDate(std::string_view outlet);

  AppServices& services_;
  bool editingService_ = false;
  ObjectID huoltoID_;
  std::string tempEditTitleMuutos;

  std::string title_{kInsertTitle};
  std::vector<std::string> texts_;  // one per descriptor, in order
  std::string firstResponder_;
  WatchLabelPicker watchPicker_;
  int edited_ = -1;  // the descriptor of the field being edited
  std::optional<DateWheel> dateWheel_;
};

}  // namespace tockary
