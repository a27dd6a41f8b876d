#include "settings_model.h"

#include <QJSEngine>

namespace tockary::gui {

namespace {
SettingsModel* instance = nullptr;
}

SettingsModel::SettingsModel(SettingsTableViewController& screen, QObject* parent)
    : QAbstractListModel(parent), screen_(screen) {}

int SettingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(settingsSwitches().size());
}

QVariant SettingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const SettingsSwitchInfo& info = settingsSwitches()[index.row()];
  const Switch* control = screen_.switchForKey(info.key);
  switch (role) {
    case KeyRole:
      return QString::fromUtf8(info.key.data(), static_cast<qsizetype>(info.key.size()));
    case Qt::DisplayRole:
    case LabelRole:
      return QString::fromUtf8(info.label.data(), static_cast<qsizetype>(info.label.size()));
    case OnRole:
      return control != nullptr && control->isOn;
    case EnabledRole:
      return control == nullptr || control->isEnabled;
    default:
      return {};
  }
}

QHash<int, QByteArray> SettingsModel::roleNames() const {
  return {{KeyRole, "key"}, {LabelRole, "label"}, {OnRole, "on"}, {EnabledRole, "enabled"}};
}

void SettingsModel::setSwitch(const QString& key, bool on) {
  screen_.setSwitch(key.toStdString(), on);
  emit dataChanged(index(0), index(rowCount() - 1));
}

void SettingsModel::reload() {
  screen_.viewDidLoad();
  emit dataChanged(index(0), index(rowCount() - 1));
}

void SettingsModel::exportCollection() { screen_.exportCollectionToCSV(); }

void SettingsModel::setInstance(SettingsModel* model) { instance = model; }

SettingsModel* SettingsModel::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
