#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>

#include <memory>
#include <thread>

#include "gui_presenter.h"
#include "settings/collection_backup.h"

namespace tockary::gui {

// The settings screen's "Back Up…" and "Restore…" for QML: the rows' texts, the two file
// dialogs' texts, filters and folders, and the backup's progress. The backup copies on a thread
// of its own, so the progress bar moves while it runs.
class BackupModel : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString sectionTitle READ sectionTitle CONSTANT)
  Q_PROPERTY(QString backUpTitle READ backUpTitle CONSTANT)
  Q_PROPERTY(QString restoreTitle READ restoreTitle CONSTANT)
  Q_PROPERTY(QString footer READ footer CONSTANT)
  // {title, accept, cancel, empty, name, note} of the save dialog; {title, accept, cancel, empty}
  // of the open dialog.
  Q_PROPERTY(QVariantMap backupDialogTexts READ backupDialogTexts CONSTANT)
  Q_PROPERTY(QVariantMap restoreDialogTexts READ restoreDialogTexts CONSTANT)
  Q_PROPERTY(QVariantList filters READ filters CONSTANT)
  Q_PROPERTY(QUrl folder READ folder CONSTANT)
  Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY backupDialogRequested)
  Q_PROPERTY(bool backingUp READ backingUp NOTIFY progressChanged)
  Q_PROPERTY(double progress READ progress NOTIFY progressChanged)

 public:
  // `presenter` lends the save dialog its texts.
  BackupModel(CollectionBackup& backup, const GuiPresenter& presenter, QObject* parent);
  ~BackupModel() override;

  QString sectionTitle() const;
  QString backUpTitle() const;
  QString restoreTitle() const;
  QString footer() const;
  QVariantMap backupDialogTexts() const;
  static QVariantMap restoreDialogTexts();
  static QVariantList filters();
  static QUrl folder();
  QString suggestedName() const;
  bool backingUp() const { return static_cast<bool>(worker_); }
  double progress() const { return progress_; }

  // The two rows: each opens its file dialog.
  Q_INVOKABLE void chooseBackupFile();
  Q_INVOKABLE void chooseRestoreFile();
  // The dialogs' answers: writes the backup there; checks the file and asks to restore it.
  Q_INVOKABLE void backUp(const QUrl& file);
  Q_INVOKABLE void restore(const QUrl& file);

  static void setInstance(BackupModel* model);
  static BackupModel* create(QQmlEngine*, QJSEngine*);

 signals:
  void backupDialogRequested();
  void restoreDialogRequested();
  void progressChanged();
  // After a restore replaced the collection: every page shows it afresh.
  void restored();

 private:
  void finish(const std::filesystem::path& file, const Result<BackupManifest>& outcome);

  CollectionBackup& backup_;
  const GuiPresenter& presenter_;
  std::unique_ptr<std::thread> worker_;
  double progress_ = 0;
};

}  // namespace tockary::gui
