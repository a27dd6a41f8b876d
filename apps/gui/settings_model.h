#pragma once

#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <QQmlEngine>

#include "settings/settings_table_view_controller.h"

namespace tockary::gui {

// The settings screen for QML: one row per switch (key, label, on, enabled, its section's title,
// and on the last row of a section that section's footer).
class SettingsModel : public QAbstractListModel {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString exportSectionTitle READ exportSectionTitle CONSTANT)
  Q_PROPERTY(QString exportTitle READ exportTitle CONSTANT)
  Q_PROPERTY(QString exportFooter READ exportFooter CONSTANT)

 public:
  enum Role { KeyRole = Qt::UserRole + 1, LabelRole, OnRole, EnabledRole, SectionRole, FooterRole };

  explicit SettingsModel(SettingsTableViewController& screen, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QHash<int, QByteArray> roleNames() const override;

  QString exportSectionTitle() const;
  QString exportTitle() const;
  QString exportFooter() const;

  // What the user toggling a switch does; every row is refreshed for the side effects.
  Q_INVOKABLE void setSwitch(const QString& key, bool on);
  // The screen's load: switch positions from the stored flags.
  Q_INVOKABLE void reload();
  // Writes the export file and hands it to the share sheet.
  Q_INVOKABLE void exportCollection();

  static void setInstance(SettingsModel* model);
  static SettingsModel* create(QQmlEngine*, QJSEngine*);

 private:
  SettingsTableViewController& screen_;
};

}  // namespace tockary::gui
