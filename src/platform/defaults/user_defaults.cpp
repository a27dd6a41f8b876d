#include "platform/defaults/user_defaults.h"

#include <sqlite3.h>

#include <string>
#include <utility>

#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"

namespace tockary {

std::optional<bool> UserDefaults::flag(std::string_view key) const {
  switch (value(key)) {
    case StoredFlag::True:
      return true;
    case StoredFlag::False:
      return false;
    case StoredFlag::Absent:
    case StoredFlag::NotBoolean:
      break;
  }
  return std::nullopt;
}

namespace {

constexpr int kBusyTimeoutMs = 5000;

Status openError(const std::filesystem::path& file, std::string reason) {
  return Status::error("The preferences file could not be opened.",
                       {{"path", file.string()}, {"reason", std::move(reason)}});
}

bool exec(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Leaves a statement ready for reuse; resetting also ends its read snapshot, so the next
// read sees what other processes have committed since.
class StatementUse {
 public:
  explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
  ~StatementUse() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;

 private:
  sqlite3_stmt* stmt_;
};

}  // namespace

Result<std::unique_ptr<SqliteUserDefaults>> SqliteUserDefaults::open(
    const std::filesystem::path& file) {
  auto path = privateDatabaseFile(file);
  if (!path) return openError(file, path.status().description());

  sqlite3* db = nullptr;
  // No SQLITE_OPEN_CREATE: the file exists now, private, and SQLite must not make another.
  if (sqlite3_open_v2(path->c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    Status error = openError(file, db != nullptr ? sqlite3_errmsg(db) : "out of memory");
    sqlite3_close_v2(db);
    return error;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);

  sqlite3_stmt* read = nullptr;
  sqlite3_stmt* write = nullptr;
  auto fail = [&]() -> Status {
    Status error = openError(file, sqlite3_errmsg(db));
    sqlite3_finalize(read);
    sqlite3_finalize(write);
    sqlite3_close_v2(db);
    return error;
  };
  // Reading the schema first proves the file is a database before anything writes to it;
  // switching a foreign file to WAL or creating a table in it would change it.
  if (!exec(db, "PRAGMA schema_version") || !exec(db, "PRAGMA journal_mode=WAL") ||
      !exec(db, "PRAGMA synchronous=FULL") ||
      !exec(db, ("CREATE TABLE IF NOT EXISTS " + std::string(kPreferencesTable) +
                 "(key TEXT PRIMARY KEY, value)")
                    .c_str())) {
    return fail();
  }
  // Preparing here also checks that an existing table has the columns we use.
  const std::string table(kPreferencesTable);
  const std::string readSql = "SELECT value FROM " + table + " WHERE key = ?1";
  const std::string writeSql = "INSERT OR REPLACE INTO " + table + "(key, value) VALUES(?1, ?2)";
  if (sqlite3_prepare_v3(db, readSql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &read, nullptr) !=
          SQLITE_OK ||
      sqlite3_prepare_v3(db, writeSql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &write, nullptr) !=
          SQLITE_OK) {
    return fail();
  }
  return std::unique_ptr<SqliteUserDefaults>(new SqliteUserDefaults(file, db, read, write));
}

SqliteUserDefaults::SqliteUserDefaults(std::filesystem::path file, sqlite3* db, sqlite3_stmt* read,
                                       sqlite3_stmt* write)
    : file_(std::move(file)), db_(db), read_(read), write_(write) {}

SqliteUserDefaults::~SqliteUserDefaults() {
  sqlite3_finalize(read_);
  sqlite3_finalize(write_);
  sqlite3_close_v2(db_);
}

StoredFlag SqliteUserDefaults::value(std::string_view key) const {
  StatementUse use(read_);
  sqlite3_bind_text(read_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  switch (sqlite3_step(read_)) {
    case SQLITE_DONE:
      return StoredFlag::Absent;
    case SQLITE_ROW:
      break;
    default:
      diagnostic("Could not read preference " + std::string(key) + ": " + sqlite3_errmsg(db_));
      return StoredFlag::NotBoolean;
  }
  if (sqlite3_column_type(read_, 0) != SQLITE_INTEGER) return StoredFlag::NotBoolean;
  switch (sqlite3_column_int64(read_, 0)) {
    case 0:
      return StoredFlag::False;
    case 1:
      return StoredFlag::True;
    default:
      return StoredFlag::NotBoolean;
  }
}

void SqliteUserDefaults::setBool(bool value, std::string_view key) {
  StatementUse use(write_);
  sqlite3_bind_text(write_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  sqlite3_bind_int(write_, 2, value ? 1 : 0);
  if (sqlite3_step(write_) != SQLITE_DONE) {
    diagnostic("Could not store preference " + std::string(key) + ": " + sqlite3_errmsg(db_));
  }
}

StoredFlag MemoryUserDefaults::value(std::string_view key) const {
  const auto it = values_.find(key);
  if (it == values_.end()) return StoredFlag::Absent;
  if (const bool* b = std::get_if<bool>(&it->second)) {
    return *b ? StoredFlag::True : StoredFlag::False;
  }
  return StoredFlag::NotBoolean;
}

void MemoryUserDefaults::setBool(bool value, std::string_view key) {
  values_.insert_or_assign(std::string(key), value);
  written_.emplace_back(key);
}

void MemoryUserDefaults::setRaw(std::string_view key, std::string raw) {
  values_.insert_or_assign(std::string(key), std::move(raw));
}

}  // namespace tockary
