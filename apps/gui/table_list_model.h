#pragma once

#include <QAbstractListModel>

#include "records/fetched_results_table_view_controller.h"

namespace tockary::gui {

// A list model over a screen's table: announces to its views the rows that the screen's live list
// inserted or deleted between two reloads.
class TableListModel : public QAbstractListModel {
 protected:
  using QAbstractListModel::QAbstractListModel;

  // The live list has already changed; the row is announced as inserted or removed.
  void announceRowChange(const TableRowChange& change) {
    const int row = change.indexPath.row;
    if (change.type == ResultsChangeType::Insert) {
      beginInsertRows({}, row, row);
      endInsertRows();
    } else if (change.type == ResultsChangeType::Delete) {
      beginRemoveRows({}, row, row);
      endRemoveRows();
    }
  }
};

}  // namespace tockary::gui
