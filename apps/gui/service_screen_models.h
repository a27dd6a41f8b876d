#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

#include "record_list_model.h"
#include "service/my_services_table_view_controller.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"

namespace tockary::gui {

// The service list for QML: one row per record with the screen's title and subtitle texts.
class ServiceList : public RecordListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON

 public:
  // Loads the screen.
  explicit ServiceList(std::unique_ptr<MyServicesTableViewController> screen,
                       QObject* parent = nullptr);

  Q_INVOKABLE void insertNewService();

  MyServicesTableViewController& screen() { return *screen_; }

  static void setInstance(ServiceList* model);
  static ServiceList* create(QQmlEngine*, QJSEngine*);

 private:
  std::optional<Row> rowAt(int row) const override;

  std::unique_ptr<MyServicesTableViewController> screen_;
};

// The detail of the service record open on the detail page (one at a time): each value under its
// caption, in the form's order.
class ServiceDetail : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(bool found READ found NOTIFY changed)
  Q_PROPERTY(QString title READ title CONSTANT)
  // [{caption, text, multiline}] in the form's order; the description is multi-line.
  Q_PROPERTY(QVariantList fields READ fields NOTIFY changed)
  // edit (the button that opens the editor).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  explicit ServiceDetail(AppServices& services, QObject* parent = nullptr);

  // Shows the record "Huolto/3"; an id that names none shows every value as absent.
  Q_INVOKABLE void open(const QString& objectId);
  Q_INVOKABLE void editSelectedService();

  bool found() const { return screen_ && screen_->found(); }
  QString title() const;
  QVariantList fields() const;
  QVariantMap captions() const;

  static void setInstance(ServiceDetail* model);
  static ServiceDetail* create(QQmlEngine*, QJSEngine*);

 signals:
  void changed();

 private:
  AppServices& services_;
  std::unique_ptr<TarkasteleHuoltoaTableViewController> screen_;
};

}  // namespace tockary::gui
