#include "service/insert_warranty_table_view_controller.h"

#include <algorithm>

#include "forms/image_choice.h"
#include "platform/ui/diagnostics.h"
#include "service/warranty_form.h"
#include "store/collection_model.h"
#include "store/records.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

constexpr std::string_view kWatchField = "brandAndModelTextField";
constexpr std::string_view kPictureField = "warrantyCardScrollView";
// The height of the watch row above the picture.
constexpr double kFormContentHeight = 44.0;

const std::string kNoText;

}  // namespace

InsertWarrantyTableViewController::InsertWarrantyTableViewController(AppServices& services)
    : services_(services), ownAssets_(std::in_place), assets_(*ownAssets_) {}

InsertWarrantyTableViewController::InsertWarrantyTableViewController(AppServices& services,
                                                                     const AssetCatalog& assets)
    : services_(services), assets_(assets) {}

InsertWarrantyTableViewController::~InsertWarrantyTableViewController() { *alive_ = false; }

std::span<const FieldDescriptor> InsertWarrantyTableViewController::formFields() {
  return warrantyFormFields();
}

void InsertWarrantyTableViewController::openForInsert() {
  editingWarranty_ = false;
  takuuID_ = {};
  tempEditTitleMuutos.clear();
}

void InsertWarrantyTableViewController::openForEdit(ObjectID takuuID, std::string title) {
  editingWarranty_ = true;
  takuuID_ = std::move(takuuID);
  tempEditTitleMuutos = std::move(title);
}

int InsertWarrantyTableViewController::indexOf(std::string_view outlet) const {
  const auto fields = formFields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].outlet == outlet) return static_cast<int>(i);
  return -1;
}

const std::string& InsertWarrantyTableViewController::text(std::string_view outlet) const {
  return outlet == kWatchField ? brandAndModelTextField_ : kNoText;
}

void InsertWarrantyTableViewController::viewDidLoad() {
  auto& context = services_.context();
  std::optional<Image> shown;
  if (editingWarranty_) {
    title_ = tempEditTitleMuutos;
    if (const auto card = context.existingObject<Takuu>(takuuID_)) {
      tempEditBrandAndModel = card->takuunKello();
      tempEditWarrantyCardPicture = card->takuuKortti();
    }
    brandAndModelTextField_ = tempEditBrandAndModel.value_or("");
    if (tempEditWarrantyCardPicture) {
      auto decoded = codec_.decode(*tempEditWarrantyCardPicture);
      if (decoded) {
        shown = std::move(decoded).value();
      } else {
        diagnostic("Warranty card picture not shown: " + decoded.status().description());
      }
    }
  } else {
    title_ = kInsertTitle;
    auto noPicture = assets_.imageNamed(kNoWarrantyCardPicture);
    auto decoded = noPicture ? codec_.decode(*noPicture) : Result<Image>(noPicture.status());
    if (decoded) {
      WarrantyCardScrollView fitted;
      fitted.place(std::move(decoded).value());
      noPictureView_ = fitted.imageView();
    } else {
      diagnostic("No-picture card not shown: " + decoded.status().description());
    }
  }
  preferredContentHeight_ = kFormContentHeight;
  preferredContentHeight_ += scrollView_.place(std::move(shown));
  kelloPicker_.load(context, Kello::fetchRequest());
}

// --- The watch field.

void InsertWarrantyTableViewController::textFieldDidBeginEditing(std::string_view outlet) {
  if (outlet != kWatchField) return;
  editingWatch_ = true;
  brandAndModelTextField_ = kelloPicker_.open(brandAndModelTextField_);
}

std::string_view InsertWarrantyTableViewController::editedField() const {
  return editingWatch_ ? kWatchField : std::string_view();
}

std::optional<Wheel> InsertWarrantyTableViewController::shownWheel() const {
  if (!editingWatch_ || !kelloPicker_.isOpen()) return std::nullopt;
  const FieldDescriptor& f = formFields()[static_cast<std::size_t>(indexOf(kWatchField))];
  return Wheel{std::string(f.outlet), std::string(f.prompt), {kelloPicker_.column()}};
}

bool InsertWarrantyTableViewController::pickerViewDidSelectRow(int row, int component) {
  if (!editingWatch_) return false;
  auto label = kelloPicker_.select(row, component);
  if (!label) return false;
  brandAndModelTextField_ = std::move(*label);
  return true;
}

bool InsertWarrantyTableViewController::pressToolbarButton() {
  if (!shownWheel()) return false;
  doneWatchPicker();
  return true;
}

void InsertWarrantyTableViewController::doneWatchPicker() {
  kelloPicker_.close();
  editingWatch_ = false;
}

void InsertWarrantyTableViewController::endEditing() { doneWatchPicker(); }

bool InsertWarrantyTableViewController::shouldChangeCharacters(
    std::string_view /*outlet*/, std::string_view /*replacement*/) const {
  return true;
}

bool InsertWarrantyTableViewController::replaceText(std::string_view /*outlet*/,
                                                    std::size_t /*location*/,
                                                    std::size_t /*length*/,
                                                    std::string_view /*replacement*/) {
  return false;
}

// --- The picture.

void InsertWarrantyTableViewController::touchForPhoto() { presentImageChoice(); }
void InsertWarrantyTableViewController::newPhoto() { presentImageChoice(); }

const PictureSlot* InsertWarrantyTableViewController::pictureSlot(std::string_view outlet) const {
  if (outlet != kPictureField) return nullptr;
  if (!editingWarranty_ && !pictureChosen_) return &noPictureView_;
  return &scrollView_.imageView();
}

void InsertWarrantyTableViewController::tapPicture(std::string_view outlet) {
  if (outlet == kPictureField) touchForPhoto();
}

void InsertWarrantyTableViewController::presentImageChoice() {
  // Without a camera the choice does nothing, and says nothing.
  services_.presenter.present(
      imageChoiceSheet(services_.presenter, std::string(kImageChoiceTitle), alive_,
                       [this](PickedImage picked) { pictureChosen(std::move(picked)); }));
}

void InsertWarrantyTableViewController::pictureChosen(PickedImage picked) {
  auto image = decodePickedImage(codec_, std::move(picked));
  if (!image) return;  // cancelled
  if (!*image) {
    pictureError_ = image->status().description();
    return;
  }
  preferredContentHeight_ += scrollView_.place(std::move(*image).value());
  pictureChosen_ = true;
  pictureError_.reset();
}

// --- Filling fields from outside.

std::string InsertWarrantyTableViewController::acceptedValues(std::string_view outlet) const {
  const int index = indexOf(outlet);
  if (index < 0) return {};
  if (formFields()[static_cast<std::size_t>(index)].kind == FieldKind::Picture)
    return "a PNG or JPEG picture";
  return kelloPicker_.acceptedValues();
}

Status InsertWarrantyTableViewController::enterValue(std::string_view outlet,
                                                     std::string_view value) {
  const int index = indexOf(outlet);
  if (index < 0) return Status::error("not a field of this form");
  if (formFields()[static_cast<std::size_t>(index)].kind == FieldKind::Picture)
    return Status::error("a picture is chosen through its view, not typed");
  if (value.empty()) {
    brandAndModelTextField_.clear();
    return Status::ok();
  }
  const auto label = kelloPicker_.labelFor(value);
  if (!label) return label.status();
  textFieldDidBeginEditing(outlet);
  const auto& labels = kelloPicker_.labels();
  const auto row = std::ranges::find(labels, *label) - labels.begin();
  (void)pickerViewDidSelectRow(static_cast<int>(row), 0);
  (void)pressToolbarButton();
  return Status::ok();
}

// --- Saving.

Result<std::optional<Bytes>> InsertWarrantyTableViewController::pictureToStore() const {
  // Cards are always PNG, whatever the watch pictures' compression preference says.
  if (pictureChosen_ && scrollView_.image()) {
    auto png = codec_.encodePng(*scrollView_.image());
    if (!png) return png.status();
    return std::optional<Bytes>(std::move(png).value());
  }
  if (editingWarranty_) return std::optional<Bytes>();
  // The app's own picture is PNG already; it is stored as it is.
  auto placeholder = assets_.imageNamed(kNoWarrantyCardPicture);
  if (!placeholder) return placeholder.status();
  return std::optional<Bytes>(std::move(placeholder).value());
}

Result<ObjectID> InsertWarrantyTableViewController::saveNewWarranty() {
  // Encoded before the store is locked: the write transaction stays short.
  auto picture = pictureToStore();
  if (!picture) {
    diagnostic("Warranty card not saved: " + picture.status().description());
    return picture.status();
  }
  auto& context = services_.context();
  std::shared_ptr<Takuu> card;
  Status saved;
  const auto writeForm = [&](Takuu& into) {
    std::string watch = brandAndModelTextField_;
    // A new card without a watch is listed under the no-watch label; an edited one keeps the
    // empty text the user left.
    if (watch.empty() && !editingWarranty_) watch = kNoWatchLabel;
    into.setTakuunKello(std::move(watch));
    if (*picture) into.setTakuuKortti(**picture);
  };
  if (!editingWarranty_) {
    saved = context.performWrite({}, [&] {
      card = context.insertNewObject<Takuu>();
      writeForm(*card);
    });
  } else {
    saved = context.performWrite({takuuID_}, [&] {
      card = context.existingObject<Takuu>(takuuID_);
      if (card) writeForm(*card);
    });
    if (isRecordGone(saved) || (saved && !card)) {
      Status gone = Status::error("The warranty card being edited no longer exists",
                                  {{"id", takuuID_.text()}});
      diagnostic(gone.description());
      services_.presenter.pop(2);
      return gone;
    }
  }
  if (!saved) diagnostic("Warranty card not saved: " + saved.description());
  // Nothing was written: the form stays as it is for another try.
  if (presentIfStoreBusy(saved, services_.presenter)) return saved;
  services_.presenter.pop(editingWarranty_ ? 2 : 1);
  if (!saved) return saved;
  return card->objectID();
}

}  // namespace tockary
