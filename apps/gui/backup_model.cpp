#include "backup_model.h"

#include <QDir>
#include <QJSEngine>
#include <QStandardPaths>

#include "qt_text.h"

namespace tockary::gui {

namespace {

BackupModel* instance = nullptr;

}  // namespace

BackupModel::BackupModel(CollectionBackup& backup, const GuiPresenter& presenter, QObject* parent)
    : QObject(parent), backup_(backup), presenter_(presenter) {
  backup_.didRestore = [this] { emit restored(); };
}

BackupModel::~BackupModel() {
  // Quitting waits for a backup being written: a half-written one would only be thrown away.
  if (worker_) worker_->join();
  backup_.didRestore = {};
}

QString BackupModel::sectionTitle() const { return qs(kBackupSectionTitle); }
QString BackupModel::backUpTitle() const { return qs(kBackUpButtonTitle); }
QString BackupModel::restoreTitle() const { return qs(kRestoreButtonTitle); }
QString BackupModel::footer() const { return qs(kBackupFooter); }

QVariantMap BackupModel::backupDialogTexts() const {
  QVariantMap texts = presenter_.saveDialogTexts();
  texts["title"] = qs(kBackupDialogTitle);
  texts["note"] = QString();  // the share sheet's, about items left out
  return texts;
}

QVariantMap BackupModel::restoreDialogTexts() {
  QVariantMap texts = GuiPresenter::pictureDialogTexts();
  texts["title"] = qs(kRestoreDialogTitle);
  return texts;
}

QVariantList BackupModel::filters() {
  return GuiPresenter::fileFilters(qs(kBackupFilterName), {qs(kBackupFilterGlob)});
}

QUrl BackupModel::folder() { return GuiPresenter::saveFolder(); }

QString BackupModel::suggestedName() const { return qs(backup_.suggestedFileName()); }

void BackupModel::chooseBackupFile() {
  if (!backingUp()) emit backupDialogRequested();
}

void BackupModel::chooseRestoreFile() {
  if (!backingUp()) emit restoreDialogRequested();
}

void BackupModel::backUp(const QUrl& file) {
  if (backingUp()) return;
  const std::filesystem::path target = file.toLocalFile().toStdString();
  auto job = backup_.prepareBackup(target);
  if (!job) {
    backup_.presentBackupOutcome(target, job.status());
    return;
  }
  progress_ = 0;
  // The job reads through connections of its own; what it reports comes back to this thread.
  worker_ = std::make_unique<std::thread>([this, job = std::move(job).value(), target] {
    auto outcome = job.run([this](double done) {
      QMetaObject::invokeMethod(this, [this, done] {
        progress_ = done;
        emit progressChanged();
      });
    });
    QMetaObject::invokeMethod(this, [this, target, outcome] { finish(target, outcome); });
  });
  emit progressChanged();
}

void BackupModel::finish(const std::filesystem::path& file, const Result<BackupManifest>& outcome) {
  worker_->join();
  worker_.reset();
  progress_ = 0;
  emit progressChanged();
  backup_.presentBackupOutcome(file, outcome);
}

void BackupModel::restore(const QUrl& file) {
  static_cast<void>(backup_.askToRestore(file.toLocalFile().toStdString()));
}

void BackupModel::setInstance(BackupModel* model) { instance = model; }

BackupModel* BackupModel::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
