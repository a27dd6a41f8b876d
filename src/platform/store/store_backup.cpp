#include "platform/store/store_backup.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/defaults/user_defaults.h"
#include "platform/replaced_file.h"
#include "platform/store/object_store.h"
#include "platform/store/sqlite_support.h"

namespace tockary {

namespace {

constexpr std::string_view kApplication = "Tockary";
constexpr std::string_view kManifestTable = "tockary_backup";
constexpr std::string_view kPreferencesCopy = "tockary_preferences";
constexpr std::string_view kRecordsKeyPrefix = "records.";
constexpr std::string_view kRefusedKey = "refused";
// Pages copied between two progress reports: 1 MiB at the default page size.
constexpr int kPagesPerStep = 256;

class Connection {
 public:
  Connection() = default;
  ~Connection() { sqlite3_close_v2(db_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens `file` as a path, never as a URI; `create` only for files of our own making.
  Status open(const std::filesystem::path& file, int flags, std::chrono::milliseconds busy) {
    if (sqlite3_open_v2(file.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
      return sqlite::failure(db_, "cannot open " + file.string());
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, static_cast<int>(busy.count()));
    return Status::ok();
  }
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

Status refused(const std::filesystem::path& file, std::string why) {
  return Status::error(std::move(why), {{"path", file.string()}, {std::string(kRefusedKey), "1"}});
}

Status failed(sqlite3* db, std::string_view what, const std::filesystem::path& file) {
  return sqlite::failure(db, std::string(what) + " " + file.string() + ": " + sqlite3_errmsg(db));
}

// Copies the whole database `from` into `to` (schema, triggers, virtual tables and the header's
// user_version alike). In steps when `progress` is given, else in one step, which is one write
// transaction on `to`.
Status copyDatabase(sqlite3* from, sqlite3* to, const std::filesystem::path& target,
                    const BackupProgress& progress) {
  sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
  if (backup == nullptr) return failed(to, "cannot copy into", target);
  int rc = SQLITE_OK;
  do {
    rc = sqlite3_backup_step(backup, progress ? kPagesPerStep : -1);
    if (progress) {
      const int total = sqlite3_backup_pagecount(backup);
      const int left = sqlite3_backup_remaining(backup);
      if (total > 0) progress(static_cast<double>(total - left) / total);
    }
  } while (rc == SQLITE_OK);
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE) {
    return Status::error("cannot copy into " + target.string() + ": " + sqlite3_errstr(rc),
                         {{"path", target.string()}, {"sqliteCode", std::to_string(rc)}});
  }
  return Status::ok();
}

std::string isoUtc(Date when) {
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(when));
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::optional<Date> fromIsoUtc(const std::string& text) {
  std::tm utc{};
  char zone = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &utc.tm_year, &utc.tm_mon,
                  &utc.tm_mday, &utc.tm_hour, &utc.tm_min, &utc.tm_sec, &zone) != 7 ||
      zone != 'Z') {
    return std::nullopt;
  }
  utc.tm_year -= 1900;
  utc.tm_mon -= 1;
  return std::chrono::time_point_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::from_time_t(timegm(&utc)));
}

std::optional<std::int64_t> countRows(sqlite3* db, std::string_view table) {
  sqlite::Statement count(db, "SELECT count(*) FROM " + sqlite::quoted(table));
  if (!count.prepared() || count.step() != SQLITE_ROW) return std::nullopt;
  return sqlite3_column_int64(count.get(), 0);
}

int userVersion(sqlite3* db) {
  return static_cast<int>(sqlite::pragmaInteger(db, "user_version").value_or(0));
}

int pageSize(sqlite3* db) {
  return static_cast<int>(sqlite::pragmaInteger(db, "page_size").value_or(0));
}

// The preferences' rows as (key, value) with the value in its SQLite type.
struct Preference {
  std::string key;
  Value value;
};

Result<std::vector<Preference>> readPreferences(sqlite3* db, std::string_view table,
                                                const std::filesystem::path& file) {
  std::vector<Preference> rows;
  sqlite::Statement read(db, "SELECT key, value FROM " + sqlite::quoted(table) + " ORDER BY key");
  if (!read.prepared()) return failed(db, "cannot read", file);
  int rc = SQLITE_OK;
  while ((rc = read.step()) == SQLITE_ROW) {
    Preference row;
    row.key = reinterpret_cast<const char*>(sqlite3_column_text(read.get(), 0));
    switch (sqlite3_column_type(read.get(), 1)) {
      case SQLITE_INTEGER:
        row.value = static_cast<std::int64_t>(sqlite3_column_int64(read.get(), 1));
        break;
      case SQLITE_FLOAT:
        row.value = sqlite3_column_double(read.get(), 1);
        break;
      case SQLITE_NULL:
        break;
      default:
        row.value = read.column(1, AttributeType::String);
    }
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) return failed(db, "cannot read", file);
  return rows;
}

Status writePreferences(sqlite3* db, std::string_view table, const std::vector<Preference>& rows,
                        const std::filesystem::path& file) {
  sqlite::Statement insert(db,
                           "INSERT INTO " + sqlite::quoted(table) + "(key, value) VALUES(?1, ?2)");
  if (!insert.prepared()) return failed(db, "cannot write", file);
  for (const auto& row : rows) {
    sqlite3_reset(insert.get());
    insert.bind(1, row.key);
    insert.bind(2, row.value);
    if (insert.step() != SQLITE_DONE) return failed(db, "cannot write", file);
  }
  return Status::ok();
}

// The live preferences' rows; none when the file does not exist yet.
Result<std::vector<Preference>> livePreferences(const StoreFiles& files) {
  std::error_code error;
  if (!std::filesystem::exists(files.preferences, error)) return std::vector<Preference>{};
  Connection prefs;
  if (Status opened = prefs.open(files.preferences, SQLITE_OPEN_READONLY, files.busyTimeout);
      !opened) {
    return opened;
  }
  return readPreferences(prefs.get(), kPreferencesTable, files.preferences);
}

// A consistent copy of the database `from` for the file `target`, in rollback-journal mode so
// that the one file holds it all; commit() puts it in place. `finish` may add to it.
Result<ReplacedFile> snapshot(sqlite3* from, const std::filesystem::path& target,
                              const BackupProgress& progress,
                              const std::function<Status(sqlite3*)>& finish = {}) {
  auto created = ReplacedFile::create(target);
  if (!created) return created.status();
  ReplacedFile file = std::move(created).value();
  {
    Connection copy;
    if (Status opened = copy.open(file.temporaryPath(), SQLITE_OPEN_READWRITE, {}); !opened) {
      return opened;
    }
    // The file is made durable once, whole, as it is put in place.
    sqlite::exec(copy.get(), "PRAGMA synchronous=OFF");
    // Held across the steps, the read transaction keeps one moment of the store while other
    // programs write: the copy never starts over.
    if (!sqlite::exec(from, "BEGIN") || !countRows(from, "sqlite_master")) {
      sqlite::exec(from, "ROLLBACK");
      return failed(from, "cannot read", target);
    }
    Status copied = copyDatabase(from, copy.get(), target, progress);
    sqlite::exec(from, "COMMIT");
    if (!copied) return copied;
    if (!sqlite::exec(copy.get(), "PRAGMA journal_mode=DELETE")) {
      return failed(copy.get(), "cannot write", target);
    }
    if (finish) {
      if (Status added = finish(copy.get()); !added) return added;
    }
  }
  return file;
}

Status addManifest(sqlite3* db, const BackupManifest& manifest,
                   const std::vector<Preference>& prefs, const std::filesystem::path& target) {
  bool ok = sqlite::exec(db, "BEGIN") &&
            sqlite::exec(db, "CREATE TABLE " + sqlite::quoted(kManifestTable) +
                                 "(key TEXT PRIMARY KEY, value)") &&
            sqlite::exec(db, "CREATE TABLE " + sqlite::quoted(kPreferencesCopy) +
                                 "(key TEXT PRIMARY KEY, value)");
  if (!ok) return failed(db, "cannot write", target);
  std::vector<Preference> entries = {
      {"application", std::string(kApplication)},
      {"formatVersion", static_cast<std::int64_t>(manifest.formatVersion)},
      {"model", manifest.model},
      {"schemaVersion", static_cast<std::int64_t>(manifest.schemaVersion)},
      {"created", manifest.created},
      {"preferences", manifest.preferences},
  };
  for (const auto& [entity, count] : manifest.records) {
    entries.push_back({std::string(kRecordsKeyPrefix) + entity, count});
  }
  if (Status written = writePreferences(db, kManifestTable, entries, target); !written) {
    return written;
  }
  if (Status written = writePreferences(db, kPreferencesCopy, prefs, target); !written) {
    return written;
  }
  if (!sqlite::exec(db, "COMMIT")) return failed(db, "cannot write", target);
  return Status::ok();
}

std::optional<std::string> manifestText(sqlite3* db, std::string_view key) {
  sqlite::Statement read(db,
                         "SELECT value FROM " + sqlite::quoted(kManifestTable) + " WHERE key = ?1");
  if (!read.prepared()) return std::nullopt;
  read.bind(1, std::string(key));
  if (read.step() != SQLITE_ROW || sqlite3_column_type(read.get(), 0) == SQLITE_NULL) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(sqlite3_column_text(read.get(), 0)));
}

std::optional<std::int64_t> manifestNumber(sqlite3* db, std::string_view key) {
  sqlite::Statement read(db,
                         "SELECT value FROM " + sqlite::quoted(kManifestTable) + " WHERE key = ?1");
  if (!read.prepared()) return std::nullopt;
  read.bind(1, std::string(key));
  if (read.step() != SQLITE_ROW || sqlite3_column_type(read.get(), 0) != SQLITE_INTEGER) {
    return std::nullopt;
  }
  return sqlite3_column_int64(read.get(), 0);
}

bool startsLikeSqlite(const std::filesystem::path& file) {
  constexpr std::string_view kHeader{"SQLite format 3\0", 16};
  std::ifstream in(file, std::ios::binary);
  std::string start(kHeader.size(), '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  return in.gcount() == static_cast<std::streamsize>(kHeader.size()) && start == kHeader;
}

std::string damaged(std::string_view detail) { return "is damaged (" + std::string(detail) + ")"; }

// A private folder beside the store for the copy being brought to our schema; removed with this.
class StagingFolder {
 public:
  static Result<std::filesystem::path> make(const std::filesystem::path& beside) {
    std::string pattern = (beside.parent_path() / ".restore-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      return Status::error("cannot create a folder beside " + beside.string() + ": " +
                           std::generic_category().message(errno));
    }
    return std::filesystem::path(pattern);
  }
  explicit StagingFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  ~StagingFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

 private:
  std::filesystem::path folder_;
};

}  // namespace

bool isBackupRefused(const Status& status) {
  return !status.isOk() && status.userInfo().contains(std::string(kRefusedKey));
}

std::filesystem::path beforeRestoreFile(const std::filesystem::path& file) {
  return file.string() + std::string(kBeforeRestoreSuffix);
}

Result<BackupManifest> writeBackup(const StoreFiles& from, const ManagedObjectModel& model,
                                   const std::filesystem::path& target, Date now,
                                   const BackupProgress& progress) {
  // Renamed into place, a backup over a live file would replace the collection itself.
  for (const auto& live : {from.store, from.preferences}) {
    for (const char* companion : {"", "-wal", "-shm", "-journal"}) {
      std::error_code error;
      if (!std::filesystem::equivalent(target, live.string() + companion, error)) continue;
      return Status::error("cannot write " + target.string() + ": it is the collection's own file",
                           {{"path", target.string()}});
    }
  }
  auto prefs = livePreferences(from);
  if (!prefs) return prefs.status();
  Connection store;
  if (Status opened = store.open(from.store, SQLITE_OPEN_READWRITE, from.busyTimeout); !opened) {
    return opened;
  }
  BackupManifest manifest;
  manifest.formatVersion = kBackupFormatVersion;
  manifest.model = model.name;
  manifest.created = isoUtc(now);
  manifest.createdAt = fromIsoUtc(manifest.created);
  manifest.preferences = static_cast<std::int64_t>(prefs->size());
  // Counted in the copy, so the manifest tells exactly what the file holds.
  auto written = snapshot(store.get(), target, progress, [&](sqlite3* copy) -> Status {
    manifest.schemaVersion = userVersion(copy);
    for (const auto& entity : model.entities) {
      const auto count = countRows(copy, entity.name);
      if (!count) return failed(copy, "cannot count the records of", target);
      manifest.records.emplace_back(entity.name, *count);
    }
    return addManifest(copy, manifest, *prefs, target);
  });
  if (!written) return written.status();
  if (Status committed = written.value().commit(); !committed) return committed;
  return manifest;
}

Result<BackupManifest> checkBackup(const std::filesystem::path& file,
                                   const ManagedObjectModel& model) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error) return refused(file, "cannot be read: " + error.message());
  if (!std::filesystem::is_regular_file(status)) return refused(file, "is not a file");
  if (!startsLikeSqlite(file)) return refused(file, "is not a Tockary backup");

  Connection backup;
  if (Status opened = backup.open(file, SQLITE_OPEN_READONLY, {}); !opened) {
    return refused(file, "cannot be read: " + opened.userInfo().at("reason"));
  }
  sqlite3* db = backup.get();
  {
    sqlite::Statement check(db, "PRAGMA integrity_check(1)");
    if (!check.prepared() || check.step() != SQLITE_ROW) {
      return refused(file, damaged(sqlite3_errmsg(db)));
    }
    const std::string verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    if (verdict != "ok") return refused(file, damaged(verdict));
  }
  if (manifestText(db, "application") != kApplication) {
    return refused(file, "is not a Tockary backup");
  }
  BackupManifest manifest;
  manifest.formatVersion = static_cast<int>(manifestNumber(db, "formatVersion").value_or(0));
  manifest.model = manifestText(db, "model").value_or("");
  manifest.schemaVersion = static_cast<int>(manifestNumber(db, "schemaVersion").value_or(-1));
  manifest.created = manifestText(db, "created").value_or("");
  manifest.createdAt = fromIsoUtc(manifest.created);
  manifest.preferences = manifestNumber(db, "preferences").value_or(-1);
  auto newer = [&](std::string_view what, int version, int ours) {
    return refused(file, "was made by a newer Tockary (" + std::string(what) + " " +
                             std::to_string(version) + "; this one reads up to " +
                             std::to_string(ours) + ")");
  };
  if (manifest.formatVersion > kBackupFormatVersion) {
    return newer("backup format", manifest.formatVersion, kBackupFormatVersion);
  }
  if (manifest.schemaVersion > model.version) {
    return newer("schema version", manifest.schemaVersion, model.version);
  }
  if (manifest.formatVersion < 1 || manifest.schemaVersion < 0) {
    return refused(file, damaged("its manifest has no versions"));
  }
  if (manifest.model != model.name) {
    return refused(file, "is a backup of another kind of store (" + manifest.model + ")");
  }
  if (userVersion(db) != manifest.schemaVersion) {
    return refused(file, damaged("its schema version is not the one its manifest names"));
  }
  auto agree = [&](std::string_view table, std::int64_t expected) -> std::optional<Status> {
    const auto held = countRows(db, table);
    if (!held) return refused(file, damaged("it has no table " + std::string(table)));
    if (*held != expected) {
      return refused(file, damaged("its manifest counts " + std::to_string(expected) + " rows of " +
                                   std::string(table) + ", it holds " + std::to_string(*held)));
    }
    return std::nullopt;
  };
  for (const auto& entity : model.entities) {
    const auto count = manifestNumber(db, std::string(kRecordsKeyPrefix) + entity.name);
    // An older schema may lack an entity, which the restore then makes empty.
    if (!count) continue;
    if (auto wrong = agree(entity.name, *count)) return *wrong;
    manifest.records.emplace_back(entity.name, *count);
  }
  if (auto wrong = agree(kPreferencesCopy, manifest.preferences)) return *wrong;
  return manifest;
}

Result<std::int64_t> countPreferences(const StoreFiles& live) {
  auto rows = livePreferences(live);
  if (!rows) return rows.status();
  return static_cast<std::int64_t>(rows->size());
}

Result<RestoreOutcome> restoreBackup(const std::filesystem::path& file, const StoreFiles& live,
                                     const ManagedObjectModel& model) {
  auto manifest = checkBackup(file, model);
  if (!manifest) return manifest.status();

  auto folder = StagingFolder::make(live.store);
  if (!folder) return folder.status();
  const StagingFolder staging(*folder);
  const std::filesystem::path staged = *folder / (model.name + ".sqlite");
  std::vector<Preference> prefs;
  {
    Connection backup;
    Connection copy;
    if (Status opened = backup.open(file, SQLITE_OPEN_READONLY, {}); !opened) return opened;
    if (Status opened = copy.open(staged, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, {});
        !opened) {
      return opened;
    }
    // A copy thrown away whatever happens needs no syncing.
    sqlite::exec(copy.get(), "PRAGMA synchronous=OFF");
    auto read = readPreferences(backup.get(), kPreferencesCopy, file);
    if (!read) return read.status();
    prefs = std::move(read).value();
    if (Status copied = copyDatabase(backup.get(), copy.get(), staged, {}); !copied) return copied;
    if (!sqlite::exec(copy.get(), "DROP TABLE " + sqlite::quoted(kManifestTable)) ||
        !sqlite::exec(copy.get(), "DROP TABLE " + sqlite::quoted(kPreferencesCopy))) {
      return failed(copy.get(), "cannot write", staged);
    }
  }
  // The same opening as the app's brings an older backup to our schema, with every index,
  // trigger and table the current store has.
  {
    PersistentContainer container(model.name, model, *folder, {live.busyTimeout});
    if (Status opened = container.loadPersistentStores(); !opened) {
      return Status::error(opened.description() + ": " + opened.userInfo().at("reason"),
                           opened.userInfo());
    }
  }

  Connection store;
  if (Status opened = store.open(live.store, SQLITE_OPEN_READWRITE, live.busyTimeout); !opened) {
    return opened;
  }
  Connection copy;
  if (Status opened = copy.open(staged, SQLITE_OPEN_READWRITE, {}); !opened) return opened;
  // A store under WAL takes a copy only of its own page size.
  if (const int size = pageSize(store.get()); size != pageSize(copy.get())) {
    if (!sqlite::exec(copy.get(), "PRAGMA journal_mode=DELETE") ||
        !sqlite::exec(copy.get(), "PRAGMA page_size=" + std::to_string(size)) ||
        !sqlite::exec(copy.get(), "VACUUM")) {
      return failed(copy.get(), "cannot write", staged);
    }
  }

  RestoreOutcome outcome{*manifest, beforeRestoreFile(live.store),
                         beforeRestoreFile(live.preferences)};
  // Put in place only once the store is replaced: a restore that is refused keeps the files an
  // earlier one kept.
  auto storeKept = snapshot(store.get(), outcome.storeKept, {});
  if (!storeKept) return storeKept.status();
  Connection preferences;
  if (Status opened = preferences.open(live.preferences, SQLITE_OPEN_READWRITE, live.busyTimeout);
      !opened) {
    return opened;
  }
  auto preferencesKept = snapshot(preferences.get(), outcome.preferencesKept, {});
  if (!preferencesKept) return preferencesKept.status();

  // One step is one write transaction on the store: old collection or new, never a mix.
  if (Status copied = copyDatabase(copy.get(), store.get(), live.store, {}); !copied) {
    return copied;
  }
  ReplacedFile keptStore = std::move(storeKept).value();
  ReplacedFile keptPreferences = std::move(preferencesKept).value();
  if (Status kept = keptStore.commit(); !kept) {
    return Status::error("the collection was restored, but " + kept.description(), kept.userInfo());
  }
  if (Status kept = keptPreferences.commit(); !kept) {
    return Status::error("the collection was restored, but " + kept.description(), kept.userInfo());
  }
  sqlite3* db = preferences.get();
  const bool begun = sqlite::exec(db, "BEGIN IMMEDIATE");
  if (!begun || !sqlite::exec(db, "DELETE FROM " + sqlite::quoted(kPreferencesTable)) ||
      !writePreferences(db, kPreferencesTable, prefs, live.preferences) ||
      !sqlite::exec(db, "COMMIT")) {
    Status failure =
        failed(db, "the collection was restored, but not the settings in", live.preferences);
    if (begun) sqlite::exec(db, "ROLLBACK");
    return failure;
  }
  return outcome;
}

}  // namespace tockary
