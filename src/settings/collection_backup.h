#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/status.h"
#include "platform/store/store_backup.h"
#include "store/app_services.h"

namespace tockary {

inline constexpr std::string_view kBackupSectionTitle = "Backup";
inline constexpr std::string_view kBackUpButtonTitle = "Back Up…";
inline constexpr std::string_view kRestoreButtonTitle = "Restore…";
inline constexpr std::string_view kBackupFooter =
    "Back Up writes every watch, record, picture and setting to one file. Restore replaces them "
    "with those of a backup and keeps the replaced ones beside them.";
inline constexpr std::string_view kBackupDialogTitle = "Back Up";
inline constexpr std::string_view kRestoreDialogTitle = "Choose a Backup";
inline constexpr std::string_view kBackupFilterName = "Tockary backups";
inline constexpr std::string_view kBackupFilterGlob = "*.sqlite";
// The action of the restore sheet that replaces the collection.
inline constexpr std::string_view kConfirmRestoreAction = "confirmRestore";

// One line of what a backup or the store holds: "Watches" (Kello) 14.
struct RecordCount {
  std::string caption;
  std::string entity;  // empty for the settings
  std::int64_t count = 0;
};

// The settings screen's "Back Up…" and "Restore…": a backup of the store and the preferences in
// one file, and the restore of one after a sheet that says what it would replace.
class CollectionBackup {
 public:
  // `services` must outlive this. `preferencesFile` is the file behind services.defaults;
  // `busyTimeout` how long a restore waits for another program writing the store.
  CollectionBackup(AppServices& services, std::filesystem::path preferencesFile,
                   std::chrono::milliseconds busyTimeout);

  // The name the save dialog proposes: "Tockary backup 2026-12-07.sqlite", today's date.
  std::string suggestedFileName() const;

  // What a backup to `file` copies, once what was pending is saved. Its run() reads the files
  // through connections of its own, so it may be called on any thread.
  struct Job {
    StoreFiles files;
    const ManagedObjectModel* model = nullptr;
    std::filesystem::path target;
    Date now;
    Result<BackupManifest> run(const BackupProgress& progress = {}) const;
  };
  // A failed save of pending changes is the error.
  Result<Job> prepareBackup(const std::filesystem::path& file);
  // Both at once (see writeBackup).
  Result<BackupManifest> backUp(const std::filesystem::path& file,
                                const BackupProgress& progress = {});
  // Tells the user in an alert where the backup went and what it holds, or why it was not made.
  void presentBackupOutcome(const std::filesystem::path& file,
                            const Result<BackupManifest>& outcome);

  // Checks the backup at `file` and presents the restore sheet: when the backup was made, what
  // the store holds now and what the backup holds, entity by entity, and the settings; its
  // confirmRestore action restores. A refused file (isBackupRefused) is returned and said in an
  // alert instead; so is a restore that fails.
  Status askToRestore(const std::filesystem::path& file);
  // What the last confirmRestore did; nullopt before one.
  const std::optional<Result<RestoreOutcome>>& restoreOutcome() const { return outcome_; }
  // Run after a successful restore, once the context has forgotten the replaced records and
  // before the alert that says so: the front end shows the restored collection on every screen.
  std::function<void()> didRestore;

  // A backup's counts as the app names them, the settings last.
  static std::vector<RecordCount> contents(const BackupManifest& manifest);
  // The line a refused or failed backup or restore is reported with: "FILE is not a Tockary
  // backup; nothing was changed".
  static std::string refusalLine(const std::filesystem::path& file, const Status& status);

 private:
  void restore(const std::filesystem::path& file);
  void presentAlert(std::string title, std::string message);
  StoreFiles files();

  AppServices& services_;
  std::filesystem::path preferencesFile_;
  std::chrono::milliseconds busyTimeout_;
  std::optional<Result<RestoreOutcome>> outcome_;
};

}  // namespace tockary
