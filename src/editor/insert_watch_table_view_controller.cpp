#include "editor/insert_watch_table_view_controller.h"

#include <charconv>
#include <cmath>

#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

constexpr std::string_view kNoInfo = "No Info";
constexpr std::string_view kRefusedSigns[] = {"€", "₳", "$", "₡", "£", "₵", "¥", "₮"};

// A whole number written as plain decimal digits ("40", not "+40", " 40" or "40.0").
std::optional<int> wholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-')
    return std::nullopt;
  return value;
}

std::string quotedList(Catalogue catalogue) {
  std::string list;
  for (const auto& value : catalogue) {
    if (!list.empty()) list += ", ";
    list += "\"" + std::string(value) + "\"";
  }
  return list;
}

std::string refusal(std::string_view value, const std::string& accepted) {
  return "\"" + std::string(value) + "\" is refused; accepted: " + accepted;
}

// Writes into `watch` every attribute whose value in `form` differs from the one in `base`.
void writeDifferences(const Kello& form, const Kello& base, Kello& watch) {
  for (const auto& attribute : form.entity().attributes) {
    Value value = form.valueForKey(attribute.name);
    if (value != base.valueForKey(attribute.name))
      watch.setValueForKey(attribute.name, std::move(value));
  }
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

bool FormTextField::pressToolbarButton() const {
  if (!toolbarAction) return false;
  const auto action = toolbarAction;  // the action may detach the toolbar
  action();
  return true;
}

InsertWatchTableViewController::InsertWatchTableViewController(AppServices& services)
    : services_(services),
      ownAssets_(std::in_place),
      assets_(*ownAssets_),
      historyLog_(services.defaults, services.formatters, services.clock) {
  setUpFields();
}

InsertWatchTableViewController::InsertWatchTableViewController(AppServices& services,
                                                               const AssetCatalog& assets)
    : services_(services),
      assets_(assets),
      historyLog_(services.defaults, services.formatters, services.clock) {
  setUpFields();
}

InsertWatchTableViewController::~InsertWatchTableViewController() { *alive_ = false; }

void InsertWatchTableViewController::setUpFields() {
  using C = InsertWatchTableViewController;
  const auto keyboard = [&](FormTextField& field) {
    setups_.push_back({&field, Kind::Keyboard, nullptr, {}, {}, {}, nullptr});
  };
  const auto catalogue = [&](FormTextField& field, PickerView& picker, Catalogue values,
                             Proposal proposal, std::string prompt, void (C::*done)()) {
    setups_.push_back(
        {&field, Kind::Catalogue, &picker, values, proposal, std::move(prompt), done});
  };
  const auto other = [&](FormTextField& field, Kind kind, PickerView* picker, std::string prompt,
                         void (C::*done)()) {
    setups_.push_back({&field, kind, picker, {}, {}, std::move(prompt), done});
  };
  keyboard(manufacturerTextField);
  keyboard(modelTextField);
  other(yearTextField, Kind::Year, &yearPicker, "Confirm Year Selection: ", &C::doneYearPicker);
  keyboard(refTextField);
  keyboard(serialNumberTextField);
  catalogue(movementTypeTextField, movementTypePicker, movementTypeCatalogue(), {"Automatic", 0},
            "Choose movement type: ", &C::doneMovementTypePicker);
  keyboard(movementTextField);
  other(powerResTextField, Kind::Power, &powerPicker,
        "Choose Power Reserve Hours: ", &C::donePowerPicker);
  catalogue(bphTextField, bphPicker, bphCatalogue(), {"28800", 6},
            "Choose Vibrations Per Hour: ", &C::doneBphPicker);
  other(caseDiameterTextField, Kind::Measure, &leveysPicker,
        "Confirm case diameter(mm):", &C::doneDiameterPicker);
  catalogue(caseMaterialTextField, caseMaterialPicker, caseMaterialCatalogue(),
            {"Stainless Steel", 25}, "Choose Case Material: ", &C::doneCaseMaterialPicker);
  other(thicknessTextField, Kind::Measure, &paksuusPicker,
        "Confirm thickness(mm):", &C::doneThicknessPicker);
  other(lugWidthTextField, Kind::LugWidth, &lugWidthPicker,
        "Choose Lug Width(mm): ", &C::doneLugWidthPicker);
  other(lugToLugTextField, Kind::Measure, &lugToLugPicker,
        "Confirm Lug-to-Lug (mm):", &C::doneLugToLugPicker);
  catalogue(bezelMaterialTextField, bezelMaterialPicker, bezelMaterialCatalogue(), {"Aluminium", 0},
            "Choose Bezel Material: ", &C::doneBezelMaterialPicker);
  catalogue(glassTextField, glassPicker, glassCatalogue(), {"Sapphire Crystal", 12},
            "Choose Glass Material: ", &C::doneGlassPicker);
  catalogue(waterProofTextField, waterProofPicker, waterProofCatalogue(), {"1 ATM", 1},
            "Choose Water Resistance: ", &C::doneWaterProofPicker);
  catalogue(dialColorTextField, dialColorPicker, dialColorCatalogue(), {"Black", 0},
            "Choose Dial Color: ", &C::doneDialColorPicker);
  catalogue(crownTypeTextField, crownTypePicker, crownTypeCatalogue(), {"Regular", 0},
            "Choose Crown Type: ", &C::doneCrownTypePicker);
  const Proposal complicationProposals[] = {{"Date", 10},         {"Day", 12},
                                            {"GMT", 21},          {"Chronograph", 7},
                                            {"Date By Hand", 11}, {"Moonphase", 30}};
  const auto fields = complicationFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    catalogue(*fields[i], complicationPicker, complicationCatalogue(), complicationProposals[i],
              "Choose Complication Number " + std::to_string(i + 1) + ": ",
              &C::doneComplicationPicker);
  }
  catalogue(setCompletenessTextField, setCompletenessPicker, setCompletenessCatalogue(),
            {"Full Set", 0}, "Choose Set Completeness: ", &C::doneSetCompletenessPicker);
  keyboard(purchasedFromTextField);
  other(purchaseDateTextField, Kind::Date, nullptr, "Done", &C::donePurchaseDatePicker);
  other(warrantyEndDateTexField, Kind::Date, nullptr, "Done", &C::doneWarrantyEndDatePicker);
  keyboard(priceTextField);
  keyboard(soldToTextField);
  other(soldDateTextField, Kind::Date, nullptr, "Done", &C::doneSoldDatePicker);
  keyboard(soldPriceTextField);

  // Step 1 of loading: the screen is the delegate of every picker-driven field and of these four.
  for (auto& setup : setups_) setup.field->filtered = setup.kind != Kind::Keyboard;
  for (auto* field :
       {&movementTextField, &purchasedFromTextField, &priceTextField, &soldPriceTextField})
    field->filtered = true;
}

std::vector<FormTextField*> InsertWatchTableViewController::complicationFields() {
  return {&complication1TextField, &complication2TextField, &complication3TextField,
          &complication4TextField, &complication5TextField, &complication6TextField};
}

const InsertWatchTableViewController::FieldSetup* InsertWatchTableViewController::setupOf(
    const FormTextField& field) const {
  for (const auto& setup : setups_)
    if (setup.field == &field) return &setup;
  return nullptr;
}

const InsertWatchTableViewController::FieldSetup* InsertWatchTableViewController::setupOf(
    const PickerView& picker) const {
  for (const auto& setup : setups_)
    if (setup.picker == &picker) return &setup;
  return nullptr;
}

InsertWatchTableViewController::MeasureState InsertWatchTableViewController::measureOf(
    const PickerView& picker) {
  if (&picker == &leveysPicker)
    return {&leveysFirstComponent, &leveysSecondComponent, &leveysThirdComponent};
  if (&picker == &paksuusPicker)
    return {&paksuusFirstComponent, &paksuusSecondComponent, &paksuusThirdComponent};
  return {&lugToLugFirstComponent, &lugToLugSecondComponent, &lugToLugThirdComponent};
}

const std::vector<int>* InsertWatchTableViewController::numberListOf(
    const PickerView& picker) const {
  if (&picker == &yearPicker) return &years_;
  if (&picker == &powerPicker) return &powerReserves_;
  if (&picker == &lugWidthPicker) return &lugWidths_;
  return nullptr;
}

std::string* InsertWatchTableViewController::wheelTextOf(const PickerView& picker) {
  if (&picker == &yearPicker) return &vuosiComponent;
  if (&picker == &powerPicker) return &powerComponent;
  if (&picker == &lugWidthPicker) return &lugComponent;
  return nullptr;
}

void InsertWatchTableViewController::viewDidLoad() {
  const int currentYear = services_.formatters.calendar().localDateTime(services_.clock.now()).year;
  years_ = yearList(currentYear);
  powerReserves_ = powerReserveList();
  lugWidths_ = lugWidthList();
  for (const auto& setup : setups_) {
    if (setup.picker == nullptr) continue;
    setup.picker->width = kScreenWidth;
    setup.picker->selectedRows.assign(setup.kind == Kind::Measure ? 3 : 1, 0);
  }
  powerPicker.selectedRows[0] = kPowerReserveStartRow;
  lugWidthPicker.selectedRows[0] = kLugWidthStartRow;
  lugToLugPicker.selectedRows[0] = kLugToLugStartRow;
  vuosiComponent = std::to_string(years_.front());
  powerComponent = std::to_string(powerReserves_[kPowerReserveStartRow]);
  lugComponent = std::to_string(lugWidths_[kLugWidthStartRow]);
  leveysFirstComponent = paksuusFirstComponent = "0";
  lugToLugFirstComponent = milliData()[0][kLugToLugStartRow];
  leveysSecondComponent = paksuusSecondComponent = lugToLugSecondComponent = ".";
  leveysThirdComponent = paksuusThirdComponent = lugToLugThirdComponent = "0";
  cameraImageView = cameraImageViewBack =
      PictureSlot{std::nullopt, kPictureSlotWidth, kPictureSlotWidth};
  preferredContentHeight = kFormContentHeight + 2 * kPictureSlotWidth;

  if (!tempInsertUusiKello) {
    title = tempTitleMuutos;
    const auto& h = handOver;
    const std::pair<FormTextField*, const std::optional<std::string>*> texts[] = {
        {&manufacturerTextField, &h.tempEditMerkki},
        {&modelTextField, &h.tempEditMalli},
        {&yearTextField, &h.tempEditVuosimalli},
        {&refTextField, &h.tempEditRefKoodi},
        {&serialNumberTextField, &h.tempEditSerialNumber},
        {&movementTypeTextField, &h.tempEditMovementType},
        {&movementTextField, &h.tempEditMovement},
        {&powerResTextField, &h.tempEditPowerRes},
        {&bphTextField, &h.tempEditBph},
        {&caseDiameterTextField, &h.tempEditHalkaisija},
        {&caseMaterialTextField, &h.tempEditKuorenMateriaali},
        {&thicknessTextField, &h.tempEditPaksuus},
        {&lugWidthTextField, &h.tempEditLugWidth},
        {&lugToLugTextField, &h.tempEditLugToLug},
        {&bezelMaterialTextField, &h.tempEditBezelMaterial},
        {&glassTextField, &h.tempEditGlass},
        {&waterProofTextField, &h.tempEditWaterProof},
        {&dialColorTextField, &h.tempEditDialColor},
        {&crownTypeTextField, &h.tempEditCrownType},
        {&complication1TextField, &h.tempEditComplication1},
        {&complication2TextField, &h.tempEditComplication2},
        {&complication3TextField, &h.tempEditComplication3},
        {&complication4TextField, &h.tempEditComplication4},
        {&complication5TextField, &h.tempEditComplication5},
        {&complication6TextField, &h.tempEditComplication6},
        {&setCompletenessTextField, &h.tempEditSetCompleteness},
        {&purchasedFromTextField, &h.tempEditPurchasedFrom},
        {&soldToTextField, &h.tempEditSoldTo},
    };
    for (const auto& [field, value] : texts) field->text = value->value_or("");
    notesTextView.text = h.tempEditNotes.value_or("");
    if (h.tempEditPurchasePrice && *h.tempEditPurchasePrice != 0)
      priceTextField.text = priceText(*h.tempEditPurchasePrice);
    if (h.tempEditSoldPrice && *h.tempEditSoldPrice != 0)
      soldPriceTextField.text = priceText(*h.tempEditSoldPrice);
    const std::pair<FormTextField*, const std::optional<Date>*> dates[] = {
        {&purchaseDateTextField, &h.tempEditPurchaseDate},
        {&warrantyEndDateTexField, &h.tempEditWarrantyEndDate},
        {&soldDateTextField, &h.tempEditSoldDate},
    };
    for (const auto& [field, value] : dates)
      if (*value) field->text = services_.formatters.shortDate(**value);
    const std::pair<PictureSlot*, const std::optional<Bytes>*> pictures[] = {
        {&cameraImageView, &h.tempEditWatchPicture},
        {&cameraImageViewBack, &h.tempEditWatchPictureBack},
    };
    for (const auto& [slot, bytes] : pictures) {
      if (!*bytes) continue;
      auto image = codec_.decode(**bytes);
      if (image) {
        place(*slot, std::move(image).value());
      } else {
        // The stored picture stays as it is: a slot without a picture writes nothing.
        diagnostic("Stored picture not shown: " + image.status().description());
      }
    }
    openedForm_ = formRecord();
  } else {
    title = "Add Watch";
    const std::pair<PictureSlot*, std::string_view> placeholders[] = {
        {&cameraImageView, kFrontPlaceholderPicture},
        {&cameraImageViewBack, kBackPlaceholderPicture}};
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
  }
}

std::string InsertWatchTableViewController::priceText(double value) const {
  if (!std::isfinite(value)) return "-----";
  // Shown without grouping: "1,200" would read back as 1.2 when the form is saved.
  const std::string thousand = services_.formatters.decimal(1000);
  std::string grouping;
  if (thousand.size() > 4 && thousand.starts_with("1") && thousand.ends_with("000"))
    grouping = thousand.substr(1, thousand.size() - 4);
  std::string text = services_.formatters.decimal(value);
  if (!grouping.empty()) {
    for (auto at = text.find(grouping); at != std::string::npos; at = text.find(grouping, at))
      text.erase(at, grouping.size());
  }
  return text.empty() ? "-----" : text;
}

// --- Picker data source.

int InsertWatchTableViewController::numberOfComponents(const PickerView& picker) const {
  const auto* setup = setupOf(picker);
  return setup != nullptr && setup->kind == Kind::Measure ? 3 : 1;
}

int InsertWatchTableViewController::numberOfRows(const PickerView& picker, int component) const {
  const auto* setup = setupOf(picker);
  if (setup == nullptr) return 1;
  if (setup->kind == Kind::Measure) {
    if (component == 1) return 1;
    return component == 0 || component == 2 ? 100 : 0;
  }
  if (component != 0) return 0;
  if (setup->kind == Kind::Catalogue) return static_cast<int>(setup->catalogue.size());
  return static_cast<int>(numberListOf(picker)->size());
}

std::string InsertWatchTableViewController::titleForRow(const PickerView& picker, int row,
                                                        int component) const {
  const auto* setup = setupOf(picker);
  if (setup == nullptr) return std::string(kNoInfo);
  if (row < 0 || row >= numberOfRows(picker, component)) return {};
  if (setup->kind == Kind::Measure) return milliData()[component][row];
  if (setup->kind == Kind::Catalogue) return std::string(setup->catalogue[row]);
  return std::to_string((*numberListOf(picker))[row]);
}

double InsertWatchTableViewController::widthForComponent(const PickerView& picker,
                                                         int /*component*/) const {
  const auto* setup = setupOf(picker);
  return setup != nullptr && setup->kind == Kind::Measure ? kMeasureColumnWidth : picker.width;
}

// --- Editing.

void InsertWatchTableViewController::textFieldDidBeginEditing(FormTextField& field) {
  const auto* setup = setupOf(field);
  if (setup == nullptr) return;
  field.editing = true;
  const auto attachToolbar = [&] {
    field.toolbarButtonTitle = setup->prompt;
    field.toolbarAction = [this, done = setup->done] { (this->*done)(); };
  };
  switch (setup->kind) {
    case Kind::Keyboard:
      return;
    case Kind::Catalogue:
      field.inputPicker = setup->picker;
      field.text = std::string(setup->proposal.text);
      setup->picker->hidden = false;
      setup->picker->selectedRows[0] = setup->proposal.row;
      if (setup->picker == &complicationPicker) complicationBeingEdited_ = &field;
      attachToolbar();
      return;
    case Kind::Year:
    case Kind::Power:
    case Kind::LugWidth: {
      const auto& values = *numberListOf(*setup->picker);
      if (!field.text.empty()) {
        // Text the wheels could not have produced leaves the wheel where it is.
        if (const auto number = wholeNumber(field.text)) {
          const int row = values.front() - *number;
          if (row >= 0 && row < static_cast<int>(values.size())) {
            setup->picker->selectedRows[0] = row;
            *wheelTextOf(*setup->picker) = std::to_string(values[row]);
          }
        }
      }
      field.inputPicker = setup->picker;
      setup->picker->hidden = false;
      attachToolbar();
      return;
    }
    case Kind::Measure:
      field.inputPicker = setup->picker;
      setup->picker->hidden = false;
      attachToolbar();
      return;
    case Kind::Date: {
      const Date today = services_.clock.now();
      field.inputDatePicker = DatePickerView{today, kScreenWidth, kDatePickerHeight};
      field.text = services_.formatters.shortDate(today);
      dateBeingEdited_ = &field;
      attachToolbar();
      return;
    }
  }
}

bool InsertWatchTableViewController::shouldChangeCharacters(const FormTextField& /*field*/,
                                                            std::string_view replacement) const {
  for (const auto sign : kRefusedSigns)
    if (replacement.find(sign) != std::string_view::npos) return false;
  return true;
}

bool InsertWatchTableViewController::replaceText(FormTextField& field, std::size_t location,
                                                 std::size_t length, std::string_view replacement) {
  if (field.filtered && !shouldChangeCharacters(field, replacement)) return false;
  location = std::min(location, field.text.size());
  field.text.replace(location, std::min(length, field.text.size() - location), replacement);
  return true;
}

bool InsertWatchTableViewController::pickerViewDidSelectRow(const PickerView& picker, int row,
                                                            int component) {
  const auto* setup = setupOf(picker);
  if (setup == nullptr || component < 0 || component >= numberOfComponents(picker) || row < 0 ||
      row >= numberOfRows(picker, component))
    return false;
  setup->picker->selectedRows[component] = row;
  switch (setup->kind) {
    case Kind::Catalogue: {
      FormTextField* field =
          setup->picker == &complicationPicker ? complicationBeingEdited_ : setup->field;
      if (field != nullptr) field->text = std::string(setup->catalogue[row]);
      return true;
    }
    case Kind::Year:
    case Kind::Power:
    case Kind::LugWidth: {
      std::string* text = wheelTextOf(picker);
      *text = titleForRow(picker, row, 0);
      setup->field->text = *text;
      return true;
    }
    case Kind::Measure: {
      const auto state = measureOf(picker);
      if (component == 0) *state.first = milliData()[0][row];
      if (component == 1) *state.second = ".";
      if (component == 2) *state.third = milliData()[2][row];
      if (!state.first->empty() && !state.second->empty() && !state.third->empty())
        setup->field->text = *state.first + *state.second + *state.third;
      return true;
    }
    case Kind::Keyboard:
    case Kind::Date:
      return false;
  }
  return false;
}

void InsertWatchTableViewController::datePickerValueChanged(Date date) {
  if (dateBeingEdited_ == nullptr || !dateBeingEdited_->inputDatePicker) return;
  dateBeingEdited_->inputDatePicker->date = date;
  dateBeingEdited_->text = services_.formatters.shortDate(date);
}

void InsertWatchTableViewController::endEditing() {
  for (const auto& setup : setups_) setup.field->editing = false;
  notesTextView.firstResponder = false;
}

void InsertWatchTableViewController::doneCatalogue(FormTextField& field, PickerView& picker) {
  picker.hidden = true;
  field.editing = false;
}

void InsertWatchTableViewController::doneWheel(FormTextField& field, PickerView& picker,
                                               const std::string& text) {
  field.text = text;
  picker.hidden = true;
  field.editing = false;
}

void InsertWatchTableViewController::doneMeasure(FormTextField& field, PickerView& picker,
                                                 const MeasureState& state) {
  field.text = *state.third == "0" ? *state.first : *state.first + "." + *state.third;
  picker.hidden = true;
  field.editing = false;
}

void InsertWatchTableViewController::doneDate(FormTextField& field) {
  field.inputDatePicker.reset();
  field.editing = false;
  if (dateBeingEdited_ == &field) dateBeingEdited_ = nullptr;
  endEditing();
}

void InsertWatchTableViewController::doneMovementTypePicker() {
  doneCatalogue(movementTypeTextField, movementTypePicker);
}
void InsertWatchTableViewController::doneBphPicker() { doneCatalogue(bphTextField, bphPicker); }
void InsertWatchTableViewController::doneCaseMaterialPicker() {
  doneCatalogue(caseMaterialTextField, caseMaterialPicker);
}
void InsertWatchTableViewController::doneBezelMaterialPicker() {
  doneCatalogue(bezelMaterialTextField, bezelMaterialPicker);
}
void InsertWatchTableViewController::doneGlassPicker() {
  doneCatalogue(glassTextField, glassPicker);
}
void InsertWatchTableViewController::doneWaterProofPicker() {
  doneCatalogue(waterProofTextField, waterProofPicker);
}
void InsertWatchTableViewController::doneDialColorPicker() {
  doneCatalogue(dialColorTextField, dialColorPicker);
}
void InsertWatchTableViewController::doneCrownTypePicker() {
  doneCatalogue(crownTypeTextField, crownTypePicker);
}
void InsertWatchTableViewController::doneSetCompletenessPicker() {
  doneCatalogue(setCompletenessTextField, setCompletenessPicker);
}
void InsertWatchTableViewController::doneComplicationPicker() {
  complicationPicker.hidden = true;
  for (auto* field : complicationFields()) field->editing = false;
  complicationBeingEdited_ = nullptr;
}
void InsertWatchTableViewController::doneYearPicker() {
  doneWheel(yearTextField, yearPicker, vuosiComponent);
}
void InsertWatchTableViewController::donePowerPicker() {
  doneWheel(powerResTextField, powerPicker, powerComponent);
}
void InsertWatchTableViewController::doneLugWidthPicker() {
  doneWheel(lugWidthTextField, lugWidthPicker, lugComponent);
}
void InsertWatchTableViewController::doneDiameterPicker() {
  doneMeasure(caseDiameterTextField, leveysPicker, measureOf(leveysPicker));
}
void InsertWatchTableViewController::doneThicknessPicker() {
  doneMeasure(thicknessTextField, paksuusPicker, measureOf(paksuusPicker));
}
void InsertWatchTableViewController::doneLugToLugPicker() {
  doneMeasure(lugToLugTextField, lugToLugPicker, measureOf(lugToLugPicker));
}
void InsertWatchTableViewController::donePurchaseDatePicker() { doneDate(purchaseDateTextField); }
void InsertWatchTableViewController::doneWarrantyEndDatePicker() {
  doneDate(warrantyEndDateTexField);
}
void InsertWatchTableViewController::doneSoldDatePicker() {
  doneDate(soldDateTextField);
  notesTextView.text += historyLog_.markedSold();
}

void InsertWatchTableViewController::insertDatestampToNotesField() {
  notesTextView.firstResponder = true;
  notesTextView.text += "\n" + historyLog_.dateText() + " :";
}

// --- Pictures.

void InsertWatchTableViewController::tapForPhoto() {
  callingGesture = 1;
  presentImageChoice();
}

void InsertWatchTableViewController::tapForPhotoBack() {
  callingGesture = 2;
  presentImageChoice();
}

void InsertWatchTableViewController::presentImageChoice() {
  std::weak_ptr<bool> alive = alive_;
  const auto pick = [this, alive](ImageSource source) {
    services_.presenter.pickImage(source, [this, alive](PickedImage picked) {
      if (!alive.expired() && *alive.lock()) pictureChosen(std::move(picked));
    });
  };
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Choose Image";
  sheet.actions.push_back({"Camera", ActionStyle::Default, [this, alive, pick] {
                             if (alive.expired()) return;
                             if (services_.presenter.cameraAvailable()) {
                               pick(ImageSource::Camera);
                               return;
                             }
                             Sheet warning;
                             warning.style = SheetStyle::Alert;
                             warning.title = "Warning";
                             warning.message = "You don't have camera";
                             warning.actions.push_back({"OK", ActionStyle::Default, {}});
                             services_.presenter.present(std::move(warning));
                           }});
  sheet.actions.push_back({"Photo Gallery", ActionStyle::Default, [alive, pick] {
                             if (!alive.expired()) pick(ImageSource::PhotoLibrary);
                           }});
  sheet.actions.push_back({"Cancel", ActionStyle::Cancel, {}});
  services_.presenter.present(std::move(sheet));
}

void InsertWatchTableViewController::pictureChosen(PickedImage picked) {
  if (!picked) return;  // cancelled
  auto image = picked->isOk() ? codec_.decode(picked->value()) : Result<Image>(picked->status());
  if (!image) {
    pictureError = image.status().description();
    diagnostic(*pictureError);
    return;
  }
  auto square = codec_.croppedToCentredSquare(*image);
  PictureSlot& slot = callingGesture == 2 ? cameraImageViewBack : cameraImageView;
  place(slot, square ? std::move(square).value() : std::move(image).value());
  (callingGesture == 2 ? backPictureChosen_ : frontPictureChosen_) = true;
  pictureError.reset();
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
  preferredContentHeight += slot.height - before;
}

// --- Filling fields from outside.

bool InsertWatchTableViewController::isReadableNumber(std::string_view text) {
  if (parseTypedNumber(text) != 0) return true;
  // 0 is also the answer for unreadable text: a true zero is digits that are all 0.
  bool digit = false;
  for (const char c : text) {
    if (c == '0') {
      digit = true;
    } else if (c != '.' && c != ',' && c != '-' && c != '+' && c != ' ') {
      return false;
    }
  }
  return digit && parseTypedNumber(std::string(text) + "1") != 0;
}

Result<std::optional<Date>> InsertWatchTableViewController::dateFromUserText(
    std::string_view text) const {
  if (text.empty()) return std::optional<Date>();
  const auto& f = services_.formatters;
  auto date = f.parseIsoDate(text);
  if (!date) date = f.parseShortDate(text);
  if (!date) {
    const Date example = f.calendar().dateFrom(2024, 5, 17);
    return Status::error(refusal(text, "a date such as 2024-05-17 or " + f.shortDate(example)));
  }
  // The form keeps the date as short-date text; refuse one whose two-digit year reads back as
  // another century rather than store the wrong day.
  const auto readBack = f.parseShortDate(f.shortDate(*date));
  if (!readBack || *readBack != f.calendar().startOfDay(*date)) {
    return Status::error(refusal(text, "dates from 80 years before to 20 years after today; " +
                                           f.shortDate(*date) + " would read back as another day"));
  }
  return std::optional<Date>(date);
}

Status InsertWatchTableViewController::enterValue(FormTextField& field, std::string_view value) {
  const auto* setup = setupOf(field);
  if (setup == nullptr) return Status::error("not a field of this form");
  switch (setup->kind) {
    case Kind::Keyboard: {
      const bool price = &field == &priceTextField || &field == &soldPriceTextField;
      if (field.filtered && !shouldChangeCharacters(field, value)) {
        return Status::error(refusal(value, price ? "a bare number without a currency sign"
                                                  : "text without the signs €₳$₡£₵¥₮"));
      }
      if (price && !value.empty() && !isReadableNumber(value))
        return Status::error(refusal(value, "a number such as 1200.50 or 1200,50"));
      (void)replaceText(field, 0, field.text.size(), value);
      return Status::ok();
    }
    case Kind::Catalogue: {
      const int row = rowOf(setup->catalogue, value);
      if (row < 0) return Status::error(refusal(value, quotedList(setup->catalogue)));
      textFieldDidBeginEditing(field);
      (void)pickerViewDidSelectRow(*setup->picker, row, 0);
      (void)field.pressToolbarButton();
      return Status::ok();
    }
    case Kind::Year:
    case Kind::Power:
    case Kind::LugWidth: {
      const auto& values = *numberListOf(*setup->picker);
      const auto number = wholeNumber(value);
      const int row = number ? values.front() - *number : -1;
      if (row < 0 || row >= static_cast<int>(values.size())) {
        return Status::error(refusal(value, "a whole number from " + std::to_string(values.back()) +
                                                " to " + std::to_string(values.front())));
      }
      textFieldDidBeginEditing(field);
      (void)pickerViewDidSelectRow(*setup->picker, row, 0);
      (void)field.pressToolbarButton();
      return Status::ok();
    }
    case Kind::Measure: {
      const auto point = value.find('.');
      const auto whole = wholeNumber(value.substr(0, point));
      const auto fraction = point == std::string_view::npos ? std::optional<int>(0)
                                                            : wholeNumber(value.substr(point + 1));
      const auto& columns = milliData();
      // Exactly the texts of the wheels: no leading zeros, so 40.05 cannot be entered.
      const bool ok =
          whole && *whole >= 1 && *whole <= 100 && fraction && *fraction <= 99 &&
          (point == std::string_view::npos || value.substr(point + 1) == columns[2][*fraction]) &&
          value.substr(0, point) == columns[0][*whole - 1];
      if (!ok) {
        return Status::error(
            refusal(value,
                    "millimetres from 1 to 100, optionally with \".\" and a fraction from 0 to 99 "
                    "without leading zeros, such as 40 or 40.5"));
      }
      textFieldDidBeginEditing(field);
      (void)pickerViewDidSelectRow(*setup->picker, *whole - 1, 0);
      (void)pickerViewDidSelectRow(*setup->picker, 0, 1);
      (void)pickerViewDidSelectRow(*setup->picker, *fraction, 2);
      (void)field.pressToolbarButton();
      return Status::ok();
    }
    case Kind::Date: {
      auto date = dateFromUserText(value);
      if (!date) return date.status();
      if (!date->has_value()) {
        (void)replaceText(field, 0, field.text.size(), "");
        return Status::ok();
      }
      textFieldDidBeginEditing(field);
      datePickerValueChanged(**date);
      (void)field.pressToolbarButton();
      return Status::ok();
    }
  }
  return Status::ok();
}

// --- Saving.

void InsertWatchTableViewController::writeForm(Kello& watch) const {
  watch.setMerkki(manufacturerTextField.text);
  watch.setMalli(modelTextField.text);
  watch.setVuosimalli(yearTextField.text);
  watch.setRefkoodi(refTextField.text);
  watch.setSarjanumero(serialNumberTextField.text);
  watch.setKoneistotyyppi(movementTypeTextField.text);
  watch.setKoneisto(movementTextField.text);
  watch.setPowerreserve(powerResTextField.text);
  watch.setBph(bphTextField.text);
  watch.setHalkaisija(caseDiameterTextField.text);
  watch.setKuorenmateriaali(caseMaterialTextField.text);
  watch.setPaksuus(thicknessTextField.text);
  watch.setLugivali(lugWidthTextField.text);
  watch.setBezelmateriaali(bezelMaterialTextField.text);
  watch.setLasi(glassTextField.text);
  watch.setVedenpitavyys(waterProofTextField.text);
  watch.setTauluvari(dialColorTextField.text);
  watch.setKruunu(crownTypeTextField.text);
  watch.setOstoliike(purchasedFromTextField.text);
  watch.setOstohinta(parseTypedNumber(priceTextField.text));
  watch.setSetlaajuus(setCompletenessTextField.text);
  watch.setKomplikaatio1(complication1TextField.text);
  watch.setKomplikaatio2(complication2TextField.text);
  watch.setKomplikaatio3(complication3TextField.text);
  watch.setKomplikaatio4(complication4TextField.text);
  watch.setKomplikaatio5(complication5TextField.text);
  watch.setKomplikaatio6(complication6TextField.text);
  watch.setMyyntiliike(soldToTextField.text);
  watch.setMyyntihinta(parseTypedNumber(soldPriceTextField.text));
  watch.setVarasarake1(lugToLugTextField.text);
  watch.setVarasarake3(notesTextView.text);
}

void InsertWatchTableViewController::writeDates(Kello& watch) const {
  const auto& f = services_.formatters;
  // Parsed as the field shows it; an empty or unreadable text clears the date.
  watch.setTakuupvm(f.parseShortDate(warrantyEndDateTexField.text));
  watch.setOstopvm(f.parseShortDate(purchaseDateTextField.text));
  watch.setMyyntipvm(f.parseShortDate(soldDateTextField.text));
}

std::shared_ptr<Kello> InsertWatchTableViewController::formRecord() const {
  auto record = services_.context().makeDetachedObject<Kello>();
  writeForm(*record);
  writeDates(*record);
  return record;
}

void InsertWatchTableViewController::writePicture(Kello& watch, const PictureSlot& slot,
                                                  bool front) const {
  std::optional<Result<Bytes>> bytes;
  if (slot.image && !slot.image->isEmpty()) {
    const bool compress = services_.defaults.flag(kCompressWatchImagesSettingOn).value_or(false);
    bytes = compress ? codec_.encodeJpeg(*slot.image, kJpegQuality) : codec_.encodePng(*slot.image);
  } else if (!editingWatch) {
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

void InsertWatchTableViewController::saveWatchDetails() {
  auto& context = services_.context();
  const auto gone = [&] {
    saveStatus_ =
        Status::error("The watch being edited no longer exists", {{"id", kelloID.text()}});
    diagnostic(saveStatus_.description());
    editingWatch = false;
    services_.presenter.pop(2);
  };
  // Everything is worked out before the lock is taken (pictures take a while to encode).
  const auto form = formRecord();
  const auto blank = context.makeDetachedObject<Kello>();
  std::shared_ptr<Kello> watch;
  if (!editingWatch) {
    if (auto notes = historyLog_.watchAdded(notesTextView.text)) form->setVarasarake3(*notes);
    writePicture(*form, cameraImageView, true);
    writePicture(*form, cameraImageViewBack, false);
    saveStatus_ = context.performWrite({}, [&] {
      watch = context.insertNewObject<Kello>();
      writeDifferences(*form, *blank, *watch);
    });
  } else {
    if (!context.existingObject<Kello>(kelloID)) return gone();
    if (frontPictureChosen_) writePicture(*form, cameraImageView, true);
    if (backPictureChosen_) writePicture(*form, cameraImageViewBack, false);
    const auto& opened = openedForm_ ? *openedForm_ : *blank;
    saveStatus_ = context.performWrite({kelloID}, [&] {
      watch = context.existingObject<Kello>(kelloID);
      if (!watch) return;
      const std::string storedNotes = watch->varasarake3().value_or("");
      writeDifferences(*form, opened, *watch);
      const std::string openedNotes = opened.varasarake3().value_or("");
      if (notesTextView.text != openedNotes)
        watch->setVarasarake3(mergedNotes(openedNotes, storedNotes, notesTextView.text));
    });
    if (isRecordGone(saveStatus_)) return gone();
  }
  if (!saveStatus_) diagnostic("Watch not saved: " + saveStatus_.description());
  // Nothing was written: the form stays as it is for another try.
  if (presentIfStoreBusy(saveStatus_, services_.presenter)) return;
  savedWatch_ = watch;
  if (editingWatch) {
    editingWatch = false;
    services_.presenter.pop(2);
  } else {
    services_.presenter.pop(1);
  }
}

}  // namespace tockary
