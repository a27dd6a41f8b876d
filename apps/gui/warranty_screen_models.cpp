#include "warranty_screen_models.h"

#include <QJSEngine>

#include <cmath>

#include "detail/detail_captions.h"
#include "gui_app.h"
#include "picture_provider.h"
#include "qt_text.h"

namespace tockary::gui {

namespace {

WarrantyList* listInstance = nullptr;
WarrantyDetail* detailInstance = nullptr;

constexpr std::string_view kEmptyListHint = "No warranty cards yet. Tap + to add one.";
constexpr std::string_view kDetailTitle = "Warranty Card";
// One notch of the mouse wheel zooms by this factor; four notches go from the fitted size to the
// largest.
constexpr double kWheelNotchZoom = 1.2;
constexpr double kWheelNotch = 120.0;

}  // namespace

WarrantyList::WarrantyList(std::unique_ptr<MyWarrantiesTableViewController> screen, QObject* parent)
    : RecordListModel(*screen, "warranties", kEmptyListHint, parent), screen_(std::move(screen)) {}

std::optional<RecordListModel::Row> WarrantyList::rowAt(int row) const {
  const auto cell = screen_->cellForRowAt({0, row});
  if (!cell) return std::nullopt;
  return Row{cell->textLabel, std::string(), cell->takuuID};
}

void WarrantyList::insertNewWarranty() { screen_->insertNewWarranty(); }

void WarrantyList::setInstance(WarrantyList* model) { listInstance = model; }

WarrantyList* WarrantyList::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(listInstance, QJSEngine::CppOwnership);
  return listInstance;
}

WarrantyDetail::WarrantyDetail(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

void WarrantyDetail::open(const QString& objectId) {
  const auto id = ObjectID::fromText(objectId.toStdString());
  screen_ =
      std::make_unique<TarkasteleTakuutaTableViewController>(services_, id.value_or(ObjectID{}));
  screen_->viewDidLoad();
  // The card may have a new picture since it was last shown.
  ++pictureRevision_;
  emit changed();
  emit zoomChanged();
}

void WarrantyDetail::setZoom(double scale) {
  if (!screen_) return;
  auto& view = screen_->warrantyCardScrollView();
  const double before = view.zoomScale();
  if (view.setZoomScale(scale) != before) emit zoomChanged();
}

void WarrantyDetail::zoomTo(double scale) { setZoom(scale); }

void WarrantyDetail::zoomByWheel(int angleDelta) {
  setZoom(zoom() * std::pow(kWheelNotchZoom, angleDelta / kWheelNotch));
}

void WarrantyDetail::toggleZoom() {
  if (!screen_) return;
  screen_->warrantyCardScrollView().toggleZoomScale();
  emit zoomChanged();
}

void WarrantyDetail::shareWarranty() {
  if (screen_) screen_->shareWarranty();
}

void WarrantyDetail::editSelectedWarranty() {
  if (screen_) screen_->editSelectedWarranty();
}

QString WarrantyDetail::title() const { return qs(kDetailTitle); }

QString WarrantyDetail::label() const {
  return screen_ ? QString::fromStdString(screen_->brandAndModelLabel()) : QString();
}

QString WarrantyDetail::picture() const {
  return screen_ ? Pictures::url(screen_->warrantyCardPicture(), pictureRevision_) : QString();
}

QString WarrantyDetail::pictureText() const {
  return found() ? QString::fromStdString(screen_->warrantyCardText()) : QString();
}

double WarrantyDetail::aspect() const {
  if (!screen_ || !screen_->warrantyCardScrollView().hasPicture()) return 0;
  const auto& view = screen_->warrantyCardScrollView();
  return view.imageViewHeight() / view.imageViewWidth();
}

double WarrantyDetail::zoom() const {
  return screen_ ? screen_->warrantyCardScrollView().zoomScale()
                 : WarrantyCardScrollView::kMinimumZoomScale;
}

QVariantMap WarrantyDetail::captions() const {
  return {{"edit", qs(kEditButtonTitle)},
          {"share", qs(TarkasteleTakuutaTableViewController::kShareTitle)}};
}

void WarrantyDetail::setInstance(WarrantyDetail* model) { detailInstance = model; }

WarrantyDetail* WarrantyDetail::instance() { return detailInstance; }

WarrantyDetail* WarrantyDetail::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(detailInstance, QJSEngine::CppOwnership);
  return detailInstance;
}

void installWarrantyScreens(AppServices& services, QObject& parent) {
  WarrantyList::setInstance(
      new WarrantyList(std::make_unique<MyWarrantiesTableViewController>(services), &parent));
  WarrantyDetail::setInstance(new WarrantyDetail(services, &parent));
}

}  // namespace tockary::gui
