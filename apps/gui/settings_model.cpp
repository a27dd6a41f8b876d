#include "settings_model.h"

#include <QJSEngine>

#include "qt_text.h"
#include "settings/settings_layout.h"

namespace tockary::gui {

namespace {

SettingsModel* instance = nullptr;

const SettingsSectionInfo* sectionOf(int row) {
  for (const SettingsSectionInfo& section : settingsSections()) {
    if (row >= section.firstSwitch && row < section.firstSwitch + section.switchCount)
      return &section;
  }
  return nullptr;
}

}  // namespace

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
      return qs(info.key);
    case Qt::DisplayRole:
    case LabelRole:
      return qs(info.label);
    case SectionRole: {
      const SettingsSectionInfo* section = sectionOf(index.row());
      return section != nullptr ? qs(section->title) : QString();
    }
    case FooterRole: {
      const SettingsSectionInfo* section = sectionOf(index.row());
      const bool last =
          section != nullptr && index.row() == section->firstSwitch + section->switchCount - 1;
      return last ? qs(section->footer) : QString();
    }
    case OnRole:
      return control != nullptr && control->isOn;
    case EnabledRole:
      return control == nullptr || control->isEnabled;
    default:
      return {};
  }
}

QHash<int, QByteArray> SettingsModel::roleNames() const {
  return {{KeyRole, "key"},         {LabelRole, "label"},     {OnRole, "on"},
          {EnabledRole, "enabled"}, {SectionRole, "section"}, {FooterRole, "footer"}};
}

QString SettingsModel::exportSectionTitle() const { return qs(kExportSectionTitle); }
QString SettingsModel::exportTitle() const { return qs(kExportButtonTitle); }
QString SettingsModel::exportFooter() const { return qs(kExportFooter); }

void SettingsModel::setSwitch(const QString& key, bool on) {
  screen_.setSwitch(key.toStdString(), on);
  emit dataChanged(index(0), index(rowCount() - 1));
}

void SettingsModel::reload() {
  screen_.viewDidLoad();
  emit dataChanged(index(0), index(rowCount() - 1));
}

void SettingsModel::exportCollection() {
  // A file that cannot be written shows nothing: the diagnostics say why.
  static_cast<void>(screen_.exportCollectionToCSV());
}

void SettingsModel::setInstance(SettingsModel* model) { instance = model; }

SettingsModel* SettingsModel::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
