#include "editor/insert_watch_table_view_controller.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "editor/watch_form.h"
#include "forms/field_input.h"
#include "forms/image_choice.h"
#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

using Screen = InsertWatchTableViewController;

constexpr std::string_view kNoInfo = "No Info";
constexpr std::string_view kFrontPictureOutlet = "cameraImageView";
constexpr std::string_view kBackPictureOutlet = "cameraImageViewBack";

// Typed fields the screen is the delegate of, besides every field with a wheel: their text goes
// through the currency-sign filter.
constexpr std::string_view kFilteredTypedFields[] = {"movementTextField", "purchasedFromTextField",
                                                     "priceTextField", "soldPriceTextField"};

// The Done action of each wheel, by the picker it closes or, for a date, by the field.
struct DoneAction {
  std::string_view name;
  void (Screen::*action)();
};
constexpr DoneAction kDoneActions[] = {
    {"movementTypePicker", &Screen::doneMovementTypePicker},
    {"bphPicker", &Screen::doneBphPicker},
    {"caseMaterialPicker", &Screen::doneCaseMaterialPicker},
    {"bezelMaterialPicker", &Screen::doneBezelMaterialPicker},
    {"glassPicker", &Screen::doneGlassPicker},
    {"waterProofPicker", &Screen::doneWaterProofPicker},
    {"dialColorPicker", &Screen::doneDialColorPicker},
    {"crownTypePicker", &Screen::doneCrownTypePicker},
    {"setCompletenessPicker", &Screen::doneSetCompletenessPicker},
    {"complicationPicker", &Screen::doneComplicationPicker},
    {"yearPicker", &Screen::doneYearPicker},
    {"powerPicker", &Screen::donePowerPicker},
    {"lugWidthPicker", &Screen::doneLugWidthPicker},
    {"leveysPicker", &Screen::doneDiameterPicker},
    {"paksuusPicker", &Screen::doneThicknessPicker},
    {"lugToLugPicker", &Screen::doneLugToLugPicker},
    {"purchaseDateTextField", &Screen::donePurchaseDatePicker},
    {"warrantyEndDateTexField", &Screen::doneWarrantyEndDatePicker},
    {"soldDateTextField", &Screen::doneSoldDatePicker},
};

bool isTyped(const FieldDescriptor& field) {
  return field.kind == FieldKind::Text || field.kind == FieldKind::Number;
}

bool isFiltered(const FieldDescriptor& field) {
  return field.opensWheel() ||
         std::ranges::find(kFilteredTypedFields, field.outlet) != std::end(kFilteredTypedFields);
}

// A whole number written as plain decimal digits ("40", not "+40", " 40" or "40.0").
std::optional<int> wholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-')
    return std::nullopt;
  return value;
}

// The rows of the three measure columns that show `text` exactly ("40", "40.5"); nullopt for a
// text the wheels cannot show (no leading zeros, so 40.05 has none).
std::optional<std::array<int, 3>> measureRows(std::string_view text) {
  const auto point = text.find('.');
  const auto whole = wholeNumber(text.substr(0, point));
  const auto fraction =
      point == std::string_view::npos ? std::optional<int>(0) : wholeNumber(text.substr(point + 1));
  const auto& columns = milliData();
  const bool shown =
      whole && *whole >= 1 && *whole <= 100 && fraction && *fraction <= 99 &&
      (point == std::string_view::npos || text.substr(point + 1) == columns[2][*fraction]) &&
      text.substr(0, point) == columns[0][*whole - 1];
  if (!shown) return std::nullopt;
  return std::array<int, 3>{*whole - 1, 0, *fraction};
}

std::string quotedList(Choices choices) {
  std::string list;
  for (const auto& value : choices) {
    if (!list.empty()) list += ", ";
    list += "\"" + std::string(value) + "\"";
  }
  return list;
}

Status refusal(std::string_view value, const std::string& accepted) {
  return fieldRefusal(value, accepted);
}

const std::string kNoText;

// Writes into `watch` every attribute whose value in `form` differs from the one in `base`.
void writeDifferences(const Kello& form, const Kello& base, Kello& watch) {
  for (const auto& attribute : form.entity().attributes) {
    Value value = form.valueForKey(attribute.name);
    if (value != base.valueForKey(attribute.name))
      watch.setValueForKey(attribute.name, std::move(value));
  }
}

bool sameValues(const Kello& a, const Kello& b) {
  for (const auto& attribute : a.entity().attributes) {
    if (a.valueForKey(attribute.name) != b.valueForKey(attribute.name)) return false;
  }
  return true;
}

// The notes to store when the user changed them: text only added at the end goes after the
// entries another program appended since the form opened; any other edit is taken as typed.
std::string mergedNotes(const std::string& opened, const std::string& stored,
                        const std::string& typed) {
  if (stored != opened && stored.starts_with(opened) && typed.starts_with(opened))
    return stored + typed.substr(opened.size());
  return typed;
}

}  // namespace

InsertWatchTableViewController::InsertWatchTableViewController(AppServices& services)
    : services_(services),
      ownAssets_(std::in_place),
      assets_(*ownAssets_),
      historyLog_(services.defaults, services.formatters, services.clock),
      texts_(watchFormFields().size()) {}

InsertWatchTableViewController::InsertWatchTableViewController(AppServices& services,
                                                               const AssetCatalog& assets)
    : services_(services),
      assets_(assets),
      historyLog_(services.defaults, services.formatters, services.clock),
      texts_(watchFormFields().size()) {}

InsertWatchTableViewController::~InsertWatchTableViewController() { *alive_ = false; }

std::span<const FieldDescriptor> InsertWatchTableViewController::formFields() {
  return watchFormFields();
}

void InsertWatchTableViewController::openForInsert() {
  tempInsertUusiKello = true;
  editingWatch_ = false;
}

void InsertWatchTableViewController::openForEdit(WatchEditRequest request) {
  tempInsertUusiKello = false;
  editingWatch_ = request.editMode;
  kelloID_ = std::move(request.kelloID);
  tempTitleMuutos = std::move(request.title);
  handOver_ = std::move(request.values);
}

int InsertWatchTableViewController::indexOf(std::string_view outlet) const {
  const auto fields = formFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].outlet == outlet) return static_cast<int>(i);
  }
  return -1;
}

const FieldDescriptor* InsertWatchTableViewController::field(std::string_view outlet) const {
  const int index = indexOf(outlet);
  return index < 0 ? nullptr : &formFields()[static_cast<std::size_t>(index)];
}

std::string& InsertWatchTableViewController::textOf(const FieldDescriptor& field) {
  return texts_[static_cast<std::size_t>(&field - formFields().data())];
}

const std::string& InsertWatchTableViewController::text(std::string_view outlet) const {
  const int index = indexOf(outlet);
  if (index < 0) return kNoText;
  if (formFields()[static_cast<std::size_t>(index)].kind == FieldKind::Notes)
    return notesTextView_.text;
  return texts_[static_cast<std::size_t>(index)];
}

InsertWatchTableViewController::PickerState* InsertWatchTableViewController::pickerOf(
    std::string_view picker) {
  const auto found = pickers_.find(picker);
  return found == pickers_.end() ? nullptr : &found->second;
}

const InsertWatchTableViewController::PickerState* InsertWatchTableViewController::pickerOf(
    std::string_view picker) const {
  const auto found = pickers_.find(picker);
  return found == pickers_.end() ? nullptr : &found->second;
}

const std::vector<int>* InsertWatchTableViewController::numberListOf(
    std::string_view picker) const {
  if (picker == "yearPicker") return &years_;
  if (picker == "powerPicker") return &powerReserves_;
  if (picker == "lugWidthPicker") return &lugWidths_;
  return nullptr;
}

void InsertWatchTableViewController::viewDidLoad() {
  const int currentYear = services_.formatters.calendar().localDateTime(services_.clock.now()).year;
  years_ = yearList(currentYear);
  powerReserves_ = powerReserveList();
  lugWidths_ = lugWidthList();
  pickers_.clear();
  for (const FieldDescriptor& f : formFields()) {
    if (f.picker.empty()) continue;
    PickerState& picker = pickers_[std::string(f.picker)];
    picker.selectedRows.assign(f.kind == FieldKind::Measure ? 3 : 1, 0);
    if (f.kind == FieldKind::Measure) {
      picker.components[0] = "0";
      picker.components[1] = ".";
      picker.components[2] = "0";
    }
  }
  pickers_["yearPicker"].components[0] = std::to_string(years_.front());
  pickers_["powerPicker"].selectedRows[0] = kPowerReserveStartRow;
  pickers_["powerPicker"].components[0] = std::to_string(powerReserves_[kPowerReserveStartRow]);
  pickers_["lugWidthPicker"].selectedRows[0] = kLugWidthStartRow;
  pickers_["lugWidthPicker"].components[0] = std::to_string(lugWidths_[kLugWidthStartRow]);
  pickers_["lugToLugPicker"].selectedRows[0] = kLugToLugStartRow;
  pickers_["lugToLugPicker"].components[0] = milliData()[0][kLugToLugStartRow];
  cameraImageView_ = cameraImageViewBack_ =
      PictureSlot{std::nullopt, kPictureSlotWidth, kPictureSlotWidth};
  preferredContentHeight_ = kFormContentHeight + 2 * kPictureSlotWidth;

  if (!tempInsertUusiKello) {
    title_ = tempTitleMuutos;
    for (const FieldDescriptor& f : formFields()) fill(f, handOver_);
    openedForm_ = formRecord();
  } else {
    title_ = kInsertTitle;
    const std::pair<PictureSlot*, std::string_view> placeholders[] = {
        {&cameraImageView_, kFrontPlaceholderPicture},
        {&cameraImageViewBack_, kBackPlaceholderPicture}};
    for (const auto& [slot, name] : placeholders) {
      auto bytes = assets_.imageNamed(name);
      auto image = bytes ? codec_.decode(*bytes) : Result<Image>(bytes.status());
      if (image) {
        place(*slot, std::move(image).value());
      } else {
        diagnostic("Placeholder picture missing: " + image.status().description());
      }
    }
    tempInsertUusiKello = false;
    openedForm_ = formRecord();
  }
}

void InsertWatchTableViewController::fill(const FieldDescriptor& f, const WatchHandOver& handOver) {
  const Value value = handOver.value(f.attribute);
  switch (f.kind) {
    case FieldKind::Text:
    case FieldKind::Catalogue:
    case FieldKind::Wheel:
    case FieldKind::Measure: {
      const auto* text = std::get_if<std::string>(&value);
      textOf(f) = text ? *text : std::string();
      return;
    }
    case FieldKind::Notes: {
      const auto* text = std::get_if<std::string>(&value);
      notesTextView_.text = text ? *text : std::string();
      return;
    }
    case FieldKind::Number: {
      // Shown without grouping: "1,200" would read back as 1.2 when the form is saved.
      const auto* number = std::get_if<double>(&value);
      if (number && *number != 0) {
        textOf(f) = std::isfinite(*number) ? services_.formatters.plainDecimal(*number) : "-----";
      }
      return;
    }
    case FieldKind::Date:
      if (const auto* date = std::get_if<Date>(&value)) {
        textOf(f) = services_.formatters.shortDate(*date);
      }
      return;
    case FieldKind::Picture: {
      const auto* bytes = std::get_if<Bytes>(&value);
      if (bytes == nullptr) return;
      auto image = codec_.decode(*bytes);
      if (image) {
        place(f.outlet == "cameraImageView" ? cameraImageView_ : cameraImageViewBack_,
              std::move(image).value());
      } else {
        // The stored picture stays as it is: a slot without a picture writes nothing.
        diagnostic("Stored picture not shown: " + image.status().description());
      }
      return;
    }
  }
}

// --- Picker data source.

int InsertWatchTableViewController::numberOfComponents(std::string_view picker) const {
  const FieldDescriptor* owner = nullptr;
  for (const FieldDescriptor& f : formFields()) {
    if (f.picker == picker) owner = &f;
  }
  return owner != nullptr && owner->kind == FieldKind::Measure ? 3 : 1;
}

int InsertWatchTableViewController::numberOfRows(std::string_view picker, int component) const {
  const FieldDescriptor* owner = nullptr;
  for (const FieldDescriptor& f : formFields()) {
    if (f.picker == picker && !picker.empty()) owner = &f;
  }
  if (owner == nullptr) return 1;
  if (owner->kind == FieldKind::Measure) {
    if (component == 1) return 1;
    return component == 0 || component == 2 ? 100 : 0;
  }
  if (component != 0) return 0;
  if (owner->kind == FieldKind::Catalogue) return static_cast<int>(owner->choices.size());
  return static_cast<int>(numberListOf(picker)->size());
}

std::string InsertWatchTableViewController::titleForRow(std::string_view picker, int row,
                                                        int component) const {
  const FieldDescriptor* owner = nullptr;
  for (const FieldDescriptor& f : formFields()) {
    if (f.picker == picker && !picker.empty()) owner = &f;
  }
  if (owner == nullptr) return std::string(kNoInfo);
  if (row < 0 || row >= numberOfRows(picker, component)) return {};
  if (owner->kind == FieldKind::Measure) return milliData()[component][row];
  if (owner->kind == FieldKind::Catalogue) return std::string(owner->choices[row]);
  return std::to_string((*numberListOf(picker))[row]);
}

double InsertWatchTableViewController::widthForComponent(std::string_view picker,
                                                         int /*component*/) const {
  return numberOfComponents(picker) == 3 ? kMeasureColumnWidth : kScreenWidth;
}

// --- Editing.

void InsertWatchTableViewController::textFieldDidBeginEditing(std::string_view outlet) {
  const int index = indexOf(outlet);
  if (index < 0) return;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(index)];
  if (f.kind == FieldKind::Notes || f.kind == FieldKind::Picture) return;
  edited_ = index;
  dateWheel_.reset();
  std::string& shown = textOf(f);
  PickerState* picker = pickerOf(f.picker);
  switch (f.kind) {
    case FieldKind::Catalogue: {
      // A value the wheel offers stays and the wheel opens at it: a look at the field must not
      // change the watch. Anything else gives way to the proposal.
      int row = rowOf(f.choices, shown);
      if (row < 0) {
        shown = std::string(f.proposal);
        row = std::max(0, rowOf(f.choices, f.proposal));
      }
      picker->hidden = false;
      picker->selectedRows[0] = row;
      return;
    }
    case FieldKind::Wheel: {
      const auto& values = *numberListOf(f.picker);
      // Text the wheels could not have produced leaves the wheel where it is.
      if (const auto number = wholeNumber(shown)) {
        const int row = values.front() - *number;
        if (row >= 0 && row < static_cast<int>(values.size())) {
          picker->selectedRows[0] = row;
          picker->components[0] = std::to_string(values[row]);
        }
      }
      picker->hidden = false;
      return;
    }
    case FieldKind::Measure: {
      // The wheels turn to the field's measure where they can show it, and hold the texts they
      // show: turning one column keeps the others, and a confirm stores what is seen.
      if (const auto rows = measureRows(shown))
        picker->selectedRows.assign(rows->begin(), rows->end());
      for (std::size_t column = 0; column < 3; ++column)
        picker->components[column] = milliData()[column][picker->selectedRows[column]];
      picker->hidden = false;
      return;
    }
    case FieldKind::Date: {
      // The same for a date: the wheel opens at the field's date, an empty field takes today.
      const std::optional<Date> held = services_.formatters.parseShortDate(shown);
      const Date date = held ? *held : services_.clock.now();
      dateWheel_.emplace(services_.formatters, date);
      if (!held) shown = services_.formatters.shortDate(date);
      return;
    }
    default:
      return;
  }
}

std::string_view InsertWatchTableViewController::editedField() const {
  return edited_ < 0 ? std::string_view() : formFields()[static_cast<std::size_t>(edited_)].outlet;
}

std::optional<Wheel> InsertWatchTableViewController::shownWheel() const {
  if (edited_ < 0) return std::nullopt;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  Wheel wheel{std::string(f.outlet), std::string(f.prompt), {}};
  if (f.kind == FieldKind::Date) {
    if (!dateWheel_) return std::nullopt;
    wheel.columns = dateWheel_->columns();
    return wheel;
  }
  const PickerState* picker = pickerOf(f.picker);
  if (picker == nullptr || picker->hidden) return std::nullopt;
  for (int column = 0; column < numberOfComponents(f.picker); ++column) {
    WheelColumn shown;
    for (int row = 0; row < numberOfRows(f.picker, column); ++row) {
      shown.titles.push_back(titleForRow(f.picker, row, column));
    }
    shown.width = widthForComponent(f.picker, column);
    shown.selected = picker->selectedRows[static_cast<std::size_t>(column)];
    wheel.columns.push_back(std::move(shown));
  }
  return wheel;
}

bool InsertWatchTableViewController::pickerViewDidSelectRow(int row, int component) {
  if (edited_ < 0) return false;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  if (f.kind == FieldKind::Date) {
    if (!dateWheel_ || !dateWheel_->select(component, row)) return false;
    datePickerValueChanged(dateWheel_->date());
    return true;
  }
  PickerState* picker = pickerOf(f.picker);
  if (picker == nullptr || picker->hidden || component < 0 ||
      component >= numberOfComponents(f.picker) || row < 0 ||
      row >= numberOfRows(f.picker, component)) {
    return false;
  }
  picker->selectedRows[static_cast<std::size_t>(component)] = row;
  std::string& shown = textOf(f);
  switch (f.kind) {
    case FieldKind::Catalogue:
      shown = std::string(f.choices[row]);
      return true;
    case FieldKind::Wheel:
      picker->components[0] = titleForRow(f.picker, row, 0);
      shown = picker->components[0];
      return true;
    case FieldKind::Measure: {
      auto& parts = picker->components;
      parts[component] = component == 1 ? "." : milliData()[component][row];
      if (!parts[0].empty() && !parts[1].empty() && !parts[2].empty())
        shown = parts[0] + parts[1] + parts[2];
      return true;
    }
    default:
      return false;
  }
}

void InsertWatchTableViewController::datePickerValueChanged(Date date) {
  if (edited_ < 0) return;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(edited_)];
  if (f.kind != FieldKind::Date || !dateWheel_) return;
  dateWheel_.emplace(services_.formatters, date);
  textOf(f) = services_.formatters.shortDate(date);
}

bool InsertWatchTableViewController::pressToolbarButton() {
  if (!shownWheel()) return false;
  runDoneAction(formFields()[static_cast<std::size_t>(edited_)]);
  return true;
}

void InsertWatchTableViewController::runDoneAction(const FieldDescriptor& f) {
  const std::string_view name = f.kind == FieldKind::Date ? f.outlet : f.picker;
  for (const DoneAction& done : kDoneActions) {
    if (done.name == name) (this->*done.action)();
  }
}

void InsertWatchTableViewController::endEditing() {
  edited_ = -1;
  dateWheel_.reset();
  notesTextView_.firstResponder = false;
}

bool InsertWatchTableViewController::shouldChangeCharacters(std::string_view /*outlet*/,
                                                            std::string_view replacement) const {
  return passesCurrencySignFilter(replacement);
}

bool InsertWatchTableViewController::replaceText(std::string_view outlet, std::size_t location,
                                                 std::size_t length, std::string_view replacement) {
  const FieldDescriptor* f = field(outlet);
  if (f == nullptr || !isTyped(*f)) return false;
  if (isFiltered(*f) && !shouldChangeCharacters(outlet, replacement)) return false;
  std::string& shown = textOf(*f);
  location = std::min(location, shown.size());
  shown.replace(location, std::min(length, shown.size() - location), replacement);
  return true;
}

void InsertWatchTableViewController::doneCatalogue(std::string_view picker) {
  if (PickerState* state = pickerOf(picker)) state->hidden = true;
  if (edited_ >= 0 && formFields()[static_cast<std::size_t>(edited_)].picker == picker) {
    edited_ = -1;
  }
}

void InsertWatchTableViewController::doneWheel(std::string_view outlet) {
  const FieldDescriptor* f = field(outlet);
  PickerState* picker = pickerOf(f->picker);
  textOf(*f) = picker->components[0];
  doneCatalogue(f->picker);
}

void InsertWatchTableViewController::doneMeasure(std::string_view outlet) {
  const FieldDescriptor* f = field(outlet);
  const auto& parts = pickerOf(f->picker)->components;
  textOf(*f) = parts[2] == "0" ? parts[0] : parts[0] + "." + parts[2];
  doneCatalogue(f->picker);
}

void InsertWatchTableViewController::doneDate(std::string_view outlet) {
  if (editedField() == outlet) dateWheel_.reset();
  endEditing();
}

void InsertWatchTableViewController::doneMovementTypePicker() {
  doneCatalogue("movementTypePicker");
}
void InsertWatchTableViewController::doneBphPicker() { doneCatalogue("bphPicker"); }
void InsertWatchTableViewController::doneCaseMaterialPicker() {
  doneCatalogue("caseMaterialPicker");
}
void InsertWatchTableViewController::doneBezelMaterialPicker() {
  doneCatalogue("bezelMaterialPicker");
}
void InsertWatchTableViewController::doneGlassPicker() { doneCatalogue("glassPicker"); }
void InsertWatchTableViewController::doneWaterProofPicker() { doneCatalogue("waterProofPicker"); }
void InsertWatchTableViewController::doneDialColorPicker() { doneCatalogue("dialColorPicker"); }
void InsertWatchTableViewController::doneCrownTypePicker() { doneCatalogue("crownTypePicker"); }
void InsertWatchTableViewController::doneSetCompletenessPicker() {
  doneCatalogue("setCompletenessPicker");
}
void InsertWatchTableViewController::doneComplicationPicker() {
  doneCatalogue("complicationPicker");
}
void InsertWatchTableViewController::doneYearPicker() { doneWheel("yearTextField"); }
void InsertWatchTableViewController::donePowerPicker() { doneWheel("powerResTextField"); }
void InsertWatchTableViewController::doneLugWidthPicker() { doneWheel("lugWidthTextField"); }
void InsertWatchTableViewController::doneDiameterPicker() { doneMeasure("caseDiameterTextField"); }
void InsertWatchTableViewController::doneThicknessPicker() { doneMeasure("thicknessTextField"); }
void InsertWatchTableViewController::doneLugToLugPicker() { doneMeasure("lugToLugTextField"); }
void InsertWatchTableViewController::donePurchaseDatePicker() { doneDate("purchaseDateTextField"); }
void InsertWatchTableViewController::doneWarrantyEndDatePicker() {
  doneDate("warrantyEndDateTexField");
}
void InsertWatchTableViewController::doneSoldDatePicker() {
  doneDate("soldDateTextField");
  notesTextView_.text += historyLog_.markedSold();
}

void InsertWatchTableViewController::insertDatestampToNotesField() {
  notesTextView_.firstResponder = true;
  notesTextView_.text += "\n" + historyLog_.dateText() + " :";
}

// --- Pictures.

void InsertWatchTableViewController::tapForPhoto() {
  callingGesture_ = 1;
  presentImageChoice();
}

void InsertWatchTableViewController::tapForPhotoBack() {
  callingGesture_ = 2;
  presentImageChoice();
}

const PictureSlot* InsertWatchTableViewController::pictureSlot(std::string_view outlet) const {
  if (outlet == kFrontPictureOutlet) return &cameraImageView_;
  if (outlet == kBackPictureOutlet) return &cameraImageViewBack_;
  return nullptr;
}

void InsertWatchTableViewController::tapPicture(std::string_view outlet) {
  if (outlet == kFrontPictureOutlet) tapForPhoto();
  if (outlet == kBackPictureOutlet) tapForPhotoBack();
}

std::string_view InsertWatchTableViewController::datestampTitle() const {
  return kWatchFormDatestampTitle;
}

void InsertWatchTableViewController::presentImageChoice() {
  std::weak_ptr<bool> alive = alive_;
  const auto noCamera = [this, alive] {
    if (alive.expired()) return;
    Sheet warning;
    warning.style = SheetStyle::Alert;
    warning.title = "Warning";
    warning.message = "You don't have camera";
    warning.actions.push_back(okAction());
    services_.presenter.present(std::move(warning));
  };
  services_.presenter.present(imageChoiceSheet(
      services_.presenter, "Choose Image", alive,
      [this](PickedImage picked) { pictureChosen(std::move(picked)); }, noCamera));
}

void InsertWatchTableViewController::pictureChosen(PickedImage picked) {
  auto image = decodePickedImage(codec_, std::move(picked));
  if (!image) return;  // cancelled
  if (!*image) {
    pictureError_ = image->status().description();
    return;
  }
  auto square = codec_.croppedToCentredSquare(image->value());
  PictureSlot& slot = callingGesture_ == 2 ? cameraImageViewBack_ : cameraImageView_;
  place(slot, square ? std::move(square).value() : std::move(*image).value());
  (callingGesture_ == 2 ? backPictureChosen_ : frontPictureChosen_) = true;
  pictureError_.reset();
}

void InsertWatchTableViewController::place(PictureSlot& slot, std::optional<Image> image) {
  const double before = slot.height;
  if (image && !image->isEmpty()) {
    slot.width = kPictureSlotWidth;
    slot.height = kPictureSlotWidth * image->height() / image->width();
  } else {
    slot.width = slot.height = 0;
  }
  slot.image = std::move(image);
  preferredContentHeight_ += slot.height - before;
}

// --- Leaving without saving.

bool InsertWatchTableViewController::formChanged() const {
  if (frontPictureChosen_ || backPictureChosen_) return true;
  return openedForm_ && !sameValues(*formRecord(), *openedForm_);
}

void InsertWatchTableViewController::leaveForm(std::function<void()> close) {
  if (!formChanged()) {
    close();
    return;
  }
  std::weak_ptr<bool> alive = alive_;
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Discard changes?";
  sheet.message = "What you typed in this form will be lost.";
  sheet.actions.push_back(
      {"discardChanges", "Discard", ActionStyle::Destructive, [alive, close = std::move(close)] {
         if (!alive.expired()) close();
       }});
  sheet.actions.push_back({std::string(kCancelAction), "Keep editing", ActionStyle::Cancel, {}});
  services_.presenter.present(std::move(sheet));
}

void InsertWatchTableViewController::goBack() {
  leaveForm([this] { services_.presenter.pop(1); });
}

// --- Filling fields from outside.

bool InsertWatchTableViewController::isReadableNumber(std::string_view text) {
  return tockary::isReadableNumber(text);
}

Result<std::optional<Date>> InsertWatchTableViewController::dateFromUserText(
    std::string_view text) const {
  return tockary::dateFromUserText(services_.formatters, text);
}

std::string InsertWatchTableViewController::acceptedValues(std::string_view outlet) const {
  const FieldDescriptor* f = field(outlet);
  if (f == nullptr) return {};
  switch (f->kind) {
    case FieldKind::Text:
      return isFiltered(*f) ? "text without the signs " + std::string(kRefusedCurrencySigns)
                            : "any text";
    case FieldKind::Notes:
      return "any text";
    case FieldKind::Number:
      return "a number without a currency sign, such as 1200.50 or 1200,50";
    case FieldKind::Catalogue:
      return quotedList(f->choices);
    case FieldKind::Wheel: {
      const auto* values = numberListOf(f->picker);
      if (values == nullptr || values->empty()) return {};
      return "a whole number from " + std::to_string(values->back()) + " to " +
             std::to_string(values->front());
    }
    case FieldKind::Measure:
      return "millimetres from 1 to 100, optionally with \".\" and a fraction from 0 to 99 "
             "without leading zeros, such as 40 or 40.5";
    case FieldKind::Date:
      return acceptedDateValues(services_.formatters);
    case FieldKind::Picture:
      return "a PNG or JPEG picture";
  }
  return {};
}

Status InsertWatchTableViewController::enterValue(std::string_view outlet, std::string_view value) {
  const FieldDescriptor* f = field(outlet);
  if (f == nullptr) return Status::error("not a field of this form");
  switch (f->kind) {
    case FieldKind::Text:
    case FieldKind::Number: {
      if (isFiltered(*f) && !shouldChangeCharacters(outlet, value)) {
        return refusal(value, acceptedValues(outlet));
      }
      if (f->kind == FieldKind::Number && !value.empty() && !isReadableNumber(value))
        return refusal(value, acceptedValues(outlet));
      (void)replaceText(outlet, 0, text(outlet).size(), value);
      return Status::ok();
    }
    case FieldKind::Notes:
      enterNotes(value);
      return Status::ok();
    case FieldKind::Catalogue: {
      const int row = rowOf(f->choices, value);
      if (row < 0) return refusal(value, acceptedValues(outlet));
      textFieldDidBeginEditing(outlet);
      (void)pickerViewDidSelectRow(row, 0);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Wheel: {
      const auto& values = *numberListOf(f->picker);
      const auto number = wholeNumber(value);
      const int row = number ? values.front() - *number : -1;
      if (row < 0 || row >= static_cast<int>(values.size())) {
        return refusal(value, acceptedValues(outlet));
      }
      textFieldDidBeginEditing(outlet);
      (void)pickerViewDidSelectRow(row, 0);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Measure: {
      // Exactly the texts of the wheels: no leading zeros, so 40.05 cannot be entered.
      const auto rows = measureRows(value);
      if (!rows) return refusal(value, acceptedValues(outlet));
      textFieldDidBeginEditing(outlet);
      for (int column = 0; column < 3; ++column)
        (void)pickerViewDidSelectRow((*rows)[static_cast<std::size_t>(column)], column);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Date: {
      auto date = dateFromUserText(value);
      if (!date) return date.status();
      if (!date->has_value()) {
        textOf(*f).clear();
        return Status::ok();
      }
      textFieldDidBeginEditing(outlet);
      datePickerValueChanged(**date);
      (void)pressToolbarButton();
      return Status::ok();
    }
    case FieldKind::Picture:
      return Status::error("a picture is chosen through its slot, not typed");
  }
  return Status::ok();
}

// --- Saving.

void InsertWatchTableViewController::writeForm(Kello& watch, Pictures pictures) const {
  const auto& formatters = services_.formatters;
  const auto fields = formFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDescriptor& f = fields[i];
    const std::string& shown = texts_[i];
    switch (f.kind) {
      case FieldKind::Text:
      case FieldKind::Catalogue:
      case FieldKind::Wheel:
      case FieldKind::Measure:
        watch.setValueForKey(f.attribute, shown);
        break;
      case FieldKind::Number:
        watch.setValueForKey(f.attribute, parseTypedNumber(shown));
        break;
      case FieldKind::Date: {
        // Parsed as the field shows it; an empty or unreadable text clears the date.
        const auto date = formatters.parseShortDate(shown);
        watch.setValueForKey(f.attribute, date ? Value(*date) : Value());
        break;
      }
      case FieldKind::Notes:
        watch.setValueForKey(f.attribute, notesTextView_.text);
        break;
      case FieldKind::Picture: {
        const bool front = f.outlet == "cameraImageView";
        const bool chosen = front ? frontPictureChosen_ : backPictureChosen_;
        if (pictures == Pictures::All || (pictures == Pictures::Chosen && chosen)) {
          writePicture(watch, front ? cameraImageView_ : cameraImageViewBack_, front);
        }
        break;
      }
    }
  }
}

void InsertWatchTableViewController::writePicture(Kello& watch, const PictureSlot& slot,
                                                  bool front) const {
  std::optional<Result<Bytes>> bytes;
  if (slot.image && !slot.image->isEmpty()) {
    const bool compress = services_.defaults.flag(kCompressWatchImagesSettingOn).value_or(false);
    bytes = compress ? codec_.encodeJpeg(*slot.image, kJpegQuality) : codec_.encodePng(*slot.image);
  } else if (!editingWatch_) {
    bytes = assets_.imageNamed(front ? kFrontPlaceholderPicture : kBackPlaceholderPicture);
  }
  if (!bytes) return;
  if (!*bytes) {
    diagnostic("Picture not stored: " + bytes->status().description());
    return;
  }
  if (front) {
    watch.setKellokuva(std::move(*bytes).value());
  } else {
    watch.setVarasarake6(std::move(*bytes).value());
  }
}

std::shared_ptr<Kello> InsertWatchTableViewController::formRecord() const {
  auto record = services_.context().makeDetachedObject<Kello>();
  writeForm(*record, Pictures::None);
  return record;
}

std::shared_ptr<Kello> insertWatch(ManagedObjectContext& context, const Kello& form) {
  auto watch = context.insertNewObject<Kello>();
  writeDifferences(form, *context.makeDetachedObject<Kello>(), *watch);
  return watch;
}

std::shared_ptr<Kello> InsertWatchTableViewController::insertRecord() const {
  auto record = services_.context().makeDetachedObject<Kello>();
  writeForm(*record, Pictures::All);
  if (auto notes = historyLog_.watchAdded(notesTextView_.text)) record->setVarasarake3(*notes);
  return record;
}

Result<ObjectID> InsertWatchTableViewController::saveWatchDetails() {
  auto& context = services_.context();
  const auto gone = [&] {
    Status status =
        Status::error("The watch being edited no longer exists", {{"id", kelloID_.text()}});
    diagnostic(status.description());
    editingWatch_ = false;
    services_.presenter.pop(2);
    return status;
  };
  // Everything is worked out before the lock is taken (pictures take a while to encode).
  const auto blank = context.makeDetachedObject<Kello>();
  const auto form = context.makeDetachedObject<Kello>();
  std::shared_ptr<Kello> watch;
  Status saved;
  if (!editingWatch_) {
    const auto inserted = insertRecord();
    saved = context.performWrite({}, [&] { watch = insertWatch(context, *inserted); });
  } else {
    if (!context.existingObject<Kello>(kelloID_)) return gone();
    writeForm(*form, Pictures::Chosen);
    const Kello& opened = openedForm_ ? *openedForm_ : *blank;
    saved = context.performWrite({kelloID_}, [&] {
      watch = context.existingObject<Kello>(kelloID_);
      if (!watch) return;
      const std::string storedNotes = watch->varasarake3().value_or("");
      writeDifferences(*form, opened, *watch);
      // A buyer that was never stored counts as sold, yet the form shows it empty, as unsold:
      // saving stores what the form showed, as every save of the form always has.
      if (!handOver_.tempEditSoldTo && form->myyntiliike() == std::string()) {
        watch->setMyyntiliike(std::string());
      }
      const std::string openedNotes = opened.varasarake3().value_or("");
      if (notesTextView_.text != openedNotes) {
        watch->setVarasarake3(mergedNotes(openedNotes, storedNotes, notesTextView_.text));
      }
    });
    if (isRecordGone(saved)) return gone();
  }
  if (!saved) diagnostic("Watch not saved: " + saved.description());
  // Nothing was written: the form stays as it is for another try.
  if (presentIfStoreBusy(saved, services_.presenter)) return saved;
  if (editingWatch_) {
    editingWatch_ = false;
    services_.presenter.pop(2);
  } else {
    services_.presenter.pop(1);
  }
  if (!saved || !watch) return saved ? Status::error("The watch was not saved") : saved;
  // An inserted watch may be given another key when another process took its own first.
  return watch->objectID();
}

}  // namespace tockary
