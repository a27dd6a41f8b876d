#pragma once

#include <QAbstractListModel>

#include <functional>
#include <utility>

#include "records/fetched_results_table_view_controller.h"

namespace tockary::gui {

// A list model over a screen's table: announces to its views the rows that the screen's live list
// inserted or deleted between two reloads.
class TableListModel : public QAbstractListModel {
 protected:
  using QAbstractListModel::QAbstractListModel;

  // Follows `table`: a reload resets the model, a row change is announced; `changed` runs after
  // either.
  void follow(TableView& table, std::function<void()> changed) {
    table.didReload = [this, changed] {
      beginResetModel();
      endResetModel();
      changed();
    };
    table.didChangeRow = [this, changed = std::move(changed)](const TableRowChange& change) {
      announceRowChange(change);
      changed();
    };
  }

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
