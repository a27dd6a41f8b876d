#include "record_list_model.h"

#include "app_shell.h"
#include "collection/collection_captions.h"
#include "qt_text.h"

namespace tockary::gui {

RecordListModel::RecordListModel(RecordListTableViewController& screen, const char* tab,
                                 std::string_view emptyHint, QObject* parent)
    : TableListModel(parent), screen_(screen), tab_(tab), emptyHint_(emptyHint) {
  follow(screen_.tableView, [this] { emit screenChanged(); });
  screen_.viewDidLoad();
  screen_.viewWillAppear();
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : screen_.numberOfRowsInSection(0);
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const std::optional<Row> row = rowAt(index.row());
  if (!row) return {};
  switch (role) {
    case TitleRole:
      return QString::fromStdString(row->title);
    case SubtitleRole:
      return QString::fromStdString(row->subtitle);
    case ObjectIdRole:
      return QString::fromStdString(row->objectId.text());
    default:
      return {};
  }
}

QHash<int, QByteArray> RecordListModel::roleNames() const {
  return {{TitleRole, "title"}, {SubtitleRole, "subtitle"}, {ObjectIdRole, "objectId"}};
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
