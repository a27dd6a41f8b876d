#include "collection_list_model.h"

#include <QColor>
#include <QJSEngine>

#include <chrono>

#include "collection/collection_captions.h"
#include "picture_provider.h"

namespace tockary::gui {

namespace {

CollectionList* instance = nullptr;

// Enough for a few screens of scrolling back and forth; a reload drops them anyway.
constexpr std::size_t kCachedRows = 256;

QString text(std::string_view value) {
  return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

QColor color(const Rgba& rgba) {
  return QColor::fromRgbF(rgba.red, rgba.green, rgba.blue, rgba.alpha);
}

// The image a button shows, or the empty text when it is hidden.
QString shown(const RowImage& image) { return image.isHidden ? QString() : text(image.imageName); }

}  // namespace

CollectionList::CollectionList(std::unique_ptr<MyWatchCollectionTableViewController> screen,
                               QObject* parent)
    : TableListModel(parent), screen_(std::move(screen)) {
  screen_->tableView.didReload = [this] { reset(); };
  screen_->tableView.didChangeRow = [this](const TableRowChange& change) {
    cells_.clear();
    announceRowChange(change);
    emit screenChanged();
  };
  screen_->viewDidLoad();
  if (screen_->timerScheduled) {
    timer_.setInterval(std::chrono::milliseconds(
        MyWatchCollectionTableViewController::kNotificationRebuildInterval));
    connect(&timer_, &QTimer::timeout, this, [this] { screen_->timerFired(); });
    timer_.start();
  }
  screen_->viewDidAppear();
}

void CollectionList::reset() {
  beginResetModel();
  cells_.clear();
  endResetModel();
  emit screenChanged();
}

int CollectionList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : screen_->numberOfRowsInSection(0);
}

const MyWatchCollectionTableViewCell* CollectionList::cell(int row) const {
  if (auto found = cells_.find(row); found != cells_.end()) return &found->second;
  auto filled = screen_->cellForRowAt({0, row});
  if (!filled) return nullptr;
  if (cells_.size() >= kCachedRows) cells_.clear();
  return &cells_.emplace(row, std::move(*filled)).first->second;
}

QVariant CollectionList::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
  const MyWatchCollectionTableViewCell* row = cell(index.row());
  if (row == nullptr) return {};
  switch (role) {
    case WatchIdRole:
      return QVariant::fromValue<qlonglong>(row->watchId.primaryKey);
    case ObjectIdRole:
      return QString::fromStdString(row->watchId.text());
    case PictureRole: {
      // Rows without a picture of their own show their stand-in at once, without a read of the
      // record.
      const PictureHandle& picture = row->watchImageView.picture;
      if (!row->watchImageView.stored) {
        return Pictures::url(PictureHandle::asset(picture.assetName()));
      }
      return Pictures::url(picture, pictureRevision_);
    }
    case PictureOpacityRole:
      return static_cast<double>(row->watchImageView.alpha);
    case PictureRotatesRole:
      return row->watchImageView.rotation.has_value();
    case ManufacturerRole:
      return text(row->manufacturerLabel.text);
    case ModelRole:
      return text(row->modelLabel.text);
    case YearRole:
      return text(row->yearLabel.text);
    case YearColorRole:
      return color(row->yearLabel.textColor);
    case YearShadowRole:
      return row->yearLabel.hasShadow;
    case DotsRole:
      return shown(row->dotsButton);
    case StatusRole:
      return shown(row->statusButtonOutlet);
    case Badge1Role:
      return shown(row->badge1Outlet);
    case Badge2Role:
      return shown(row->badge2Outlet);
    case Badge3Role:
      return shown(row->badge3Outlet);
    case Badge4Role:
      return shown(row->badge4Outlet);
    case StripeRole:
      return shown(row->vuosiOutlet);
    case IndicatorRole:
      return shown(row->indicatorButtonOutlet);
    case WearRateRole:
      return text(row->wearRateLabel.text);
    case WarrantyRole:
      return text(row->warrantyEndsLabel.text);
    case WarrantyColorRole:
      return color(row->warrantyEndsLabel.textColor);
    case QuickInfoRole:
      return !row->quickInfoButton.isHidden;
    case RateButtonRole:
      return shown(row->dwrButton);
    default:
      return {};
  }
}

QHash<int, QByteArray> CollectionList::roleNames() const {
  return {{WatchIdRole, "watchId"},
          {ObjectIdRole, "objectId"},
          {PictureRole, "picture"},
          {PictureOpacityRole, "pictureOpacity"},
          {PictureRotatesRole, "pictureRotates"},
          {ManufacturerRole, "manufacturerText"},
          {ModelRole, "modelText"},
          {YearRole, "yearText"},
          {YearColorRole, "yearColor"},
          {YearShadowRole, "yearShadow"},
          {DotsRole, "dotsImage"},
          {StatusRole, "statusImage"},
          {Badge1Role, "badge1Image"},
          {Badge2Role, "badge2Image"},
          {Badge3Role, "badge3Image"},
          {Badge4Role, "badge4Image"},
          {StripeRole, "stripeImage"},
          {IndicatorRole, "indicatorImage"},
          {WearRateRole, "wearRateText"},
          {WarrantyRole, "warrantyText"},
          {WarrantyColorRole, "warrantyColor"},
          {QuickInfoRole, "quickInfoShown"},
          {RateButtonRole, "rateImage"}};
}

QString CollectionList::titleImage() const { return text(screen_->titleViewImage); }

QVariantMap CollectionList::captions() const {
  return {{"sort", text(kSortButtonTitle)},         {"delete", text(kDeleteActionTitle)},
          {"infoMode", text(kInfoModeButtonTitle)}, {"flip", text(kFlipPicturesButtonTitle)},
          {"search", text(kSearchPlaceholder)},     {"filter", text(kFilterButtonTitle)},
          {"clearSearch", text(kClearSearchTitle)}};
}

QString CollectionList::filterLine() const { return QString::fromStdString(screen_->filterLine()); }

QString CollectionList::emptyText() const { return text(screen_->emptyListText()); }

void CollectionList::searchFor(const QString& text) { screen_->searchFor(text.toStdString()); }

void CollectionList::presentFilterMenu() { screen_->presentFilterMenu(); }

void CollectionList::viewDidAppear() {
  // Pictures may have been changed on another screen: ask the image provider again.
  ++pictureRevision_;
  screen_->viewDidAppear();
}

void CollectionList::select(int row) { screen_->didSelectRowAt({0, row}); }

void CollectionList::insertNewWatch() { screen_->insertNewWatch(); }

void CollectionList::orderRowsBy() { screen_->orderRowsBy(); }

void CollectionList::flipPictures() { screen_->flippaaKuvat(); }

void CollectionList::nextInfoMode() { screen_->infoVaihto(); }

void CollectionList::requestDelete(int row) {
  screen_->commitEditingStyle(EditingStyle::Delete, {0, row});
}

QVariantMap CollectionList::quickWearAction(int row) {
  auto action = screen_->leadingSwipeActionFor({0, row});
  if (!action) return {};
  return {{"title", QString::fromStdString(action->title)},
          {"image", QString::fromStdString(action->imageName)},
          {"color", color(action->backgroundColor)}};
}

void CollectionList::quickWear(int row) {
  auto action = screen_->leadingSwipeActionFor({0, row});
  if (action && action->handler) action->handler();
}

QString CollectionList::imageDescription(const QString& imageName) const {
  return QString::fromStdString(rowImageDescription(imageName.toStdString()));
}

int CollectionList::rowOf(const QString& objectId) const {
  auto id = ObjectID::fromText(objectId.toStdString());
  if (!id) return -1;
  auto path = screen_->indexPathOf(*id);
  return path ? path->row : -1;
}

void CollectionList::setInstance(CollectionList* model) { instance = model; }

CollectionList* CollectionList::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
