#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

#include "accuracy/accuracy_table_view_controller.h"
#include "accuracy/insert_accuracy_table_view_controller.h"
#include "shown_wheel.h"
#include "table_list_model.h"

namespace tockary::gui {

// The measurement list for QML: one row per record with the screen's row texts, and each watch's
// accuracy above them.
class MeasurementList : public TableListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString title READ title CONSTANT)
  Q_PROPERTY(int count READ count NOTIFY screenChanged)
  // One line per watch with finished measurements, as of the last fetch.
  Q_PROPERTY(QStringList summary READ summary NOTIFY screenChanged)
  // How often the page asks for the rows again while it is shown, in milliseconds.
  Q_PROPERTY(int refreshInterval READ refreshInterval CONSTANT)
  // delete (the swipe action), sort (the order button), empty (the hint of an empty list).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  enum Role {
    WatchRole = Qt::UserRole + 1,
    EnvironmentRole,
    ResultRole,
    StartDateRole,
    DurationRole,
    ObjectIdRole
  };

  // Loads the screen.
  explicit MeasurementList(std::unique_ptr<AccuracyTableViewController> screen,
                           QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  QString title() const;
  int count() const { return rowCount(); }
  QStringList summary() const;
  static int refreshInterval();
  static QVariantMap captions();

  // The page came into view (again): the list and the summary are fetched again.
  Q_INVOKABLE void viewWillAppear();
  // The page's timer: the rows again, running times as of now.
  Q_INVOKABLE void reloadCollection();
  Q_INVOKABLE void select(int row);
  Q_INVOKABLE void insertNewMeasurement();
  Q_INVOKABLE void orderRowsBy();
  // The swipe's delete: the record at the row goes at once, without a question.
  Q_INVOKABLE void deleteRow(int row);

  AccuracyTableViewController& screen() { return *screen_; }

  static void setInstance(MeasurementList* model);
  static MeasurementList* create(QQmlEngine*, QJSEngine*);

 signals:
  void screenChanged();

 private:
  std::unique_ptr<AccuracyTableViewController> screen_;
};

// The measurement open on the measurement page (one at a time): its two fields with their wheels,
// the start button's picture, the labels and panels the screen shows, and the live phone time.
class Measurement : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString title READ title CONSTANT)
  // [{outlet, caption, placeholder, kind}] in the form's order.
  Q_PROPERTY(QVariantList fields READ fields CONSTANT)
  // The text of each field, by outlet.
  Q_PROPERTY(QVariantMap texts READ texts NOTIFY changed)
  // The outlet of the field being edited; empty when none is.
  Q_PROPERTY(QString editedOutlet READ editedOutlet NOTIFY changed)
  // A finished measurement: nothing on it can be changed.
  Q_PROPERTY(bool readOnly READ readOnly NOTIFY changed)
  // [{outlet, caption, text, shown}] per label, top to bottom.
  Q_PROPERTY(QVariantList labels READ labels NOTIFY changed)
  // The asset name of the start button's picture, and whether the button shows.
  Q_PROPERTY(QString startButtonImage READ startButtonImage NOTIFY changed)
  Q_PROPERTY(bool startButtonShown READ startButtonShown NOTIFY changed)
  // "+", "-" and the panel behind them and the time being matched.
  Q_PROPERTY(bool plusShown READ plusShown NOTIFY changed)
  Q_PROPERTY(bool minusShown READ minusShown NOTIFY changed)
  Q_PROPERTY(bool panelShown READ panelShown NOTIFY changed)
  // clock (the caption of the live phone time), instructions (the button of the instructions).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)
  // The wheel below the field being edited, as the editor page's wheel panel takes it.
  Q_PROPERTY(QString wheelOutlet READ wheelOutlet NOTIFY wheelChanged)
  Q_PROPERTY(QString toolbarTitle READ toolbarTitle NOTIFY wheelChanged)
  Q_PROPERTY(int wheelColumnCount READ wheelColumnCount NOTIFY wheelChanged)
  Q_PROPERTY(QVariantList wheelColumns READ wheelColumns NOTIFY wheelColumnsChanged)

 public:
  explicit Measurement(AppServices& services, QObject* parent = nullptr);

  // A new measurement for an empty id, else the stored record "Varataulu/3". The watch field of
  // a new measurement begins editing at once, as the screen asks.
  Q_INVOKABLE void open(const QString& objectId);
  // The phone's time to the second; the page asks every second.
  Q_INVOKABLE QString clockText() const;

  Q_INVOKABLE void beginEditing(const QString& outlet);
  Q_INVOKABLE void selectRow(int column, int row);
  Q_INVOKABLE void pressToolbarButton();
  Q_INVOKABLE void startAccuracyMetering();
  Q_INVOKABLE void increaseAccuracyMinute();
  Q_INVOKABLE void decreaseAccuracyMinute();
  Q_INVOKABLE void ohje();
  // The back button and Esc: ends the editing of a field (a stored environment is saved) and
  // closes the page.
  Q_INVOKABLE void goBack();

  static QString title();
  static QVariantList fields();
  QVariantMap texts() const;
  QString editedOutlet() const;
  bool readOnly() const;
  QVariantList labels() const;
  QString startButtonImage() const;
  bool startButtonShown() const;
  bool plusShown() const;
  bool minusShown() const;
  bool panelShown() const;
  static QVariantMap captions();
  QString wheelOutlet() const { return wheel_.outlet(); }
  QString toolbarTitle() const { return wheel_.toolbarTitle(); }
  int wheelColumnCount() const { return wheel_.columnCount(); }
  QVariantList wheelColumns() const { return wheel_.columns(); }

  // The open screen, for tests; null before the first open.
  InsertAccuracyTableViewController* screen() { return screen_.get(); }

  static void setInstance(Measurement* model);
  static Measurement* create(QQmlEngine*, QJSEngine*);

 signals:
  void changed();
  void wheelChanged();
  void wheelColumnsChanged();

 private:
  void refresh();

  AppServices& services_;
  std::unique_ptr<InsertAccuracyTableViewController> screen_;
  ShownWheel wheel_;
};

}  // namespace tockary::gui
