#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

#include "service/my_services_table_view_controller.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"
#include "table_list_model.h"

namespace tockary::gui {

// The service list for QML: one row per record with the screen's title and subtitle texts.
class ServiceList : public TableListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString title READ title CONSTANT)
  Q_PROPERTY(int count READ count NOTIFY screenChanged)
  // delete (the swipe action), empty (the hint of an empty list).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  enum Role { TitleRole = Qt::UserRole + 1, SubtitleRole, ObjectIdRole };

  // Loads the screen.
  explicit ServiceList(std::unique_ptr<MyServicesTableViewController> screen,
                       QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  QString title() const;
  int count() const { return rowCount(); }
  QVariantMap captions() const;

  // The page came into view (again): the live list is rebuilt.
  Q_INVOKABLE void viewWillAppear();
  Q_INVOKABLE void select(int row);
  Q_INVOKABLE void insertNewService();
  // The swipe's delete: the record at the row goes at once.
  Q_INVOKABLE void deleteRow(int row);

  MyServicesTableViewController& screen() { return *screen_; }

  static void setInstance(ServiceList* model);
  static ServiceList* create(QQmlEngine*, QJSEngine*);

 signals:
  void screenChanged();

 private:
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
