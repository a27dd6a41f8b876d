#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QVariantMap>

#include <memory>

#include "record_list_model.h"
#include "service/my_warranties_table_view_controller.h"
#include "service/tarkastele_takuuta_table_view_controller.h"

namespace tockary::gui {

// The warranty list for QML: one row per card, titled with its watch label; its subtitle is
// always empty.
class WarrantyList : public RecordListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON

 public:
  // Loads the screen.
  explicit WarrantyList(std::unique_ptr<MyWarrantiesTableViewController> screen,
                        QObject* parent = nullptr);

  Q_INVOKABLE void insertNewWarranty();

  static void setInstance(WarrantyList* model);
  static WarrantyList* create(QQmlEngine*, QJSEngine*);

 private:
  std::optional<Row> rowAt(int row) const override;

  std::unique_ptr<MyWarrantiesTableViewController> screen_;
};

// The warranty card open on the detail page (one at a time): its watch label and its picture,
// zoomed as the screen's scroll view allows.
class WarrantyDetail : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(bool found READ found NOTIFY changed)
  Q_PROPERTY(QString title READ title CONSTANT)
  Q_PROPERTY(QString label READ label NOTIFY changed)
  // The card's picture; empty when none is shown, and then pictureText says why.
  Q_PROPERTY(QString picture READ picture NOTIFY changed)
  Q_PROPERTY(QString pictureText READ pictureText NOTIFY changed)
  // The picture's height / width; 0 without one.
  Q_PROPERTY(double aspect READ aspect NOTIFY changed)
  // The scroll view's zoom: 1 shows the picture as wide as the page.
  Q_PROPERTY(double zoom READ zoom NOTIFY zoomChanged)
  // edit, share (the buttons' titles).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  explicit WarrantyDetail(AppServices& services, QObject* parent = nullptr);

  // Shows the card "Takuu/3"; an id that names none shows nothing.
  Q_INVOKABLE void open(const QString& objectId);
  // The pinch: `scale` times the fitted size, as far as the scroll view allows.
  Q_INVOKABLE void zoomTo(double scale);
  // The mouse wheel with Ctrl, `angleDelta` in eighths of a degree: one notch away from the user
  // zooms in a step.
  Q_INVOKABLE void zoomByWheel(int angleDelta);
  // The double click.
  Q_INVOKABLE void toggleZoom();
  Q_INVOKABLE void shareWarranty();
  Q_INVOKABLE void editSelectedWarranty();

  bool found() const { return screen_ && screen_->found(); }
  QString title() const;
  QString label() const;
  QString picture() const;
  QString pictureText() const;
  double aspect() const;
  double zoom() const;
  QVariantMap captions() const;

  // The open screen, for tests; null before the first open.
  TarkasteleTakuutaTableViewController* screen() { return screen_.get(); }

  static void setInstance(WarrantyDetail* model);
  static WarrantyDetail* instance();
  static WarrantyDetail* create(QQmlEngine*, QJSEngine*);

 signals:
  void changed();
  void zoomChanged();

 private:
  void setZoom(double scale);

  AppServices& services_;
  std::unique_ptr<TarkasteleTakuutaTableViewController> screen_;
  int pictureRevision_ = 0;
};

}  // namespace tockary::gui
