#include "settings/collection_backup.h"

#include <cstdio>
#include <utility>

#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "store/store_busy_alert.h"

namespace tockary {

namespace {

constexpr std::string_view kSettingsCaption = "Settings";
constexpr std::string_view kRestoreFailedTitle = "Cannot Restore";

std::string countText(const std::optional<std::int64_t>& count) {
  return count ? std::to_string(*count) : "?";
}

}  // namespace

CollectionBackup::CollectionBackup(AppServices& services, std::filesystem::path preferencesFile,
                                   std::chrono::milliseconds busyTimeout)
    : services_(services),
      preferencesFile_(std::move(preferencesFile)),
      busyTimeout_(busyTimeout) {}

StoreFiles CollectionBackup::files() {
  return {services_.app.persistentContainer().storeFile(), preferencesFile_, busyTimeout_};
}

std::string CollectionBackup::suggestedFileName() const {
  const LocalDateTime today = services_.formatters.calendar().localDateTime(services_.clock.now());
  char day[16];
  std::snprintf(day, sizeof day, "%04d-%02d-%02d", today.year, today.month, today.day);
  return "Tockary backup " + std::string(day) + ".sqlite";
}

Result<CollectionBackup::Job> CollectionBackup::prepareBackup(const std::filesystem::path& file) {
  // The backup reads the file: what a screen left unsaved would be missing from it.
  if (Status saved = services_.context().save(); !saved) return saved;
  return Job{files(), &services_.app.persistentContainer().managedObjectModel(), file,
             services_.clock.now()};
}

Result<BackupManifest> CollectionBackup::Job::run(const BackupProgress& progress) const {
  return writeBackup(files, *model, target, now, progress);
}

Result<BackupManifest> CollectionBackup::backUp(const std::filesystem::path& file,
                                                const BackupProgress& progress) {
  auto job = prepareBackup(file);
  if (!job) return job.status();
  return job->run(progress);
}

void CollectionBackup::presentAlert(std::string title, std::string message) {
  Sheet sheet;
  sheet.title = std::move(title);
  sheet.message = std::move(message);
  sheet.actions.push_back(okAction());
  services_.presenter.present(std::move(sheet));
}

void CollectionBackup::presentBackupOutcome(const std::filesystem::path& file,
                                            const Result<BackupManifest>& outcome) {
  if (!outcome) {
    presentAlert("Backup Failed", outcome.status().description());
    return;
  }
  std::string message = file.string() + "\n";
  for (const RecordCount& line : contents(*outcome)) {
    message += "\n" + line.caption + ": " + std::to_string(line.count);
  }
  presentAlert("Backup Saved", std::move(message));
}

std::vector<RecordCount> CollectionBackup::contents(const BackupManifest& manifest) {
  std::vector<RecordCount> lines;
  for (const auto& [entity, count] : manifest.records) {
    lines.push_back({recordKindCaption(entity), entity, count});
  }
  lines.push_back({std::string(kSettingsCaption), {}, manifest.preferences});
  return lines;
}

std::string CollectionBackup::refusalLine(const std::filesystem::path& file, const Status& status) {
  if (isBackupRefused(status)) {
    return file.string() + " " + status.description() + "; nothing was changed";
  }
  return status.description();
}

Status CollectionBackup::askToRestore(const std::filesystem::path& file) {
  const ManagedObjectModel& model = services_.app.persistentContainer().managedObjectModel();
  auto manifest = checkBackup(file, model);
  if (!manifest) {
    presentAlert(std::string(kRestoreFailedTitle), refusalLine(file, manifest.status()));
    return manifest.status();
  }

  std::string message = "This replaces your collection and settings with those of the backup";
  if (manifest->createdAt) {
    message += " made " + services_.formatters.shortDateMediumTime(*manifest->createdAt);
  }
  message += ". What you have now is kept beside them.\n";
  for (const RecordCount& line : contents(*manifest)) {
    std::optional<std::int64_t> now;
    if (line.entity.empty()) {
      auto counted = countPreferences(files());
      if (counted) now = *counted;
    } else {
      auto counted = services_.context().count(FetchRequest(line.entity));
      if (counted) now = *counted;
    }
    // Kinds of record neither side has (the unused ones, mostly) would only crowd the sheet.
    if (now == 0 && line.count == 0) continue;
    message += "\n" + line.caption + ": " + countText(now) + " now, " + std::to_string(line.count) +
               " in the backup";
  }
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Restore this backup?";
  sheet.message = std::move(message);
  sheet.actions.push_back({std::string(kConfirmRestoreAction), "Restore", ActionStyle::Destructive,
                           [this, file] { restore(file); }});
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
  return Status::ok();
}

void CollectionBackup::restore(const std::filesystem::path& file) {
  ManagedObjectContext& context = services_.context();
  // The restore writes through a connection of its own, which an open write of the context's
  // would keep waiting.
  if (Status saved = context.save(); !saved) {
    outcome_ = saved;
  } else {
    outcome_ =
        restoreBackup(file, files(), services_.app.persistentContainer().managedObjectModel());
  }
  if (!outcome_->isOk()) {
    diagnostic("Could not restore " + file.string() + ": " + outcome_->status().description());
    if (!presentIfStoreBusy(outcome_->status(), services_.presenter)) {
      presentAlert(std::string(kRestoreFailedTitle), refusalLine(file, outcome_->status()));
    }
    return;
  }
  context.reset();
  if (didRestore) didRestore();
  std::string message = "Your collection and settings are now those of " + file.string() +
                        ". The replaced ones are kept in " + (*outcome_)->storeKept.string() +
                        " and " + (*outcome_)->preferencesKept.string() + ".";
  presentAlert("Collection Restored", std::move(message));
}

}  // namespace tockary
