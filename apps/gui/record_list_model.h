#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>
#include <string>
#include <string_view>

#include "records/fetched_results_table_view_controller.h"
#include "table_list_model.h"

namespace tockary::gui {

// A record list for QML (services, warranty cards): the list page's title, the row count, the
// swipe's delete and the hint of an empty list, the rows' title, subtitle and record id, and the
// screen's actions on its rows. Subclasses give each row from their screen's cell, and the
// screen's insert action.
class RecordListModel : public TableListModel {
  Q_OBJECT
  Q_PROPERTY(QString title READ title CONSTANT)
  Q_PROPERTY(int count READ count NOTIFY screenChanged)
  // delete (the swipe action), empty (the hint of an empty list).
  Q_PROPERTY(QVariantMap captions READ captions CONSTANT)

 public:
  enum Role { TitleRole = Qt::UserRole + 1, SubtitleRole, ObjectIdRole };

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  QString title() const;
  int count() const { return rowCount(); }
  QVariantMap captions() const;

  // The page came into view (again): the live list is rebuilt.
  Q_INVOKABLE void viewWillAppear();
  Q_INVOKABLE void select(int row);
  // The swipe's delete: the record at the row goes at once.
  Q_INVOKABLE void deleteRow(int row);

 signals:
  void screenChanged();

 protected:
  // What a row shows, as its screen's cell gives it; nullopt outside the list.
  struct Row {
    std::string title;
    std::string subtitle;
    ObjectID objectId;
  };
  virtual std::optional<Row> rowAt(int row) const = 0;

  // Loads `screen`, which must outlive this object; `tab` names the tab whose title the page
  // shows.
  RecordListModel(RecordListTableViewController& screen, const char* tab,
                  std::string_view emptyHint, QObject* parent);

 private:
  RecordListTableViewController& screen_;
  const char* tab_;
  std::string_view emptyHint_;
};

}  // namespace tockary::gui
