#pragma once

#include <QtQml/qqmlregistration.h>
#include <QQmlEngine>
#include <QTimer>
#include <QVariantMap>

#include <memory>
#include <optional>
#include <unordered_map>

#include "collection/my_watch_collection_table_view_controller.h"
#include "table_list_model.h"

namespace tockary::gui {

// The collection screen for QML. Rows are filled on demand, one per data() request of a
// visible delegate, and kept until the next reload; pictures are only named here (their
// addresses), never read.
class CollectionList : public TableListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString titleImage READ titleImage NOTIFY screenChanged)
  Q_PROPERTY(int count READ count NOTIFY screenChanged)
  Q_PROPERTY(int infoMode READ infoMode NOTIFY screenChanged)
  Q_PROPERTY(bool faceUp READ faceUp NOTIFY screenChanged)
  Q_PROPERTY(double estimatedRowHeight READ estimatedRowHeight CONSTANT)
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)
  Q_PROPERTY(QString filterLine READ filterLine NOTIFY screenChanged)
  Q_PROPERTY(QString emptyText READ emptyText NOTIFY screenChanged)

 public:
  enum Role {
    WatchIdRole = Qt::UserRole + 1,
    ObjectIdRole,
    PictureRole,
    PictureOpacityRole,
    PictureRotatesRole,
    ManufacturerRole,
    ModelRole,
    YearRole,
    YearColorRole,
    YearShadowRole,
    DotsRole,
    StatusRole,
    Badge1Role,
    Badge2Role,
    Badge3Role,
    Badge4Role,
    StripeRole,
    IndicatorRole,
    WearRateRole,
    WarrantyRole,
    WarrantyColorRole,
    QuickInfoRole,
    RateButtonRole,
  };

  // Loads the screen and starts its reminder timer.
  explicit CollectionList(std::unique_ptr<MyWatchCollectionTableViewController> screen,
                          QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  QString titleImage() const;
  int count() const { return rowCount(); }
  int infoMode() const { return screen_->apuluku; }
  bool faceUp() const { return screen_->kelloIsFaceUp; }
  double estimatedRowHeight() const {
    return MyWatchCollectionTableViewController::kEstimatedRowHeight;
  }
  QVariantMap captions() const;
  QString filterLine() const;
  QString emptyText() const;

  // The screen came into view (again): the list fetch; pictures are asked for afresh.
  Q_INVOKABLE void viewDidAppear();
  Q_INVOKABLE void select(int row);
  Q_INVOKABLE void insertNewWatch();
  Q_INVOKABLE void orderRowsBy();
  // What the search field holds now: the list narrows to it at once.
  Q_INVOKABLE void searchFor(const QString& text);
  Q_INVOKABLE void presentFilterMenu();
  Q_INVOKABLE void flipPictures();
  Q_INVOKABLE void nextInfoMode();
  // Asks to confirm the deletion of the watch at the row.
  Q_INVOKABLE void requestDelete(int row);
  // The quick wear action of the row: title, image, colour; empty outside the list.
  Q_INVOKABLE QVariantMap quickWearAction(int row);
  // Logs a wear of the watch at the row at once.
  Q_INVOKABLE void quickWear(int row);
  // A row's picture ("Badge_100") in words, for those who do not see it.
  Q_INVOKABLE QString imageDescription(const QString& imageName) const;
  // The row of a watch ("Kello/12"), -1 when it is not listed.
  Q_INVOKABLE int rowOf(const QString& objectId) const;

  MyWatchCollectionTableViewController& screen() { return *screen_; }

  static void setInstance(CollectionList* model);
  static CollectionList* create(QQmlEngine*, QJSEngine*);

 signals:
  void screenChanged();

 private:
  const MyWatchCollectionTableViewCell* cell(int row) const;
  void reset();

  std::unique_ptr<MyWatchCollectionTableViewController> screen_;
  QTimer timer_;
  int pictureRevision_ = 0;
  // Filled lazily, dropped on every reload or row change.
  mutable std::unordered_map<int, MyWatchCollectionTableViewCell> cells_;
};

}  // namespace tockary::gui
