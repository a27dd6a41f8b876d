#include <set>

#include "platform/data_directory.h"
#include "platform/store/kept_sums.h"
#include "platform/store/object_store.h"
#include "platform/store/sqlite_support.h"
#include "platform/store/text_search.h"

namespace tockary {

namespace {

constexpr std::string_view kOpenFailure = "Could not open the store";

Status openFailure(const std::filesystem::path& file, std::string reason, int code = 0) {
  UserInfo info{{"path", file.string()}, {"reason", std::move(reason)}};
  if (code != 0) info["sqliteCode"] = std::to_string(code);
  return Status::error(std::string(kOpenFailure), std::move(info));
}

std::set<std::string> existingColumns(sqlite3* db, const std::string& table) {
  std::set<std::string> columns;
  sqlite::Statement info(db, "PRAGMA table_info(" + sqlite::quoted(table) + ")");
  while (info.prepared() && info.step() == SQLITE_ROW) {
    columns.insert(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1)));
  }
  return columns;
}

// The columns an entity needs: its attributes and its to-one relationship ends.
std::vector<std::pair<std::string, std::string_view>> neededColumns(const EntityDescription& e) {
  std::vector<std::pair<std::string, std::string_view>> columns;
  for (const auto& a : e.attributes) columns.emplace_back(a.name, sqlite::columnType(a.type));
  for (const auto& r : e.relationships) {
    // Suffixed: column names ignore case, and an entity may have an attribute "kuvanKello"
    // beside a relationship "kuvankello".
    if (!r.toMany) columns.emplace_back(r.name + "_id", "INTEGER");
  }
  return columns;
}

std::set<std::string> existingIndexes(sqlite3* db, const std::string& table) {
  std::set<std::string> names;
  sqlite::Statement list(db,
                         "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?");
  if (!list.prepared()) return names;
  list.bind(1, table);
  while (list.step() == SQLITE_ROW) {
    names.insert(reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
  }
  return names;
}

// The name says what the index holds, so that a changed index is a new one beside the old.
std::string indexName(const EntityDescription& entity, const std::vector<SortDescriptor>& keys) {
  std::string name = entity.name + "_by";
  for (const auto& key : keys) name += "_" + key.key + (key.ascending ? "" : "_desc");
  return name;
}

std::string createIndex(const EntityDescription& entity, const std::vector<SortDescriptor>& keys) {
  std::string columns;
  for (const auto& key : keys) {
    if (!columns.empty()) columns += ", ";
    columns += sqlite::quoted(key.key) + (key.ascending ? " ASC" : " DESC");
  }
  return "CREATE INDEX IF NOT EXISTS " + sqlite::quoted(indexName(entity, keys)) + " ON " +
         sqlite::quoted(entity.name) + " (" + columns + ")";
}

}  // namespace

PersistentContainer::PersistentContainer(std::string name, ManagedObjectModel model,
                                         std::filesystem::path directory, StoreOptions options)
    : name_(std::move(name)),
      model_(std::move(model)),
      directory_(std::move(directory)),
      options_(options) {}

PersistentContainer::~PersistentContainer() = default;

std::filesystem::path PersistentContainer::storeFile() const {
  return directory_ / (name_ + ".sqlite");
}

Status PersistentContainer::loadPersistentStores() {
  if (context_) return Status::ok();
  const auto file = storeFile();
  // A warning about a folder others can use is the front end's to show: it prepares the folder
  // before anything opens.
  if (Status folder = ensurePrivateDirectory(directory_).status; !folder) {
    return openFailure(file, folder.description());
  }
  auto path = privateDatabaseFile(file);
  if (!path) return openFailure(file, path.status().description());

  auto database = std::make_unique<ManagedObjectContext::Database>();
  // No SQLITE_OPEN_CREATE: the file exists now, private, and SQLite must not make another. The
  // context is used from one thread only, so the connection needs no lock of its own.
  const int opened = sqlite3_open_v2(path->c_str(), &database->handle,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (opened != SQLITE_OK) {
    return openFailure(
        file, database->handle ? sqlite3_errmsg(database->handle) : sqlite3_errstr(opened), opened);
  }
  sqlite3* db = database->handle;
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, static_cast<int>(options_.busyTimeout.count()));

  // Read before anything is written: a file that is not a database fails here, untouched.
  const auto read = sqlite::pragmaInteger(db, "user_version");
  if (!read) return openFailure(file, sqlite3_errmsg(db), sqlite3_extended_errcode(db));
  const int version = static_cast<int>(*read);
  if (version > model_.version) {
    return openFailure(file, "The model used to open the store (version " +
                                 std::to_string(model_.version) +
                                 ") is older than the one that wrote it (version " +
                                 std::to_string(version) + ")");
  }
  if (!sqlite::exec(db, "PRAGMA journal_mode=WAL") ||
      !sqlite::exec(db, "PRAGMA synchronous=FULL")) {
    return openFailure(file, sqlite3_errmsg(db), sqlite3_extended_errcode(db));
  }
  // A list reads its records in its own order, not the file's: with SQLite's default 2 MiB of
  // pages, a large collection would read most pages from the file again for every few rows.
  sqlite::exec(db, "PRAGMA cache_size=-32768");

  // Create or extend the schema only when something is missing, so that opening a current store
  // never waits for another process's write lock.
  std::vector<std::string> statements;
  for (const auto& entity : model_.entities) {
    const auto have = existingColumns(db, entity.name);
    const auto need = neededColumns(entity);
    if (have.empty()) {
      std::string create =
          "CREATE TABLE " + sqlite::quoted(entity.name) + " (id INTEGER PRIMARY KEY";
      for (const auto& [column, type] : need)
        create += ", " + sqlite::quoted(column) + " " + std::string(type);
      statements.push_back(create + ")");
      continue;
    }
    for (const auto& [column, type] : need) {
      if (have.count(column) == 0) {
        statements.push_back("ALTER TABLE " + sqlite::quoted(entity.name) + " ADD COLUMN " +
                             sqlite::quoted(column) + " " + std::string(type));
      }
    }
  }
  // Indexes change no record, so an older program still opens the store: they do not raise the
  // schema version.
  for (const auto& entity : model_.entities) {
    const auto have = existingIndexes(db, entity.name);
    for (const auto& keys : entity.indexes) {
      if (have.count(indexName(entity, keys)) == 0) statements.push_back(createIndex(entity, keys));
    }
    // The same holds for the kept sums, which older programs keep too as they write.
    for (std::string& sql : sqlite::keptSumStatements(db, entity)) {
      statements.push_back(std::move(sql));
    }
    // And for the text index: a store that predates it, or whose index another program dropped,
    // has it built from its records here.
    for (std::string& sql : sqlite::textSearchStatements(db, entity)) {
      statements.push_back(std::move(sql));
    }
  }
  if (!statements.empty() || version != model_.version) {
    bool ok = sqlite::exec(db, "BEGIN IMMEDIATE");
    for (const auto& sql : statements) ok = ok && sqlite::exec(db, sql);
    ok = ok && sqlite::exec(db, "PRAGMA user_version = " + std::to_string(model_.version));
    if (!ok) {
      Status failed = openFailure(file, sqlite3_errmsg(db), sqlite3_extended_errcode(db));
      sqlite::exec(db, "ROLLBACK");
      return failed;
    }
    if (!sqlite::exec(db, "COMMIT")) {
      Status failed = openFailure(file, sqlite3_errmsg(db), sqlite3_extended_errcode(db));
      sqlite::exec(db, "ROLLBACK");
      return failed;
    }
  }
  schemaVersion_ = model_.version;
  context_.reset(new ManagedObjectContext(&model_, std::move(database)));
  return Status::ok();
}

}  // namespace tockary
