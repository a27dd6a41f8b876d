#include "record_list_model.h"

#include "app_shell.h"
#include "collection/collection_captions.h"
#include "qt_text.h"

namespace tockary::gui {

RecordListModel::RecordListModel(RecordListTableViewController& screen, const char* tab,
                                 std::string_view emptyHint, QObject* parent)
    : TableListModel(parent), screen_(screen), tab_(tab), emptyHint_(emptyHint) {
  screen_.tableView.didReload = [this] {
    beginResetModel();
    endResetModel();
    emit screenChanged();
  };
  screen_.tableView.didChangeRow = [this](const TableRowChange& change) {
    announceRowChange(change);
    emit screenChanged();
  };
  screen_.viewDidLoad();
  screen_.viewWillAppear();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : screen_.numberOfRowsInSection(0);
}

QString RecordListModel::title() const { return tabTitle(tab_); }

QVariantMap RecordListModel::captions() const {
  return {{"delete", qs(kDeleteActionTitle)}, {"empty", qs(emptyHint_)}};
}

void RecordListModel::viewWillAppear() { screen_.viewWillAppear(); }

void RecordListModel::select(int row) { screen_.didSelectRowAt({0, row}); }

void RecordListModel::deleteRow(int row) {
  screen_.commitEditingStyle(EditingStyle::Delete, {0, row});
}

}  // namespace tockary::gui
