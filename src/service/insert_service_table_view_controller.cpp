#include "service/insert_service_table_view_controller.h"

#include <algorithm>
#include <cmath>

#include "forms/field_input.h"
#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "service/service_form.h"
#include "store/collection_model.h"
#include "store/records.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

constexpr std::string_view kWatchField = "watchToServiceTextField";
constexpr std::string_view kCostField = "serviceCostTextField";

const std::string kNoText;

bool isTyped(const FieldDescriptor& field) {
  return field.kind == FieldKind::Text || field.kind == FieldKind::Number ||
         field.kind == FieldKind::Notes;
}

// The screen is the delegate of the watch, date and cost fields only; their changes are filtered.
bool isFiltered(const FieldDescriptor& field) {
  return field.kind == FieldKind::Catalogue || field.kind == FieldKind::Date ||
         field.kind == FieldKind::Number;
}

}  // namespace

InsertServiceTableViewController::InsertServiceTableViewController(AppServices& services)
    : services_(services), texts_(serviceFormFields().size()) {}

std::span<const FieldDescriptor> InsertServiceTableViewController::formFields() {
  return serviceFormFields();
}

void InsertServiceTableViewController::openForInsert() {
  editingService_ = false;
  huoltoID_ = {};
  tempEditTitleMuutos.clear();
}

void InsertServiceTableViewController::openForEdit(ObjectID huoltoID, std::string title) {
  editingService_ = true;
  huoltoID_ = std::move(huoltoID);
  tempEditTitleMuutos = std::move(title);
}

int InsertServiceTableViewController::indexOf(std::string_view outlet) const {
  const auto fields = formFields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].outlet == outlet) return static_cast<int>(i);
  return -1;
}

std::string& InsertServiceTableViewController::textOf(const FieldDescriptor& field) {
  return texts_[static_cast<std::size_t>(indexOf(field.outlet))];
}

const std::string& InsertServiceTableViewController::text(std::string_view outlet) const {
  const int index = indexOf(outlet);
  return index < 0 ? kNoText : texts_[static_cast<std::size_t>(index)];
}

void InsertServiceTableViewController::viewDidLoad() {
  auto& context = services_.context();
  const auto& formatters = services_.formatters;
  if (editingService_) {
    title_ = tempEditTitleMuutos;
    if (const auto service = context.existingObject<Huolto>(huoltoID_)) {
      for (const FieldDescriptor& f : formFields()) {
        const Value value = service->valueForKey(f.attribute);
        std::string& shown = textOf(f);
        if (const auto* text = std::get_if<std::string>(&value)) {
          shown = *text;
        } else if (const auto* date = std::get_if<Date>(&value)) {
          shown = formatters.shortDate(*date);
        } else if (const auto* number = std::get_if<double>(&value)) {
          // Without grouping: "1,200" would read back as 1.2 when the form is saved.
          shown = std::isfinite(*number) ? formatters.plainDecimal(*number) : "-----";
        }
      }
    }
  } else {
    title_ = kInsertTitle;
  }
  watchPicker_.load(context, Kello::fetchRequest());
  // Only asked for: the front end opens the picker when it can, and until then the field stays
  // empty (a record saved so has no watch).
  firstResponder_ = editingService_ ? std::string() : std::string(kWatchField);
}

void InsertServiceTableViewController::textFieldDidBeginEditing(std::string_view outlet) {
  const int index = indexOf(outlet);
  if (index < 0) return;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(index)];
  dateWheel_.reset();
  watchPicker_.close();
  edited_ = index;
  std::string& shown = textOf(f);
  if (f.kind == FieldKind::Catalogue) {
    shown = watchPicker_.open(shown);
  } else if (f.kind == FieldKind::Date) {
    // The wheel opens at the field's date, so that opening a field does not change it.
    const std::optional<Date> held = services_.formatters.parseShortDate(shown);
    const Date date = held ? *held : services_.clock.now();
    dateWheel_.emplace(services_.formatters, date);
    if (!held) shown = services_.formatters.shortDate(date);
  }
}

std::string_view InsertServiceTableViewController::editedField() const {
  return edited_ < 0 ? std::string_view() : formFields()[static_cast<std::size_t>(edited_)].outlet;
}

std::optional<Wheel> InsertServiceTableViewController::shownWheel() const {
  if (edited_ < 0) return std::nullopt;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  Wheel wheel{std::string(f.outlet), std::string(f.prompt), {}};
  if (f.kind == FieldKind::Date && dateWheel_) {
    wheel.columns = dateWheel_->columns();
    return wheel;
  }
  if (f.kind == FieldKind::Catalogue && watchPicker_.isOpen()) {
    wheel.columns.push_back(watchPicker_.column());
    return wheel;
  }
  return std::nullopt;
}

bool InsertServiceTableViewController::pickerViewDidSelectRow(int row, int component) {
  if (edited_ < 0) return false;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  if (f.kind == FieldKind::Date) {
    if (!dateWheel_ || !dateWheel_->select(component, row)) return false;
    datePickerValueChanged(dateWheel_->date());
    return true;
  }
  if (f.kind != FieldKind::Catalogue) return false;
  auto label = watchPicker_.select(row, component);
  if (!label) return false;
  textOf(f) = std::move(*label);
  return true;
}

void InsertServiceTableViewController::datePickerValueChanged(Date date) {
  if (edited_ < 0) return;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  if (f.kind != FieldKind::Date || !dateWheel_) return;
  dateWheel_.emplace(services_.formatters, date);
  textOf(f) = services_.formatters.shortDate(date);
}

bool InsertServiceTableViewController::pressToolbarButton() {
  if (!shownWheel()) return false;
  const std::string_view outlet = editedField();
  if (outlet == kWatchField) {
    doneWatchPicker();
  } else if (outlet == "serviceStartDateTextField") {
    doneServiceStartDatePicker();
  } else if (outlet == "serviceEndDateTextField") {
    doneServiceEndDatePicker();
  } else {
    doneServiceWarrantyEndDatePicker();
  }
  return true;
}

void InsertServiceTableViewController::doneWatchPicker() {
  watchPicker_.close();
  if (editedField() == kWatchField) edited_ = -1;
}

void InsertServiceTableViewController::doneDate(std::string_view /*outlet*/) { endEditing(); }
void InsertServiceTableViewController::doneServiceStartDatePicker() {
  doneDate("serviceStartDateTextField");
}
void InsertServiceTableViewController::doneServiceEndDatePicker() {
  doneDate("serviceEndDateTextField");
}
void InsertServiceTableViewController::doneServiceWarrantyEndDatePicker() {
  doneDate("serviceWarrantyEndDateTextfield");
}

void InsertServiceTableViewController::endEditing() {
  edited_ = -1;
  dateWheel_.reset();
  watchPicker_.close();
}

bool InsertServiceTableViewController::shouldChangeCharacters(std::string_view outlet,
                                                              std::string_view replacement) const {
  const int index = indexOf(outlet);
  if (index < 0 || !isFiltered(formFields()[static_cast<std::size_t>(index)])) return true;
  return passesCurrencySignFilter(replacement);
}

bool InsertServiceTableViewController::replaceText(std::string_view outlet, std::size_t location,
                                                   std::size_t length,
                                                   std::string_view replacement) {
  const int index = indexOf(outlet);
  if (index < 0) return false;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(index)];
  if (!isTyped(f) || !shouldChangeCharacters(outlet, replacement)) return false;
  std::string& shown = textOf(f);
  location = std::min(location, shown.size());
  shown.replace(location, std::min(length, shown.size() - location), replacement);
  return true;
}

std::string InsertServiceTableViewController::acceptedValues(std::string_view outlet) const {
  const int index = indexOf(outlet);
  if (index < 0) return {};
  switch (formFields()[static_cast<std::size_t>(index)].kind) {
    case FieldKind::Catalogue:
      return watchPicker_.acceptedValues();
    case FieldKind::Date:
      return acceptedDateValues(services_.formatters);
    case FieldKind::Number:
      return "a number without a currency sign, such as 250.50 or 250,50";
    default:
      return "any text";
  }
}

Status InsertServiceTableViewController::enterValue(std::string_view outlet,
                                                    std::string_view value) {
  const int index = indexOf(outlet);
  if (index < 0) return Status::error("not a field of this form");
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(index)];
  switch (f.kind) {
    case FieldKind::Catalogue: {
      if (value.empty()) {
        textOf(f).clear();
        return Status::ok();
      }
      const auto label = watchPicker_.labelFor(value);
      if (!label) return label.status();
      textFieldDidBeginEditing(outlet);
      const auto& labels = watchPicker_.labels();
      const auto row = std::ranges::find(labels, *label) - labels.begin();
      (void)pickerViewDidSelectRow(static_cast<int>(row), 0);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Date: {
      auto date = dateFromUserText(services_.formatters, value);
      if (!date) return date.status();
      if (!date->has_value()) {
        textOf(f).clear();
        return Status::ok();
      }
      textFieldDidBeginEditing(outlet);
      datePickerValueChanged(**date);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Number:
      if (!passesCurrencySignFilter(value) || (!value.empty() && !isReadableNumber(value)))
        return fieldRefusal(value, acceptedValues(outlet));
      break;
    default:
      break;
  }
  (void)replaceText(outlet, 0, text(outlet).size(), value);
  return Status::ok();
}

void InsertServiceTableViewController::writeForm(Huolto& service) const {
  const auto& formatters = services_.formatters;
  for (const FieldDescriptor& f : formFields()) {
    const std::string& shown = text(f.outlet);
    switch (f.kind) {
      case FieldKind::Date: {
        // Parsed as the field shows it; an empty or unreadable text clears the date.
        const auto date = formatters.parseShortDate(shown);
        service.setValueForKey(f.attribute, date ? Value(*date) : Value());
        break;
      }
      case FieldKind::Number:
        service.setValueForKey(f.attribute, parseTypedNumber(shown));
        break;
      default:
        service.setValueForKey(f.attribute, shown);
        break;
    }
  }
  // A record without a watch is listed under the no-watch label when it is new; an edited one
  // keeps the empty text the user left.
  if (text(kWatchField).empty() && !editingService_) {
    service.setHuollonkello(std::string(kNoWatchLabel));
  }
}

Result<ObjectID> InsertServiceTableViewController::saveNewService() {
  auto& context = services_.context();
  std::shared_ptr<Huolto> service;
  Status saved;
  if (!editingService_) {
    saved = context.performWrite({}, [&] {
      service = context.insertNewObject<Huolto>();
      writeForm(*service);
    });
  } else {
    saved = context.performWrite({huoltoID_}, [&] {
      service = context.existingObject<Huolto>(huoltoID_);
      if (service) writeForm(*service);
    });
    if (isRecordGone(saved) || (saved && !service)) {
      Status gone = Status::error("The service record being edited no longer exists",
                                  {{"id", huoltoID_.text()}});
      diagnostic(gone.description());
      services_.presenter.pop(2);
      return gone;
    }
  }
  if (!saved) diagnostic("Service not saved: " + saved.description());
  // Nothing was written: the form stays as it is for another try.
  if (presentIfStoreBusy(saved, services_.presenter)) return saved;
  services_.presenter.pop(editingService_ ? 2 : 1);
  if (!saved) return saved;
  return service->objectID();
}

}  // namespace tockary
