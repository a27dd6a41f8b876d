#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

#include "detail/tarkastele_kelloa_table_view_controller.h"

namespace tockary::gui {

// The detail screen for QML: the watch open on the detail page (one at a time), every outlet
// by its name, the picture face, the diagram texts and the status picker.
class WatchDetail : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString objectId READ objectId NOTIFY changed)
  Q_PROPERTY(bool found READ found NOTIFY changed)
  Q_PROPERTY(QString title READ title NOTIFY changed)
  Q_PROPERTY(QVariantMap outlets READ outlets NOTIFY changed)
  Q_PROPERTY(QString picture READ picture NOTIFY changed)
  // What the picture shows, in words.
  Q_PROPERTY(QString pictureText READ pictureText NOTIFY changed)
  Q_PROPERTY(int face READ face NOTIFY changed)
  Q_PROPERTY(bool diagramShown READ diagramShown NOTIFY changed)
  Q_PROPERTY(QVariantMap diagram READ diagram NOTIFY changed)
  Q_PROPERTY(QString statusIcon READ statusIcon NOTIFY changed)
  Q_PROPERTY(bool statusPickerShown READ statusPickerShown NOTIFY changed)
  Q_PROPERTY(int selectedStatusRow READ selectedStatusRow NOTIFY changed)
  Q_PROPERTY(QStringList statusNames READ statusNames CONSTANT)
  Q_PROPERTY(QString statusToolbarTitle READ statusToolbarTitle CONSTANT)
  Q_PROPERTY(int flipMilliseconds READ flipMilliseconds CONSTANT)
  Q_PROPERTY(QVariantList fieldCaptions READ fieldCaptions CONSTANT)
  Q_PROPERTY(QVariantList wearCaptions READ wearCaptions CONSTANT)
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)
  // The report buttons in order: each its screen action ("PDF") and title.
  Q_PROPERTY(QVariantList reportButtons READ reportButtons CONSTANT)

 public:
  explicit WatchDetail(AppServices& services, QObject* parent = nullptr);

  // Shows the watch "Kello/12" (fetch and load); an id that names no watch shows the empty
  // screen. `screenWidth` places the diagram and the badge sheets.
  Q_INVOKABLE void open(const QString& objectId, double screenWidth);
  Q_INVOKABLE void flipWatchPhoto();
  Q_INVOKABLE void changeWatchStatus();
  Q_INVOKABLE void selectStatusRow(int row);
  Q_INVOKABLE void doneStatusPicker();
  Q_INVOKABLE void increaseTimesWornCounter();
  Q_INVOKABLE void wearStatsReset();
  Q_INVOKABLE void editSelectedWatch();
  // The report of the button with this action ("PDF", "PDF2", ...), then the share sheet; a
  // report the screen refuses (a picture missing) or cannot write is said in an alert.
  Q_INVOKABLE void report(const QString& action);
  // The quick share's two buttons: the share sheet, or an alert saying why not.
  Q_INVOKABLE void shareWatchInfo();
  Q_INVOKABLE void shareInfo();

  QString objectId() const;
  bool found() const { return screen_ && screen_->found(); }
  QString title() const;
  QVariantMap outlets() const;
  QString picture() const;
  QString pictureText() const;
  int face() const { return screen_ ? screen_->kelloIsFaceUp() : 1; }
  bool diagramShown() const { return screen_ && screen_->outputs().tekstiView.has_value(); }
  QVariantMap diagram() const;
  QString statusIcon() const;
  bool statusPickerShown() const { return screen_ && screen_->isStatusPickerShown(); }
  int selectedStatusRow() const { return screen_ ? screen_->selectedStatusRow() : 0; }
  QStringList statusNames() const;
  QString statusToolbarTitle() const;
  int flipMilliseconds() const;
  QVariantList fieldCaptions() const;
  QVariantList wearCaptions() const;
  QVariantMap captions() const;
  QVariantList reportButtons() const;

  // The screen model of the open watch; null before the first open.
  TarkasteleKelloaTableViewController* screen() { return screen_.get(); }

  static void setInstance(WatchDetail* model);
  static WatchDetail* create(QQmlEngine*, QJSEngine*);

 signals:
  void changed();

 private:
  // Runs an operation of the screen and shows its outcome.
  template <typename Operation>
  void run(Operation operation);
  void showRefusal(const Status& outcome);

  AppServices& services_;
  std::unique_ptr<TarkasteleKelloaTableViewController> screen_;
  // Bumped on every open, so a picture changed by the editor is read again.
  int pictureRevision_ = 0;
};

}  // namespace tockary::gui
