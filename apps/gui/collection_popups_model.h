#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QVariantMap>

#include "collection/row_popups.h"
#include "collection/watch_of_the_day.h"
#include "store/app_services.h"

namespace tockary::gui {

class CollectionList;

// The sheets behind the collection rows' buttons and the collection screen's watch of the day
// and summary buttons. Rows are named by their index in the list.
class CollectionPopups : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  // watchOfTheDay, summary: the captions of the screen's two buttons.
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  // `services` and `list` must outlive the adapter.
  CollectionPopups(AppServices& services, CollectionList& list, QObject* parent);

  QVariantMap captions() const;

  // The rate button: the comparison sheet.
  Q_INVOKABLE void rate(int row);
  Q_INVOKABLE void ownership(int row);
  // 1 movement, 2 dimensions, 3 complete data, 4 wears.
  Q_INVOKABLE void badge(int row, int badge);
  Q_INVOKABLE void technical(int row);
  // The status button: the watch's card.
  Q_INVOKABLE void card(int row);
  Q_INVOKABLE void watchOfTheDay();
  Q_INVOKABLE void summary();

  static void setInstance(CollectionPopups* popups);
  static CollectionPopups* create(QQmlEngine*, QJSEngine*);

 private:
  std::shared_ptr<Kello> watchAt(int row) const;

  AppServices& services_;
  CollectionList& list_;
  RowPopups popups_;
  WatchOfTheDay roulette_;
};

}  // namespace tockary::gui
