#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/date.h"
#include "platform/status.h"
#include "platform/store/model.h"

namespace tockary {

// A backup is one SQLite file: the store's tables as they are (triggers, indexes and any virtual
// table included, its user_version the store's schema version), the preferences' rows in the
// table `tockary_preferences`, and the manifest in `tockary_backup(key, value)`: the application's
// name, the format version, the model's name and schema version, when it was made, and how many
// records each entity holds ("records.Kello").
inline constexpr int kBackupFormatVersion = 1;

struct BackupManifest {
  int formatVersion = 0;
  std::string model;
  int schemaVersion = 0;
  std::string created;            // ISO 8601 in UTC, "2026-12-07T19:21:11Z"
  std::optional<Date> createdAt;  // the same, when it reads as such
  // Per entity of the model, in model order.
  std::vector<std::pair<std::string, std::int64_t>> records;
  std::int64_t preferences = 0;  // rows of the preferences table
};

// The live files a backup is made from and a restore replaces.
struct StoreFiles {
  std::filesystem::path store;
  std::filesystem::path preferences;
  std::chrono::milliseconds busyTimeout{5000};
};

// How far a backup has come, 0 to 1; called from the thread that makes it.
using BackupProgress = std::function<void(double)>;

// Writes a backup of `from` to `target`: one consistent moment of the store, taken through
// SQLite's online backup while other programs go on writing, so it never waits for them. The
// file is made beside the target under a temporary name (0600) and renamed into place once
// complete: `target` holds the earlier file or the whole backup, never a part. A preferences file
// that does not exist counts as no preferences. Failures name the file and the reason.
Result<BackupManifest> writeBackup(const StoreFiles& from, const ManagedObjectModel& model,
                                   const std::filesystem::path& target, Date now,
                                   const BackupProgress& progress = {});

// Reads `file` without changing it and checks all of it: that it is an SQLite file whose
// integrity check passes, that its manifest is this application's, of a format and a schema
// version not newer than ours and of this model, and that it holds as many records as the
// manifest says. A refusal is a Status for which isBackupRefused() holds; its description says
// what is wrong in a few words ("is not a Tockary backup", ...), to follow the file's name.
Result<BackupManifest> checkBackup(const std::filesystem::path& file,
                                   const ManagedObjectModel& model);

bool isBackupRefused(const Status& status);

// Copies `file` as a snapshot to `file` + ".before-restore", replacing an earlier one.
inline constexpr std::string_view kBeforeRestoreSuffix = ".before-restore";
std::filesystem::path beforeRestoreFile(const std::filesystem::path& file);

// What a restore did.
struct RestoreOutcome {
  BackupManifest restored;
  std::filesystem::path storeKept;        // the replaced store's snapshot
  std::filesystem::path preferencesKept;  // the replaced preferences' snapshot
};

// Replaces the store and the preferences of `live` by those in the backup `file`. Checks the file
// first as checkBackup() does and changes nothing when it is refused. Then brings a copy of it to
// the schema of `model` beside the store, keeps the live files as snapshots (beforeRestoreFile),
// and writes the copy into the live store in one transaction: a reader (the app, which may stay
// open) sees the old collection or the new one, and so does a store whose restore was killed at
// any moment. The preferences follow in a transaction of their own. Another program holding the
// store beyond the busy timeout gives isStoreBusy() and changes nothing.
Result<RestoreOutcome> restoreBackup(const std::filesystem::path& file, const StoreFiles& live,
                                     const ManagedObjectModel& model);

// How many rows the live preferences hold; 0 when the file does not exist yet.
Result<std::int64_t> countPreferences(const StoreFiles& live);

}  // namespace tockary
